#pragma once

#include <string>
#include <string_view>

namespace tramela {

// The two characters of a regional number convention, each one Unicode code point.
struct NumberConvention {
  char32_t decimalSeparator;   // separates the fraction, in input and in output
  char32_t groupingSeparator;  // accepted and skipped after integer digits; never written
};

// The convention the window's texts are written for, and the fallback where the platform's
// is unusable.
inline constexpr NumberConvention kItalianConvention{U',', U'.'};

// Longest text formatNumber writes, in bytes: a sign, 15 digits, a separator of up to four
// bytes, "E", an exponent sign and three digits.
inline constexpr std::size_t kMaxNumberTextBytes = 1 + 15 + 4 + 1 + 1 + 3;

// The double a text names, rounded to nearest (ties to even), for any number of digits and
// any exponent. The text is UTF-8: blanks (space, tab), an optional sign (+ or ASCII -),
// integer digits with the grouping separator allowed after any of them, an optional decimal
// separator with fraction digits (a digit on at least one side), an optional exponent (E or
// e, optional sign, digits), blanks. Where the grouping separator is a blank (U+00A0,
// U+202F, U+2009) the plain space and those blanks all count as grouping.
// Throws AppError: ConversionError when the text is not a number, OverflowError when it
// rounds to infinity, as 1,79769313486232E+308 (the text written for the largest double)
// does. A nonzero number too small for a double reads as zero or a denormal.
//   parseNumber(" 12,5 ", italian)  -> 12.5
//   parseNumber("1.000,5", italian) -> 1000.5
//   parseNumber("1.5", italian)     -> 15
//   parseNumber("1,5E2", italian)   -> 150
//   parseNumber("1.5", pointComma)  -> 1.5
//   parseNumber("1,2,3", italian)   -> ConversionError
//   parseNumber("1E+309", italian)  -> OverflowError
//   parseNumber("1,79769313486232E+308", italian) -> OverflowError
double parseNumber(std::string_view text, const NumberConvention& convention);

// The text of a finite double: 15 significant digits rounded from its exact binary value
// (exact ties to even), fixed form for decimal exponents -4 to 14 and exponent form
// otherwise, trailing fraction zeros dropped, no grouping. Zero, of either sign, is "0".
// Throws AppError (OverflowError) for an infinity or a NaN, which no conversion produces.
//   formatNumber(38.099999999999994, italian) -> "38,1"
//   formatNumber(-25.4, italian)              -> "-25,4"
//   formatNumber(0.0001, italian)             -> "0,0001"
//   formatNumber(1e-5, italian)               -> "1E-05"
//   formatNumber(1234567890123456, italian)   -> "1,23456789012346E+15"
std::string formatNumber(double value, const NumberConvention& convention);

// As formatNumber, writing into out (its capacity is reused, so a warm string allocates
// nothing).
void formatNumberInto(double value, const NumberConvention& convention, std::string& out);

// Whether a character is one of the blanks that locales use for digit grouping. Where the
// convention's grouping separator is one of them, parseNumber takes all of them for grouping
// (users type a plain space for a no-break one), so none of them can be a decimal separator.
//   isGroupingBlank(U'\u202F') -> true
//   isGroupingBlank(U'\t')     -> false
constexpr bool isGroupingBlank(char32_t c) {
  return c == U' ' || c == U'\u00A0' || c == U'\u202F' || c == U'\u2009';
}

// Throws the OverflowError that names what is too large and how far the program counts, with
// a limit that itself reads back under the convention.
//   throwTooLarge("Il numero «1E+309»", italian)
//     -> "Il numero «1E+309» è troppo grande: il programma tratta numeri fino a circa
//         ±1,79769313486231E+308."
//   throwTooLarge("Il numero «1E+309»", pointComma) -> "... fino a circa ±1.79769313486231E+308."
[[noreturn]] void throwTooLarge(std::string_view subject, const NumberConvention& convention);

}  // namespace tramela
