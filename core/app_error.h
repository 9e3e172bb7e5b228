#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tramela {

// The kinds of error the program knows. Every failure the user can cause is one of these.
enum class ErrorKind {
  ConversionError,  // the input text is not a number (an empty text included)
  OverflowError,    // a number or a result lies beyond the range of a double
};

// The program's one error type: a kind and a description for the user, in Italian.
// Raised (thrown), never returned; what() is the description.
class AppError : public std::runtime_error {
 public:
  AppError(ErrorKind kind, std::string description);

  ErrorKind kind() const noexcept;

 private:
  ErrorKind kind_;
};

// Longest stretch of a typed text that an error description repeats, in code points.
inline constexpr std::size_t kQuotedTextMaxCodePoints = 40;

// Quotes a typed text for an error description: «text», cut to kQuotedTextMaxCodePoints
// code points with "…" after the cut; control characters and invalid UTF-8 become U+FFFD,
// so the description is always valid, printable UTF-8.
//   quoteForUser("abc")        -> "«abc»"
//   quoteForUser("a\nb")       -> "«a\uFFFDb»"
//   quoteForUser(50 x "7")     -> "«" + 40 x "7" + "…»"
std::string quoteForUser(std::string_view text);

}  // namespace tramela
