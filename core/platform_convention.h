#pragma once

#include <string_view>

#include "core/number_text.h"

namespace tramela {

// The convention of the current user's regional settings, read at the first call and kept for
// the life of the process, as Qt keeps its system locale: on Windows the user's settings,
// elsewhere the locale named by the first set of LC_ALL, LC_NUMERIC, LANG. Returns
// kItalianConvention, the one the window's texts ask for, where that is none (nothing set,
// C, C.UTF-8, POSIX, or a locale name Qt does not know), and where its separators cannot
// serve: a separator that is not exactly one code point, or is a digit, a sign, an exponent
// letter, a tab, or (for the decimal separator) a grouping blank, or both the same character.
//   with LC_ALL=it_IT.UTF-8 -> {U',', U'.'}
//   with LC_ALL=en_US.UTF-8 -> {U'.', U','}
//   with LANG=C, or unset   -> {U',', U'.'}
//   with LANG=it_IT.UTF-8 LC_NUMERIC=en_US.UTF-8 -> {U'.', U','}
NumberConvention currentNumberConvention();

// The convention made of the separators a platform reports, each given as the code points
// of its text; kItalianConvention where they cannot serve, by the rules of
// currentNumberConvention().
//   conventionFromSeparators(U",", U".")           -> {U',', U'.'}
//   conventionFromSeparators(U"\u066B", U"\u066C") -> {U'\u066B', U'\u066C'}
//   conventionFromSeparators(U".", U".")           -> kItalianConvention
//   conventionFromSeparators(U"", U",")            -> kItalianConvention
NumberConvention conventionFromSeparators(std::u32string_view decimal, std::u32string_view grouping);

}  // namespace tramela
