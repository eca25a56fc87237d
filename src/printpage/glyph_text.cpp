// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/glyph_text.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "gfx/pixels.h"

namespace orbisca {

namespace {

// The masks kept, at most: a page of many fonts and sizes takes a few megabytes.
constexpr std::size_t kMaxMaskBytes = std::size_t(16) << 20;
// The colours of the check: channels far apart, none 0 or 255, so that a glyph drawn in its own
// colours, or blended any other way, differs.
constexpr QRgb kCheckBackground = qRgb(0x5a, 0xa7, 0x2d);
constexpr QRgb kCheckColour = qRgb(0xc9, 0x36, 0x91);
// Positions this far from the canvas are left to QPainter: their 64ths overflow an int.
constexpr double kMaxPosition = double(1 << 24);

// Draws glyph `glyph` of `font` with its position at `at` onto `image` in `colour`.
void drawGlyph(QImage& image, const QRawFont& font, quint32 glyph, QPointF at, QRgb colour) {
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    QPainter painter(&image);
    painter.setPen(QColor(colour));
    painter.drawGlyphRun(at, run);
}

// Blends `colour` through `mask` onto the 24-bit `canvas` with the mask's first byte at (x, y).
void blendMask(QImage& canvas, const GlyphMask& mask, int x, int y, const std::uint8_t colour[3]) {
    const int left = std::max(x, 0), right = std::min(x + mask.width, canvas.width());
    const int top = std::max(y, 0), bottom = std::min(y + mask.height, canvas.height());
    if (left >= right || top >= bottom) return;
    uchar* const bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    for (int row = top; row < bottom; ++row) {
        const std::uint8_t* coverage =
            mask.coverage.data() + qsizetype(row - y) * mask.width + (left - x);
        uchar* pixel = bits + row * stride + qsizetype(left) * 3;
        for (int i = left; i < right; ++i, ++coverage, pixel += 3) {
            const std::uint8_t c = *coverage;
            if (c == 0) continue;
            pixel[0] = gfx::mix(pixel[0], colour[0], c);
            pixel[1] = gfx::mix(pixel[1], colour[1], c);
            pixel[2] = gfx::mix(pixel[2], colour[2], c);
        }
    }
}

void colourBytes(QRgb colour, std::uint8_t bytes[3]) {
    bytes[0] = std::uint8_t(qRed(colour));
    bytes[1] = std::uint8_t(qGreen(colour));
    bytes[2] = std::uint8_t(qBlue(colour));
}

// The coverage of the white-on-black take `white`, cropped to its ink, as a mask for a glyph
// whose whole pixel was at `origin`, usable until checked; not usable when the ink is not grey (a
// glyph in colours of its own); nothing when the ink reaches the border (the glyph may go on past
// it).
std::optional<GlyphMask> coverageOf(const QImage& white, QPoint origin) {
    int inkLeft = INT_MAX, inkRight = -1, inkTop = INT_MAX, inkBottom = -1;
    for (int y = 0; y < white.height(); ++y) {
        const uchar* row = white.constScanLine(y);
        for (int x = 0; x < white.width(); ++x) {
            const uchar* p = row + qsizetype(x) * 3;
            if ((p[0] | p[1] | p[2]) == 0) continue;
            if (p[0] != p[1] || p[1] != p[2]) return GlyphMask{};
            inkLeft = std::min(inkLeft, x);
            inkRight = std::max(inkRight, x);
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y);
        }
    }
    GlyphMask mask;
    mask.usable = true;
    if (inkRight < 0) return mask;  // a glyph without ink
    if (inkLeft == 0 || inkTop == 0 || inkRight == white.width() - 1 ||
        inkBottom == white.height() - 1)
        return std::nullopt;
    mask.left = inkLeft - origin.x();
    mask.top = inkTop - origin.y();
    mask.width = inkRight - inkLeft + 1;
    mask.height = inkBottom - inkTop + 1;
    mask.coverage.reserve(std::size_t(mask.width) * std::size_t(mask.height));
    for (int y = inkTop; y <= inkBottom; ++y) {
        const uchar* row = white.constScanLine(y);
        for (int x = inkLeft; x <= inkRight; ++x) mask.coverage.push_back(row[qsizetype(x) * 3]);
    }
    return mask;
}

// The mask of `glyph` at the given 64ths of a pixel, taken and checked as the header says.
GlyphMask takeMask(const QRawFont& font, quint32 glyph, int fractionX, int fractionY) {
    const QRectF box = font.boundingRect(glyph);
    for (const qreal edge : {box.left(), box.top(), box.right(), box.bottom()})
        if (!(std::abs(edge) < 4096)) return {};
    // Room around the glyph's box, which antialiasing and hinting may pass by a pixel or two; a
    // take whose ink still reaches the border is taken again with more.
    for (int margin = 4; margin <= 64; margin *= 4) {
        const QPoint origin(margin - qFloor(box.left()), margin - qFloor(box.top()));
        const int width = qCeil(box.right()) + origin.x() + margin;
        const int height = qCeil(box.bottom()) + origin.y() + margin;
        if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return {};
        const QPointF at(origin.x() + fractionX / 64.0, origin.y() + fractionY / 64.0);
        QImage white(width, height, QImage::Format_RGB888);
        white.fill(Qt::black);
        drawGlyph(white, font, glyph, at, qRgb(255, 255, 255));
        std::optional<GlyphMask> mask = coverageOf(white, origin);
        if (!mask) continue;
        if (!mask->usable) return *mask;
        QImage drawn(width, height, QImage::Format_RGB888);
        drawn.fill(kCheckBackground);
        QImage expected = drawn;
        drawGlyph(drawn, font, glyph, at, kCheckColour);
        std::uint8_t colour[3];
        colourBytes(kCheckColour, colour);
        blendMask(expected, *mask, origin.x() + mask->left, origin.y() + mask->top, colour);
        mask->usable = drawn == expected;
        return *mask;
    }
    return {};
}

}  // namespace

