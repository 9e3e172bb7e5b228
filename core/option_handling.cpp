#include "core/option_handling.h"

#include "core/app_error.h"
#include "core/platform_convention.h"

namespace tramela {

void selectOption(FormState& state, OptionId option) {
  selectOption(state, option, currentNumberConvention());
}

void selectOption(FormState& state, OptionId option, const NumberConvention& convention) {
  const ConversionEntry& entry = entryFor(option);
  const std::string& input = state.inputText;
  if (entry.kind == ConversionKind::Echo) {
    state.resultText = input;
    return;
  }
  const double number = parseNumber(input, convention);
  const ConvertResult result = convert(entry, number);
  if (result.invalid || result.divideByZero || result.overflow) {
    throwTooLarge("Il risultato della conversione «" + std::string(entry.caption) + "» di " +
                      quoteForUser(input),
                  convention);
  }
  // Written last, so that a failure above leaves the previous result in place.
  formatNumberInto(result.value, convention, state.resultText);
}

}  // namespace tramela
