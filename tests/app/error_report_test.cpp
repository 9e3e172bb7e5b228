#include "app/error_report.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/qt_texts.h"
#include "core/app_error.h"

namespace tramela {
namespace {

constexpr char kDescription[] = "«<b>abc</b> & co» non è un numero.";

// Exit statuses of the reporting process that mean a check failed, not the report's own.
constexpr int kBoxNotAsExpected = 3;
constexpr int kAtExitHandlerRan = 4;

[[noreturn]] void failBox(const char* what) {
  std::fprintf(stderr, "box not as expected: %s\n", what);
  std::_Exit(kBoxNotAsExpected);
}

// Runs inside the report's modal loop: checks the box, then presses its one button.
void checkAndDismissTheBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) failBox("no modal message box");
  if (box->windowTitle() != QStringLiteral("Tramela")) failBox("title");
  if (box->icon() != QMessageBox::Critical) failBox("icon");
  if (box->text() != QString::fromUtf8(kDescription)) failBox("text");
  if (box->textFormat() != Qt::PlainText) failBox("text format");
  if (box->buttons().size() != 1) failBox("button count");
  if (box->buttons().front()->text().remove(QLatin1Char('&')) != QStringLiteral("OK")) {
    failBox("button text");
  }
  std::fprintf(stderr, "box checked\n");
  box->buttons().front()->click();
}

// The report shows its box, and once the box is dismissed the process ends with status 1
// at once: the handlers of a normal exit never run.
TEST(ErrorReportDeathTest, ShowsTheDescriptionThenEndsTheProcessAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        installItalianQtTexts(*qApp);
        std::atexit([] { std::_Exit(kAtExitHandlerRan); });
        QTimer::singleShot(0, qApp, &checkAndDismissTheBox);
        reportUnhandledError(AppError(ErrorKind::ConversionError, kDescription));
      },
      testing::ExitedWithCode(kErrorExitStatus), "box checked");
}

// Runs inside the report's modal loop: what a screen reader learns of the box, an alert
// named by the program's title whose text is the description.
void checkTheBoxAsAScreenReaderFindsIt() {
  QWidget* box = QApplication::activeModalWidget();
  if (box == nullptr) failBox("no modal message box");
  QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(box);
  if (alert == nullptr) failBox("no accessible interface");
  if (alert->role() != QAccessible::AlertMessage) failBox("role");
  if (alert->text(QAccessible::Name) != QStringLiteral("Tramela")) failBox("name");
  const QString description = QString::fromUtf8(kDescription);
  if (alert->text(QAccessible::Value) != description) failBox("value");
  bool textRead = false;
  for (int i = 0; i < alert->childCount(); ++i) {
    QAccessibleInterface* child = alert->child(i);
    textRead = textRead || (child->role() == QAccessible::StaticText &&
                            child->text(QAccessible::Name) == description);
  }
  if (!textRead) failBox("no text child named by the description");
  std::fprintf(stderr, "alert checked\n");
  static_cast<QMessageBox*>(box)->buttons().front()->click();
}

TEST(ErrorReportDeathTest, ScreenReadersFindAnAlertNamedByTheTitleReadingTheDescription) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, qApp, &checkTheBoxAsAScreenReaderFindsIt);
        reportUnhandledError(AppError(ErrorKind::ConversionError, kDescription));
      },
      testing::ExitedWithCode(kErrorExitStatus), "alert checked");
}

}  // namespace
}  // namespace tramela
