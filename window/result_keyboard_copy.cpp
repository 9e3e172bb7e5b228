#include "window/result_keyboard_copy.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include "window/result_label.h"

namespace tramela {
namespace {

bool opensMenu(const QKeyEvent& key) {
  return (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier) ||
         (key.key() == Qt::Key_Menu && key.modifiers() == Qt::NoModifier);
}

}  // namespace

ResultKeyboardCopy::ResultKeyboardCopy(ResultLabel* label, QWidget* list)
    : QObject(list), label_(label), list_(list) {
  // The keys reach the list from its buttons, which have no use for them.
  list_->installEventFilter(this);
}

bool ResultKeyboardCopy::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      copyResult();
      return true;
    }
    if (opensMenu(*key)) {
      openMenu();
      return true;
    }
  }
  // The window system may ask for the menu on its own: Windows does for Shift+F10 (under Wine
  // its key never reaches the list), and X11 for the Menu key, before the key. Whichever of
  // the two comes first opens the menu; the other reaches the open menu, which takes the keys.
  if (event->type() == QEvent::ContextMenu &&
      static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    openMenu();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void ResultKeyboardCopy::copyResult() {
  const QString& result = label_->resultText();
  if (!result.isEmpty()) QGuiApplication::clipboard()->setText(result);
}

// The label's own entries, with the first one already chosen, as a menu opened from the
// keyboard has it: a screen reader reads it at once, and Return takes it.
void ResultKeyboardCopy::openMenu() {
  QMenu menu(label_);
  menu.addActions(label_->actions());
  menu.setActiveAction(menu.actions().value(0));
  menu.exec(label_->mapToGlobal(QPoint(0, label_->height())));
}

}  // namespace tramela
