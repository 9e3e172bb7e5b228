#include "app/error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdlib>

namespace tramela {

void reportUnhandledError(const std::exception& error) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Tramela"),
                  QString::fromUtf8(error.what()), QMessageBox::Ok,
                  QApplication::activeWindow());
  // The description may quote what the user typed; it is never read as mark-up.
  box.setTextFormat(Qt::PlainText);
  box.exec();
  // Nothing runs after the report: no event loop, no destructors, no handlers.
  std::_Exit(kErrorExitStatus);
}

}  // namespace tramela
