// Copying the result: Label1 is selected with the mouse, copied from its context menu or
// with Ctrl+C, and what lands on the clipboard, pasted into dati1, is the same number.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/conversion_table.h"
#include "core/number_text.h"
#include "core/platform_convention.h"
#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

class Form1Copy : public Form1Fixture {
 protected:
  // Drags the mouse across the whole of Label1, as a user selects its text.
  void selectAllOfLabel1() {
    QLabel* label = label1();
    const QPoint end(label->width() - 1, label->height() - 1);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(label, end);
    QTest::mouseRelease(label, Qt::LeftButton, {}, end);
  }

  // Triggers the entry of Label1's context menu whose text, without its access-key sign,
  // is entry: what choosing it from the menu does.
  void chooseFromMenu(const QString& entry) {
    for (QAction* action : label1()->actions()) {
      if (action->text().remove(u'&') == entry) return action->trigger();
    }
    ADD_FAILURE() << "no entry " << entry.toStdString();
  }

};

// The context menu's entries, in Italian: "Copia" copies what the mouse selected, and
// "Seleziona tutto" then "Copia" the whole result.
TEST_F(Form1Copy, TheContextMenuCopiesInItalian) {
  QStringList entries;
  for (QAction* action : label1()->actions()) entries << action->text().remove(u'&');
  ASSERT_EQ(entries, (QStringList{QStringLiteral("Copia"), QStringLiteral("Seleziona tutto")}));

  type(QStringLiteral("12,5"));
  click(QStringLiteral("Option1"));
  ASSERT_EQ(label1()->text(), QStringLiteral("317,5"));
  const QString focusBefore = focusName();
  selectAllOfLabel1();
  EXPECT_EQ(label1()->selectedText(), QStringLiteral("317,5"));
  EXPECT_EQ(focusName(), focusBefore);  // selecting takes no focus
  label1()->setSelection(1, 3);  // "17,"
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  chooseFromMenu(QStringLiteral("Copia"));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "17,");
  chooseFromMenu(QStringLiteral("Seleziona tutto"));
  chooseFromMenu(QStringLiteral("Copia"));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "317,5");
}

// A result longer than Label1 shows is copied whole by every way of copying all of it.
TEST_F(Form1Copy, ALongResultIsCopiedWhole) {
  const QString whole = QStringLiteral("1,5 ").repeated(1000);
  dati1()->setText(whole);
  click(QStringLiteral("Option5"));
  ASSERT_LT(label1()->text().size(), whole.size());
  const std::function<void()> kCopies[] = {
      [&] { QTest::keyClick(option(QStringLiteral("Option5")), Qt::Key_C, Qt::ControlModifier); },
      [&] { QTest::keyClick(option(QStringLiteral("Option5")), Qt::Key_Insert, Qt::ControlModifier); },
      [&] { label1()->actions().value(1)->trigger(), label1()->actions().value(0)->trigger(); },
      [&] { label1()->actions().value(0)->trigger(); },  // nothing selected
  };
  for (const auto& copy : kCopies) {
    SCOPED_TRACE(testing::Message() << "way " << &copy - kCopies);
    QGuiApplication::clipboard()->clear();
    option(QStringLiteral("Option5"))->setFocus();
    copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text().size(), whole.size());
  }
}

// For every conversion of every input, the result copied from Label1 and pasted into dati1
// reads as the same number, and the echo entry then shows it exactly as copied. The inputs
// have grouping points, signs, many digits and tiny and huge magnitudes, so that results
// carry grouping, exponents and the decimal separator of the platform's convention.
TEST_F(Form1Copy, TheCopiedResultPastedBackReadsAsTheSameNumber) {
  const NumberConvention convention = currentNumberConvention();
  const auto inItsConvention = [&](const char* italian) {
    QString text = QString::fromUtf8(italian);
    // Written in the Italian convention; the platform's separators take their places.
    text.replace(u'.', u'\x1');
    text.replace(u',', QString::fromUcs4(reinterpret_cast<const char32_t*>(&convention.decimalSeparator), 1));
    text.replace(u'\x1', QString::fromUcs4(reinterpret_cast<const char32_t*>(&convention.groupingSeparator), 1));
    return text;
  };
  const char* const inputs[] = {
      "1,5", "-2,75", "1.000,5", "0,001", "123456789,123456", "1e-12", "3,5E+20", "7", "-0",
  };
  for (const char* input : inputs) {
    for (const ConversionEntry& entry : entriesInListOrder()) {
      if (entry.kind == ConversionKind::Echo) continue;
      const QString option = QStringLiteral("Option%1").arg(static_cast<int>(entry.option));
      SCOPED_TRACE(std::string(input) + " with " + option.toStdString());
      dati1()->clear();
      for (const QChar ch : inItsConvention(input)) {
        QTest::sendKeyEvent(QTest::Click, dati1(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
      }
      click(option);
      ASSERT_EQ(sinkCalls_, 0) << sinkWhat_;
      const QString shown = label1()->text();

      selectAllOfLabel1();
      QGuiApplication::clipboard()->clear();
      label1()->actions().value(0)->trigger();  // the menu's first entry: Copy, Copia
      const QString copied = QGuiApplication::clipboard()->text();
      ASSERT_EQ(copied, shown);

      dati1()->clear();
      dati1()->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(dati1(), Qt::Key_V, Qt::ControlModifier);
      ASSERT_EQ(dati1()->text(), copied);
      EXPECT_EQ(parseNumber(copied.toStdString(), convention),
                parseNumber(shown.toStdString(), convention));
      click(QStringLiteral("Option5"));
      EXPECT_EQ(label1()->text(), copied);
    }
  }
  EXPECT_EQ(sinkCalls_, 0);
}

}  // namespace
}  // namespace tramela
