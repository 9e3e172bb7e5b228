#pragma once

#include <array>
#include <string_view>

#include "core/conversion_table.h"

namespace tramela {

// Positions and sizes of the window are kept in twips, 1440 to the inch: 15 to a pixel at
// 96 dots per inch. Qt's high-DPI scaling takes the pixels on from there.
inline constexpr int kTwipsPerPixel = 15;

// Pixels from twips; every value in the layout is a whole number of pixels.
//   toPixels(4680) -> 312
constexpr int toPixels(int twips) { return twips / kTwipsPerPixel; }

// The window's client area.
inline constexpr int kClientWidthTwips = 4680;
inline constexpr int kClientHeightTwips = 7545;

enum class ControlKind { PictureBox, Label, TextField, Frame, OptionButton, Line };

// What a control's position is measured from.
enum class Container { Window, Frame1 };

// One control of the window. An option button has no name of its own: it is named after its
// entry ("Option" and the number of its OptionId) and takes its caption from the conversion
// table. A line runs from (left, top) to (left + width, top) and has no height.
struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  OptionId option;
  std::string_view caption;
  Container container;
  int left, top, width, height;  // twips, from the container's top-left corner
  int tabIndex;                  // -1 for the lines, which never take the focus
};

// Tab index of a control that is outside the tab order.
inline constexpr int kNoTabIndex = -1;

// Every control of Form1, those of the window from top to bottom, then those of Frame1.
// The frame comes before the controls it holds.
inline constexpr auto kForm1Layout = [] {
  using enum ControlKind;
  using enum Container;
  using enum OptionId;
  constexpr OptionId none{};
  return std::to_array<ControlLayout>({
      {"Picture1", PictureBox, none, "", Window, 120, 120, 1575, 735, 4},
      {"Label4", Label, none,
       "TRAMELA - utilizzare la virgola come separatore dei decimali (non il punto).", Window,
       1920, 120, 2535, 735, 8},
      {"dati1", TextField, none, "", Window, 2520, 960, 1815, 375, 5},
      {"Label3", Label, none, "Inserire i dati da convertire", Window, 360, 1080, 2055, 255, 7},
      {"Frame1", Frame, none, "CONVERSIONI", Window, 240, 1560, 4215, 4575, 0},
      {"Label5", Label, none, "RISULTATO CONVERSIONE", Window, 480, 6360, 2535, 255, 9},
      {"Label1", Label, none, "", Window, 480, 6720, 3705, 585, 3},
      {"Line2", Line, none, "", Window, 360, 7320, 3840, 0, kNoTabIndex},
      {"", OptionButton, Option5, "", Frame1, 240, 360, 2895, 255, 6},
      {"Line1", Line, none, "", Frame1, 240, 720, 2760, 0, kNoTabIndex},
      {"", OptionButton, Option1, "", Frame1, 240, 840, 1695, 195, 1},
      {"", OptionButton, Option2, "", Frame1, 240, 1200, 1695, 195, 2},
      {"", OptionButton, Option3, "", Frame1, 240, 1560, 2775, 255, 10},
      {"", OptionButton, Option4, "", Frame1, 240, 1920, 2775, 255, 11},
      {"", OptionButton, Option6, "", Frame1, 240, 2280, 2775, 255, 12},
      {"", OptionButton, Option7, "", Frame1, 240, 2640, 2895, 255, 13},
      {"", OptionButton, Option8, "", Frame1, 240, 3000, 2775, 255, 14},
      {"", OptionButton, Option9, "", Frame1, 240, 3360, 2775, 255, 15},
      {"", OptionButton, Option10, "", Frame1, 240, 3720, 2775, 255, 16},
      {"", OptionButton, Option11, "", Frame1, 240, 4080, 2775, 255, 17},
  });
}();

// The highest tab index in the layout; indexes run from 0 to it without gaps.
inline constexpr int kLastTabIndex = 17;

// Every control but the lines takes the focus, at one tab index each: they run from 0 to
// kLastTabIndex without gaps or repeats.
static_assert([] {
  std::array<int, kLastTabIndex + 1> seen{};
  int counted = 0;
  for (const ControlLayout& c : kForm1Layout) {
    if ((c.kind == ControlKind::Line) != (c.tabIndex == kNoTabIndex)) return false;
    if (c.tabIndex == kNoTabIndex) continue;
    if (c.tabIndex < 0 || c.tabIndex > kLastTabIndex || seen[c.tabIndex]++ != 0) return false;
    ++counted;
  }
  return counted == kLastTabIndex + 1;
}());

// A layout that does not come out in whole pixels is a typing mistake.
constexpr bool inWholePixels(const ControlLayout& c) {
  return c.left % kTwipsPerPixel == 0 && c.top % kTwipsPerPixel == 0 &&
         c.width % kTwipsPerPixel == 0 && c.height % kTwipsPerPixel == 0;
}
static_assert([] {
  for (const ControlLayout& c : kForm1Layout) {
    if (!inWholePixels(c)) return false;
  }
  return kClientWidthTwips % kTwipsPerPixel == 0 && kClientHeightTwips % kTwipsPerPixel == 0;
}());

}  // namespace tramela
