#include <gtest/gtest.h>

#include <string>

#include "core/platform_convention.h"

namespace tramela {
namespace {

struct SeparatorCase {
  const char* name;
  std::u32string decimal;
  std::u32string grouping;
  NumberConvention expected;
};

constexpr NumberConvention kItalian = kItalianConvention;  // what every refused pair gives

const SeparatorCase kSeparatorCases[] = {
    {"Italian", U",", U".", {U',', U'.'}},
    {"English", U".", U",", {U'.', U','}},
    {"Swiss apostrophe", U".", U"\u2019", {U'.', U'\u2019'}},
    {"French narrow no-break space", U",", U"\u202F", {U',', U'\u202F'}},
    {"no-break space grouping", U",", U"\u00A0", {U',', U'\u00A0'}},
    {"plain space grouping", U",", U" ", {U',', U' '}},
    {"Arabic", U"\u066B", U"\u066C", {U'\u066B', U'\u066C'}},
    {"a letter is usable", U"d", U"g", {U'd', U'g'}},
    {"outside the Basic Multilingual Plane", U"\U0001D7CE", U".", {U'\U0001D7CE', U'.'}},
    {"no decimal separator", U"", U".", kItalian},
    {"no grouping separator", U",", U"", kItalian},
    {"two-character decimal separator", U"٫٫", U".", kItalian},
    {"two-character grouping separator", U",", U"\u00A0\u00A0", kItalian},
    {"both the same", U".", U".", kItalian},
    {"both the comma", U",", U",", kItalian},
    {"digit as decimal", U"0", U".", kItalian},
    {"digit as grouping", U",", U"9", kItalian},
    {"plus as decimal", U"+", U".", kItalian},
    {"minus as grouping", U",", U"-", kItalian},
    {"E as decimal", U"E", U".", kItalian},
    {"e as grouping", U",", U"e", kItalian},
    {"tab as decimal", U"\t", U".", kItalian},
    {"tab as grouping", U",", U"\t", kItalian},
    {"space as decimal", U" ", U".", kItalian},
    {"no-break space as decimal", U"\u00A0", U".", kItalian},
    {"narrow no-break space as decimal", U"\u202F", U"\u00A0", kItalian},
    {"thin space as decimal", U"\u2009", U",", kItalian},
    {"surrogate", U"\xD800", U".", kItalian},
    {"beyond Unicode", U"\x110000", U".", kItalian},
};

TEST(ConventionFromSeparators, KeepsUsableSeparatorsAndFallsBackToItalian) {
  for (const SeparatorCase& c : kSeparatorCases) {
    SCOPED_TRACE(c.name);
    const NumberConvention convention = conventionFromSeparators(c.decimal, c.grouping);
    EXPECT_EQ(static_cast<std::uint32_t>(convention.decimalSeparator),
              static_cast<std::uint32_t>(c.expected.decimalSeparator));
    EXPECT_EQ(static_cast<std::uint32_t>(convention.groupingSeparator),
              static_cast<std::uint32_t>(c.expected.groupingSeparator));
  }
}

}  // namespace
}  // namespace tramela
