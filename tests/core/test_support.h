#pragma once

// What the core's tests share: the conventions they run under, a text repeater, and a
// UTF-8 encoder and validity check written apart from core/utf8.h, so that tests of texts
// the core builds do not lean on the code they may be testing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/number_text.h"

namespace tramela::testing_support {

inline constexpr NumberConvention kItalian{U',', U'.'};
inline constexpr NumberConvention kPointComma{U'.', U','};
inline constexpr NumberConvention kCommaNarrowSpace{U',', U'\u202F'};
// Deliberately odd, so that nothing passes by the machine's locale: two bytes each.
inline constexpr NumberConvention kArabic{U'\u066B', U'\u066C'};
// Four-byte separators, so that the longest texts fill every byte the writer allows.
inline constexpr NumberConvention kFourByte{U'\U0001F34B', U'\U0001F347'};

struct NamedConvention {
  const char* name;
  NumberConvention convention;
};

inline constexpr NamedConvention kConventions[] = {
    {"Italian", kItalian},
    {"point and comma", kPointComma},
    {"comma and narrow no-break space", kCommaNarrowSpace},
    {"Arabic", kArabic},
    {"four-byte separators", kFourByte},
};

inline std::string repeat(std::string_view piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// The UTF-8 bytes of one code point, encoded here rather than taken from core/utf8.h, so
// that a fault there shows in the tests.
inline std::string utf8(char32_t codePoint) {
  std::string text;
  const auto c = static_cast<std::uint32_t>(codePoint);
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

// Whether every byte of the text belongs to a well-formed UTF-8 sequence (no overlong
// form, no surrogate, nothing above U+10FFFF).
inline bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = b(0);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) {
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead == 0xE0) {
      length = 3, low = 0xA0;
    } else if (lead == 0xED) {
      length = 3, high = 0x9F;
    } else if (lead >= 0xE1 && lead <= 0xEF) {
      length = 3;
    } else if (lead == 0xF0) {
      length = 4, low = 0x90;
    } else if (lead == 0xF4) {
      length = 4, high = 0x8F;
    } else if (lead >= 0xF1 && lead <= 0xF3) {
      length = 4;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    if (length > 1 && (b(1) < low || b(1) > high)) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (b(k) < 0x80 || b(k) > 0xBF) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace tramela::testing_support
