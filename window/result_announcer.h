#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tramela {

// Tells a screen reader each new result, right after the control the user chose it with.
//
// The chosen control's accessible description becomes the result. Orca reads a control's
// description when the focus arrives on it, and an arrow key or a click on another option
// moves the focus and chooses in one step, so Orca says "pollici to millimetri, selezionato
// pulsante radio, 38,1". (A change of the description, or of the result label's name, is
// not read: the toolkit's bridge hands Orca the object where Orca expects the new text.)
// The same control chosen again (Space or a click on the selected option) moves no focus;
// then a notification, an invisible widget of no size, is shown with the result as its name,
// and Orca reads it as it appears: "notifica 254".
//
// A result is carried only while it is the one on screen: withdraw() takes it back from the
// description and hides the notification.
//   announce(Option1, "38,1")  -> Option1's description "38,1"
//   announce(Option2, "0,1")   -> Option1's description "", Option2's "0,1"
//   announce(Option2, "0,1")   -> Option2's description "0,1", notification "0,1" shown
//   withdraw()                 -> Option2's description "", notification hidden
class ResultAnnouncer {
 public:
  // Takes the result from where it was and gives result to control, as its description
  // and, when control was also the one chosen last and result is not empty, as a newly shown
  // notification.
  void announce(QWidget* control, const QString& result);

  // Takes the result back from the control that carries it and hides the notification.
  void withdraw();

  // The notification, once a control has been chosen twice in a row; null before.
  QWidget* notification() const { return notification_; }

 private:
  QPointer<QWidget> carrier_;
  QPointer<QWidget> lastChosen_;
  QPointer<QWidget> notification_;
};

}  // namespace tramela
