// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

namespace orbisca::assets {

// The highlights are blended into the frame through a grey-level mask. The mask is a halo: it is
// brightest just outside `core` (the day's cell or group of pictures, in picture pixels), fades to
// black at the picture's edges, and stays clear over the core, so that the day's pictures show
// through undimmed.
QImage haloMask(QSize size, const QRectF& core);
QImage haloPicture(QSize size, const QRectF& core, QColor glow);

// A pulsar line is stamped with a small round brush: a soft disc through its mask.
QImage brushMask(int size);
QImage brushPicture(int size, QColor colour);

}  // namespace orbisca::assets
