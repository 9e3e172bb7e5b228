#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tramela {

// How a choice met the focus: whether a screen reader reads the chosen control afresh after
// the choice.
enum class ChoiceFocus {
  Arrives,  // the focus moved onto the control together with the choice (an arrow key)
  Stays,    // the focus was on the control before the choice (a click's press, Space)
};

// Tells a screen reader each new result, right after the control the user chose it with.
//
// The chosen control's accessible description becomes the result. Orca reads a control's
// description when the focus arrives on it, and an arrow key moves the focus and chooses in
// one step, so Orca says "pollici to millimetri, selezionato pulsante radio, 38,1". (Orca 43
// reads a change of the result label's name only on the focused object, and no change of a
// description from Qt 6.4: Qt's bridge sends the object where Orca expects the new text.)
// Where the focus was on the control before the choice (Space; a click, whose press moves
// the focus before its release chooses), Orca may have read the control already; then a
// notification, an invisible widget of no size, is shown with the result as its name, and
// Orca reads it as it appears: "notifica 254".
//
// A result is carried only while it is the one on screen: withdraw() takes it back from the
// description and hides the notification.
//   announce(Option1, "38,1", Arrives) -> Option1's description "38,1"
//   announce(Option2, "0,1", Arrives)  -> Option1's description "", Option2's "0,1"
//   announce(Option2, "0,1", Stays)    -> Option2's description "" then "0,1" again,
//                                         notification "0,1" shown
//   withdraw()                         -> Option2's description "", notification hidden
class ResultAnnouncer {
 public:
  // Takes the result from where it was and gives result to control as its description,
  // emptied first so that an unchanged result is a change again; where the focus stays,
  // also shows it in the notification. An empty result is given to nothing.
  void announce(QWidget* control, const QString& result, ChoiceFocus focus);

  // Takes the result back from the control that carries it and hides the notification.
  void withdraw();

  // The notification, once a result has been shown in it; null before.
  QWidget* notification() const { return notification_; }

 private:
  QPointer<QWidget> carrier_;
  QPointer<QWidget> notification_;
};

}  // namespace tramela
