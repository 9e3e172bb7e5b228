#include "core/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/app_error.h"
#include "tests/core/test_support.h"

namespace tramela {
namespace {

using namespace testing_support;

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kSmallestDenormal = std::numeric_limits<double>::denorm_min();

std::uint64_t bitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }


// What a parse gave: a value or the kind of error, with the description.
struct Outcome {
  std::optional<double> value;
  std::optional<ErrorKind> error;
  std::string description;
};

Outcome parse(std::string_view text, const NumberConvention& convention) {
  try {
    return {parseNumber(text, convention), {}, {}};
  } catch (const AppError& error) {
    return {{}, error.kind(), error.what()};
  }
}

std::string describe(const Outcome& outcome) {
  if (outcome.value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (bits %016llX)", *outcome.value,
                  static_cast<unsigned long long>(bitsOf(*outcome.value)));
    return text;
  }
  return outcome.error == ErrorKind::OverflowError ? "OverflowError" : "ConversionError";
}

// The same value, counting both zeros as one: which zero a text reads as is not promised.
bool sameNumber(double a, double b) { return a == 0 ? b == 0 : bitsOf(a) == bitsOf(b); }

// ---------------------------------------------------------------------------------------
// Reading: edge cases

struct ParseCase {
  std::string text;
  NumberConvention convention;
  std::optional<double> value;  // empty when an error is expected
  ErrorKind error = ErrorKind::ConversionError;
};

ParseCase reads(std::string text, double value, NumberConvention convention = kItalian) {
  return {std::move(text), convention, value};
}
ParseCase refused(std::string text, NumberConvention convention = kItalian) {
  return {std::move(text), convention, {}, ErrorKind::ConversionError};
}
ParseCase overflows(std::string text, NumberConvention convention = kItalian) {
  return {std::move(text), convention, {}, ErrorKind::OverflowError};
}

