// The moon of the day: a lit disc for a phase, and the soft moon drawn through it.
#pragma once

#include <QImage>

namespace orbisca::gfx {

inline constexpr int kMinMoonSize = 20;
inline constexpr int kMaxMoonSize = 2000;
inline constexpr int kSoftMoonSize = 60;

// Paints phase p (0..100, the percentage of the lunation: 0 new, 25 first quarter, 50 full,
// 75 last quarter) into a square image of side W (kMinMoonSize..kMaxMoonSize): a white lit part
// on black, lit on the right while waxing (p < 50) and on the left while waning, with a band of
// grey steps along the terminator. Throws std::invalid_argument for a phase or side out of range.
QImage DrawMoon(int phase, int size);

// The 60 x 60 mask of the soft moon: the 100 x 100 moon drawing of the phase, softened with the
// mean filter over the whole square and stretched to 60 x 60.
QImage SoftMoonMask(int phase);

// Draws the soft moon onto target at (x, y): moonPicture (with black as its transparent colour,
// cut to 60 x 60) shows where the disc is lit and the target where it is dark, with the softened
// edge in between. Returns the MaskDraw result code (0 when drawn).
int DrawSoftMoon(QImage& target, int phase, const QImage& moonPicture, int x, int y);

}  // namespace orbisca::gfx
