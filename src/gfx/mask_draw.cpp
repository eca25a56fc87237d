// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/mask_draw.h"

#include <cmath>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __x86_64__
#include <immintrin.h>
#endif

#include "gfx/parts.h"
#include "gfx/pixels.h"

namespace orbisca::gfx {
namespace {

using Byte = std::uint8_t;

// Below this many bytes a blend stays on one thread: handing parts to the worker costs more.
constexpr qsizetype kSplitBytes = 256 * 1024;

// One row of bytes at constant opacity a.
void blendRowPlain(Byte* __restrict t, const Byte* __restrict p, int bytes, std::uint16_t a) {
    for (int i = 0; i < bytes; ++i) t[i] = mix(t[i], p[i], a);
}

#ifdef ORBISCA_AVX2_LOOPS
// The same sums t (255 - a) + p a with one multiply-add of byte pairs (pmaddubsw) per sixteen
// bytes. Its weights must fit a signed byte, so one of the two takes 128 of its weight apart, as
// a shift: with x = t for a < 128, t (127 - a) + p a + 128 t; else p (a - 128) + t (255 - a) +
// 128 p. Neither product sum passes 255 * 127, so nothing saturates, and the whole stays below
// 65536 as in mix().
template <bool kTargetShifted>
ORBISCA_AVX2 void blendRowAvx2(Byte* __restrict t, const Byte* __restrict p, int bytes,
                               std::uint16_t a) {
    const int targetWeight = kTargetShifted ? 127 - a : 255 - a;
    const int pictureWeight = kTargetShifted ? a : a - 128;
    const __m256i weights = _mm256_set1_epi16(std::int16_t(pictureWeight << 8 | targetWeight));
    const __m256i half = _mm256_set1_epi16(128), by257 = _mm256_set1_epi16(257);
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i tv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + i));
        const __m256i pv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i shifted = kTargetShifted ? tv : pv;
        // Per 128-bit lane, as unpack and pack both work: the bytes keep their order.
        __m256i low = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(tv, pv), weights);
        __m256i high = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(tv, pv), weights);
        low = _mm256_add_epi16(low, _mm256_srli_epi16(_mm256_unpacklo_epi8(zero, shifted), 1));
        high = _mm256_add_epi16(high, _mm256_srli_epi16(_mm256_unpackhi_epi8(zero, shifted), 1));
        // divRound255: the high half of (n + 128) * 257.
        low = _mm256_mulhi_epu16(_mm256_add_epi16(low, half), by257);
        high = _mm256_mulhi_epu16(_mm256_add_epi16(high, half), by257);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + i), _mm256_packus_epi16(low, high));
    }
    for (; i < bytes; ++i) t[i] = mix(t[i], p[i], a);
}
#endif

using BlendRow = void (*)(Byte* __restrict, const Byte* __restrict, int, std::uint16_t);

BlendRow blendRowFor(std::uint16_t a) {
#ifdef ORBISCA_AVX2_LOOPS
    if (hasAvx2()) return a < 128 ? blendRowAvx2<true> : blendRowAvx2<false>;
#else
    (void)a;
#endif
    return blendRowPlain;
}

// One row of a cross-fade: the outgoing row over the background at 255 - a, then the incoming
// row over that at a, each step rounded as blendConstant rounds it.
ORBISCA_PIXEL_LOOP void crossFadeRow(Byte* __restrict t, const Byte* __restrict background,
                                     const Byte* __restrict out, const Byte* __restrict in,
                                     int bytes, std::uint16_t a) {
    const auto rest = std::uint16_t(255 - a);
    for (int i = 0; i < bytes; ++i) t[i] = mix(mix(background[i], out[i], rest), in[i], a);
}

// One row through a mask; inverse swaps the roles of the mask's black and white.
ORBISCA_PIXEL_LOOP void maskRow(Byte* __restrict t, const Byte* __restrict p,
                                const Byte* __restrict m, int bytes, bool inverse) {
    if (inverse) {
        for (int i = 0; i < bytes; ++i) t[i] = mix(t[i], p[i], std::uint16_t(255 - m[i]));
    } else {
        for (int i = 0; i < bytes; ++i) t[i] = mix(t[i], p[i], m[i]);
    }
}

// Copies the pixels of one row that differ from the key colour.
void keyedRow(Byte* t, const Byte* p, int pixels, const Byte key[3]) {
    for (int i = 0; i < pixels; ++i, t += 3, p += 3)
        if (p[0] != key[0] || p[1] != key[1] || p[2] != key[2]) std::memcpy(t, p, 3);
}

