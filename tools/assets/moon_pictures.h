// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace orbisca::assets {

// The full moon's face, a disc filling a square of `size`, on black outside the disc.
// Colour for the screen and printed colour pages; grey for black-and-white printing.
QImage moonPicture(int size, bool colour);

}  // namespace orbisca::assets
