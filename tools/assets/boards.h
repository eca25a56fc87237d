// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>

#include "elements.h"
#include "palette.h"

namespace orbisca::assets {

// The boards of the Zolkin, wavespell and wings views, drawn where layouts.h puts their cells.
// Each is opaque: its ground never takes the black key.
QImage zolkinBoard();
// On screen, or in light inks for the picture form of a printed page (Medium from elements.h).
QImage wavespellBoard(Medium medium = Medium::Screen);
QImage wingsBoard();

// The ground every board starts from (ARGB): the frame's night colour at its edges, a little
// lighter towards its middle (or `ground` with `glow` in the middle).
QImage boardCanvas(QSize size, QRgb ground = kNight, QColor glow = QColor(30, 18, 76));

// The wave mark: the thirteen places of a wavespell in their U.
QImage waveMark(int size);

}  // namespace orbisca::assets
