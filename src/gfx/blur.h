// SPDX-License-Identifier: GPL-3.0-or-later
// The 3 x 3 mean filter that softens a canvas or a moon disc.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>

namespace orbisca::gfx {

// Called once per filtered row, before the row is written: done rows of the range so far
// (0 for the first) and the range's span (last row - first row; 0 for a one-row range).
using BlurProgress = std::function<void(int done, int span)>;

// The gauge position for a progress report: round(done * scale / span), ties to even, and
// scale itself for a one-row range (span 0) instead of a division by zero.
int blurGauge(int done, int span, int scale = 100);

// Filters the columns area.left()..area.right() and rows area.top()..area.bottom() (all
// inclusive) of bitmap, which becomes Format_RGB888. Every output pixel is the mean of the
// 3 x 3 block around it in the unfiltered input, each channel's sum divided by 9 and truncated.
// The row above row 0 is row 0 itself and the row below the last row is the last row; the
// column right of the last column is the last column itself. Column 0 has no left neighbour and
// is never changed; pixels outside the range keep their values. The range is clipped to the
// image. Only three rows of sums are held aside, never a second whole image.
void meanFilter(QImage& bitmap, const QRect& area, const BlurProgress& progress = {});

}  // namespace orbisca::gfx
