// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace orbisca::assets {

// "tech.dat": for kins 1..260 two lines each, the x and then the y (decimal) of the kin's cell on
// the wings board in frame pixels, as the board is drawn centred at (0, 10).
QByteArray techTable();

// "HRCT.dat": the 70 fields of the telectonon board, each four little-endian signed 32-bit
// integers (left, top, right, bottom) in frame pixels, in the order of Fieldhlp.ktx.
QByteArray helpRectTable();

}  // namespace orbisca::assets
