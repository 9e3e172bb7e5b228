#pragma once

#include <QApplication>

#include <memory>

namespace tramela {

// Creates the program's QApplication, handing it argc and argv, and makes a window system
// out of reach an ordinary failure. Where the QApplication cannot open the window system (Qt
// then ends with a fatal message and an abort), writes one Italian line naming the cause to
// standard error instead, and ends the process at once with kErrorExitStatus: no abort, no
// core file. Qt's other messages go on as before.
//   no DISPLAY, no WAYLAND_DISPLAY  -> "tramela: impossibile aprire la finestra: nessun
//                                       display indicato (DISPLAY e WAYLAND_DISPLAY non
//                                       sono impostate)", status 1
//   DISPLAY=:99, nothing there      -> "... nessun display raggiungibile (DISPLAY=:99)"
//   QT_QPA_PLATFORM=bogus, DISPLAY=:0 -> "... nessun modulo di piattaforma caricabile
//                                       (QT_QPA_PLATFORM=bogus, DISPLAY=:0)"
std::unique_ptr<QApplication> openApplication(int& argc, char** argv);

}  // namespace tramela
