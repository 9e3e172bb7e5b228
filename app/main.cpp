// Tramela: builds the window and runs it until it is closed.

#include <QApplication>

#include "app/error_report.h"
#include "app/no_display_report.h"
#include "app/qt_texts.h"
#include "app/version.h"
#include "window/form1.h"
#include "window/pictures.h"
#include "window/screen_fit.h"

int main(int argc, char* argv[]) {
  // The program takes no command line: Qt is handed the program's name and nothing else.
  char fallbackName[] = "tramela";
  char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName, nullptr};
  int qtArgc = 1;
  const auto app = tramela::openApplication(qtArgc, qtArgv);
  QApplication::setApplicationName(QStringLiteral("Tramela"));
  QApplication::setApplicationVersion(QString::fromLatin1(tramela::kDisplayVersion));
  // The launcher entry it was installed with, for desktops that match windows to entries.
  QApplication::setDesktopFileName(QStringLiteral("it.tramela.Tramela"));
  QApplication::setWindowIcon(tramela::calculatorIcon());
  tramela::installItalianQtTexts(*app);

  tramela::Form1 form1(&tramela::reportUnhandledError);
  tramela::ScreenFit shown(form1);
  return QApplication::exec();
}
