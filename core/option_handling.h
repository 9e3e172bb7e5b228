#pragma once

#include <string>

#include "core/conversion_table.h"
#include "core/number_text.h"

namespace tramela {

// What the window shows, kept in step with its controls: the input field's text exactly as
// typed, and the result label's text.
struct FormState {
  std::string inputText;
  std::string resultText;
};

// Runs the entry of an option on the input text and leaves the result in resultText.
// The echo entry (Option5) copies inputText byte for byte; every other entry reads it as a
// number, multiplies or divides by the entry's factor and writes the result. inputText is
// never changed. Throws AppError: ConversionError when inputText is not a number (empty or
// blank included), OverflowError when it or the result lies beyond the double range; on any
// throw resultText keeps its previous value. This overload reads the platform's convention.
//   {"1,5", ""}, Option1, italian -> resultText "38,1"
//   {"10", ""},  Option2, italian -> resultText "0,393700787401575"
//   {"abc", ""}, Option5          -> resultText "abc"
//   {"abc", "7"}, Option1         -> ConversionError, resultText still "7"
//   {"8E+306", ""}, Option1       -> OverflowError
void selectOption(FormState& state, OptionId option);

// As above, under the convention the caller gives.
void selectOption(FormState& state, OptionId option, const NumberConvention& convention);

}  // namespace tramela
