#pragma once

#include <QFont>

namespace tramela {

// The window's default font, used by every control but Label1. The toolkit's own default
// (DejaVu Sans 9 pt on Debian) is too wide for the captions' boxes; Liberation Sans, metric
// twin of Arial, at 8 pt fits them all. On Windows, Arial itself; DejaVu Sans stands in
// where both are missing.
//   windowFont().families() -> {"Liberation Sans", "Arial", "DejaVu Sans", "sans-serif"}, 8 pt
QFont windowFont();

// The result's font: Verdana bold 14.25 pt (every Windows has it), DejaVu Sans where
// Verdana is missing.
//   resultFont().families().front() -> "Verdana"; on Debian it is drawn in DejaVu Sans Bold
QFont resultFont();

}  // namespace tramela
