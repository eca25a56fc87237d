// SPDX-License-Identifier: GPL-3.0-or-later
// Text large enough that Qt fills its glyph outlines instead of drawing cached glyphs, drawn
// faster to the same pixels.
//
// QPainter fills the outlines of a whole run of glyphs as one path. Its rasterizer keeps the cells
// of a row in a sorted list, so a line of large text costs the square of its width, and the
// raster engine hands every batch of spans to the global thread pool. Here the outlines are taken
// from QPainter as it would fill them and cut into lines in the 64ths of a pixel its rasterizer
// receives, then into groups of glyphs that share no pixel. The coverage of a group depends only
// on those points relative to its first pixel: it is rasterized once on a small mask, kept, and
// blended wherever the same glyph falls at the same fraction of a pixel, as the raster engine
// blends it. Each pixel gets the same coverage from the same edges and is blended once, as
// before.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRgb>
#include <QString>
#include <optional>
#include <utility>

namespace orbisca {

// True when QPainter draws `font` on a 24-bit image by filling glyph outlines.
bool drawnAsOutlines(const QFont& font);

// Draws `text` with its baseline starting at `origin` in `font` and `colour` onto `canvas`: the
// pixels QPainter::drawText gives there (by QPainter itself when `origin` is not a whole pixel).
// Gives the first and last rows it may have changed (none when first > last), or nothing when
// QPainter drew the text itself.
std::optional<std::pair<int, int>> drawOutlineText(QImage& canvas, const QFont& font, QRgb colour,
                                                   QPointF origin, const QString& text);

}  // namespace orbisca
