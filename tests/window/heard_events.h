#pragma once

#include <QAccessible>

#include <string>
#include <vector>

namespace tramela {

// The accessibility events that tell a screen reader of a result, each with what it would
// read at that moment: "Option1=38,1" (a description set), "Option1=" (emptied),
// "notification 38,1" (the notification shown), "notification hidden". Installed as Qt's
// update handler: QAccessible::installUpdateHandler(&HeardEvents::record).
struct HeardEvents {
  static inline std::vector<std::string> events;

  static void record(QAccessibleEvent* event) {
    QObject* object = event->object();
    if (object == nullptr) return;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    if (event->type() == QAccessible::DescriptionChanged) {
      events.push_back(object->objectName().toStdString() + "=" +
                       face->text(QAccessible::Description).toStdString());
    } else if (face->role() == QAccessible::Notification) {
      if (event->type() == QAccessible::ObjectShow) {
        events.push_back("notification " + face->text(QAccessible::Name).toStdString());
      } else if (event->type() == QAccessible::ObjectHide) {
        events.push_back("notification hidden");
      }
    }
  }
};

}  // namespace tramela
