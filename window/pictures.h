#pragma once

#include <QIcon>
#include <QPixmap>

namespace tramela {

// The calculator, 32 x 32 in 16 colours: the window's and the application's icon.
//   calculatorIcon().pixmap(32, 32).size() -> 32 x 32
QIcon calculatorIcon();

// The logo shown in Picture1, 100 x 41, with a transparent background.
//   logoPixmap().size() -> 100 x 41; logoPixmap().toImage().pixelColor(0, 0).alpha() -> 0
QPixmap logoPixmap();

}  // namespace tramela