GlyphMasks::FontMasks& GlyphMasks::of(const QRawFont& font) {
    for (const std::unique_ptr<FontMasks>& f : fonts_)
        if (f->font == font) return *f;
    fonts_.push_back(std::make_unique<FontMasks>());
    fonts_.back()->font = font;
    return *fonts_.back();
}

const GlyphMask& GlyphMasks::mask(FontMasks& font, quint32 glyph, int fractionX, int fractionY) {
    fractionX &= 63;
    fractionY &= 63;
    const std::uint64_t key =
        (std::uint64_t(glyph) << 12) | std::uint64_t(fractionX << 6 | fractionY);
    auto entry = font.masks.find(key);
    if (entry == font.masks.end()) {
        entry = font.masks.emplace(key, takeMask(font.font, glyph, fractionX, fractionY)).first;
        bytes_ += entry->second.coverage.size() + sizeof(GlyphMask) + sizeof(key);
    }
    return entry->second;
}

void GlyphMasks::trim() {
    if (bytes_ <= kMaxMaskBytes) return;
    fonts_.clear();
    bytes_ = 0;
}

std::optional<std::vector<PlacedGlyph>> placeGlyphRuns(GlyphMasks& masks, QPointF position,
                                                       const QList<QGlyphRun>& runs) {
    std::vector<PlacedGlyph> placed;
    for (const QGlyphRun& run : runs) {
        if (run.overline() || run.underline() || run.strikeOut()) return std::nullopt;
        const QRawFont font = run.rawFont();
        if (!font.isValid()) continue;
        GlyphMasks::FontMasks& fontMasks = masks.of(font);
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const qsizetype count = std::min(glyphs.size(), positions.size());
        for (qsizetype i = 0; i < count; ++i) {
            // The position in 64ths of a pixel, truncated, as QPainter takes it.
            const QPointF at = position + positions[i];
            if (!(std::abs(at.x()) < kMaxPosition && std::abs(at.y()) < kMaxPosition))
                return std::nullopt;
            const int x = int(at.x() * 64), y = int(at.y() * 64);
            const GlyphMask& mask = masks.mask(fontMasks, glyphs[i], x, y);
            if (!mask.usable) return std::nullopt;
            if (mask.width > 0)
                placed.push_back({&mask, (x >> 6) + mask.left, (y >> 6) + mask.top});
        }
    }
    return placed;
}

std::pair<int, int> blendGlyphs(QImage& canvas, const std::vector<PlacedGlyph>& glyphs,
                                QRgb colour) {
    std::uint8_t bytes[3];
    colourBytes(colour, bytes);
    int first = INT_MAX, last = INT_MIN;
    for (const PlacedGlyph& p : glyphs) {
        blendMask(canvas, *p.mask, p.x, p.y, bytes);
        first = std::min(first, std::max(p.y, 0));
        last = std::max(last, std::min(p.y + p.mask->height - 1, canvas.height() - 1));
    }
    if (glyphs.empty()) return {0, -1};
    return {first, last};
}

}  // namespace orbisca
