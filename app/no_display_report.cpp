#include "app/no_display_report.h"

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
// Whether a platform plugin loaded and spoke in its own category (qt.qpa.xcb, qt.qpa.wayland
// ...): it then failed to reach its display. Qt's loader speaks in qt.qpa.plugin.
bool platformSpoke = false;

std::string unreachableCause() {
  std::string set;
  for (const char* variable : kDisplayVariables) {
    const QString value = qEnvironmentVariable(variable);
    if (value.isEmpty()) continue;
    set += (set.empty() ? "" : ", ") + std::string(variable) + "=" + value.toStdString();
  }
  if (!platformSpoke) return "nessun modulo di piattaforma caricabile (" + set + ")";
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    return "nessun display indicato (DISPLAY e WAYLAND_DISPLAY non sono impostate" +
           (set.empty() ? "" : ", " + set) + ")";
  }
  return "nessun display raggiungibile (" + set + ")";
}

// Installed only while the application is being created: a fatal message there is Qt's
// last word when no platform plugin could open its window system. Its own text suggests
// reinstalling, and the abort after it leaves a core file. The window simply cannot open.
void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const QLatin1String category(context.category == nullptr ? "" : context.category);
  if (category.startsWith(QLatin1String("qt.qpa.")) && category != QLatin1String("qt.qpa.plugin")) {
    platformSpoke = true;
  }
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "tramela: impossibile aprire la finestra: %s\n", unreachableCause().c_str());
    std::_Exit(kErrorExitStatus);
  }
  qtHandler(type, context, message);
}

}  // namespace

std::unique_ptr<QApplication> openApplication(int& argc, char** argv) {
  qtHandler = qInstallMessageHandler(&onQtMessage);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtHandler);
  return app;
}

}  // namespace tramela
