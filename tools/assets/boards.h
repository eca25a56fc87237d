#pragma once

#include <QImage>

namespace orbisca::assets {

// The boards of the Zolkin, wavespell and wings views, drawn where layouts.h puts their cells.
// Each is opaque: its ground never takes the black key.
QImage zolkinBoard();
QImage wavespellBoard();
QImage wingsBoard();

// The ground every board starts from (ARGB): the frame's night colour at its edges, a little
// lighter towards its middle.
QImage boardCanvas(QSize size);

// The wave mark: the thirteen places of a wavespell in their U.
QImage waveMark(int size);

}  // namespace orbisca::assets
