#include "window/assistive_choice.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <memory>
#include <stdexcept>
#include <utility>

#include "core/app_error.h"

namespace tramela {
namespace {

// The button a toggle action is turning on; never two at once, since an action runs to its
// end before the bridge takes the next one.
const QWidget* buttonUnderAction = nullptr;

// Keeps every input from the program while a report waits: what the user does before the
// report's box appears must not reach the window, as it would not once the box is there.
class InputHold : public QObject {
 public:
  InputHold() { QCoreApplication::instance()->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (event->isInputEvent() || type == QEvent::Shortcut || type == QEvent::Close) return true;
    return QObject::eventFilter(watched, event);
  }
};

// Qt's accessible radio button, told apart only by its toggle action, which marks the choice
// as assistive. The captions carry no access keys, so the name is the caption as it is.
class OptionButtonAccessible : public QAccessibleWidget {
 public:
  explicit OptionButtonAccessible(QRadioButton* button)
      : QAccessibleWidget(button, QAccessible::RadioButton) {
    addControllingSignal(QStringLiteral("toggled(bool)"));
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return button()->text();
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    state.pressed = button()->isDown();
    return state;
  }

  // The part that takes a click, the indicator and the caption: a tool that clicks at the
  // middle of the rectangle hits the button, whatever the width of its box.
  QRect rect() const override {
    QRadioButton* b = button();
    if (!b->isVisible()) return {};
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    option.icon = b->icon();
    option.iconSize = b->iconSize();
    option.state |= b->isChecked() ? QStyle::State_On : QStyle::State_Off;
    return b->style()
        ->subElementRect(QStyle::SE_RadioButtonClickRect, &option, b)
        .translated(b->mapToGlobal(QPoint(0, 0)));
  }

  QStringList actionNames() const override {
    return QStringList(toggleAction()) + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& name) override {
    if (name != toggleAction()) return QAccessibleWidget::doAction(name);
    buttonUnderAction = button();
    button()->toggle();
    buttonUnderAction = nullptr;
  }

 private:
  QRadioButton* button() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* optionButtonInterface(const QString& className, QObject* object) {
  if (className != QLatin1String("QRadioButton")) return nullptr;
  auto* button = qobject_cast<QRadioButton*>(object);
  QObject* form = button;
  while (form != nullptr && qobject_cast<Form1*>(form) == nullptr) form = form->parent();
  return form == nullptr ? nullptr : new OptionButtonAccessible(button);
}

// The error outlives the catch that handed it over: a copy of it, the kind kept.
std::shared_ptr<const std::exception> copyOf(const std::exception& error) {
  if (const auto* appError = dynamic_cast<const AppError*>(&error)) {
    return std::make_shared<AppError>(*appError);
  }
  return std::make_shared<std::runtime_error>(error.what());
}

}  // namespace

void installAssistiveChoice() {
  static const bool installed = [] {
    QAccessible::installFactory(&optionButtonInterface);
    return true;
  }();
  (void)installed;
}

bool assistiveActionUnderway(const QWidget& window) {
  return buttonUnderAction != nullptr && window.isAncestorOf(buttonUnderAction);
}

void reportAfterAssistiveReply(QObject& window, const std::exception& error, ErrorSink report) {
  auto hold = std::make_shared<InputHold>();
  QMetaObject::invokeMethod(
      &window,
      [report = std::move(report), hold, error = copyOf(error)]() mutable {
        hold.reset();  // the report's own box takes the input from here
        report(*error);
      },
      Qt::QueuedConnection);
}

}  // namespace tramela
