#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tramela {

// What decodeUtf8 reports for a byte sequence that is not well-formed UTF-8.
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;

// Longest UTF-8 encoding of one code point, in bytes.
inline constexpr std::size_t kMaxUtf8Bytes = 4;

struct Utf8Step {
  char32_t codePoint;  // kInvalidCodePoint when the bytes are not well-formed
  std::size_t length;  // bytes consumed, at least 1 for a non-empty text
};

// Decodes the first code point of a non-empty text. Overlong forms, surrogates, code
// points above U+10FFFF and truncated sequences are invalid and consume one byte.
//   decodeUtf8("a")            -> {U'a', 1}
//   decodeUtf8("\xC2\xA0x")    -> {U'\u00A0', 2}
//   decodeUtf8("\xC0\x80")     -> {kInvalidCodePoint, 1}
constexpr Utf8Step decodeUtf8(std::string_view text) noexcept {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};

  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return {kInvalidCodePoint, 1};
  }
  if (text.size() < length) return {kInvalidCodePoint, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {kInvalidCodePoint, 1};
    codePoint = (codePoint << 6) | (byte(i) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < smallest || codePoint > 0x10FFFF || surrogate) return {kInvalidCodePoint, 1};
  return {codePoint, length};
}

// Writes the UTF-8 encoding of a code point (at most U+10FFFF, not a surrogate) into out,
// which holds at least kMaxUtf8Bytes bytes; returns the bytes written.
//   encodeUtf8(U',', out)        -> 1, out = ","
//   encodeUtf8(U'\u066B', out)   -> 2, out = "\xD9\xAB"
constexpr std::size_t encodeUtf8(char32_t codePoint, char* out) noexcept {
  if (codePoint < 0x80) {
    out[0] = static_cast<char>(codePoint);
    return 1;
  }
  if (codePoint < 0x800) {
    out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 2;
  }
  if (codePoint < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (codePoint >> 18));
  out[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
  return 4;
}

// Appends the UTF-8 encoding of a code point to a string.
inline void appendUtf8(std::string& text, char32_t codePoint) {
  char bytes[kMaxUtf8Bytes];
  text.append(bytes, encodeUtf8(codePoint, bytes));
}

}  // namespace tramela
