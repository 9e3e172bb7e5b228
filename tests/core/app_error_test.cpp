#include "core/app_error.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/test_support.h"

namespace tramela {
namespace {

using testing_support::isValidUtf8;
using testing_support::repeat;

struct QuoteCase {
  const char* name;
  std::string text;
  std::string quoted;
};

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

const QuoteCase kQuoteCases[] = {
    {"plain", "abc", "«abc»"},
    {"empty", "", "«»"},
    {"blanks kept", " 1 ", "« 1 »"},
    {"newline", "a\nb", "«a" + kReplacement + "b»"},
    {"tab", "a\tb", "«a" + kReplacement + "b»"},
    {"carriage return", "1\r", "«1" + kReplacement + "»"},
    {"NUL", std::string("1\0" "2", 3), "«1" + kReplacement + "2»"},
    {"DEL", "1\x7F", "«1" + kReplacement + "»"},
    {"C1 control U+0085", "1\xC2\x85", "«1" + kReplacement + "»"},
    {"no-break space is printable", "1\xC2\xA0" "000", "«1\xC2\xA0" "000»"},
    {"Arabic separators kept", "1\xD9\xAC" "000\xD9\xAB" "5", "«1\xD9\xAC" "000\xD9\xAB" "5»"},
    {"lone invalid byte", "1\xFF" "2", "«1" + kReplacement + "2»"},
    {"truncated sequence, each byte replaced", "\xE2\x82", "«" + kReplacement + kReplacement + "»"},
    {"surrogate bytes", "\xED\xA0\x80", "«" + repeat(kReplacement, 3) + "»"},
    {"exactly the longest quoted", repeat("7", kQuotedTextMaxCodePoints),
     "«" + repeat("7", kQuotedTextMaxCodePoints) + "»"},
    {"one code point too long", repeat("7", kQuotedTextMaxCodePoints + 1),
     "«" + repeat("7", kQuotedTextMaxCodePoints) + "…»"},
    {"two-byte letters cut between code points", repeat("è", 50),
     "«" + repeat("è", kQuotedTextMaxCodePoints) + "…»"},
    {"four-byte characters cut between code points", repeat("\xF0\x9F\x98\x80", 41),
     "«" + repeat("\xF0\x9F\x98\x80", kQuotedTextMaxCodePoints) + "…»"},
    {"invalid bytes count as one each", repeat("\xFF", 45),
     "«" + repeat(kReplacement, kQuotedTextMaxCodePoints) + "…»"},
};

TEST(QuoteForUser, QuotesReplacesAndShortens) {
  for (const QuoteCase& c : kQuoteCases) {
    SCOPED_TRACE(c.name);
    const std::string quoted = quoteForUser(c.text);
    EXPECT_EQ(quoted, c.quoted);
    EXPECT_TRUE(isValidUtf8(quoted));
  }
}

}  // namespace
}  // namespace tramela
