// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/region.h"

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "gfx/pixels.h"

#ifdef __x86_64__
#include <immintrin.h>
#endif

namespace orbisca::gfx {
namespace {

using Byte = std::uint8_t;

struct Run {
    int left;
    int right;  // exclusive
    bool operator==(const Run&) const = default;
};

bool isMarker(const Byte* px) { return px[0] == 255 && px[1] < 50 && px[2] == 0; }
bool isCorner(const Byte* px) { return px[0] == 255 && px[1] == 0 && px[2] == 0; }

// The first byte i in [from, end) that differs from the same byte of the next pixel, row[i + 3],
// or `end`. Masks change rarely: the bytes are compared 32 or 16 at a time where they are.
#ifdef ORBISCA_AVX2_LOOPS
ORBISCA_AVX2 int firstChangeAvx2(const Byte* row, int i, int end) {
    for (; i + 32 <= end; i += 32) {
        _mm_prefetch(reinterpret_cast<const char*>(row + i) + 1024, _MM_HINT_T0);
        const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i + 3));
        const auto same =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(here, next)));
        if (same != 0xFFFF'FFFFu) return i + std::countr_one(same);
    }
    for (; i < end; ++i)
        if (row[i] != row[i + 3]) return i;
    return end;
}
#endif

int firstChange(const Byte* row, int i, int end) {
#ifdef ORBISCA_AVX2_LOOPS
    if (hasAvx2()) return firstChangeAvx2(row, i, end);
#endif
#ifdef __SSE2__
    for (; i + 16 <= end; i += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i + 3));
        const auto same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, next)));
        if (same != 0xFFFF) return i + std::countr_one(same);
    }
#endif
    for (; i < end; ++i)
        if (row[i] != row[i + 3]) return i;
    return end;
}

// The first pixel after `x` that differs from it, or `width`: a byte i that differs from
// row[i + 3] lies in pixel i / 3, and the change is after it.
int spanEnd(const Byte* row, int x, int width) {
    const int end = 3 * (width - 1);
    const int i = firstChange(row, 3 * x, end);
    return i < end ? i / 3 + 1 : width;
}

// Scans the whole picture once: the runs of region pixels row by row, and the marker rectangles.
class MaskScanner {
public:
    MaskScanner(QRgb key, RegionMode mode)
        : key_{Byte(qRed(key)), Byte(qGreen(key)), Byte(qBlue(key))},
          equal_(mode == RegionMode::KeepEqual) {}

    // Walks the row by spans of identical pixels, found by comparing each byte with the next
    // pixel's: a span is classified once, and only corner pixels are visited one by one.
    void scanRow(const Byte* row, int width, int y, std::vector<Run>& runs) {
        runs.clear();
        int start = -1;
        for (int x = 0; x < width;) {
            const int next = spanEnd(row, x, width);
            const Byte* px = row + 3 * x;
            bool inside = false;
            if (isMarker(px)) {
                if (isCorner(px))
                    for (int c = x; c < next; ++c) noteCorner(c, y);
            } else {
                inside = belongs(px);
            }
            if (inside && start < 0) start = x;
            if (!inside && start >= 0) {
                runs.push_back({start, x});
                start = -1;
            }
            x = next;
        }
        if (start >= 0) runs.push_back({start, width});
    }

    const std::vector<QRect>& markedRects() const { return marked_; }

private:
    bool belongs(const Byte* px) const {
        if (equal_) return px[0] == key_[0] && px[1] == key_[1] && px[2] == key_[2];
        return px[0] != key_[0] && px[1] != key_[1] && px[2] != key_[2];
    }

    void noteCorner(int x, int y) {
        if (!open_) {
            first_ = QPoint(x, y);
            open_ = true;
            return;
        }
        open_ = false;
        marked_.push_back(QRect(QPoint(std::min(first_.x(), x), std::min(first_.y(), y)),
                                QPoint(std::max(first_.x(), x), std::max(first_.y(), y))));
    }

    Byte key_[3];
    bool equal_;
    bool open_ = false;
    QPoint first_;
    std::vector<QRect> marked_;
};

// Rows with the same runs are stacked into one band of taller rectangles, which keeps the
// rectangle list in the banded order QRegion::setRects expects.
class BandBuilder {
public:
    void addRow(int y, const std::vector<Run>& runs) {
        if (runs != bandRuns_ || y != bandTop_ + bandHeight_) {
            flush();
            bandRuns_ = runs;
            bandTop_ = y;
            bandHeight_ = 0;
        }
        ++bandHeight_;
    }

    std::vector<QRect> finish() {
        flush();
        return std::move(rects_);
    }

private:
    void flush() {
        for (const Run& r : bandRuns_)
            rects_.emplace_back(r.left, bandTop_, r.right - r.left, bandHeight_);
        bandRuns_.clear();
    }

    std::vector<Run> bandRuns_;
    int bandTop_ = 0;
    int bandHeight_ = 0;
    std::vector<QRect> rects_;
};

// The union of many rectangles by halves, so that each union works on regions of like size.
QRegion uniteRects(const std::vector<QRect>& rects, std::size_t from, std::size_t to) {
    if (to - from == 1) return QRegion(rects[from]);
    const std::size_t mid = from + (to - from) / 2;
    return uniteRects(rects, from, mid).united(uniteRects(rects, mid, to));
}

}  // namespace

QRegion bitmapToRegion(const QImage& bitmap, QRgb key, RegionMode mode) {
    const QImage image = asRgb888(bitmap);
    MaskScanner scanner(key, mode);
    BandBuilder bands;
    std::vector<Run> runs;
    const int width = image.width(), height = image.height();
    const uchar* const bits = image.constBits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = 0; y < height; ++y) {
        scanner.scanRow(bits + y * stride, width, y, runs);
        bands.addRow(y, runs);
    }
    const std::vector<QRect> rects = bands.finish();
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), int(rects.size()));
    const std::vector<QRect>& marked = scanner.markedRects();
    if (!marked.empty()) region = region.united(uniteRects(marked, 0, marked.size()));
    return region;
}

long long regionArea(const QRegion& region) {
    long long area = 0;
    for (const QRect& r : region) area += static_cast<long long>(r.width()) * r.height();
    return area;
}

}  // namespace orbisca::gfx
