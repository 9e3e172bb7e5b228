#include "window/result_announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tramela {
namespace {

// A widget that draws nothing and is known to assistive technologies as a notification.
class Notification : public QWidget {
 public:
  explicit Notification(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("resultNotification"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
};

QAccessibleInterface* notificationAccessible(const QString& /*className*/, QObject* object) {
  auto* notification = dynamic_cast<Notification*>(object);
  if (notification == nullptr) return nullptr;
  return new QAccessibleWidget(notification, QAccessible::Notification);
}

QWidget* createNotification(QWidget* window) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(&notificationAccessible);
    return true;
  }();
  (void)factoryInstalled;
  return new Notification(window);
}

}  // namespace

void ResultAnnouncer::announce(QWidget* control, const QString& result, ChoiceFocus focus) {
  withdraw();
  // An empty result has nothing to tell (a nameless notification would still say "notifica").
  if (result.isEmpty()) return;
  control->setAccessibleDescription(result);
  carrier_ = control;
  if (focus == ChoiceFocus::Stays) {
    if (notification_ == nullptr) notification_ = createNotification(control->window());
    notification_->setAccessibleName(result);
    notification_->show();
  }
}

void ResultAnnouncer::withdraw() {
  if (carrier_ != nullptr) carrier_->setAccessibleDescription(QString());
  carrier_ = nullptr;
  if (notification_ != nullptr) {
    notification_->hide();
    notification_->setAccessibleName(QString());
  }
}

}  // namespace tramela
