#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tramela {

// Names both an entry of the conversion table and the option button that runs it.
// The names do not follow the list order: Option5, the echo entry, stands first.
enum class OptionId {
  Option1 = 1, Option2, Option3, Option4, Option5, Option6,
  Option7, Option8, Option9, Option10, Option11,
};

// How many option entries, and so option buttons, there are.
inline constexpr int kOptionCount = 11;

enum class ConversionKind {
  Echo,      // shows the input text unchanged, never reads it as a number
  Multiply,  // result = number × factor
  Divide,    // result = number ÷ factor
};

struct ConversionEntry {
  OptionId option;
  std::string_view caption;     // the text beside the option button
  ConversionKind kind;
  std::optional<double> factor; // the size of one unit in the other; empty for Echo
  int listPosition;             // 1 to kOptionCount, counted from the top of the list
};

// The outcome of one multiplication or division, with the floating-point exceptions that
// operation raises. The factors are finite and positive, so invalid and divideByZero are
// never set; overflow is set when a finite number gives an infinite value.
struct ConvertResult {
  double value;
  bool invalid;
  bool divideByZero;
  bool overflow;
};

// The entry of an option. Throws std::out_of_range for a value outside Option1..Option11.
//   entryFor(OptionId::Option1).caption -> "pollici to millimetri"
//   entryFor(OptionId::Option5).kind    -> ConversionKind::Echo
const ConversionEntry& entryFor(OptionId option);

// The eleven entries ordered by listPosition, for building the window.
//   entriesInListOrder().front().option -> OptionId::Option5
//   entriesInListOrder().back().option  -> OptionId::Option11
std::span<const ConversionEntry, kOptionCount> entriesInListOrder() noexcept;

// Applies a Multiply or Divide entry to a number: one double operation, rounded once to
// nearest, and the exceptions it raises, judged from its result (std::isinf), not from the
// floating-point environment. Raises nothing for such entries; an Echo entry has no
// arithmetic and throws std::invalid_argument.
//   convert(entryFor(Option1), 1.5)    -> {38.099999999999994, false, false, false}
//   convert(entryFor(Option2), 10)     -> {0.3937007874015748, ...} (a true division)
//   convert(entryFor(Option1), 8e306)  -> {inf, false, false, true}
ConvertResult convert(const ConversionEntry& entry, double number);

}  // namespace tramela