std::vector<ParseCase> parseCases() {
  return {
      // Blanks, signs, decimal separator on either side.
      reads(" 12,5 ", 12.5),
      reads("\t 12,5 \t", 12.5),
      reads("-3", -3),
      reads("+3", 3),
      reads(" -3 ", -3),
      reads(",5", 0.5),
      reads("-,5", -0.5),
      reads("5,", 5),
      reads("0", 0),
      reads("-0", 0),
      reads("000012,500", 12.5),
      reads("0,000", 0),
      // Grouping after any integer digit, the last included, any number of times.
      reads("1.5", 15),
      reads("1.000,5", 1000.5),
      reads("1.000", 1000),
      reads("5.", 5),
      reads("1.,5", 1.5),
      reads("1.E2", 100),
      reads("1..5", 15),
      reads("1.2.3.4", 1234),
      reads("-1.234.567,891", -1234567.891),
      reads("0.0.1", 1),
      // Exponents.
      reads("1,5E2", 150),
      reads("1,5e2", 150),
      reads("1,5E+2", 150),
      reads("1,5e-2", 0.015),
      reads("1E0", 1),
      reads("1e-0", 1),
      reads("1,E2", 100),
      reads(",5E1", 5),
      reads("1E-000000000000000000000000000001", 0.1),
      reads("1E+00000000000000000000000000308", 1e308),
      reads("0," + repeat("0", 399) + "1E+400", 1),
      reads("1" + repeat("0", 400) + "E-400", 1),
      reads("1" + repeat("0", 308), 1e308),
      reads(" 6,02214076E+23 ", 6.02214076e23),
      // Far beyond the range on either side, or zero whatever the exponent.
      overflows("1E+309"),
      overflows("-1E+309"),
      overflows("1E+99999999999999999999"),
      overflows("-1E+99999999999999999999"),
      overflows("1" + repeat("0", 309)),
      overflows("1,8E308"),
      reads("0E+99999999999999999999", 0),
      reads("0,000E+99999999999999999999", 0),
      reads("1E-99999999999999999999", 0),
      reads("-1E-99999999999999999999", 0),
      reads("1E-400", 0),
      // The bottom: denormals and the point where they give way to zero.
      reads("4,9406564584124654E-324", kSmallestDenormal),
      reads("2,4703282292062328E-324", kSmallestDenormal),
      reads("2,4703282292062327E-324", 0),
      reads("2,2250738585072014E-308", DBL_MIN),
      reads("2,2250738585072009E-308", 2.2250738585072009e-308),
      // The text written for the largest double lies above it by more than half an ulp.
      overflows("1,79769313486232E+308"),
      overflows("-1,79769313486232E+308"),
      // Not numbers.
      refused(""),
      refused(" "),
      refused(" \t "),
      refused("abc"),
      refused("1,2,3"),
      refused("1,5.0"),
      refused("1,5,"),
      refused("12a"),
      refused("a12"),
      refused("inf"),
      refused("INF"),
      refused("-inf"),
      refused("nan"),
      refused("NaN"),
      refused("infinity"),
      refused("0x1p3"),
      refused("0x10"),
      refused("0X10"),
      refused("0b101"),
      refused("1-"),
      refused("1+"),
      refused("(1)"),
      refused("-(1)"),
      refused("€1"),
      refused("1€"),
      refused("1 €"),
      refused("$1"),
      refused("1f"),
      refused("1L"),
      refused(".5"),
      refused("-.5"),
      refused("."),
      refused(","),
      refused("-"),
      refused("+"),
      refused("--1"),
      refused("+-1"),
      refused("- 1"),
      refused("1,,5"),
      refused("1 2"),
      refused("1_000"),
      refused("1'000"),
      refused("1\xC2\xA0" "000"),
      refused("E5"),
      refused(",E5"),
      refused("1E"),
      refused("1E+"),
      refused("1e-"),
      refused("1E+-2"),
      refused("1E2,5"),
      refused("1E2.5"),
      refused("1E2E3"),
      refused("1EE2"),
      refused("1 E2"),
      refused("1D2"),
      refused(std::string("1\0" "2", 3)),
      refused(std::string("12\0", 3)),
      refused(std::string("\0", 1)),
      refused("1\n"),
      refused("\n1"),
      refused("1\r"),
      refused("1\xFF"),
      refused("\xC0\xB1"),     // an overlong "1"
      refused("1\xE2\x82"),    // a truncated sequence
      refused("\xD9\xA1"),     // ARABIC-INDIC DIGIT ONE
      refused("1\xD9\xA1"),
      refused("\xEF\xBC\x91"), // FULLWIDTH DIGIT ONE
      refused("\xE2\x88\x92" "1"),  // MINUS SIGN
      refused("\xE2\x80\x93" "1"),  // EN DASH
      refused("\xEF\xBC\x8B" "1"),  // FULLWIDTH PLUS SIGN
      refused("1\xD9\xAB" "5"),     // an Arabic decimal separator under the Italian convention
      // Point decimal, comma grouping: the roles swap.
      reads("1.5", 1.5, kPointComma),
      reads("1,5", 15, kPointComma),
      reads("1,000.5", 1000.5, kPointComma),
      reads("1,.5", 1.5, kPointComma),
      reads(".5", 0.5, kPointComma),
      refused("1.5.5", kPointComma),
      refused("1.5,0", kPointComma),
      refused(",5", kPointComma),
      // A blank grouping separator: all grouping blanks and the plain space count.
      reads("1\xE2\x80\xAF" "000,5", 1000.5, kCommaNarrowSpace),
      reads("1 000,5", 1000.5, kCommaNarrowSpace),
      reads("1\xC2\xA0" "000", 1000, kCommaNarrowSpace),
      reads("1\xE2\x80\x89" "000", 1000, kCommaNarrowSpace),
      reads(" 1 000 ", 1000, kCommaNarrowSpace),
      reads("-1 234 567,5E3", -1234567500, kCommaNarrowSpace),
      refused("1\t000", kCommaNarrowSpace),
      refused("1 000.5", kCommaNarrowSpace),
      refused("\xE2\x80\xAF" "1", kCommaNarrowSpace),
      refused("1,5 0", kCommaNarrowSpace),
      // The Arabic separators, two bytes each.
      reads("1\xD9\xAC" "000\xD9\xAB" "5", 1000.5, kArabic),
      reads("\xD9\xAB" "5", 0.5, kArabic),
      reads("1\xD9\xAB" "5E2", 150, kArabic),
      reads("1\xD9\xAB", 1, kArabic),
      reads("1\xD9\xAC\xD9\xAC" "5", 15, kArabic),
      refused("1,5", kArabic),
      refused("1.5", kArabic),
      refused("1\xD9" "5", kArabic),   // the separator cut short
      refused("1\xD9\xAB" "5\xD9\xAB", kArabic),
      refused("\xD9\xAC" "1", kArabic),
  };
}

