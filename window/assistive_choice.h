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

// Gives every option button the accessible interface Qt gives a radio button, whose toggle
// action marks the choice it makes as assistive (see reportAfterAssistiveReply). Installing
// it again does nothing more.
void installAssistiveChoice();

// The error sink of a window whose choices may come from assistive actions: an error raised
// while such an action runs goes to sink once the action has returned; any other, at once.
//   reportAfterAssistiveReply(sink)(error)  from a click          -> sink(error), then returns
//   reportAfterAssistiveReply(sink)(error)  from a toggle action  -> returns; the action
//                                              returns; sink(copy of error) from the event loop
ErrorSink reportAfterAssistiveReply(ErrorSink sink);

}  // namespace tramela