int checkPlacement(const QImage& picture, const QImage& target, const QImage& mask, MaskMode mode,
                   int x, int y) {
    const int mi = static_cast<int>(mode);
    if (mi < 0 || mi > 3) return kMaskUnknownMode;
    if (mode != MaskMode::Alpha && mask.size() != picture.size()) return kMaskSizeDiffers;
    if (target.width() < x + picture.width()) return kMaskTooWide;
    if (target.height() < y + picture.height()) return kMaskTooHigh;
    if (x < 0) return kMaskNegativeX;
    if (y < 0) return kMaskNegativeY;
    return kMaskDrawn;
}

void keyBytes(QRgb key, Byte out[3]) {
    out[0] = Byte(qRed(key));
    out[1] = Byte(qGreen(key));
    out[2] = Byte(qBlue(key));
}

}  // namespace

int maskDraw(const QImage& picture, QImage& target, const QImage& mask, MaskMode mode, int alpha,
             int x, int y) {
    const int code = checkPlacement(picture, target, mask, mode, x, y);
    if (code != kMaskDrawn || picture.isNull()) return code;
    if (mode == MaskMode::Alpha) {
        blendConstant(picture, target, alpha, x, y);
        return kMaskDrawn;
    }
    const QImage p = asRgb888(picture);
    const QImage m = asRgb888(mask);
    if (mode == MaskMode::ColourKey) {
        drawTransparent(p, target, x, y, m.pixel(0, 0));
        return kMaskDrawn;
    }
    makeRgb888(target);
    const int bytes = p.width() * 3;
    for (int row = 0; row < p.height(); ++row)
        maskRow(target.scanLine(y + row) + x * 3, p.constScanLine(row), m.constScanLine(row), bytes,
                mode == MaskMode::InverseMask);
    return kMaskDrawn;
}

void blendConstant(const QImage& picture, QImage& target, int opacity, int x, int y) {
    const QRect area = QRect(x, y, picture.width(), picture.height()).intersected(target.rect());
    if (area.isEmpty()) return;
    const QImage p = asRgb888(picture);
    makeRgb888(target);
    const auto a = std::uint16_t(std::clamp(opacity, 0, 255));
    Byte* const to = target.bits() + area.top() * target.bytesPerLine() + area.left() * 3;
    const Byte* const from =
        p.constBits() + (area.top() - y) * p.bytesPerLine() + (area.left() - x) * 3;
    const int rowBytes = area.width() * 3;
    // A picture the size of the compact window and up is worth the second core.
    const int parts = qsizetype(rowBytes) * area.height() < kSplitBytes ? 1 : 8;
    const BlendRow blendRow = blendRowFor(a);
    runRowParts(area.height(), parts, [&](int first, int end) {
        for (int row = first; row < end; ++row)
            blendRow(to + row * target.bytesPerLine(), from + row * p.bytesPerLine(), rowBytes, a);
    });
}

void blendThroughMask(const QImage& picture, const QImage& mask, QImage& target, int opacity, int x,
                      int y) {
    const QSize common = picture.size().boundedTo(mask.size());
    const QRect area = QRect(QPoint(x, y), common).intersected(target.rect());
    if (area.isEmpty()) return;
    const QImage p = asRgb888(picture);
    const QImage m = asRgb888(mask);
    makeRgb888(target);
    // M opacity / (255 * 255) as a share of kWhole; kWhole is odd, so no sum lies halfway.
    constexpr std::uint32_t kWhole = 255 * 255;
    const auto a = std::uint32_t(std::clamp(opacity, 0, 255));
    for (int row = area.top(); row <= area.bottom(); ++row) {
        Byte* t = target.scanLine(row) + area.left() * 3;
        const int offset = (area.left() - x) * 3;
        const Byte* src = p.constScanLine(row - y) + offset;
        const Byte* weight = m.constScanLine(row - y) + offset;
        for (int i = 0; i < area.width() * 3; ++i) {
            const std::uint32_t w = weight[i] * a;
            const std::uint32_t sum = t[i] * (kWhole - w) + src[i] * w;
            t[i] = Byte((2 * sum + kWhole) / (2 * kWhole));
        }
    }
}

