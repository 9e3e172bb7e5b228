#include "window/fonts.h"

#include <QStringList>

namespace tramela {
namespace {

constexpr double kWindowPointSize = 8.0;
constexpr double kResultPointSize = 14.25;

// The families to try in order: the chosen one, then fonts every Debian desktop has.
QStringList withFallbacks(const QString& family) {
  return {family, QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")};
}

QFont fontOf(const QString& family, double pointSize) {
  QFont font;
  font.setFamilies(withFallbacks(family));
  font.setPointSizeF(pointSize);
  return font;
}

}  // namespace

QFont windowFont() { return fontOf(QStringLiteral("Liberation Sans"), kWindowPointSize); }

QFont resultFont() {
  QFont font = fontOf(QStringLiteral("Verdana"), kResultPointSize);
  font.setWeight(QFont::Bold);
  return font;
}

}  // namespace tramela
