// Fuzzes reading and writing numbers and option handling under several conventions.
//
// Input layout: the first byte picks the convention (byte % kConventionCount) and the
// option ((byte / kConventionCount) % kOptionCount); the rest is the typed text. When the
// text has at least eight bytes, its first eight are also taken as the bits of a double
// for the write-and-read-back check, so every double, not only the readable ones, is tried.
//
// Each broken rule prints what broke and aborts, which libFuzzer reports as a finding.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "core/app_error.h"
#include "core/conversion_table.h"
#include "core/number_text.h"
#include "core/option_handling.h"

namespace {

using namespace tramela;

constexpr NumberConvention kConventions[] = {
    {U',', U'.'},                // Italian
    {U'.', U','},                // point and comma
    {U',', U'\u202F'},           // narrow no-break space, so every grouping blank
    {U'\u066B', U'\u066C'},      // Arabic decimal and thousands separators
    {U'\U0001F538', U'\''},      // a four-byte decimal separator, the longest there is
};
constexpr std::size_t kConventionCount = std::size(kConventions);

// What resultText holds before a selection: no conversion can produce it.
constexpr std::string_view kPreviousResult = "risultato precedente \xE2\x80\xA2";

[[noreturn]] void fail(const char* rule, std::string_view text) {
  std::fprintf(stderr, "broken rule: %s\ntext (%zu bytes): ", rule, text.size());
  for (const char c : text) std::fprintf(stderr, "\\x%02X", static_cast<unsigned char>(c));
  std::fprintf(stderr, "\n");
  std::abort();
}

// Runs a call into the core. True when it returned, false when it threw AppError; any
// other exception aborts, since only AppError may leave the core.
template <class Call>
bool intoCore(Call call, std::string_view text) {
  try {
    call();
    return true;
  } catch (const AppError&) {
    return false;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "exception: %s\n", e.what());
    fail("only AppError leaves the core", text);
  } catch (...) {
    fail("only AppError leaves the core", text);
  }
}

// The end of what formatNumber writes for the largest doubles, 1,79769313486232E+308 under
// any separator: it lies beyond DBL_MAX + half an ulp, so it reads as an overflow.
constexpr std::string_view kLargestWrittenEnd = "79769313486232E+308";

// For a finite double: what formatNumber writes reads back to a number written the same way,
// but for the largest doubles, whose text overflows.
void checkWriteReadBack(double value, const NumberConvention& convention, std::string_view text) {
  if (!std::isfinite(value)) {
    // Writing a non-finite double is refused, with AppError.
    if (intoCore([&] { (void)formatNumber(value, convention); }, text)) {
      fail("formatNumber refuses an infinity or a NaN", text);
    }
    return;
  }
  std::string written;
  if (!intoCore([&] { written = formatNumber(value, convention); }, text)) {
    fail("formatNumber writes every finite double", text);
  }
  if (written.size() > kMaxNumberTextBytes) fail("formatNumber stays within kMaxNumberTextBytes", written);
  double back = 0;
  std::string rewritten;
  const bool ok = intoCore(
      [&] {
        back = parseNumber(written, convention);
        rewritten = formatNumber(back, convention);
      },
      text);
  if (!ok) {
    if (!written.ends_with(kLargestWrittenEnd)) fail("what formatNumber writes reads back without error", written);
    return;
  }
  if (!std::isfinite(back)) fail("a read number is finite", written);
  if (rewritten != written) fail("a written number reads back to one written the same way", written);
}

void checkSelection(const std::string& text, OptionId option, const NumberConvention& convention) {
  FormState state{text, std::string(kPreviousResult)};
  const bool ok = intoCore([&] { selectOption(state, option, convention); }, text);
  if (state.inputText != text) fail("selectOption never touches inputText", text);
  if (!ok) {
    if (state.resultText != kPreviousResult) fail("a failed selectOption keeps resultText", text);
    return;
  }
  const ConversionEntry& entry = entryFor(option);
  if (entry.kind == ConversionKind::Echo) {
    if (state.resultText != text) fail("the echo entry copies the text byte for byte", text);
    return;
  }
  // A successful conversion shows exactly the product or quotient of the number read.
  std::string expected;
  if (!intoCore([&] { expected = formatNumber(convert(entry, parseNumber(text, convention)).value, convention); },
                text)) {
    fail("selectOption succeeds only on a readable number with a finite result", text);
  }
  if (state.resultText != expected) fail("selectOption shows the converted number", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const NumberConvention& convention = kConventions[data[0] % kConventionCount];
  const auto option = static_cast<OptionId>(1 + (data[0] / kConventionCount) % kOptionCount);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  double number = 0;
  if (intoCore([&] { number = parseNumber(text, convention); }, text)) {
    if (!std::isfinite(number)) fail("a read number is finite", text);
    checkWriteReadBack(number, convention, text);
  }

  if (text.size() >= sizeof(double)) {
    double bits = 0;
    std::memcpy(&bits, text.data(), sizeof bits);
    checkWriteReadBack(bits, convention, text);
  }

  checkSelection(text, option, convention);
  return 0;
}
