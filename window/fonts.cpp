#include "window/fonts.h"

#include <QStringList>

namespace tramela {
namespace {

constexpr double kWindowPointSize = 8.0;
constexpr double kResultPointSize = 14.25;

// The families to try in order: the chosen ones, then fonts every Debian desktop has.
QStringList withFallbacks(QStringList families) {
  return families << QStringLiteral("DejaVu Sans") << QStringLiteral("sans-serif");
}

QFont fontOf(const QStringList& families, double pointSize) {
  QFont font;
  font.setFamilies(withFallbacks(families));
  font.setPointSizeF(pointSize);
  return font;
}

}  // namespace

// Windows has no Liberation Sans but always Arial, whose widths it was drawn to match.
QFont windowFont() {
  return fontOf({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}, kWindowPointSize);
}

QFont resultFont() {
  QFont font = fontOf({QStringLiteral("Verdana")}, kResultPointSize);
  font.setWeight(QFont::Bold);
  return font;
}

}  // namespace tramela
