#include "core/app_error.h"

#include "core/utf8.h"

namespace tramela {

AppError::AppError(ErrorKind kind, std::string description)
    : std::runtime_error(std::move(description)), kind_(kind) {}

ErrorKind AppError::kind() const noexcept { return kind_; }

std::string quoteForUser(std::string_view text) {
  std::string quoted = "«";
  std::size_t codePoints = 0;
  while (!text.empty()) {
    if (codePoints == kQuotedTextMaxCodePoints) {
      quoted += "…";
      break;
    }
    const Utf8Step step = decodeUtf8(text);
    const bool control = step.codePoint < 0x20 || (step.codePoint >= 0x7F && step.codePoint < 0xA0);
    if (step.codePoint == kInvalidCodePoint || control) {
      appendUtf8(quoted, U'\uFFFD');
    } else {
      quoted.append(text.substr(0, step.length));
    }
    text.remove_prefix(step.length);
    ++codePoints;
  }
  quoted += "»";
  return quoted;
}

}  // namespace tramela
