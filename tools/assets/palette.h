// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRgb>

namespace orbisca::assets {

// The frame colour of the full-mode window; every soft edge is blended towards it because the
// pictures are drawn on it (or on the equally dark panels of the compact face).
inline constexpr QRgb kNight = qRgb(7, 0, 35);

// Colour keys of the element pictures: black for most, a light grey-brown for the small signs,
// the small tones and one size-35 sign. Neither may appear inside a picture.
inline constexpr QRgb kKeyBlack = qRgb(0, 0, 0);
inline constexpr QRgb kKeyLight = qRgb(216, 208, 200);

// The four colour families (red, white, blue, yellow) that signs, cromatics and plasmas share.
struct Family {
    QColor light;  // top of a cartouche
    QColor deep;   // bottom of a cartouche
    QColor rim;    // outline of a cartouche
    QColor ink;    // the emblem drawn on the cartouche
    QColor pure;   // a single flat colour of the family (small marks, frames)
};

const Family& familyOf(int index);       // index 0 red, 1 white, 2 blue, 3 yellow
const Family& signFamily(int sign);      // (sign - 1) mod 4, sign 20 (or 0) yellow
const Family& plasmaFamily(int plasma);  // the colour order of the exported plasma glyphs

inline QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

inline constexpr QRgb kGold = qRgb(226, 184, 92);
inline constexpr QRgb kGoldDim = qRgb(150, 112, 52);
inline constexpr QRgb kIvory = qRgb(250, 238, 206);

}  // namespace orbisca::assets
