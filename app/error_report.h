#pragma once

#include <exception>

namespace tramela {

// Exit status of the program after an error report; a normal close ends with 0.
inline constexpr int kErrorExitStatus = 1;

// The program's one error policy, the error sink of the window. Shows a modal critical
// message box titled "Tramela" with the error's description as plain text and one OK
// button; once it is dismissed the process ends at once with kErrorExitStatus, without
// going back to the event loop. Needs a QApplication. Never returns.
//   reportUnhandledError(AppError(ConversionError, "«abc» non è un numero.")) -> box, exit 1
[[noreturn]] void reportUnhandledError(const std::exception& error);

}  // namespace tramela
