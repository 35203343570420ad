#pragma once

#include <QImage>

// The title logo of the splash window, 245 x 45, on the splash's right-area colour: the name in
// white letter-spaced serif capitals over a thin yellow rule, a brilliant-cut outline at its left.
QImage DrawTitleLogo();
