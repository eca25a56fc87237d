// SPDX-License-Identifier: GPL-3.0-or-later
// Small text drawn onto 24-bit images from glyph masks kept here, to the pixels QPainter draws.
//
// QPainter draws a glyph small enough for its glyph cache by blending the glyph's coverage mask
// into the image; on a 24-bit image it widens every pixel of the mask's box to 64-bit colour,
// blends and narrows it back, one pixel at a time, so that a page of small text costs ten times
// what its pixels need. That blend gives round((image (255 - c) + colour c) / 255) for every
// channel and coverage c, the 8-bit mix the other drawing operations use.
//
// A glyph's mask depends only on its font, its index and where its position falls within a pixel
// (QPainter rounds positions to 64ths of a pixel), so it is taken once from QPainter itself: the
// glyph drawn white on black, whose pixels are then its coverage. Each mask is checked once
// against QPainter drawing the same glyph in a colour over another: a glyph QPainter draws some
// other way (a colour glyph, blending corrected for gamma) is marked, and a text that holds one is
// left to QPainter.
#pragma once

#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRgb>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orbisca {

// A glyph's coverage at one position within a pixel: `width` x `height` bytes, the first at
// (left, top) from the pixel the position falls in. Not `usable` when QPainter does not draw the
// glyph as its coverage blended in the pen's colour.
struct GlyphMask {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> coverage;
    bool usable = false;
};

// The masks taken so far, by font, glyph and position within a pixel.
class GlyphMasks {
public:
    struct FontMasks {
        QRawFont font;  // held, so that its engine stays the one the masks were taken from
        std::unordered_map<std::uint64_t, GlyphMask> masks;
    };

    // The masks of `font`'s glyphs; none yet the first time.
    FontMasks& of(const QRawFont& font);
    // The mask of `glyph` of `font` at a position whose 64ths of a pixel past the whole pixel are
    // (fractionX, fractionY), each 0..63; taken from QPainter the first time.
    const GlyphMask& mask(FontMasks& font, quint32 glyph, int fractionX, int fractionY);
    // Empties the masks when they hold more than a few megabytes.
    void trim();

private:
    std::vector<std::unique_ptr<FontMasks>> fonts_;
    std::size_t bytes_ = 0;
};

// A glyph's mask where a text puts it: its first byte at (x, y).
struct PlacedGlyph {
    const GlyphMask* mask;
    int x, y;
};

// Where the masks of the glyph runs of a shaped text fall with the runs' origin at `position`, in
// drawing order, as QPainter::drawGlyphRun places the glyphs; nothing when some glyph is not one
// the masks can draw (QPainter must draw the text then). The places point into `masks`: good
// until its next trim.
std::optional<std::vector<PlacedGlyph>> placeGlyphRuns(GlyphMasks& masks, QPointF position,
                                                       const QList<QGlyphRun>& runs);

// Blends `colour` through the placed masks onto the 24-bit `canvas`, the pixels
// QPainter::drawGlyphRun gives there. Gives the first and last rows it may have changed (first >
// last when none).
std::pair<int, int> blendGlyphs(QImage& canvas, const std::vector<PlacedGlyph>& glyphs,
                                QRgb colour);

}  // namespace orbisca
