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

// Turns a drawn ARGB canvas into the 24-bit picture: fully transparent pixels become the colour
// key, every other pixel is laid over `under` (so a soft edge fades into the background it will be
// drawn on), and a pixel that would come out equal to the key is nudged off it.
QImage flattenOnKey(const QImage& canvas, QRgb key, QRgb under);

// Fills a 24-bit picture with `fill` and lays the canvas over it (for pictures without a key).
QImage flattenOnto(const QImage& canvas, QRgb fill);

// The canvas's coverage as a grey-level picture: white where it is opaque, black where it is
// transparent. This is the mask through which the compact window blends a picture.
QImage alphaAsGrey(const QImage& canvas);

// The nearest colour to `c` that differs from `key` (one step on the channel with most room).
QRgb avoidKey(QRgb c, QRgb key);

// A 24-bit Windows bitmap with bottom-up rows padded to four bytes, as Windows programs write it.
QByteArray encodeBmp24(const QImage& image);

}  // namespace orbisca::assets
