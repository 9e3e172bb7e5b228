#pragma once

// A UTF-8 validity check written apart from core/utf8.h, so that tests of texts the core
// builds do not lean on the decoder they may be testing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tramela::testing_support {

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
