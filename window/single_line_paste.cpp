#include "window/single_line_paste.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>

namespace tramela {
namespace {

// The text with the line breaks at its ends removed and each other one (a CR LF pair is one)
// made a space: "\r\n1,5\r\n" -> "1,5", "1,5\n\n2" -> "1,5  2".
QString withoutLineBreaks(QString text) {
  static const QRegularExpression kAtTheEnds(
      QStringLiteral("^[\r\n\u2028\u2029]+|[\r\n\u2028\u2029]+$"));
  static const QRegularExpression kInside(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
  return text.remove(kAtTheEnds).replace(kInside, QStringLiteral(" "));
}

}  // namespace

SingleLinePaste::SingleLinePaste(QLineEdit* field) : QObject(field), field_(field) {
  field_->installEventFilter(this);
}

bool SingleLinePaste::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (!key->matches(QKeySequence::Paste)) break;
      // Where the platform keeps a selection (X11), Ctrl+Shift+Insert pastes it, as QLineEdit
      // does; elsewhere the key, where it pastes at all, pastes the clipboard.
      const bool selection = QGuiApplication::clipboard()->supportsSelection() &&
                             key->key() == Qt::Key_Insert &&
                             key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
      paste(selection ? QClipboard::Selection : QClipboard::Clipboard);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
          !QGuiApplication::clipboard()->supportsSelection()) {
        break;
      }
      field_->deselect();
      paste(QClipboard::Selection);
      return true;
    case QEvent::ContextMenu:
      showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    case QEvent::Drop:
      return dropWithoutLineBreaks(static_cast<QDropEvent*>(event));
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void SingleLinePaste::paste(QClipboard::Mode mode) {
  const QString text = withoutLineBreaks(QGuiApplication::clipboard()->text(mode));
  if (text.isEmpty() && !field_->hasSelectedText()) return;
  endUndoStep();
  field_->insert(text);
  endUndoStep();
}

// QLineEdit's undo takes back a run of insertions as one; like its own paste, a paste is a
// run of its own. Moving the cursor ends a run. An empty field has no run to end, and with a
// selection, replacing it starts a run of its own.
void SingleLinePaste::endUndoStep() {
  if (field_->hasSelectedText() || field_->text().isEmpty()) return;
  const int at = field_->cursorPosition();
  field_->setCursorPosition(at > 0 ? at - 1 : at + 1);
  field_->setCursorPosition(at);
}

// The field's own menu, whose "Incolla" pastes as the keys do. Qt names the entry with its
// own translated text, followed by a tab and the entry's keys.
void SingleLinePaste::showContextMenu(const QPoint& globalPos) {
  QMenu* menu = field_->createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste")) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, &SingleLinePaste::pasteClipboard);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

// The field drops the text of a copy of the event that carries the text without its line
// breaks, and the drag learns from the original what the field did.
bool SingleLinePaste::dropWithoutLineBreaks(QDropEvent* drop) {
  const QString text = drop->mimeData()->text();
  const QString single = withoutLineBreaks(text);
  if (single == text) return false;
  QMimeData data;
  data.setText(single);
  QDropEvent copy(drop->position(), drop->possibleActions(), &data, drop->buttons(),
                  drop->modifiers());
  QCoreApplication::sendEvent(field_, &copy);
  drop->setDropAction(copy.dropAction());
  drop->setAccepted(copy.isAccepted());
  return true;
}

}  // namespace tramela
