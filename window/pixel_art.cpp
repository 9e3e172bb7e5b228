#include "window/pixel_art.h"

#include <QSize>

#include <cmath>

namespace tramela {

QPixmap pixelArtForRatio(const QPixmap& picture, qreal ratio) {
  if (picture.isNull() || ratio <= 1.0) return picture;
  const QSize size(static_cast<int>(std::lround(picture.width() * ratio)),
                   static_cast<int>(std::lround(picture.height() * ratio)));
  // FastTransformation is nearest neighbour: the hard edges of the pixels stay hard.
  QPixmap enlarged = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  enlarged.setDevicePixelRatio(ratio);
  return enlarged;
}

}  // namespace tramela
