#pragma once

#include <QImage>
#include <QRgb>

namespace orbisca::assets {

// Pictures of the calendar elements, each returned as a 24-bit picture of the given size on its
// colour key (masks are grey levels, white where the picture shows).

enum class SignStyle { Main, Plain };  // Main: the gold-ringed sign of the day; Plain: all others

QImage signPicture(int sign, int size, SignStyle style, QRgb key);
// The same sign still on its transparent canvas, to be laid onto a board.
QImage signArt(int sign, int size, SignStyle style);
QImage signMask(int size, SignStyle style);

QImage tonePicture(int tone, QSize size, bool glow);
QImage toneMask(int tone, QSize size);
QImage tinyTonePicture(int tone, int cromatic, QSize size);

QImage plasmaPicture(int plasma, int size);
QImage plasmaMask(int size);

QImage moonDayMark(int mark, int size);  // mark 1..8
QImage yearGridFrame(int cromatic, QSize size);
QImage dotPicture(int size, bool ringed);

}  // namespace orbisca::assets
