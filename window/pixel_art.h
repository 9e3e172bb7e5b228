#pragma once

#include <QPixmap>

namespace tramela {

// A pixel-art picture ready for a screen of the given device pixel ratio: enlarged by
// repeating pixels, never by blending them, and marked with that ratio so that Qt draws it
// at its own size in logical pixels without scaling it again. At ratio 1 the picture is
// returned as it is.
//   pixelArtForRatio(logo 100 x 41, 2.0)  -> 200 x 82 pixels, devicePixelRatio 2, each pixel a 2 x 2 block
//   pixelArtForRatio(logo 100 x 41, 1.0)  -> the logo
//   pixelArtForRatio(logo 100 x 41, 1.5)  -> 150 x 62 pixels, devicePixelRatio 1.5
QPixmap pixelArtForRatio(const QPixmap& picture, qreal ratio);

}  // namespace tramela
