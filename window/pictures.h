#pragma once

#include <QIcon>
#include <QPixmap>

namespace tramela {

// The calculator, 32 x 32 in 16 colours: the window's and the application's icon.
QIcon calculatorIcon();

// The logo shown in Picture1, 100 x 41, with a transparent background.
QPixmap logoPixmap();

}  // namespace tramela
