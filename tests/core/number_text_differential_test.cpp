// parseNumber and formatNumber against reference readers and writers of our own, written
// from the number grammar alone, on texts generated from that grammar: valid ones and near
// misses. The reference reader judges the form with a regular expression and leaves the
// value to strtod in the C locale; the reference writer is printf's %.15G.

#include <gtest/gtest.h>

#include "tests/core/test_support.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <random>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_error.h"
#include "core/number_text.h"

namespace tramela {
namespace {

// Under the sanitizers every text costs tens of times more; the count can also be set
// from outside with TRAMELA_DIFFERENTIAL_TEXTS.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif
constexpr std::size_t kTextsPerConvention = kSanitized ? 20'000 : 220'000;
constexpr std::uint64_t kSeed = 20261208;
constexpr int kMaxReportedMismatches = 10;

std::size_t textsPerConvention() {
  if (const char* count = std::getenv("TRAMELA_DIFFERENTIAL_TEXTS")) return std::strtoull(count, nullptr, 10);
  return kTextsPerConvention;
}

// The blanks that, where one of them is the grouping separator, all count as grouping.
constexpr char32_t kGroupingBlanks[] = {U' ', U'\u00A0', U'\u202F', U'\u2009'};

using testing_support::kConventions;
using testing_support::NamedConvention;
using testing_support::utf8;

std::string printable(std::string_view text) {
  std::string shown = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      shown += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown + "\"";
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

struct Outcome {
  enum Kind { Number, NotANumber, TooLarge } kind;
  double value = 0;  // for Number
};

std::string describe(const Outcome& outcome) {
  switch (outcome.kind) {
    case Outcome::NotANumber: return "ConversionError";
    case Outcome::TooLarge: return "OverflowError";
    case Outcome::Number: break;
  }
  char shown[64];
  std::snprintf(shown, sizeof shown, "%a (%.17g)", outcome.value, outcome.value);
  return shown;
}

bool sameOutcome(const Outcome& a, const Outcome& b) {
  if (a.kind != b.kind) return false;
  // Bit for bit, so a lost sign of zero counts.
  return a.kind != Outcome::Number || std::bit_cast<std::uint64_t>(a.value) == std::bit_cast<std::uint64_t>(b.value);
}

Outcome implementationReading(const std::string& text, const NumberConvention& convention) {
  try {
    return {Outcome::Number, parseNumber(text, convention)};
  } catch (const AppError& e) {
    return {e.kind() == ErrorKind::OverflowError ? Outcome::TooLarge : Outcome::NotANumber};
  }
}

// libstdc++'s default matcher backtracks, which takes exponential time on long texts full
// of grouping blanks; its breadth-first one, an extension, keeps to polynomial time.
#if defined(__GLIBCXX__)
constexpr auto kRegexFlags = std::regex::ECMAScript | std::regex_constants::__polynomial;
#else
constexpr auto kRegexFlags = std::regex::ECMAScript;
#endif

std::string regexLiteral(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (std::string_view("^$\\.*+?()[]{}|/").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// Reads a number the way the grammar describes it, independently of parseNumber.
class ReferenceReader {
 public:
  explicit ReferenceReader(const NumberConvention& convention)
      : decimal_(utf8(convention.decimalSeparator)), cLocale_(newlocale(LC_ALL_MASK, "C", nullptr)) {
    groupings_.push_back(utf8(convention.groupingSeparator));
    if (std::find(std::begin(kGroupingBlanks), std::end(kGroupingBlanks), convention.groupingSeparator) !=
        std::end(kGroupingBlanks)) {
      for (const char32_t blank : kGroupingBlanks) groupings_.push_back(utf8(blank));
    }
    std::string grouping = "(?:";
    for (const std::string& g : groupings_) grouping += (grouping.size() > 3 ? "|" : "") + regexLiteral(g);
    grouping += ")";
    const std::string decimal = regexLiteral(decimal_);
    // blanks, sign, integer digits each optionally followed by grouping, decimal separator
    // and fraction (a digit on at least one side), exponent, blanks.
    form_ = std::regex("[ \\t]*[+-]?(?:[0-9](?:[0-9]|" + grouping + ")*(?:" + decimal + "[0-9]*)?|" + decimal +
                       "[0-9]+)(?:[eE][+-]?[0-9]+)?[ \\t]*",
                       kRegexFlags);
  }
  ~ReferenceReader() { freelocale(cLocale_); }
  ReferenceReader(const ReferenceReader&) = delete;
  ReferenceReader& operator=(const ReferenceReader&) = delete;

  Outcome read(const std::string& text) const {
    // A run of digits matches wherever one digit does: shortening runs keeps the regular
    // expression's work small on texts of a thousand digits.
    std::string shape;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool digit = text[i] >= '0' && text[i] <= '9';
      if (!(digit && i > 0 && text[i - 1] >= '0' && text[i - 1] <= '9')) shape += text[i];
    }
    if (!std::regex_match(shape, form_)) return {Outcome::NotANumber};

    std::string clean = text;
    for (const std::string& g : groupings_) replaceAll(clean, g, "");
    clean.erase(std::remove_if(clean.begin(), clean.end(), [](char c) { return c == ' ' || c == '\t'; }),
                clean.end());
    replaceAll(clean, decimal_, ".");
    errno = 0;
    char* end = nullptr;
    const double value = strtod_l(clean.c_str(), &end, cLocale_);
    EXPECT_EQ(*end, '\0') << "strtod left part of " << printable(clean);
    if (std::isinf(value)) return {Outcome::TooLarge};
    return {Outcome::Number, value};
  }

 private:
  std::string decimal_;
  std::vector<std::string> groupings_;
  std::regex form_;
  locale_t cLocale_;
};

// Texts from the grammar, and near misses of it.
class TextGenerator {
 public:
  TextGenerator(const NumberConvention& convention, std::uint64_t seed)
      : random_(seed), decimal_(utf8(convention.decimalSeparator)), grouping_(utf8(convention.groupingSeparator)) {}

  std::string next() {
    std::string text;
    switch (pick(20)) {
      case 0: text = midpoint(); break;
      case 1: text = nearLargest(); break;
      default: text = fromGrammar(); break;
    }
    if (chance(0.35)) spoil(text);
    return text;
  }

 private:
  bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
  std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
  char digit() { return static_cast<char>('0' + pick(10)); }
  std::size_t length() {
    // Mostly short; sometimes past the 767 digits that can decide a rounding.
    if (chance(0.02)) return 700 + pick(400);
    return chance(0.8) ? pick(7) : pick(30);
  }
  std::string grouping() {
    // Under a blank grouping separator the other blanks are written too.
    if (grouping_ == utf8(U'\u202F') && chance(0.5)) return utf8(kGroupingBlanks[pick(std::size(kGroupingBlanks))]);
    return grouping_;
  }
  void blanks(std::string& text) {
    while (chance(0.2)) text += chance(0.5) ? ' ' : '\t';
  }

  std::string exponent() {
    std::string text(1, chance(0.5) ? 'E' : 'e');
    const std::size_t sign = pick(3);
    if (sign > 0) text += sign == 1 ? '+' : '-';
    while (chance(0.1)) text += '0';
    switch (pick(4)) {
      case 0: text += std::to_string(290 + pick(50)); break;  // near both ends of the range
      case 1:  // huge
        text += static_cast<char>('1' + pick(9));
        for (std::size_t n = 9 + pick(20); n > 0; --n) text += digit();
        break;
      default: text += std::to_string(pick(chance(0.5) ? 20 : 400)); break;
    }
    return text;
  }

  std::string fromGrammar() {
    std::string text;
    blanks(text);
    if (const std::size_t sign = pick(4); sign > 1) text += sign == 2 ? '+' : '-';
    for (std::size_t n = length(); n > 0; --n) {
      text += chance(0.2) ? '0' : digit();
      while (chance(0.15)) text += grouping();
    }
    if (chance(0.6)) {
      text += decimal_;
      for (std::size_t n = length(); n > 0; --n) text += chance(0.2) ? '0' : digit();
    }
    if (chance(0.35)) text += exponent();
    blanks(text);
    return text;
  }

  // The exact halfway point between two neighbouring doubles, or a hair above or below it:
  // the texts where reading rounds hardest.
  std::string midpoint() {
    double low = 0;
    do {
      low = std::bit_cast<double>(random_() & 0x7FFF'FFFF'FFFF'FFFF);
    } while (!(low < DBL_MAX));
    const long double mid = (static_cast<long double>(low) + std::nextafter(low, INFINITY)) / 2;
    char exact[1100];
    std::snprintf(exact, sizeof exact, "%.*Le", 800, mid);
    std::string text(exact);
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, e);
    const std::string power = text.substr(e);
    digits.erase(digits.find_last_not_of('0') + 1);
    switch (pick(3)) {
      case 0: break;
      case 1: digits += std::string(pick(120), '0') + "1"; break;  // a hair above
      default:                                                     // a hair below
        if (digits.back() != '.') {
          digits.back() = static_cast<char>(digits.back() - 1);
          digits += std::string(pick(120), '9');
        }
        break;
    }
    replaceAll(digits, ".", decimal_);
    return (chance(0.5) ? "-" : "") + digits + power;
  }

  // Where the range ends: DBL_MAX is 1.7976931348623157E+308 and half an ulp 1E+292, so the
  // seventeenth digit and those after it decide between the next double down, DBL_MAX and
  // an overflow. Sometimes up to 1.79769313486232E+308, the text written for DBL_MAX.
  std::string nearLargest() {
    std::string text = chance(0.5) ? "-" : "";
    if (chance(0.75)) {
      text += "1" + decimal_ + "797693134862315" + static_cast<char>('5' + pick(4));
    } else {
      text += "1" + decimal_ + "7976931348623" + static_cast<char>('1' + pick(2));
    }
    for (std::size_t n = pick(12); n > 0; --n) text += digit();
    return text + "E+308";
  }

  // A near miss: one change that most often leaves the grammar.
  void spoil(std::string& text) {
    const std::size_t at = text.empty() ? 0 : pick(text.size() + 1);
    const std::size_t decimalAt = text.find(decimal_);
    static constexpr const char* kWords[] = {"inf", "nan", "infinity", "0x1p3", "0x1A", "1e", "E5", "(3)", "3-", ""};
    switch (pick(10)) {
      case 0: text.insert(at, decimal_); break;  // a second decimal separator
      case 1:                                    // grouping after the decimal separator
        if (decimalAt != std::string::npos) text.insert(std::min(decimalAt + decimal_.size() + pick(2), text.size()), grouping_);
        break;
      case 2: text = std::string(pick(2), ' ') + (chance(0.5) ? "+" : "-") + std::string(pick(2), ' '); break;
      case 3: text.insert(at, 1, static_cast<char>((chance(0.5) ? 'a' : 'A') + pick(26))); break;
      case 4: {  // a blank inside
        static constexpr char32_t kBlanks[] = {U' ', U'\t', U'\u00A0', U'\u202F', U'\u2009', U'\n'};
        text.insert(at, utf8(kBlanks[pick(std::size(kBlanks))]));
        break;
      }
      case 5: {  // a separator of another convention
        static constexpr char32_t kOthers[] = {U',', U'.', U'\'', U'\u066B', U'\u066C', U'\u00B7'};
        text.insert(at, utf8(kOthers[pick(std::size(kOthers))]));
        break;
      }
      case 6: text.insert(at, 1, chance(0.5) ? '+' : '-'); break;
      case 7:  // a byte lost, perhaps from inside a separator
        if (!text.empty()) text.erase(std::min(at, text.size() - 1), 1);
        break;
      case 8: text.insert(at, 1, static_cast<char>(0x80 + pick(0x80))); break;  // invalid UTF-8
      default: text = kWords[pick(std::size(kWords))]; break;
    }
  }

  std::mt19937_64 random_;
  std::string decimal_;
  std::string grouping_;
};

TEST(NumberTextDifferential, ParseNumberAgreesWithReferenceReader) {
  const std::size_t count = textsPerConvention();
  for (const NamedConvention& named : kConventions) {
    SCOPED_TRACE(named.name);
    const ReferenceReader reference(named.convention);
    TextGenerator generator(named.convention, kSeed);
    std::size_t numbers = 0, tooLarge = 0, largestKept = 0, tiny = 0, mismatches = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string text = generator.next();
      const Outcome expected = reference.read(text);
      const Outcome actual = implementationReading(text, named.convention);
      if (!sameOutcome(expected, actual) && ++mismatches <= kMaxReportedMismatches) {
        ADD_FAILURE() << "text " << printable(text) << ": expected " << describe(expected) << ", parseNumber gave "
                      << describe(actual);
      }
      numbers += expected.kind == Outcome::Number;
      tooLarge += expected.kind == Outcome::TooLarge;
      largestKept += expected.kind == Outcome::Number && std::fabs(expected.value) == DBL_MAX;
      tiny += expected.kind == Outcome::Number && std::fabs(expected.value) < DBL_MIN;
    }
    EXPECT_EQ(mismatches, 0u);
    std::printf("%s: %zu texts, %zu numbers (%zu subnormal or zero, %zu at the largest double), %zu too large\n",
                named.name, count, numbers, tiny, largestKept, tooLarge);
    // The generator must reach both sides of the grammar and both ends of the range, or
    // agreement proves little.
    if (count >= 10'000) {
      EXPECT_GT(numbers, count / 4);
      EXPECT_LT(numbers, count * 3 / 4);
      EXPECT_GT(tooLarge, 0u);
      EXPECT_GT(largestKept, 0u);
      EXPECT_GT(tiny, 0u);
    }
  }
}

// formatNumber against printf's %.15G: the same 15 significant digits rounded from the exact
// binary value, the same choice of form and the same exponent layout; only the separator
// differs, and zero is written without a sign. Every text written reads back as a number that
// is written the same, but for the largest doubles, whose text rounds to infinity.
TEST(NumberTextDifferential, FormatNumberAgreesWithPrintf) {
  const std::size_t count = textsPerConvention();
  for (const NamedConvention& named : kConventions) {
    SCOPED_TRACE(named.name);
    std::mt19937_64 random(kSeed);
    const std::string decimal = utf8(named.convention.decimalSeparator);
    int mismatches = 0;
    for (std::size_t i = 0; i < count; ++i) {
      // Random bit patterns cover every exponent; short decimals cover exact ties and
      // trailing zeros.
      double value = std::bit_cast<double>(random());
      if (i % 2 == 1) value = static_cast<double>(random() % 2'000'001) / std::pow(10.0, static_cast<int>(random() % 24));
      if (!std::isfinite(value)) continue;
      char reference[40];
      std::snprintf(reference, sizeof reference, "%.15G", value);
      std::string expected = value == 0 ? "0" : reference;
      replaceAll(expected, ".", decimal);
      const std::string actual = formatNumber(value, named.convention);
      const Outcome back = implementationReading(actual, named.convention);
      const bool readsBack = back.kind == Outcome::Number ? formatNumber(back.value, named.convention) == actual
                                                           : expected.ends_with("E+308");
      if ((actual != expected || !readsBack) && ++mismatches <= kMaxReportedMismatches) {
        ADD_FAILURE() << std::hexfloat << value << ": expected " << printable(expected) << ", formatNumber wrote "
                      << printable(actual) << ", which reads back as " << describe(back);
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
}  // namespace tramela
