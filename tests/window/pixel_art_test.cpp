// Pixel art on scaled screens: enlarged by repeating pixels, and the logo in the window
// drawn with no colour that it does not have.

#include "window/pixel_art.h"

#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QSet>

#include <gtest/gtest.h>

#include <cmath>

#include "tests/window/form1_fixture.h"
#include "window/pictures.h"

namespace tramela {
namespace {

QSet<QRgb> coloursOf(const QImage& image) {
  QSet<QRgb> colours;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    for (int x = 0; x < argb.width(); ++x) colours.insert(argb.pixel(x, y));
  }
  return colours;
}

TEST(PixelArt, EnlargesByRepeatingPixels) {
  const QPixmap logo = logoPixmap();
  const QImage source = logo.toImage().convertToFormat(QImage::Format_ARGB32);
  const qreal ratios[] = {1.0, 1.25, 1.5, 2.0, 3.0};
  for (const qreal ratio : ratios) {
    SCOPED_TRACE(ratio);
    const QPixmap art = pixelArtForRatio(logo, ratio);
    EXPECT_EQ(art.devicePixelRatio(), ratio);
    EXPECT_EQ(art.width(), std::lround(100 * ratio));
    EXPECT_EQ(art.height(), std::lround(41 * ratio));
    // In logical pixels it is as large as the logo.
    EXPECT_EQ(art.deviceIndependentSize().toSize(), logo.size());
    const QImage image = art.toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(coloursOf(source).contains(coloursOf(image))) << "blended colours";
    const int whole = static_cast<int>(ratio);
    if (whole != ratio) continue;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        ASSERT_EQ(image.pixel(x, y), source.pixel(x / whole, y / whole)) << x << "," << y;
      }
    }
  }
}

// On a screen that scales the window (the tests run at QT_SCALE_FACTOR=2 too), Picture1
// shows the logo's colours and the window's background, and nothing blended between them.
TEST_F(Form1Fixture, TheLogoIsDrawnWithItsOwnColoursOnly) {
  auto* picture = child<QLabel>(QStringLiteral("Picture1"));
  ASSERT_NE(picture, nullptr);
  const QImage drawn = picture->grab().toImage();
  EXPECT_EQ(drawn.width(), std::lround(picture->width() * picture->devicePixelRatioF()));
  QSet<QRgb> allowed;
  const QImage logo = logoPixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  for (const QRgb colour : coloursOf(logo)) {
    if (qAlpha(colour) == 255) allowed.insert(colour);
  }
  allowed.insert(picture->palette().color(QPalette::Window).rgba());
  const QSet<QRgb> shown = coloursOf(drawn);
  EXPECT_TRUE(allowed.contains(shown))
      << shown.size() << " colours drawn, " << allowed.size() << " allowed, at ratio "
      << picture->devicePixelRatioF();
}

}  // namespace
}  // namespace tramela
