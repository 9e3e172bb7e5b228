#include "window/keypad_decimal_key.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QString>

#include "core/number_text.h"
#include "core/platform_convention.h"

namespace tramela {
namespace {

// Qt reports the keypad's decimal key as a point or, on layouts whose key prints a comma
// (the keypad separator), as a comma; either way with the keypad modifier.
bool isKeypadDecimalKey(const QKeyEvent& key) {
  return key.modifiers().testFlag(Qt::KeypadModifier) &&
         (key.key() == Qt::Key_Period || key.key() == Qt::Key_Comma);
}

}  // namespace

KeypadDecimalKey::KeypadDecimalKey(QLineEdit* field) : QObject(field), field_(field) {
  field_->installEventFilter(this);
}

bool KeypadDecimalKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress ||
      !isKeypadDecimalKey(*static_cast<QKeyEvent*>(event))) {
    return QObject::eventFilter(watched, event);
  }
  const char32_t separator = currentNumberConvention().decimalSeparator;
  field_->insert(QString::fromUcs4(&separator, 1));
  return true;
}

}  // namespace tramela
