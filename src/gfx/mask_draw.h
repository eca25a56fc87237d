// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing one 24-bit picture onto another: through a mask, with a constant opacity, with a
// transparent colour, and stretched.
#pragma once

#include <QImage>
#include <QRgb>

namespace orbisca::gfx {

enum class MaskMode {
    Mask = 0,         // white in the mask shows the picture
    InverseMask = 1,  // black in the mask shows the picture
    Alpha = 2,        // constant opacity alpha; the mask is not used
    ColourKey = 3,    // picture pixels of the mask's top-left colour are left out
};

// What maskDraw returns. Anything but Drawn means nothing was drawn.
enum MaskDrawResult {
    kMaskDrawn = 0,
    kMaskTooWide = 1,  // target narrower than x + picture width
    kMaskTooHigh = 2,  // target lower than y + picture height
    kMaskNegativeX = 3,
    kMaskNegativeY = 4,
    kMaskSizeDiffers = 5,  // mask and picture differ in size (not checked in Alpha mode)
    kMaskUnknownMode = 6,  // a mode value outside the four modes
};

// Draws picture onto target at (x, y), every channel of every pixel separately, each result
// rounded to the nearest integer (T target, P picture, M mask, a alpha, all 0..255):
//   Mask:        T (255 - M) / 255 + P M / 255
//   InverseMask: T M / 255 + P (255 - M) / 255
//   Alpha:       T (255 - a) / 255 + P a / 255
//   ColourKey:   T where P equals the mask's top-left pixel, else P
// The checks run in the order: mask size (5), width (1), height (2), x (3), y (4).
// The target is turned into Format_RGB888 when it is in another format.
int maskDraw(const QImage& picture, QImage& target, const QImage& mask, MaskMode mode, int alpha,
             int x, int y);

// Constant-opacity blend of picture onto target at (x, y) (the cross-fade): the part that lies
// on the target is drawn as in maskDraw's Alpha mode; opacity is clamped to 0..255.
void blendConstant(const QImage& picture, QImage& target, int opacity, int x = 0, int y = 0);

// A sprite through its mask at a constant opacity (the board's markers): every channel becomes
// T + (P - T) (M / 255) (opacity / 255), rounded to the nearest integer. Only the part that lies on
// the target and under both the picture and the mask is drawn.
void blendThroughMask(const QImage& picture, const QImage& mask, QImage& target, int opacity, int x,
                      int y);

// One frame of a cross-fade into target (made the size of outgoing): the background, then
// outgoing blended over it at 255 - opacity, then incoming over that at opacity, each pass rounded
// as blendConstant rounds it, computed in one pass over the pixels. Where the two pictures differ
// in size, only their common part is blended; the rest is background.
void crossFade(const QImage& outgoing, const QImage& incoming, QImage& target, QRgb background,
               int opacity);

// Colour-keyed drawing: copies the pixels of picture that differ from key onto target at (x, y),
// clipped to the target.
void drawTransparent(const QImage& picture, QImage& target, int x, int y, QRgb key);

// The picture scaled smoothly to size with its key colour made transparent (premultiplied ARGB):
// the figure's edges blend into whatever it is drawn on, without a fringe of the key colour.
QImage scaledWithoutKey(const QImage& picture, QRgb key, QSize size);

// The picture stretched to width x height by nearest-neighbour sampling of pixel centres.
QImage stretchImage(const QImage& picture, int width, int height);

// The picture shrunk to width x height (1 up to the picture's own sides): every pixel is the mean
// of the part of the picture it covers, pixels covered in part weighted by their share, so that
// thin lines and edges fade instead of breaking up. Each channel is rounded to the nearest integer.
QImage shrinkImage(const QImage& picture, int width, int height);

}  // namespace orbisca::gfx
