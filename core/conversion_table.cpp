#include "core/conversion_table.h"

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tramela {
namespace {

// Each factor is the size of one unit of the pair in the other unit. The grain (0.0648)
// and the kilogram-force metre (9.81) use the short values the program has always shown,
// not the exact 0.06479891 and 9.80665.
constexpr double kInch = 25.4;          // millimetres
constexpr double kYard = 0.9144;        // metres
constexpr double kGrain = 0.0648;       // grams
constexpr double kKilogramMetre = 9.81; // joules
constexpr double kFoot = 0.3048;        // metres
constexpr double kLargestFactor = std::numeric_limits<double>::max();

using enum OptionId;
using enum ConversionKind;

// In list order; listPosition is the index plus one.
constexpr std::array<ConversionEntry, kOptionCount> kTable{{
    {Option5, "scegliere una delle seguenti opzioni", Echo, std::nullopt, 1},
    {Option1, "pollici to millimetri", Multiply, kInch, 2},
    {Option2, "millimetri to pollici", Divide, kInch, 3},
    {Option3, "metri to yards", Divide, kYard, 4},
    {Option4, "yards to metri", Multiply, kYard, 5},
    {Option6, "grammi to grani", Divide, kGrain, 6},
    {Option7, "grani to grammi", Multiply, kGrain, 7},
    {Option8, "Kgm to joule", Multiply, kKilogramMetre, 8},
    {Option9, "joule to Kgm", Divide, kKilogramMetre, 9},
    {Option10, "mt./sec. to ft./sec", Divide, kFoot, 10},
    {Option11, "ft./sec. to mt./sec.", Multiply, kFoot, 11},
}};

constexpr bool tableIsConsistent() {
  std::array<int, kOptionCount + 1> seen{};
  for (std::size_t i = 0; i < kTable.size(); ++i) {
    const ConversionEntry& entry = kTable[i];
    const int id = static_cast<int>(entry.option);
    if (id < 1 || id > kOptionCount || seen[id]++ != 0) return false;
    if (entry.listPosition != static_cast<int>(i) + 1) return false;
    if ((entry.kind == Echo) == entry.factor.has_value()) return false;
    // Finite and positive, so that convert can only overflow (see there).
    if (entry.factor && !(*entry.factor > 0 && *entry.factor <= kLargestFactor)) return false;
  }
  return true;
}
static_assert(tableIsConsistent(),
              "every option once, in list order, a finite positive factor unless Echo");

// Index into kTable for each OptionId value (slot 0 unused).
constexpr std::array<std::size_t, kOptionCount + 1> kIndexOf = [] {
  std::array<std::size_t, kOptionCount + 1> index{};
  for (std::size_t i = 0; i < kTable.size(); ++i) index[static_cast<int>(kTable[i].option)] = i;
  return index;
}();

}  // namespace

const ConversionEntry& entryFor(OptionId option) {
  const int id = static_cast<int>(option);
  if (id < 1 || id > kOptionCount) throw std::out_of_range("OptionId outside Option1..Option11");
  return kTable[kIndexOf[id]];
}

std::span<const ConversionEntry, kOptionCount> entriesInListOrder() noexcept { return kTable; }

ConvertResult convert(const ConversionEntry& entry, double number) {
  if (entry.kind == Echo || !entry.factor) {
    throw std::invalid_argument("the echo entry has no arithmetic");
  }
  const double factor = *entry.factor;
  const double value = entry.kind == Multiply ? number * factor : number / factor;
  // With a finite, nonzero factor the operation can raise neither invalid nor division by
  // zero, and it overflows exactly when a finite number gives an infinite result.
  return {value, false, false, std::isinf(value) && std::isfinite(number)};
}

}  // namespace tramela
