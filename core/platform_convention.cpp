// The one place the core asks the platform anything: the user's number convention.

#include <QLocale>
#include <QString>

#include <optional>

#include "core/number_text.h"

namespace tramela {
namespace {

// The separator as one code point, or nothing when the platform reports none or several.
std::optional<char32_t> singleCodePoint(const QString& separator) {
  const QList<uint> codePoints = separator.toUcs4();
  if (codePoints.size() != 1) return std::nullopt;
  return static_cast<char32_t>(codePoints.front());
}

// Characters the number grammar already gives a meaning to.
bool clashesWithGrammar(char32_t c) {
  return (c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == U'E' || c == U'e' ||
         c == U'\t' || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF);
}

}  // namespace

NumberConvention currentNumberConvention() {
  const QLocale locale = QLocale::system();
  const std::optional<char32_t> decimal = singleCodePoint(locale.decimalPoint());
  const std::optional<char32_t> grouping = singleCodePoint(locale.groupSeparator());
  if (!decimal || !grouping || *decimal == *grouping || clashesWithGrammar(*decimal) ||
      clashesWithGrammar(*grouping) || *decimal == U' ') {
    return kItalianConvention;
  }
  return {*decimal, *grouping};
}

}  // namespace tramela