TEST(ParseNumber, EdgeCases) {
  for (const ParseCase& c : parseCases()) {
    const std::string name = c.text.size() > 80
                                 ? c.text.substr(0, 80) + "… (" + std::to_string(c.text.size()) + " bytes)"
                                 : c.text;
    const Outcome outcome = parse(c.text, c.convention);
    const Outcome expected{c.value, c.value ? std::nullopt : std::optional(c.error), {}};
    const bool same = c.value ? outcome.value && sameNumber(*outcome.value, *c.value) : outcome.error == c.error;
    EXPECT_TRUE(same) << "«" << name << "» read as " << describe(outcome) << " " << outcome.description
                      << ", expected " << describe(expected);
  }
}

// ---------------------------------------------------------------------------------------
// Reading: long texts on and beside a rounding tie

// A non-negative integer in base 10^9, least significant limb first.
class BigDecimal {
 public:
  explicit BigDecimal(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value != 0);
  }
  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    while (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
      carry /= kBase;
    }
  }
  std::string digits() const {
    std::string text = std::to_string(limbs_.back());
    char limb[16];
    for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
      std::snprintf(limb, sizeof limb, "%09u", *it);
      text += limb;
    }
    return text;
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs_;
};

// The exact decimal value of the point halfway between a positive finite double and the
// next one up, as digits and a power of ten: value = digits × 10^power.
struct DecimalText {
  std::string digits;
  std::int64_t power;
};

DecimalText halfwayAbove(double value) {
  const std::uint64_t bits = bitsOf(value);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int exponent = biased == 0 ? -1074 : biased - 1075;
  // value = mantissa × 2^exponent; the halfway point is (2 mantissa + 1) × 2^(exponent - 1).
  BigDecimal number(2 * mantissa + 1);
  const int power = exponent - 1;
  if (power >= 0) {
    for (int i = 0; i < power; ++i) number.multiply(2);
    return {number.digits(), 0};
  }
  // × 2^-k = × 5^k / 10^k
  for (int i = 0; i < -power; ++i) number.multiply(5);
  return {number.digits(), power};
}

// The text "d,ddd…E±n" of digits × 10^power under the Italian convention.
std::string italianText(const DecimalText& number) {
  const std::int64_t exponent = number.power + static_cast<std::int64_t>(number.digits.size()) - 1;
  std::string text = number.digits.substr(0, 1) + "," + number.digits.substr(1) + "E";
  text += std::to_string(exponent);
  return text;
}

constexpr std::size_t kTieTextDigits = 1000;

// The number with a 1 added to, or taken from, its kTieTextDigits-th significant digit.
DecimalText nudged(DecimalText number, bool up) {
  const std::size_t padding = kTieTextDigits - number.digits.size();
  number.digits.append(padding, '0');
  number.power -= static_cast<std::int64_t>(padding);
  if (up) {
    number.digits.back() = '1';
  } else {
    std::size_t i = number.digits.size() - 1;
    for (; number.digits[i] == '0'; --i) number.digits[i] = '9';
    --number.digits[i];
  }
  return number;
}

TEST(ParseNumber, LongTextsOnAndBesideATieRoundCorrectly) {
  std::vector<double> lows = {
      0,
      kSmallestDenormal,
      2 * kSmallestDenormal,
      std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF}),  // the largest denormal
      DBL_MIN,
      0.1,
      1,
      std::nextafter(1.0, 2.0),
      9007199254740992.0,  // 2^53, where odd integers stop being doubles
      1e22,
      1e23,
      1e300,
      std::nextafter(kMax, 0.0),
  };
  std::mt19937_64 random(20261208);
  while (lows.size() < 200) {
    const double value = std::bit_cast<double>(random() >> 1);
    if (std::isfinite(value) && value != kMax) lows.push_back(value);
  }
  for (const double low : lows) {
    const double high = std::nextafter(low, INFINITY);
    const double even = (bitsOf(low) & 1) == 0 ? low : high;
    const DecimalText halfway = halfwayAbove(low);
    SCOPED_TRACE(testing::Message() << "between " << std::hexfloat << low << " and " << high);
    const struct {
      const char* name;
      std::string text;
      double expected;
    } texts[] = {
        {"on the tie", italianText(halfway), even},
        {"just above", italianText(nudged(halfway, true)), high},
        {"just below", italianText(nudged(halfway, false)), low},
    };
    for (const auto& t : texts) {
      for (const bool negative : {false, true}) {
        const Outcome outcome = parse(negative ? "-" + t.text : t.text, kItalian);
        EXPECT_TRUE(outcome.value && sameNumber(*outcome.value, negative ? -t.expected : t.expected))
            << t.name << (negative ? ", negative" : "") << ": read " << describe(outcome) << " "
            << outcome.description << " from " << t.text.size() << " characters";
      }
    }
  }
}

