#include "window/single_line_paste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace tramela {
namespace {

enum class Paste { CtrlV, ShiftInsert, MenuIncolla, Drop, SelectionKeys, MiddleClick };

void paste(QLineEdit& field, Paste how, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  QMimeData data;
  data.setText(text);
  QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2));
  switch (how) {
    case Paste::CtrlV: return QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    case Paste::ShiftInsert: return QTest::keyClick(&field, Qt::Key_Insert, Qt::ShiftModifier);
    case Paste::SelectionKeys:  // the selection holds the text, the clipboard something else
    case Paste::MiddleClick:
      QGuiApplication::clipboard()->setText(QStringLiteral("9"));
      QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
      if (how == Paste::MiddleClick) return QTest::mouseClick(&field, Qt::MiddleButton);
      return QTest::keyClick(&field, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    case Paste::MenuIncolla:
      QCoreApplication::sendEvent(&field, &request);
      for (QAction* action : field.findChild<QMenu*>()->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste"))) action->trigger();
      }
      field.findChild<QMenu*>()->close();
      return;
    case Paste::Drop:  // Qt delivers a drop to the widget that accepted the drag's entry
      QCoreApplication::sendEvent(&field, &enter);
      QCoreApplication::sendEvent(&field, &drop);
  }
}

TEST(SingleLinePaste, ClipboardTextToFieldText) {
  const struct {
    Paste how;
    QString clipboard, typedBefore, typedAfter;
    bool undo;  // Ctrl+Z at the end
    const char* field;
  } kCases[] = {
      {Paste::CtrlV, "1,5\n", "", "", false, "1,5"},
      {Paste::ShiftInsert, "1,5\r\n", "", "", false, "1,5"},
      {Paste::MenuIncolla, "\n1,5", "", "", false, "1,5"},
      {Paste::CtrlV, "1,5\n2", "", "", false, "1,5 2"},
      {Paste::CtrlV, "1,5", "", "", false, "1,5"},
      {Paste::Drop, u"\u20281,5\u2029"_qs, "", "", false, "1,5"},
      {Paste::CtrlV, "\r\n1,5\r\n\r\n2\r\n", "", "", false, "1,5  2"},
      {Paste::CtrlV, "1,5\n", "7", "", true, "7"},
      {Paste::CtrlV, "1,5\n", "7", "9", true, "71,5"},
      // Where there is a selection only.
      {Paste::SelectionKeys, "1,5\n", "", "", false, "1,5"},
      {Paste::MiddleClick, "\n1,5", "", "", false, "1,5"},
      // Without line breaks, and so the same as Qt's own paste, down to what Ctrl+Z takes back.
      {Paste::CtrlV, "1,5", "", "9", true, "1,5"},
      {Paste::CtrlV, "1,5", "7\b", "9", true, "1,5"},
      {Paste::MenuIncolla, "1,5", "7", "9", true, "71,5"},
      {Paste::MiddleClick, "1,5", "7", "9", true, "71,5"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(testing::Message() << "row " << &row - kCases);
    const bool needsSelection = row.how == Paste::SelectionKeys || row.how == Paste::MiddleClick;
    if (needsSelection && !QGuiApplication::clipboard()->supportsSelection()) continue;
    QLineEdit field, qtsOwn;
    new SingleLinePaste(&field);
    for (QLineEdit* each : {&field, &qtsOwn}) {
      QTest::keyClicks(each, row.typedBefore);
      paste(*each, row.how, row.clipboard);
      QTest::keyClicks(each, row.typedAfter);
      if (row.undo) QTest::keyClick(each, Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(field.text().toStdString(), row.field);
    if (!row.clipboard.contains(QRegularExpression(QStringLiteral(R"([\r\n\x{2028}\x{2029}])")))) {
      EXPECT_EQ(field.text(), qtsOwn.text()) << "Qt's own paste does otherwise";
    }
  }
}

}  // namespace
}  // namespace tramela
