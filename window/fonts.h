#pragma once

#include <QFont>

namespace tramela {

// The window's default font, used by every control but Label1. The toolkit's own default
// (DejaVu Sans 9 pt on Debian) is too wide for the captions' boxes; Liberation Sans, metric
// twin of Arial, at 8 pt fits them all.
QFont windowFont();

// The result's font: Verdana bold 14.25 pt, DejaVu Sans where Verdana is missing.
QFont resultFont();

}  // namespace tramela
