// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRgb>

#include "palette.h"

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
QImage extraDayEmblem(int size);  // the plasma socket's picture on the day out of time

// Where a picture is seen: on the screen's night frame, or on the paper of a printed page in
// picture form, where the texts over it are black.
enum class Medium { Screen, Paper };

QImage moonDayMark(int mark, int size, Medium medium = Medium::Screen);  // mark 1..8
QImage yearGridFrame(int cromatic, QSize size);
QImage dotPicture(int size, bool ringed);

// The coloured ground of a cartouche or disc: a family gradient with a rim and a soft highlight.
void paintGround(QPainter& p, const QPainterPath& shape, int size, const Family& f);

// Shapes the pictures share with the glyph fonts.
// The rounded square a sign stands on, filling `box`: corners of a fifth of its side, or of
// `minRadius` when that is more.
QPainterPath cartoucheShape(const QRectF& box, qreal minRadius = 0);
// The waxing crescent of the moon-day glyph: a disc of radius r less a bite.
QPainterPath crescentShape(QPointF centre, qreal r);
// The emblem's margin inside a plain sign's cartouche and a plasma's disc, as a part of the side.
inline constexpr qreal kSignInset = 0.16;
inline constexpr qreal kPlasmaInset = 0.12;
// The tones that stand on a sign (the views' tones and their glyphs) keep their numeral to the
// upper part of their box, so that the bars end clear of the sign below them.
inline constexpr qreal kToneOnSignHeight = 0.9;

}  // namespace orbisca::assets
