#pragma once

#include "window/form1.h"

namespace tramela {

// A choice made through an assistive technology's action: a screen reader, voice control or an
// automation tool toggling an option button over the accessibility bus. The tool waits for
// the action's reply, and the error report's modal box would hold that reply until the user
// dismisses it; by then the tool has given up ("Did not receive a reply"). So the report of
// an error from such a choice follows the reply, from the event loop, and until the report
// is shown the program takes no input: no key, mouse, close request or further action.
// Choices made with the keyboard or the mouse report at once, inside the event that made them.

// Gives every option button of a Form1 the accessible interface Qt gives a radio button,
// whose toggle action marks its choice as assistive (see assistiveActionUnderway); other
// radio buttons keep Qt's own. Installing it again does nothing more.
void installAssistiveChoice();

// Whether a toggle action on one of window's option buttons is running at this moment.
bool assistiveActionUnderway(const QWidget& window);

// Runs report(copy of error) from the event loop, once the action under way has returned
// and unless window is gone by then. Until it runs the program takes no input: no key,
// mouse, close request.
//   reportAfterAssistiveReply(form, error, report) -> returns; the action returns;
//                                                     report(copy of error) from the event loop
void reportAfterAssistiveReply(QObject& window, const std::exception& error, ErrorSink report);

}  // namespace tramela
