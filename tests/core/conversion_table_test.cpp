#include "core/conversion_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace tramela {
namespace {

using enum OptionId;
using enum ConversionKind;

constexpr std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

struct KnownValue {
  OptionId option;
  const char* fact;
  double number;
  double result;  // exact: one unit of the pair, or its size in the other unit
};

// One known value for each conversion, which a wrong factor, a factor with a digit too many
// or too few, or a multiplication in place of a division changes.
const KnownValue kKnownValues[] = {
    {Option1, "1 inch is 25,4 mm", 1, 25.4},
    {Option2, "25,4 mm are 1 inch", 25.4, 1},
    {Option3, "0,9144 m are 1 yard", 0.9144, 1},
    {Option4, "1 yard is 0,9144 m", 1, 0.9144},
    {Option6, "0,0648 g are 1 grain", 0.0648, 1},
    {Option7, "1 grain is 0,0648 g", 1, 0.0648},
    {Option8, "1 Kgm is 9,81 J", 1, 9.81},
    {Option9, "9,81 J are 1 Kgm", 9.81, 1},
    {Option10, "0,3048 m/s are 1 ft/s", 0.3048, 1},
    {Option11, "1 ft/s is 0,3048 m/s", 1, 0.3048},
};

TEST(ConversionTable, EachConversionGivesAKnownValue) {
  for (const KnownValue& k : kKnownValues) {
    const ConvertResult result = convert(entryFor(k.option), k.number);
    EXPECT_EQ(bits(result.value), bits(k.result)) << k.fact << ": got " << result.value;
  }
}

TEST(ConversionTable, TheListStartsWithTheEchoEntryAndEndsWithOption11) {
  EXPECT_EQ(entriesInListOrder().front().option, Option5);
  EXPECT_EQ(entriesInListOrder().back().option, Option11);
}

TEST(ConversionTable, EntryForRefusesValuesOutsideTheEnumeration) {
  EXPECT_THROW(entryFor(static_cast<OptionId>(0)), std::out_of_range);
  EXPECT_THROW(entryFor(static_cast<OptionId>(12)), std::out_of_range);
  EXPECT_THROW(entryFor(static_cast<OptionId>(-1)), std::out_of_range);
}

struct ConvertCase {
  OptionId option;
  double number;
  std::uint64_t valueBits;
  bool overflow;
};

// Expected values are bit patterns of the correctly rounded product or quotient.
const ConvertCase kConvertCases[] = {
    {Option1, 1.5, bits(38.099999999999994), false},
    // A true division: multiplying by the reciprocal would give 0.39370078740157477.
    {Option2, 10, bits(0.3937007874015748), false},
    {Option2, 2.54, bits(0.1), false},
    {Option3, -1, bits(-1.0936132983377078), false},
    {Option1, 8e306, bits(INFINITY), true},
    {Option1, -8e306, bits(-INFINITY), true},
    {Option2, 8e306, bits(8e306 / 25.4), false},
    {Option6, 1.2e307, bits(INFINITY), true},
    {Option8, 1.9e307, bits(INFINITY), true},
    {Option10, 5.5e307, bits(INFINITY), true},
    {Option3, 1.7e308, bits(INFINITY), true},
    {Option3, 1.6e308, bits(1.6e308 / 0.9144), false},
    // Shrinking entries underflow quietly to a denormal.
    {Option7, 4.9406564584124654e-324, bits(0.0), false},
    {Option2, 2.2250738585072014e-308, bits(2.2250738585072014e-308 / 25.4), false},
};

TEST(ConversionTable, ConvertIsOneRoundedOperationThatReportsOverflow) {
  for (const ConvertCase& c : kConvertCases) {
    const ConversionEntry& entry = entryFor(c.option);
    const ConvertResult result = convert(entry, c.number);
    const std::string name = std::string(entry.caption) + " of " + testing::PrintToString(c.number);
    EXPECT_EQ(bits(result.value), c.valueBits) << name << ": got " << result.value;
    EXPECT_EQ(result.overflow, c.overflow) << name;
    EXPECT_FALSE(result.invalid || result.divideByZero) << name;
  }
}

TEST(ConversionTable, ZeroAndSignsCarryThrough) {
  for (const ConversionEntry& entry : entriesInListOrder()) {
    if (entry.kind == Echo) continue;
    SCOPED_TRACE(entry.caption);
    EXPECT_EQ(convert(entry, 0).value, 0);
    EXPECT_LT(convert(entry, -3).value, 0);
    EXPECT_GT(convert(entry, 3).value, 0);
  }
}

TEST(ConversionTable, EchoHasNoArithmetic) {
  EXPECT_THROW(convert(entryFor(Option5), 1), std::invalid_argument);
}

}  // namespace
}  // namespace tramela