void crossFade(const QImage& outgoing, const QImage& incoming, QImage& target, QRgb background,
               int opacity) {
    const QImage out = asRgb888(outgoing);
    const QImage in = asRgb888(incoming);
    if (target.size() != out.size() || target.format() != QImage::Format_RGB888 ||
        !target.isDetached())
        target = QImage(out.size(), QImage::Format_RGB888);
    const int width = std::min(out.width(), in.width());
    const int height = std::min(out.height(), in.height());
    if (in.size() != out.size()) target.fill(QColor(background));
    std::vector<Byte> backgroundRow(std::size_t(width) * 3);
    keyBytes(background, backgroundRow.data());
    for (std::size_t i = 3; i < backgroundRow.size(); ++i) backgroundRow[i] = backgroundRow[i - 3];
    const auto a = std::uint16_t(std::clamp(opacity, 0, 255));
    for (int row = 0; row < height; ++row)
        crossFadeRow(target.scanLine(row), backgroundRow.data(), out.constScanLine(row),
                     in.constScanLine(row), width * 3, a);
}

void drawTransparent(const QImage& picture, QImage& target, int x, int y, QRgb key) {
    const QRect area = QRect(x, y, picture.width(), picture.height()).intersected(target.rect());
    if (area.isEmpty()) return;
    const QImage p = asRgb888(picture);
    makeRgb888(target);
    Byte k[3];
    keyBytes(key, k);
    for (int row = area.top(); row <= area.bottom(); ++row)
        keyedRow(target.scanLine(row) + area.left() * 3,
                 p.constScanLine(row - y) + (area.left() - x) * 3, area.width(), k);
}

QImage scaledWithoutKey(const QImage& picture, QRgb key, QSize size) {
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xff000000u;
    for (int y = 0; y < argb.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if ((row[x] | 0xff000000u) == opaqueKey) row[x] = 0;
    }
    return argb.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage stretchImage(const QImage& picture, int width, int height) {
    QImage out(std::max(width, 0), std::max(height, 0), QImage::Format_RGB888);
    if (out.isNull()) return out;
    if (picture.isNull()) {
        out.fill(Qt::black);
        return out;
    }
    const QImage p = asRgb888(picture);
    const std::int64_t sw = p.width(), sh = p.height();
    std::vector<int> sourceX(std::size_t(width) * 1);
    for (int dx = 0; dx < width; ++dx)
        sourceX[std::size_t(dx)] = int((2 * dx + 1) * sw / (2 * width)) * 3;
    for (int dy = 0; dy < height; ++dy) {
        const Byte* src = p.constScanLine(int((2 * dy + 1) * sh / (2 * std::int64_t(height))));
        Byte* dst = out.scanLine(dy);
        for (int dx = 0; dx < width; ++dx, dst += 3)
            std::memcpy(dst, src + sourceX[std::size_t(dx)], 3);
    }
    return out;
}

namespace {

// The source pixels along one side that output pixel `i` of `outSide` covers, with the length of
// each share (in source pixels).
struct Coverage {
    int first = 0;
    std::vector<double> shares;
};

std::vector<Coverage> coverageAlong(int inSide, int outSide) {
    const double scale = double(inSide) / outSide;
    std::vector<Coverage> cover(static_cast<std::size_t>(outSide));
    for (int i = 0; i < outSide; ++i) {
        const double from = i * scale, to = (i + 1) * scale;
        Coverage& c = cover[std::size_t(i)];
        c.first = int(from);
        for (int s = c.first; s < inSide && s < to; ++s)
            c.shares.push_back(std::min<double>(s + 1, to) - std::max<double>(s, from));
    }
    return cover;
}

}  // namespace

QImage shrinkImage(const QImage& picture, int width, int height) {
    const QImage p = asRgb888(picture);
    width = std::clamp(width, 1, std::max(1, p.width()));
    height = std::clamp(height, 1, std::max(1, p.height()));
    QImage out(width, height, QImage::Format_RGB888);
    if (p.isNull() || out.isNull()) return out;
    const std::vector<Coverage> columns = coverageAlong(p.width(), width);
    const std::vector<Coverage> rows = coverageAlong(p.height(), height);
    for (int y = 0; y < height; ++y) {
        const Coverage& row = rows[std::size_t(y)];
        Byte* dst = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const Coverage& column = columns[std::size_t(x)];
            double sum[3] = {0, 0, 0}, area = 0;
            for (std::size_t r = 0; r < row.shares.size(); ++r) {
                const Byte* src = p.constScanLine(row.first + int(r)) + 3 * column.first;
                for (std::size_t c = 0; c < column.shares.size(); ++c, src += 3) {
                    const double share = row.shares[r] * column.shares[c];
                    for (int k = 0; k < 3; ++k) sum[k] += share * src[k];
                    area += share;
                }
            }
            for (int k = 0; k < 3; ++k) dst[3 * x + k] = Byte(std::lround(sum[k] / area));
        }
    }
    return out;
}

}  // namespace orbisca::gfx