// The top of the range: up to DBL_MAX + half an ulp a text rounds down to DBL_MAX; from
// there, the tie included (DBL_MAX is odd), it rounds to infinity, which is an overflow.
TEST(ParseNumber, TheRangeEndsHalfAnUlpAboveTheLargestDouble) {
  const DecimalText halfway = halfwayAbove(kMax);
  const struct {
    const char* name;
    std::string text;
    bool overflows;
  } texts[] = {
      {"just below", italianText(nudged(halfway, false)), false},
      {"on the tie", italianText(halfway), true},
      {"just above", italianText(nudged(halfway, true)), true},
  };
  for (const auto& t : texts) {
    for (const char* sign : {"", "-"}) {
      const Outcome outcome = parse(sign + t.text, kItalian);
      const bool ok = t.overflows ? outcome.error == ErrorKind::OverflowError
                                  : outcome.value && std::fabs(*outcome.value) == kMax;
      EXPECT_TRUE(ok) << sign << t.name << ": read " << describe(outcome);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Reading: error descriptions

struct DescriptionCase {
  const char* name;
  std::string text;
  NumberConvention convention;
  ErrorKind kind;
  std::string mustContain;   // the typed text as quoted, or another fragment
  bool remindsSeparator;     // whether the description names the decimal separator
};

const std::string kLong = std::string(100, '7') + "x";

const DescriptionCase kDescriptionCases[] = {
    {"a word", "abc", kItalian, ErrorKind::ConversionError, "«abc»", true},
    {"a long text, shortened", kLong, kItalian, ErrorKind::ConversionError,
     "«" + std::string(kQuotedTextMaxCodePoints, '7') + "…»", true},
    {"empty", "", kItalian, ErrorKind::ConversionError, "", true},
    {"blanks only", "   ", kItalian, ErrorKind::ConversionError, "", true},
    {"under the Arabic convention", "1,5", kArabic, ErrorKind::ConversionError, "«1,5»", true},
    {"under four-byte separators", "1,5", kFourByte, ErrorKind::ConversionError, "«1,5»", true},
    {"under the point", "1.5.5", kPointComma, ErrorKind::ConversionError, "«1.5.5»", true},
    {"invalid UTF-8", "1\xFF\xC0" "2", kItalian, ErrorKind::ConversionError,
     "«1\xEF\xBF\xBD\xEF\xBF\xBD" "2»", true},
    {"a NUL byte", std::string("1\0" "2", 3), kItalian, ErrorKind::ConversionError,
     "«1\xEF\xBF\xBD" "2»", true},
    {"too large", "1E+309", kItalian, ErrorKind::OverflowError, "«1E+309»", false},
    {"too large, long", "9" + std::string(400, '9'), kItalian, ErrorKind::OverflowError,
     "«" + std::string(kQuotedTextMaxCodePoints, '9') + "…»", false},
    {"too large, under the Arabic convention", "1E+999", kArabic, ErrorKind::OverflowError,
     "«1E+999»", false},
    // The limit named reads back (see ExtremesReadBackUnderEveryConvention), DBL_MAX's text does not.
    {"DBL_MAX's text", "1,79769313486232E+308", kItalian, ErrorKind::OverflowError, "±1,79769313486231E+308.", false},
    {"DBL_MAX's text, point", "1.79769313486232E+308", kPointComma, ErrorKind::OverflowError, "±1.79769313486231E+308.", false},
};

TEST(ParseNumber, ErrorDescriptionsNameTheTextAndTheSeparator) {
  for (const DescriptionCase& c : kDescriptionCases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = parse(c.text, c.convention);
    EXPECT_EQ(outcome.error, c.kind) << c.name << ": read " << describe(outcome);
    const std::string& description = outcome.description;
    EXPECT_TRUE(isValidUtf8(description)) << description;
    EXPECT_NE(description.find(c.mustContain), std::string::npos) << description;
    if (c.remindsSeparator) {
      EXPECT_NE(description.find("«" + utf8(c.convention.decimalSeparator) + "»"), std::string::npos)
          << description;
    }
    if (c.text.size() > kQuotedTextMaxCodePoints) {
      EXPECT_EQ(description.find(c.text), std::string::npos) << "a long text is repeated whole";
    }
  }
}

// ---------------------------------------------------------------------------------------
// Writing

struct FormatCase {
  double value;
  NumberConvention convention;
  std::string text;
};

const FormatCase kFormatCases[] = {
    {25.4, kItalian, "25,4"},
    {38.099999999999994, kItalian, "38,1"},
    {0.3937007874015748, kItalian, "0,393700787401575"},
    {254, kItalian, "254"},
    {-25.4, kItalian, "-25,4"},
    {0.0001, kItalian, "0,0001"},
    {123456789012345, kItalian, "123456789012345"},
    {1234567890123456, kItalian, "1,23456789012346E+15"},
    {1e15, kItalian, "1E+15"},
    {1e-5, kItalian, "1E-05"},
    {-1e-5, kItalian, "-1E-05"},
    {0, kItalian, "0"},
    {-0.0, kItalian, "0"},
    {0.1, kItalian, "0,1"},
    {1.0 / 3, kItalian, "0,333333333333333"},
    {2.0 / 3, kItalian, "0,666666666666667"},
    // Exact ties at the fifteenth digit go to the even digit, down or up.
    {1000000000000005, kItalian, "1E+15"},
    {1000000000000015, kItalian, "1,00000000000002E+15"},
    {-1000000000000025, kItalian, "-1,00000000000002E+15"},
    {123456789012344.5, kItalian, "123456789012344"},
    {123456789012345.5, kItalian, "123456789012346"},
    // Either side of the boundaries of the fixed form, and rounding across them.
    {0.00012345, kItalian, "0,00012345"},
    {0.000123456789012345678, kItalian, "0,000123456789012346"},
    {0.000099999999999999995, kItalian, "0,0001"},
    {0.00009999999999999, kItalian, "9,999999999999E-05"},
    {0.0000099999999999999995, kItalian, "1E-05"},
    {1e14, kItalian, "100000000000000"},
    {99999999999999.9, kItalian, "99999999999999,9"},
    {99999999999999.984375, kItalian, "100000000000000"},
    {999999999999999, kItalian, "999999999999999"},
    {999999999999999.375, kItalian, "999999999999999"},
    {999999999999999.5, kItalian, "1E+15"},
    {1e100, kItalian, "1E+100"},
    {1.5e-300, kItalian, "1,5E-300"},
    // The ends of the range.
    {kMax, kItalian, "1,79769313486232E+308"},
    {-kMax, kItalian, "-1,79769313486232E+308"},
    {DBL_MIN, kItalian, "2,2250738585072E-308"},
    {kSmallestDenormal, kItalian, "4,94065645841247E-324"},
    {-kSmallestDenormal, kItalian, "-4,94065645841247E-324"},
    // Other separators, written as their UTF-8 bytes; grouping is never written.
    {1234.5, kPointComma, "1234.5"},
    {1234.5, kCommaNarrowSpace, "1234,5"},
    {1234.5, kArabic, "1234\xD9\xAB" "5"},
    {1.5e20, kArabic, "1\xD9\xAB" "5E+20"},
    {-1.23456789012345e-300, kFourByte, "-1\xF0\x9F\x8D\x8B" "23456789012345E-300"},
    {-0.000123456789012345, kFourByte, "-0\xF0\x9F\x8D\x8B" "000123456789012345"},
};

TEST(FormatNumber, Examples) {
  for (const FormatCase& c : kFormatCases) {
    SCOPED_TRACE(testing::Message() << std::hexfloat << c.value << " = " << std::defaultfloat
                                    << std::setprecision(17) << c.value);
    const std::string text = formatNumber(c.value, c.convention);
    EXPECT_EQ(text, c.text);
    EXPECT_LE(text.size(), kMaxNumberTextBytes);
  }
}

TEST(FormatNumber, RefusesInfinityAndNaN) {
  const double values[] = {INFINITY, -INFINITY, std::numeric_limits<double>::quiet_NaN(),
                           -std::numeric_limits<double>::quiet_NaN()};
  for (const double value : values) {
    SCOPED_TRACE(value);
    try {
      (void)formatNumber(value, kItalian);
      ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
      EXPECT_EQ(error.kind(), ErrorKind::OverflowError);
      EXPECT_TRUE(isValidUtf8(error.what()));
    }
  }
}

TEST(FormatNumber, IntoReusesTheString) {
  std::string out = "a previous, much longer text than any number";
  formatNumberInto(-25.4, kArabic, out);
  EXPECT_EQ(out, "-25\xD9\xAB" "4");
}

TEST(FormatNumber, ExtremesReadBackUnderEveryConvention) {
  // Up to 1,79769313486231E+308: the text of the largest doubles rounds to one that overflows.
  const double extremes[] = {
      1.79769313486231e308, -1.79769313486231e308, kSmallestDenormal,
      -kSmallestDenormal, 3 * kSmallestDenormal, DBL_MIN, std::nextafter(DBL_MIN, 0.0),
      999999999999999.5, 0.000099999999999999995, 1e15, 1e-5,
  };
  for (const NamedConvention& named : kConventions) {
    for (const double value : extremes) {
      SCOPED_TRACE(testing::Message() << named.name << ", " << std::hexfloat << value);
      const std::string text = formatNumber(value, named.convention);
      const Outcome back = parse(text, named.convention);
      EXPECT_EQ(back.value ? formatNumber(*back.value, named.convention) : back.description, text);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Reading: reference tables of texts and the doubles they name

#ifdef TRAMELA_PARSE_NUMBER_TESTDATA
constexpr const char* kTestDataFolder = TRAMELA_PARSE_NUMBER_TESTDATA;
#else
constexpr const char* kTestDataFolder = nullptr;
#endif

struct TableLine {
  std::string source;  // file and line number
  std::string text;    // digits, '.', 'e' or 'E', signs: the C form
  std::uint64_t bits;
};

std::vector<TableLine> readTables(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<TableLine> lines;
  for (const auto& file : files) {
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::istringstream fields(line);
      std::string f16, f32, f64, text;
      if (!(fields >> f16 >> f32 >> f64 >> text)) continue;
      lines.push_back({file.filename().string() + ":" + std::to_string(number), text,
                       std::stoull(f64, nullptr, 16)});
    }
  }
  return lines;
}

// The C-form text under a convention, with the grouping separator before every third
// digit of the integer part (counted from its end) when asked.
std::string underConvention(std::string_view text, const NumberConvention& convention, bool grouped) {
  std::size_t integerStart = text.find_first_of("0123456789.eE");
  if (integerStart == std::string_view::npos) integerStart = text.size();
  std::size_t integerEnd = text.find_first_not_of("0123456789", integerStart);
  if (integerEnd == std::string_view::npos) integerEnd = text.size();
  std::string out(text.substr(0, integerStart));
  const std::string grouping = utf8(convention.groupingSeparator);
  for (std::size_t i = integerStart; i < integerEnd; ++i) {
    if (grouped && i > integerStart && (integerEnd - i) % 3 == 0) out += grouping;
    out += text[i];
  }
  for (const char c : text.substr(integerEnd)) {
    out += c == '.' ? utf8(convention.decimalSeparator) : std::string(1, c);
  }
  return out;
}

constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;

TEST(ParseNumber, ReferenceTablesUnderEveryConvention) {
  if (kTestDataFolder == nullptr || !std::filesystem::is_directory(kTestDataFolder)) {
    GTEST_SKIP() << "the reference tables (shared/testdata/parse-number-fxx beside the "
                    "repository) are not there; their cases are skipped";
  }
  const std::vector<TableLine> lines = readTables(kTestDataFolder);
  ASSERT_GT(lines.size(), 20'000u) << "fewer lines than the tables hold";
  for (const NamedConvention& named : kConventions) {
    for (const bool grouped : {false, true}) {
      SCOPED_TRACE(std::string(named.name) + (grouped ? ", grouped" : ""));
      int failures = 0;
      for (const TableLine& line : lines) {
        const std::string text = underConvention(line.text, named.convention, grouped);
        const Outcome outcome = parse(text, named.convention);
        bool ok;
        std::string expected;
        if (line.bits != kInfinityBits) {
          ok = outcome.value && bitsOf(*outcome.value) == line.bits;
          expected = describe({std::bit_cast<double>(line.bits), {}, {}});
        } else {
          ok = outcome.error == ErrorKind::OverflowError;
          expected = "OverflowError";
        }
        if (!ok) {
          ADD_FAILURE() << line.source << ": " << text << " read as " << describe(outcome) << " "
                        << outcome.description << ", expected " << expected;
          if (++failures == 20) break;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tramela
