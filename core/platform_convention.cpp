// The one place the core asks the platform anything: the user's number convention.

#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>

#include "core/platform_convention.h"

namespace tramela {
namespace {

// The separator as one code point, or nothing when the text holds none or several.
std::optional<char32_t> singleCodePoint(std::u32string_view separator) {
  if (separator.size() != 1) return std::nullopt;
  return separator.front();
}

// Characters the number grammar already gives a meaning to.
bool clashesWithGrammar(char32_t c) {
  return (c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == U'E' || c == U'e' ||
         c == U'\t' || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF);
}

// The locale that decides numbers. On Windows the user's settings; elsewhere the first set of
// LC_ALL, LC_NUMERIC, LANG, as the C library reads it (Qt's system locale takes its language
// from LC_MESSAGES instead, which need not agree). Qt's C locale where none is set.
QLocale numbersLocale() {
#ifdef Q_OS_WIN
  return QLocale::system();
#else
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const QString name = qEnvironmentVariable(variable);
    if (!name.isEmpty()) return QLocale(name);
  }
  return QLocale::c();
#endif
}

std::u32string codePoints(const QString& text) {
  const QList<uint> ucs4 = text.toUcs4();
  return std::u32string(ucs4.begin(), ucs4.end());
}

NumberConvention readConvention() {
  const QLocale locale = numbersLocale();
  // Qt's C locale stands for no regional settings at all (nothing set, C, POSIX, a locale
  // name Qt does not know), not for a choice of the point: the window tells the user to
  // type the comma, so that is what counts.
  if (locale.language() == QLocale::C) return kItalianConvention;
  return conventionFromSeparators(codePoints(locale.decimalPoint()), codePoints(locale.groupSeparator()));
}

}  // namespace

NumberConvention conventionFromSeparators(std::u32string_view decimalText,
                                          std::u32string_view groupingText) {
  const std::optional<char32_t> decimal = singleCodePoint(decimalText);
  const std::optional<char32_t> grouping = singleCodePoint(groupingText);
  // A grouping blank cannot be the decimal separator: beside a blank grouping separator it
  // would be read as grouping, and on its own it is invisible.
  if (!decimal || !grouping || *decimal == *grouping || clashesWithGrammar(*decimal) ||
      clashesWithGrammar(*grouping) || isGroupingBlank(*decimal)) {
    return kItalianConvention;
  }
  return {*decimal, *grouping};
}

NumberConvention currentNumberConvention() {
  // Read once, as Qt reads its own system locale: building a QLocale costs more than a whole
  // conversion, and a process keeps the settings it started with.
  static const NumberConvention convention = readConvention();
  return convention;
}

}  // namespace tramela
