// SPDX-License-Identifier: GPL-3.0-or-later
// Window outlines cut from mask pictures.
#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>

namespace orbisca::gfx {

enum class RegionMode {
    KeepDiffering = 0,  // a pixel belongs when its red, green and blue all differ from the key's
    KeepEqual = 1,      // a pixel belongs when it equals the key colour
};

// The region a mask picture describes. Pixels are read row by row from the top, each row from
// the left. A pixel with red 255, green below 50 and blue 0 is a marker and never a pixel of the
// region: markers with green exactly 0 pair up in that scan order (across rows) and each pair adds
// the rectangle spanned by its two pixels, both included; a marker left without partner adds
// nothing, and markers with green 1..49 add nothing. Every other pixel belongs by the mode.
// The region is built from horizontal runs, stacked into bands, never pixel by pixel.
QRegion bitmapToRegion(const QImage& bitmap, QRgb key, RegionMode mode);

// The area of a region in pixels (its rectangles never overlap).
long long regionArea(const QRegion& region);

}  // namespace orbisca::gfx
