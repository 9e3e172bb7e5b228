// Writes a picture as PNG, pixel for pixel: the build turns the calculator XPM into the
// hicolor 32 x 32 icon with it.
// Usage: png_from_xpm IN.xpm OUT.png

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s IN.xpm OUT.png\n", argv[0]);
    return 2;
  }
  const QImage picture(QString::fromLocal8Bit(argv[1]));
  if (picture.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  // ARGB keeps the transparent colour of the palette as alpha 0.
  if (!picture.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
