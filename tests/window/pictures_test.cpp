#include "window/pictures.h"

#include <QImage>
#include <QLabel>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

int colourCount(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(Pictures, TheIconIsA32By32PictureInSixteenColoursAtMost) {
  const QIcon icon = calculatorIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage image = icon.pixmap(32, 32).toImage();
  EXPECT_EQ(image.size(), QSize(32, 32));
  EXPECT_LE(colourCount(image), 16);
  // Grey case in the middle, transparent outside the case.
  const QColor middle = image.pixelColor(6, 16);
  EXPECT_EQ(middle.red(), middle.green());
  EXPECT_EQ(middle.green(), middle.blue());
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

TEST(Pictures, TheLogoIs100By41WithOneTransparentColour) {
  const QImage image = logoPixmap().toImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(100, 41));
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = image.pixelColor(x, y).alpha();
      EXPECT_TRUE(alpha == 0 || alpha == 255);
      opaque += alpha == 255;
    }
  }
  EXPECT_GT(opaque, 0);
  EXPECT_LE(colourCount(image), 256);
}

// Whether an image-format plugin is mapped into this process.
bool anImagePluginIsLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return false;
  return maps.readAll().contains("/imageformats/");
}

TEST(Pictures, AreReadWithoutLoadingImagePlugins) {
  if (!QFile::exists(QStringLiteral("/proc/self/maps"))) GTEST_SKIP() << "no /proc here";
  if (anImagePluginIsLoaded()) GTEST_SKIP() << "an earlier test in this process loaded one";
  EXPECT_FALSE(calculatorIcon().isNull());
  EXPECT_FALSE(logoPixmap().isNull());
  EXPECT_FALSE(anImagePluginIsLoaded());
}

using PictureBox = Form1Fixture;

TEST_F(PictureBox, ShowsTheLogoAtItsTopLeftAndTheWindowCarriesTheIcon) {
  const QLabel* picture = child<QLabel>(QStringLiteral("Picture1"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixmap().size(), QSize(100, 41));
  EXPECT_EQ(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_FALSE(form_.windowIcon().isNull());
}

}  // namespace
}  // namespace tramela
