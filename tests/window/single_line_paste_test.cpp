#include "window/single_line_paste.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

namespace tramela {
namespace {

enum class Paste { CtrlV, ShiftInsert, MenuIncolla, Drop };

void paste(QLineEdit& field, Paste how, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  if (how == Paste::CtrlV) QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
  if (how == Paste::ShiftInsert) QTest::keyClick(&field, Qt::Key_Insert, Qt::ShiftModifier);
  if (how == Paste::MenuIncolla) {
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2));
    QCoreApplication::sendEvent(&field, &request);
    auto* menu = field.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      if (action->text().startsWith(QLineEdit::tr("&Paste"))) action->trigger();
    }
    menu->close();
  }
  if (how == Paste::Drop) {
    QMimeData data;
    data.setText(text);
    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&field, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&field, &drop);
  }
}

TEST(SingleLinePaste, ClipboardTextToFieldText) {
  const struct {
    Paste how;
    const char* typed;  // before the paste; then "|" and what is typed after it
    QString clipboard;
    bool undo;  // Ctrl+Z at the end
    const char* field;
  } kCases[] = {
      {Paste::CtrlV, "", "1,5\n", false, "1,5"},
      {Paste::ShiftInsert, "", "1,5\r\n", false, "1,5"},
      {Paste::MenuIncolla, "", "\n1,5", false, "1,5"},
      {Paste::CtrlV, "", "1,5\n2", false, "1,5 2"},
      {Paste::CtrlV, "", "1,5", false, "1,5"},
      {Paste::Drop, "", u"\u20281,5\u2029"_qs, false, "1,5"},
      {Paste::CtrlV, "", "\r\n1,5\r\n\r\n2\r\n", false, "1,5  2"},
      {Paste::CtrlV, "7", "1,5\n", true, "7"},
      {Paste::CtrlV, "7|9", "1,5\n", true, "71,5"},
  };
  for (const auto& row : kCases) {
    const QString typed = QString::fromUtf8(row.typed);
    SCOPED_TRACE(QStringLiteral("paste %1 of %2 after %3")
                     .arg(static_cast<int>(row.how))
                     .arg(QString::fromLatin1(row.clipboard.toUtf8().toPercentEncoding()), typed)
                     .toStdString());
    QLineEdit field;
    new SingleLinePaste(&field);
    QTest::keyClicks(&field, typed.section(u'|', 0, 0));
    paste(field, row.how, row.clipboard);
    QTest::keyClicks(&field, typed.section(u'|', 1));
    if (row.undo) QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field.text().toStdString(), row.field);
  }
}

}  // namespace
}  // namespace tramela
