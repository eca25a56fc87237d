// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRgb>
#include <QSize>
#include <QString>

namespace orbisca::assets {

// A transparent ARGB canvas to draw one picture on, and a painter set up for smooth vector work.
QImage transparentCanvas(QSize size);
void smoothPainter(QPainter& p);

// Turns a drawn ARGB canvas into the 24-bit picture: fully transparent pixels around the figure
// become the colour key, every other pixel is laid over `under` (so a soft edge fades into the
// background it will be drawn on; a transparent pocket that the figure closes in takes `under`
// itself rather than showing as a hole), and a pixel that would come out equal to the key is
// nudged off it. An open outline (a frame drawn round other pictures) keeps its inside clear.
enum class Inside { Filled, Open };
QImage flattenOnKey(const QImage& canvas, QRgb key, QRgb under, Inside inside = Inside::Filled);

// Fills a 24-bit picture with `fill` and lays the canvas over it (for pictures without a key).
QImage flattenOnto(const QImage& canvas, QRgb fill);

// The canvas's coverage as a grey-level picture: white where it is opaque, black where it is
// transparent. This is the mask through which the compact window blends a picture.
QImage alphaAsGrey(const QImage& canvas);

// A sprite drawn through a mask: the canvas's colours with their transparency taken out (`fill`
// where it is fully transparent), and its coverage as the grey-level mask.
QImage spriteColours(const QImage& canvas, QRgb fill);

// The picture with `margin` columns of its key added on its left: a view that places it by its
// left edge shows it that much further right.
QImage withLeftMargin(const QImage& picture, int margin, QRgb key);

// The nearest colour to `c` that differs from `key` (one step on the channel with most room).
QRgb avoidKey(QRgb c, QRgb key);

// A 24-bit Windows bitmap with bottom-up rows padded to four bytes, as Windows programs write it.
QByteArray encodeBmp24(const QImage& image);

}  // namespace orbisca::assets
