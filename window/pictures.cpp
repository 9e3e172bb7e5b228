#include "window/pictures.h"

#include <QString>

// The pictures live in the library's resources; a static library has to register them
// itself, and outside any namespace.
static void registerPictures() { Q_INIT_RESOURCE(tramela); }

namespace tramela {
namespace {

void ensurePicturesRegistered() {
  static const bool registered = (registerPictures(), true);
  (void)registered;
}

}  // namespace

QIcon calculatorIcon() {
  ensurePicturesRegistered();
  return QIcon(QStringLiteral(":/tramela/calculator.xpm"));
}

QPixmap logoPixmap() {
  ensurePicturesRegistered();
  return QPixmap(QStringLiteral(":/tramela/logo.xpm"));
}

}  // namespace tramela
