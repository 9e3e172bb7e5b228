#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/app_error.h"
#include "core/utf8.h"

namespace tramela {
namespace {

// Significant digits written.
constexpr int kPrecision = 15;

// Typed exponents are counted up to this magnitude, far beyond any that can still change
// the result, so thirty-digit exponents neither wrap around nor overflow.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// The longest text to_chars writes for a double in scientific form with kPrecision digits:
// d.dddddddddddddde-308.
constexpr std::size_t kScientificBytes = 1 + 1 + (kPrecision - 1) + 1 + 1 + 3;

// The limit an overflow names: the largest double cut, not rounded, to the digits written,
// so that the limit itself reads back. The largest double's own text, ...32E+308, rounds up
// beyond the range.
constexpr double kLargestWrittenLimit = 1.79769313486231e308;

constexpr bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool isBlank(char32_t c) { return c == U' ' || c == U'\t'; }

[[noreturn]] void throwNotANumber(std::string_view text, const NumberConvention& convention) {
  std::string reminder = "Scrivere un numero usando «";
  appendUtf8(reminder, convention.decimalSeparator);
  reminder += "» come separatore dei decimali.";
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    throw AppError(ErrorKind::ConversionError, "Non è stato inserito nessun numero.\n" + reminder);
  }
  throw AppError(ErrorKind::ConversionError,
                 "Il testo " + quoteForUser(text) + " non è un numero valido.\n" + reminder);
}

// Reads a text one code point at a time; current() is kInvalidCodePoint at the end.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : rest_(text) { load(); }

  char32_t current() const { return step_.codePoint; }
  bool atEnd() const { return rest_.empty(); }
  void advance() {
    rest_.remove_prefix(step_.length);
    load();
  }

 private:
  void load() { step_ = rest_.empty() ? Utf8Step{kInvalidCodePoint, 0} : decodeUtf8(rest_); }

  std::string_view rest_;
  Utf8Step step_{};
};

}  // namespace

void throwTooLarge(std::string_view subject, const NumberConvention& convention) {
  throw AppError(ErrorKind::OverflowError,
                 std::string(subject) + " è troppo grande: il programma tratta numeri fino a circa ±" +
                     formatNumber(kLargestWrittenLimit, convention) + ".");
}

double parseNumber(std::string_view text, const NumberConvention& convention) {
  const bool blankGrouping = isGroupingBlank(convention.groupingSeparator);
  const auto isGrouping = [&](char32_t c) {
    return c == convention.groupingSeparator || (blankGrouping && isGroupingBlank(c));
  };

  // The text is checked and written in C form, [-]digits[.digits][e[-]digits], which is
  // never longer than the text, for from_chars to round.
  std::string cForm;
  cForm.reserve(text.size());
  // The power of ten of the first nonzero digit, before the exponent: it tells an overflow
  // from an underflow, which from_chars reports alike.
  std::int64_t magnitude = 0;
  bool nonzero = false;

  Cursor at(text);
  while (isBlank(at.current())) at.advance();
  if (at.current() == U'+' || at.current() == U'-') {
    if (at.current() == U'-') cForm += '-';
    at.advance();
  }

  // Grouping is skipped after any integer digit, the last included, with no test of the
  // size of the groups: 1.000 is 1000, 1.5 is 15, 5. is 5. A grouping separator before the
  // first digit (.5, -.5) is refused, as are a trailing sign, parentheses, currency
  // symbols and hexadecimal or octal notations.
  bool anyDigit = false;
  for (;; at.advance()) {
    const char32_t c = at.current();
    if (isDigit(c)) {
      cForm += static_cast<char>(c);
      magnitude += nonzero ? 1 : 0;
      nonzero = nonzero || c != U'0';
      anyDigit = true;
    } else if (!(anyDigit && isGrouping(c))) {
      break;
    }
  }
  if (at.current() == convention.decimalSeparator) {
    at.advance();
    cForm += '.';
    for (; isDigit(at.current()); at.advance()) {
      cForm += static_cast<char>(at.current());
      magnitude -= nonzero ? 0 : 1;
      nonzero = nonzero || at.current() != U'0';
      anyDigit = true;
    }
  }
  if (!anyDigit) throwNotANumber(text, convention);

  std::int64_t exponent = 0;
  if (at.current() == U'E' || at.current() == U'e') {
    at.advance();
    cForm += 'e';
    bool negativeExponent = false;
    if (at.current() == U'+' || at.current() == U'-') {
      negativeExponent = at.current() == U'-';
      if (negativeExponent) cForm += '-';
      at.advance();
    }
    if (!isDigit(at.current())) throwNotANumber(text, convention);
    for (; isDigit(at.current()); at.advance()) {
      cForm += static_cast<char>(at.current());
      exponent = std::min(exponent * 10 + static_cast<std::int64_t>(at.current() - U'0'), kExponentCap);
    }
    if (negativeExponent) exponent = -exponent;
  }

  while (isBlank(at.current())) at.advance();
  if (!at.atEnd()) throwNotANumber(text, convention);

  double value = 0;
  const char* end = cForm.data() + cForm.size();
  if (std::from_chars(cForm.data(), end, value).ec == std::errc::result_out_of_range) {
    if (magnitude + exponent < 0) return cForm.front() == '-' ? -0.0 : 0.0;
    throwTooLarge("Il numero " + quoteForUser(text), convention);
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

  // to_chars rounds the exact binary value to kPrecision digits, ties to even, as printf's
  // %.14e does: d.dddddddddddddde±dd[d].
  std::array<char, kScientificBytes> scientific;
  const char* end = std::to_chars(scientific.data(), scientific.data() + scientific.size(),
                                  std::fabs(value), std::chars_format::scientific, kPrecision - 1)
                        .ptr;
  std::array<char, kPrecision> digits;
  digits[0] = scientific[0];
  std::copy_n(scientific.data() + 2, kPrecision - 1, digits.data() + 1);
  const char* exponentText = scientific.data() + 2 + (kPrecision - 1) + 1;
  int exponent = 0;
  std::from_chars(*exponentText == '+' ? exponentText + 1 : exponentText, end, exponent);
  int significant = kPrecision;  // digits up to the last nonzero one
  while (significant > 1 && digits[significant - 1] == '0') --significant;

  std::array<char, kMaxNumberTextBytes> text;
  char* w = text.data();
  const auto put = [&](char c) { *w++ = c; };
  const auto putSeparator = [&] { w += encodeUtf8(convention.decimalSeparator, w); };
  const auto putDigits = [&](int from, int to) {
    for (int i = from; i < to; ++i) put(i < significant ? digits[i] : '0');
  };

  if (value < 0) put('-');
  if (exponent < -4 || exponent >= kPrecision) {
    put(digits[0]);
    if (significant > 1) putSeparator();
    putDigits(1, significant);
    put('E');
    put(exponent < 0 ? '-' : '+');
    const int size = std::abs(exponent);
    if (size < 10) put('0');
    w = std::to_chars(w, text.data() + text.size(), size).ptr;
  } else if (exponent >= 0) {
    putDigits(0, exponent + 1);
    if (significant > exponent + 1) putSeparator();
    putDigits(exponent + 1, significant);
  } else {
    put('0');
    putSeparator();
    w = std::fill_n(w, -exponent - 1, '0');
    putDigits(0, significant);
  }
  out.assign(text.data(), w);
}

std::string formatNumber(double value, const NumberConvention& convention) {
  std::string text;
  formatNumberInto(value, convention, text);
  return text;
}

}  // namespace tramela
