#include "core/option_handling.h"

#include <limits>

#include "core/app_error.h"

namespace tramela {
namespace {

[[noreturn]] void throwResultTooLarge(const ConversionEntry& entry, const std::string& input,
                                      const NumberConvention& convention) {
  throw AppError(ErrorKind::OverflowError,
                 "Il risultato della conversione «" + std::string(entry.caption) + "» di " +
                     quoteForUser(input) + " è troppo grande: il programma tratta numeri fino a circa ±" +
                     formatNumber(std::numeric_limits<double>::max(), convention) + ".");
}

}  // namespace

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
    throwResultTooLarge(entry, input, convention);
  }
  // Written last, so that a failure above leaves the previous result in place.
  formatNumberInto(result.value, convention, state.resultText);
}

}  // namespace tramela
