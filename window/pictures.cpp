#include "window/pictures.h"

#include <QImage>
#include <QImageReader>
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

// Our pictures are XPM, which Qt reads by itself. Given only a file name, Qt loads every
// image-format plugin on the system (and libjpeg with one) to ask whether it claims the
// file; naming the format with detection off reads ours without them.
QImage readPicture(const QString& path) {
  ensurePicturesRegistered();
  QImageReader reader(path, "xpm");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

QIcon calculatorIcon() {
  return QIcon(QPixmap::fromImage(readPicture(QStringLiteral(":/tramela/calculator.xpm"))));
}

QPixmap logoPixmap() {
  return QPixmap::fromImage(readPicture(QStringLiteral(":/tramela/logo.xpm")));
}

}  // namespace tramela
