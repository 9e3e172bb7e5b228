#include "app/no_display_report.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/error_report.h"

namespace tramela {
namespace {

// The variables that choose and reach the window system, as Qt reads them.
constexpr const char* kDisplayVariables[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};

QtMessageHandler qtHandler = nullptr;

std::string unreachableCause() {
  std::string set;
  for (const char* variable : kDisplayVariables) {
    const QString value = qEnvironmentVariable(variable);
    if (value.isEmpty()) continue;
    set += (set.empty() ? "" : ", ") + std::string(variable) + "=" + value.toStdString();
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    return "nessun display indicato (DISPLAY e WAYLAND_DISPLAY non sono impostate" +
           (set.empty() ? "" : ", " + set) + ")";
  }
  return "nessun display raggiungibile (" + set + ")";
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // While the application is being created, a fatal message is Qt's last word when no
  // platform plugin could reach its window system: its own text suggests reinstalling, and
  // the abort after it leaves a core file. The window simply cannot open.
  if (type == QtFatalMsg && QCoreApplication::startingUp()) {
    std::fprintf(stderr, "tramela: impossibile aprire la finestra: %s\n", unreachableCause().c_str());
    std::_Exit(kErrorExitStatus);
  }
  qtHandler(type, context, message);
}

}  // namespace

void reportUnreachableDisplay() { qtHandler = qInstallMessageHandler(&onQtMessage); }

}  // namespace tramela
