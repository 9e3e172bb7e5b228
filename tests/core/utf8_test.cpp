#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tramela {
namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  char32_t codePoint;
  std::size_t length;
};

const DecodeCase kDecodeCases[] = {
    {"ASCII", "a1", U'a', 1},
    {"NUL", std::string("\0x", 2), 0, 1},
    {"DEL", "\x7F", 0x7F, 1},
    {"smallest two-byte", "\xC2\x80", 0x80, 2},
    {"no-break space", "\xC2\xA0x", 0xA0, 2},
    {"largest two-byte", "\xDF\xBF", 0x7FF, 2},
    {"smallest three-byte", "\xE0\xA0\x80", 0x800, 3},
    {"Arabic decimal separator", "\xD9\xAB", 0x66B, 2},
    {"narrow no-break space", "\xE2\x80\xAF", 0x202F, 3},
    {"last before the surrogates", "\xED\x9F\xBF", 0xD7FF, 3},
    {"first after the surrogates", "\xEE\x80\x80", 0xE000, 3},
    {"largest three-byte", "\xEF\xBF\xBF", 0xFFFF, 3},
    {"smallest four-byte", "\xF0\x90\x80\x80", 0x10000, 4},
    {"largest code point", "\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
    {"overlong NUL", "\xC0\x80", kInvalidCodePoint, 1},
    {"overlong two-byte C1", "\xC1\xBF", kInvalidCodePoint, 1},
    {"overlong three-byte", "\xE0\x9F\xBF", kInvalidCodePoint, 1},
    {"overlong three-byte slash", "\xE0\x80\xAF", kInvalidCodePoint, 1},
    {"overlong four-byte", "\xF0\x8F\xBF\xBF", kInvalidCodePoint, 1},
    {"first high surrogate", "\xED\xA0\x80", kInvalidCodePoint, 1},
    {"last low surrogate", "\xED\xBF\xBF", kInvalidCodePoint, 1},
    {"above U+10FFFF", "\xF4\x90\x80\x80", kInvalidCodePoint, 1},
    {"lead F5", "\xF5\x80\x80\x80", kInvalidCodePoint, 1},
    {"lead FF", "\xFF", kInvalidCodePoint, 1},
    {"lone continuation", "\x80", kInvalidCodePoint, 1},
    {"truncated two-byte", "\xC2", kInvalidCodePoint, 1},
    {"truncated three-byte", "\xE2\x82", kInvalidCodePoint, 1},
    {"truncated four-byte", "\xF0\x9F\x98", kInvalidCodePoint, 1},
    {"continuation replaced by ASCII", "\xC2" "A", kInvalidCodePoint, 1},
    {"second continuation missing", "\xE2\x82" "A", kInvalidCodePoint, 1},
    {"third continuation missing", "\xF0\x9F\x98" "A", kInvalidCodePoint, 1},
};

TEST(Utf8, DecodesTheFirstCodePointOrRefusesOneByte) {
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(c.name);
    const Utf8Step step = decodeUtf8(c.bytes);
    EXPECT_EQ(static_cast<std::uint32_t>(step.codePoint), static_cast<std::uint32_t>(c.codePoint));
    EXPECT_EQ(step.length, c.length);
  }
}

struct EncodeCase {
  char32_t codePoint;
  std::string bytes;
};

const EncodeCase kEncodeCases[] = {
    {U'\0', std::string(1, '\0')},
    {U',', ","},
    {0x7F, "\x7F"},
    {0x80, "\xC2\x80"},
    {0x66B, "\xD9\xAB"},
    {0x7FF, "\xDF\xBF"},
    {0x800, "\xE0\xA0\x80"},
    {0x2019, "\xE2\x80\x99"},
    {0xFFFF, "\xEF\xBF\xBF"},
    {0x10000, "\xF0\x90\x80\x80"},
    {0x10FFFF, "\xF4\x8F\xBF\xBF"},
};

TEST(Utf8, EncodesAtEachLengthBoundaryAndDecodesBack) {
  for (const EncodeCase& c : kEncodeCases) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<std::uint32_t>(c.codePoint));
    std::string text;
    appendUtf8(text, c.codePoint);
    EXPECT_EQ(text, c.bytes);
    const Utf8Step step = decodeUtf8(text);
    EXPECT_EQ(static_cast<std::uint32_t>(step.codePoint), static_cast<std::uint32_t>(c.codePoint));
    EXPECT_EQ(step.length, c.bytes.size());
  }
}

}  // namespace
}  // namespace tramela
