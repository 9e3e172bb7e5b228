#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

#include "core/app_error.h"
#include "core/utf8.h"

namespace tramela {
namespace {

// A double's correct rounding can depend on at most 767 significant decimal digits; beyond
// that only whether any further digit is nonzero matters. Keeping this many digits and a
// sticky '1' for the rest lets texts of any length go through a fixed buffer.
constexpr std::size_t kMaxSignificantDigits = 800;

// Typed exponents are read with saturation at this magnitude, far beyond any that can
// still change the result, so thirty-digit exponents neither wrap around nor overflow.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// Decimal magnitudes (power of ten of the first significant digit) outside these bounds
// need no exact reading: above, the number rounds to infinity (DBL_MAX is 1.8E+308); below,
// it rounds to zero (the smallest denormal is 4.9E-324).
constexpr std::int64_t kOverflowMagnitude = 310;
constexpr std::int64_t kZeroMagnitude = -330;

// formatNumber writes the largest doubles as 1,79769313486232E+308, which lies above the
// point where rounding to nearest gives infinity (DBL_MAX plus half an ulp). So that every
// result the program shows reads back, numbers up to that text read as ±DBL_MAX instead
// of overflowing.
constexpr std::int64_t kLargestShownMagnitude = 308;
constexpr std::string_view kLargestShownDigits = "179769313486232";

// Most typed numbers have few digits and a small exponent. When the digits, read as an
// integer, are at most 2^53 and the power of ten is at most 10^22, both are doubles exactly
// and one multiplication or division by the power gives the correctly rounded value, the
// one from_chars would give, without writing the text out for it.
constexpr int kMaxExactDigits = 19;  // fit an unsigned 64-bit integer
constexpr std::uint64_t kMaxExactInteger = std::uint64_t{1} << 53;
constexpr std::int64_t kMaxExactPowerOfTen = 22;
constexpr std::array<double, kMaxExactPowerOfTen + 1> kExactPowersOfTen{
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Integers of 128 bits, for reading and writing numbers exactly where they fit.
__extension__ using Wide = unsigned __int128;
constexpr int kWideBits = 128;
constexpr int kDoubleFractionBits = 52;
constexpr int kDoubleExponentBias = 1023;

constexpr std::size_t kWidePowerCount = 39;  // 10^38 is the largest below 2^127
constexpr std::array<Wide, kWidePowerCount> kWidePowersOfTen = [] {
  std::array<Wide, kWidePowerCount> powers{};
  Wide power = 1;
  for (Wide& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

constexpr int bitWidth(Wide x) {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(x));
}

// With up to kMaxExactDigits digits and a power of ten up to 10^19 either way, the digits
// times the power, or the digits scaled up by a power of two and divided by it, fit 128
// bits and keep at least 54 significant bits: rounding those, with a sticky bit for a
// nonzero remainder, gives the correctly rounded double.
constexpr std::int64_t kMaxWidePowerOfTen = 19;
constexpr int kDoubleSignificandBits = kDoubleFractionBits + 1;

// The double nearest to digits × 10^power (ties to even), for digits > 0 and |power| at most
// kMaxWidePowerOfTen.
double wideValue(std::uint64_t digits, std::int64_t power) {
  Wide quotient = digits;
  int twos = 0;  // value = quotient × 2^twos, before rounding
  bool sticky = false;
  if (power >= 0) {
    quotient *= kWidePowersOfTen[power];
  } else {
    const int scale = kWideBits - 1 - std::bit_width(digits);
    const Wide numerator = Wide{digits} << scale;
    const Wide divisor = kWidePowersOfTen[-power];
    quotient = numerator / divisor;
    sticky = numerator - quotient * divisor != 0;
    twos = -scale;
  }
  const int excess = bitWidth(quotient) - kDoubleSignificandBits;
  if (excess <= 0) return std::ldexp(static_cast<double>(static_cast<std::uint64_t>(quotient)), twos);
  auto significand = static_cast<std::uint64_t>(quotient >> excess);
  const Wide rest = quotient - (Wide{significand} << excess);
  const Wide half = Wide{1} << (excess - 1);
  if (rest > half || (rest == half && (sticky || (significand & 1) != 0))) ++significand;
  // A carry out of the top bit leaves 2^53, which a double holds exactly.
  return std::ldexp(static_cast<double>(significand), twos + excess);
}

// Digits, sign, "e", sign and up to four exponent digits for from_chars.
constexpr std::size_t kCanonicalBytes = 1 + kMaxSignificantDigits + 1 + 1 + 1 + 5;

// The blanks that locales use for digit grouping. Where the convention's grouping separator
// is one of them, all of them are accepted: users type a plain space for a no-break one.
constexpr bool isGroupingBlank(char32_t c) {
  return c == U' ' || c == U'\u00A0' || c == U'\u202F' || c == U'\u2009';
}

constexpr bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool isBlank(char32_t c) { return c == U' ' || c == U'\t'; }

std::string separatorText(char32_t separator) {
  std::string text;
  appendUtf8(text, separator);
  return text;
}

[[noreturn]] void throwNotANumber(std::string_view text, const NumberConvention& convention) {
  const std::string reminder = "Scrivere un numero usando «" +
                               separatorText(convention.decimalSeparator) +
                               "» come separatore dei decimali.";
  bool blank = true;
  for (const char c : text) blank = blank && isBlank(static_cast<unsigned char>(c));
  if (blank) throw AppError(ErrorKind::ConversionError, "Non è stato inserito nessun numero.\n" + reminder);
  throw AppError(ErrorKind::ConversionError,
                 "Il testo " + quoteForUser(text) + " non è un numero valido.\n" + reminder);
}

[[noreturn]] void throwTooLarge(std::string_view text, const NumberConvention& convention) {
  throw AppError(ErrorKind::OverflowError,
                 "Il numero " + quoteForUser(text) +
                     " è troppo grande: il programma tratta numeri fino a circa ±" +
                     formatNumber(std::numeric_limits<double>::max(), convention) + ".");
}

// Reads a text one code point at a time.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : rest_(text) { load(); }

  char32_t current() const { return current_; }
  bool atEnd() const { return rest_.empty(); }
  void advance() {
    rest_.remove_prefix(length_);
    load();
  }

 private:
  void load() {
    if (rest_.empty()) {
      current_ = kInvalidCodePoint;
      length_ = 0;
      return;
    }
    const Utf8Step step = decodeUtf8(rest_);
    current_ = step.codePoint;
    length_ = step.length;
  }

  std::string_view rest_;
  char32_t current_ = kInvalidCodePoint;
  std::size_t length_ = 0;
};

// The significant digits of a number as they are read, and the power of ten they stand at.
class Significand {
 public:
  // value = digits × 10^scale, once the text is read.
  void integerDigit(char digit) {
    if (count_ == 0 && digit == '0') return;
    if (count_ < kMaxSignificantDigits) {
      keep(digit);
    } else {
      ++scale_;
      sticky_ = sticky_ || digit != '0';
    }
  }
  void fractionDigit(char digit) {
    if (count_ == 0 && digit == '0') {
      --scale_;
    } else if (count_ < kMaxSignificantDigits) {
      keep(digit);
      --scale_;
    } else {
      sticky_ = sticky_ || digit != '0';
    }
  }
  bool isZero() const { return count_ == 0; }

  // The value, when the digits and the power of ten they stand at (with a typed exponent)
  // allow one of the exact shortcuts above; nothing otherwise.
  std::optional<double> exactValue(std::int64_t exponent) const {
    if (count_ > kMaxExactDigits) return std::nullopt;
    const std::int64_t power = scale_ + exponent;
    if (leading_ <= kMaxExactInteger && power >= -kMaxExactPowerOfTen && power <= kMaxExactPowerOfTen) {
      const auto integer = static_cast<double>(leading_);
      return power >= 0 ? integer * kExactPowersOfTen[power] : integer / kExactPowersOfTen[-power];
    }
    if (power >= -kMaxWidePowerOfTen && power <= kMaxWidePowerOfTen) return wideValue(leading_, power);
    return std::nullopt;
  }

  // Whether the digits, read as d.ddd…, are at most those of `bound` (same reading).
  bool digitsAtMost(std::string_view bound) const {
    for (std::size_t i = 0; i < count_; ++i) {
      const char limit = i < bound.size() ? bound[i] : '0';
      if (digits_[i] != limit) return digits_[i] < limit;
    }
    return !sticky_ || count_ < bound.size();
  }

  // Writes "[-]digits" and the exponent as from_chars reads them; returns the end.
  // Precondition: not zero, and the magnitude checked against the bounds above.
  char* writeCanonical(char* out, bool negative, std::int64_t exponent) const {
    if (negative) *out++ = '-';
    for (std::size_t i = 0; i < count_; ++i) *out++ = digits_[i];
    std::int64_t power = scale_ + exponent;
    if (sticky_) {
      // A nonzero digit past every kept one: it only breaks what would be an exact tie.
      *out++ = '1';
      --power;
    }
    *out++ = 'e';
    return std::to_chars(out, out + 8, power).ptr;
  }

  // Power of ten of the first significant digit, for a typed exponent.
  std::int64_t magnitude(std::int64_t exponent) const {
    return scale_ + exponent + static_cast<std::int64_t>(count_) - 1;
  }

 private:
  void keep(char digit) {
    if (count_ < kMaxExactDigits) leading_ = leading_ * 10 + static_cast<std::uint64_t>(digit - '0');
    digits_[count_++] = digit;
  }

  std::array<char, kMaxSignificantDigits> digits_;
  std::uint64_t leading_ = 0;  // the first kMaxExactDigits digits as an integer
  std::size_t count_ = 0;
  std::int64_t scale_ = 0;
  bool sticky_ = false;
};

// Significant digits written.
constexpr int kPrecision = 15;

// to_chars with a precision takes a general path, slower than the rest of a conversion. For
// the doubles the program mostly shows, the digits are found exactly with 128-bit integers
// instead: |value| = m × 2^q with m an integer below 2^53, and the digits are m × 2^q ×
// 10^(kPrecision - 1 - e), e the decimal exponent, rounded to nearest with ties to even,
// which is what to_chars does. That fits 128 bits for about 1E-8 <= |value| < 1.7E+38.

constexpr Wide kSmallestDigits = kWidePowersOfTen[kPrecision - 1];  // 10^14
constexpr Wide kDigitsLimit = kWidePowersOfTen[kPrecision];          // 10^15

struct RoundedDigits {
  std::uint64_t digits;  // kPrecision digits, the first nonzero
  int exponent;          // of the first digit
};

struct ZeroStep {
  std::uint64_t power;
  int digits;
};
constexpr std::array<ZeroStep, 4> kTrailingZeroSteps{
    {{100'000'000, 8}, {10'000, 4}, {100, 2}, {10, 1}}};

// The rounded digits of a positive finite double, or nothing where they do not fit 128 bits
// (and for denormals), which are then left to to_chars.
//   roundToPrecision(38.099999999999994) -> {381000000000000, 1}
//   roundToPrecision(1e-300)             -> nothing
std::optional<RoundedDigits> roundToPrecision(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> kDoubleFractionBits);
  if (biased == 0) return std::nullopt;
  const std::uint64_t hidden = std::uint64_t{1} << kDoubleFractionBits;
  const std::uint64_t m = (bits & (hidden - 1)) | hidden;
  const int q = biased - kDoubleExponentBias - kDoubleFractionBits;
  const int binaryExponent = biased - kDoubleExponentBias;
  // floor(binaryExponent × log10 2), within one of the decimal exponent; corrected below.
  int exponent = static_cast<int>((std::int64_t{binaryExponent} * 78913) >> 18);

  // Two tries settle the exponent; the third guards against a wrong estimate.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int scale = kPrecision - 1 - exponent;  // digits = m × 2^q × 10^scale
    const int fives = scale >= 0 ? scale : -scale;
    if (fives >= static_cast<int>(kWidePowerCount)) return std::nullopt;
    const Wide power = kWidePowersOfTen[fives];
    Wide numerator = m;
    Wide denominator = 1;
    int twos = 0;  // a further divisor 2^twos, when denominator is 1
    if (q >= 0) {
      if (bitWidth(numerator) + q >= kWideBits) return std::nullopt;
      numerator <<= q;
    } else {
      twos = -q;
    }
    if (scale >= 0) {
      if (bitWidth(numerator) + bitWidth(power) > kWideBits) return std::nullopt;
      numerator *= power;
    } else {
      denominator = power;
      // Twice the remainder must fit as well, hence a bit to spare.
      if (bitWidth(denominator) + twos >= kWideBits) return std::nullopt;
      denominator <<= twos;
      twos = 0;
    }

    Wide quotient = 0;
    int remainderVsHalf = 0;  // <0, 0 or >0
    if (denominator == 1) {
      if (twos >= kWideBits) return std::nullopt;
      quotient = numerator >> twos;
      if (twos > 0) {
        const Wide remainder = numerator - (quotient << twos);
        const Wide half = Wide{1} << (twos - 1);
        remainderVsHalf = remainder < half ? -1 : remainder > half ? 1 : 0;
      } else {
        remainderVsHalf = -1;  // exact
      }
    } else {
      quotient = numerator / denominator;
      const Wide twiceRemainder = 2 * (numerator - quotient * denominator);
      remainderVsHalf = twiceRemainder < denominator ? -1 : twiceRemainder > denominator ? 1 : 0;
    }

    if (quotient >= kDigitsLimit) {
      ++exponent;
      continue;
    }
    if (quotient < kSmallestDigits) {
      --exponent;
      continue;
    }
    if (remainderVsHalf > 0 || (remainderVsHalf == 0 && (quotient & 1) != 0)) ++quotient;
    if (quotient == kDigitsLimit) {
      quotient = kSmallestDigits;
      ++exponent;
    }
    return RoundedDigits{static_cast<std::uint64_t>(quotient), exponent};
  }
  return std::nullopt;
}

}  // namespace

double parseNumber(std::string_view text, const NumberConvention& convention) {
  const bool blankGrouping = isGroupingBlank(convention.groupingSeparator);
  const auto isGrouping = [&](char32_t c) {
    return c == convention.groupingSeparator || (blankGrouping && isGroupingBlank(c));
  };

  Cursor at(text);
  while (isBlank(at.current())) at.advance();

  bool negative = false;
  if (at.current() == U'+' || at.current() == U'-') {
    negative = at.current() == U'-';
    at.advance();
  }

  // Grouping is skipped after any integer digit, the last included, with no test of the
  // size of the groups: 1.000 is 1000, 1.5 is 15, 5. is 5. A grouping separator before the
  // first digit (.5, -.5) is refused, as are a trailing sign, parentheses, currency
  // symbols and hexadecimal or octal notations.
  Significand significand;
  bool anyDigit = false;
  while (true) {
    const char32_t c = at.current();
    if (isDigit(c)) {
      significand.integerDigit(static_cast<char>(c));
      anyDigit = true;
    } else if (!(anyDigit && isGrouping(c))) {
      break;
    }
    at.advance();
  }
  if (at.current() == convention.decimalSeparator) {
    at.advance();
    for (; isDigit(at.current()); at.advance()) {
      significand.fractionDigit(static_cast<char>(at.current()));
      anyDigit = true;
    }
  }
  if (!anyDigit) throwNotANumber(text, convention);

  std::int64_t exponent = 0;
  if (at.current() == U'E' || at.current() == U'e') {
    at.advance();
    bool negativeExponent = false;
    if (at.current() == U'+' || at.current() == U'-') {
      negativeExponent = at.current() == U'-';
      at.advance();
    }
    if (!isDigit(at.current())) throwNotANumber(text, convention);
    for (; isDigit(at.current()); at.advance()) {
      exponent = std::min(exponent * 10 + static_cast<std::int64_t>(at.current() - U'0'), kExponentCap);
    }
    if (negativeExponent) exponent = -exponent;
  }

  while (isBlank(at.current())) at.advance();
  if (!at.atEnd()) throwNotANumber(text, convention);

  const double zero = negative ? -0.0 : 0.0;
  if (significand.isZero()) return zero;
  if (const std::optional<double> exact = significand.exactValue(exponent)) {
    return negative ? -*exact : *exact;
  }
  const std::int64_t magnitude = significand.magnitude(exponent);
  if (magnitude > kOverflowMagnitude) throwTooLarge(text, convention);
  if (magnitude < kZeroMagnitude) return zero;

  std::array<char, kCanonicalBytes> canonical;
  const char* end = significand.writeCanonical(canonical.data(), negative, exponent);
  double value = 0;
  const auto [ptr, ec] = std::from_chars(canonical.data(), end, value);
  // from_chars reports both overflow and underflow as out of range, and leaves the value.
  const bool outOfRange = ec == std::errc::result_out_of_range;
  if (outOfRange && magnitude < 0) return zero;
  if (outOfRange || std::isinf(value)) {
    if (magnitude == kLargestShownMagnitude && significand.digitsAtMost(kLargestShownDigits)) {
      const double largest = std::numeric_limits<double>::max();
      return negative ? -largest : largest;
    }
    throwTooLarge(text, convention);
  }
  return value;
}

void formatNumberInto(double value, const NumberConvention& convention, std::string& out) {
  if (!std::isfinite(value)) {
    throw AppError(ErrorKind::OverflowError, "Il risultato non è un numero finito.");
  }
  // A negative zero is written without its sign: "-0" would only puzzle.
  if (value == 0) {
    out.assign(1, '0');
    return;
  }

  const bool negative = value < 0;
  std::array<char, kPrecision> digits;
  digits.fill('0');              // those past `significant` are read in fixed form
  int significant = kPrecision;  // digits up to the last nonzero one
  int exponent = 0;
  if (const std::optional<RoundedDigits> rounded = roundToPrecision(std::fabs(value))) {
    // Trailing zeros leave the integer first, in steps of 8, 4, 2 and 1 digits (at most 14
    // go), so that only the digits shown are written out.
    std::uint64_t shown = rounded->digits;
    // Unrolled, each divisor is a constant and the divisions become multiplications.
#pragma GCC unroll 4
    for (const ZeroStep& step : kTrailingZeroSteps) {
      if (shown % step.power == 0) {
        shown /= step.power;
        significant -= step.digits;
      }
    }
    std::to_chars(digits.data(), digits.data() + significant, shown);
    exponent = rounded->exponent;
  } else {
    // to_chars rounds the exact binary value, ties to even, as printf's %.14e does.
    std::array<char, 32> scientific;  // -d.dddddddddddddde-308
    const char* end = std::to_chars(scientific.data(), scientific.data() + scientific.size(),
                                    value, std::chars_format::scientific, kPrecision - 1)
                          .ptr;
    const char* p = scientific.data();
    if (negative) ++p;
    digits[0] = *p++;
    ++p;  // '.'
    for (int i = 1; i < kPrecision; ++i) digits[i] = *p++;
    ++p;  // 'e'
    std::from_chars(*p == '+' ? p + 1 : p, end, exponent);
    while (significant > 1 && digits[significant - 1] == '0') --significant;
  }

  std::array<char, kMaxNumberTextBytes> text;
  char* w = text.data();
  const auto put = [&](char c) { *w++ = c; };
  const auto putSeparator = [&] { w += encodeUtf8(convention.decimalSeparator, w); };

  if (negative) put('-');
  if (exponent < -4 || exponent >= kPrecision) {
    put(digits[0]);
    if (significant > 1) putSeparator();
    for (int i = 1; i < significant; ++i) put(digits[i]);
    put('E');
    put(exponent < 0 ? '-' : '+');
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) put('0');
    w = std::to_chars(w, text.data() + text.size(), magnitude).ptr;
  } else if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) put(digits[i]);
    if (significant > exponent + 1) putSeparator();
    for (int i = exponent + 1; i < significant; ++i) put(digits[i]);
  } else {
    put('0');
    putSeparator();
    for (int i = -1; i > exponent; --i) put('0');
    for (int i = 0; i < significant; ++i) put(digits[i]);
  }
  out.assign(text.data(), w);
}

std::string formatNumber(double value, const NumberConvention& convention) {
  std::string text;
  formatNumberInto(value, convention, text);
  return text;
}

}  // namespace tramela
