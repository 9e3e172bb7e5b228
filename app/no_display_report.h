#pragma once

namespace tramela {

// Makes a window system out of reach an ordinary failure. Where the QApplication created
// after this call cannot open the window system (Qt then ends with a fatal message and an
// abort), writes one Italian line naming the cause to standard error instead, and ends the
// process at once with kErrorExitStatus: no abort, no core file. Qt's other messages go on
// as before. Call once, before creating the QApplication.
//   DISPLAY=:99, nothing there      -> "tramela: impossibile aprire la finestra: nessun
//                                       display raggiungibile (DISPLAY=:99)", status 1
//   no DISPLAY, no WAYLAND_DISPLAY  -> "tramela: impossibile aprire la finestra: nessun
//                                       display indicato (DISPLAY e WAYLAND_DISPLAY non
//                                       sono impostate)", status 1
void reportUnreachableDisplay();

}  // namespace tramela
