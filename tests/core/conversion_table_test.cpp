#include "core/conversion_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <set>

namespace tramela {
namespace {

using enum OptionId;
using enum ConversionKind;

struct Row {
  OptionId option;
  const char* caption;
  ConversionKind kind;
  std::uint64_t factorBits;  // 0 for the echo entry
};

// The list as the user sees it, with the factors as bit patterns so that a factor written
// with one digit too few or too many fails.
constexpr Row kExpected[] = {
    {Option5, "scegliere una delle seguenti opzioni", Echo, 0},
    {Option1, "pollici to millimetri", Multiply, 0x4039666666666666},
    {Option2, "millimetri to pollici", Divide, 0x4039666666666666},
    {Option3, "metri to yards", Divide, 0x3FED42C3C9EECBFB},
    {Option4, "yards to metri", Multiply, 0x3FED42C3C9EECBFB},
    {Option6, "grammi to grani", Divide, 0x3FB096BB98C7E282},
    {Option7, "grani to grammi", Multiply, 0x3FB096BB98C7E282},
    {Option8, "Kgm to joule", Multiply, 0x40239EB851EB851F},
    {Option9, "joule to Kgm", Divide, 0x40239EB851EB851F},
    {Option10, "mt./sec. to ft./sec", Divide, 0x3FD381D7DBF487FD},
    {Option11, "ft./sec. to mt./sec.", Multiply, 0x3FD381D7DBF487FD},
};

TEST(ConversionTable, ListOrderCaptionsKindsAndFactors) {
  const auto entries = entriesInListOrder();
  ASSERT_EQ(entries.size(), std::size(kExpected));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Row& row = kExpected[i];
    const ConversionEntry& entry = entries[i];
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(entry.option, row.option);
    EXPECT_EQ(entry.caption, row.caption);
    EXPECT_EQ(entry.kind, row.kind);
    EXPECT_EQ(entry.listPosition, static_cast<int>(i) + 1);
    if (row.kind == Echo) {
      EXPECT_FALSE(entry.factor.has_value());
    } else {
      ASSERT_TRUE(entry.factor.has_value());
      EXPECT_EQ(std::bit_cast<std::uint64_t>(*entry.factor), row.factorBits);
    }
    EXPECT_EQ(&entryFor(row.option), &entry) << "entryFor finds the same row";
  }
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

constexpr std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Expected values are bit patterns of the correctly rounded product or quotient.
const ConvertCase kConvertCases[] = {
    {Option1, 1, bits(25.4), false},
    {Option7, 1, bits(0.0648), false},
    {Option11, 1, bits(0.3048), false},
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

TEST(ConversionTable, ConvertIsOneRoundedOperationWithItsOwnFlags) {
  for (const ConvertCase& c : kConvertCases) {
    const ConversionEntry& entry = entryFor(c.option);
    SCOPED_TRACE(std::string(entry.caption) + " of " + std::to_string(c.number));
    const ConvertResult result = convert(entry, c.number);
    EXPECT_EQ(bits(result.value), c.valueBits);
    EXPECT_EQ(result.overflow, c.overflow);
    EXPECT_FALSE(result.invalid);
    EXPECT_FALSE(result.divideByZero);
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

TEST(ConversionTable, FlagsRaisedBeforeTheOperationAreNotSeen) {
  volatile double zero = 0;
  volatile double huge = 1e308;
  volatile double sink = 1 / zero;  // divide by zero
  sink = huge * huge;               // overflow
  sink = zero / zero;               // invalid
  (void)sink;
  const ConvertResult result = convert(entryFor(Option1), 2);
  EXPECT_FALSE(result.invalid || result.divideByZero || result.overflow);
}

TEST(ConversionTable, EchoHasNoArithmetic) {
  EXPECT_THROW(convert(entryFor(Option5), 1), std::invalid_argument);
}

}  // namespace
}  // namespace tramela
