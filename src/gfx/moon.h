// SPDX-License-Identifier: GPL-3.0-or-later
// The moon of the day: a lit disc for a phase, and a moon picture drawn through it.
#pragma once

#include <QImage>

namespace orbisca::gfx {

inline constexpr int kMinMoonSize = 20;
inline constexpr int kMaxMoonSize = 2000;

// Paints phase p (0..100, the percentage of the lunation: 0 new, 25 first quarter, 50 full,
// 75 last quarter) into a square image of side W (kMinMoonSize..kMaxMoonSize): a white lit part
// on black, lit on the right while waxing (p < 50) and on the left while waning, with a band of
// grey steps along the terminator. Throws std::invalid_argument for a phase or side out of range.
QImage drawMoon(int phase, int size);

// The size x size mask of the moon of a phase: the 100 x 100 drawing shrunk, each pixel the mean
// of the area it covers, so that the tips of a crescent and its edge fade instead of breaking up
// into stray pixels and steps.
QImage moonMask(int phase, int size);

// The moon picture as the moon is drawn from it: its black pixels left out, onto a black
// size x size square (larger pictures are cut at the square's edges).
QImage keyedMoonPicture(const QImage& moonPicture, int size);

// Draws the moon of a phase onto target at (x, y): moonPicture (black in it is transparent; cut to
// size x size) shows where the disc is lit and the target where it is dark. `mirrored` turns the
// lit side around (the moon as seen from the southern hemisphere). Returns the maskDraw result
// code (0 when drawn).
int drawMaskedMoon(QImage& target, const QImage& moonPicture, int phase, int size, int x, int y,
                   bool mirrored);

}  // namespace orbisca::gfx
