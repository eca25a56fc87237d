// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace orbisca::assets {

// The telectonon board and the sprites the board view blends onto it through their masks.
QImage telectononBoard();

QImage dayCursor(int size);              // tlcr: the frame round the day's sign in its field
QImage dayCursorMask(int size);          // tlcrA
enum class DialMarker { Outer, Inner };  // tlstB on the sign and day rings, tlstW on the others
QImage dialMarkerPicture(DialMarker marker, int size);
QImage dialMarkerMask(int size);  // tlstA

// The walking pieces are turtles seen from above; the picture digit is the pose: 0 walking
// right, 1 up, 2 left, 3 resting.
enum class Piece { Yellow, White, Green };
QImage piecePicture(Piece piece, int pose, int size);
QImage pieceMask(int pose, int size);  // trA0..3, one for the three colours of a pose

// The gems of the pyramid: G the day's sign, R, W, B, Y its partners of each colour.
enum class Gem { Generic, Red, White, Blue, Yellow };
QImage gemPicture(Gem gem, int size);
QImage gemMask(int size);  // tlpyrA

}  // namespace orbisca::assets
