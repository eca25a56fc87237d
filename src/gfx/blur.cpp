// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/blur.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#ifdef __x86_64__
#include <immintrin.h>
#endif

#include "gfx/parts.h"
#include "gfx/pixels.h"

namespace orbisca::gfx {
namespace {

using Byte = std::uint8_t;

// Vertical sums of the three rows over the bytes [from, to).
ORBISCA_PIXEL_LOOP void sumRows(std::uint16_t* sum, const Byte* above, const Byte* row,
                                const Byte* below, int from, int to) {
    for (int i = from; i < to; ++i) sum[i] = std::uint16_t(above[i] + row[i] + below[i]);
}

// Output bytes [from, to) from the vertical sums; every byte has both horizontal neighbours.
ORBISCA_PIXEL_LOOP void meanOfThree(Byte* out, const std::uint16_t* sum, int from, int to) {
    for (int i = from; i < to; ++i)
        out[i] = Byte(std::uint16_t(sum[i - 3] + sum[i] + sum[i + 3]) / 9);
}

#ifdef ORBISCA_AVX2_LOOPS
// The bytes of a row filtered at a time: their sums (twice as many bytes) stay in the first-level
// cache until their means are taken.
constexpr int kPieceBytes = 4096;

// sum / 9 for every sum of nine bytes, as the high half of one 16-bit product.
static_assert(
    [] {
        for (std::uint32_t sum = 0; sum <= 9 * 255; ++sum)
            if ((sum * 7282) >> 16 != sum / 9) return false;
        return true;
    }(),
    "the product must divide every sum of nine bytes by 9");

ORBISCA_AVX2 inline __m256i widened(const Byte* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

ORBISCA_AVX2 inline __m256i loaded(const std::uint16_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// The means of sixteen output bytes from their vertical sums.
ORBISCA_AVX2 inline __m256i meanOf(const std::uint16_t* s) {
    return _mm256_mulhi_epu16(
        _mm256_add_epi16(_mm256_add_epi16(loaded(s - 3), loaded(s)), loaded(s + 3)),
        _mm256_set1_epi16(7282));
}

// sumRows over the row itself, which is copied to `saved` on the way (the input of the row
// below once this one is filtered): one read of the row instead of a copy and a read.
ORBISCA_AVX2 void sumAndSaveAvx2(std::uint16_t* sum, Byte* saved, const Byte* above,
                                 const Byte* row, const Byte* below, int from, int to) {
    int i = from;
    for (; i + 32 <= to; i += 32) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(saved + i),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i)));
        for (int half = 0; half < 32; half += 16)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(sum + i + half),
                                _mm256_add_epi16(_mm256_add_epi16(widened(above + i + half),
                                                                  widened(row + i + half)),
                                                 widened(below + i + half)));
    }
    for (; i < to; ++i) {
        saved[i] = row[i];
        sum[i] = std::uint16_t(above[i] + row[i] + below[i]);
    }
}

ORBISCA_AVX2 void meanOfThreeAvx2(Byte* out, const std::uint16_t* sum, int from, int to) {
    int i = from;
    for (; i + 32 <= to; i += 32) {
        // Packing works per 128-bit half: the quarters are put back in order afterwards.
        const __m256i packed = _mm256_packus_epi16(meanOf(sum + i), meanOf(sum + i + 16));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_permute4x64_epi64(packed, 0xD8));
    }
    for (; i < to; ++i) out[i] = Byte(std::uint16_t(sum[i - 3] + sum[i] + sum[i + 3]) / 9);
}
#endif

// The last column counts itself in place of its missing right neighbour.
void meanAtRightEdge(Byte* out, const std::uint16_t* sum, int from) {
    for (int i = from; i < from + 3; ++i) out[i] = Byte((sum[i - 3] + 2 * sum[i]) / 9);
}

}  // namespace

int blurGauge(int done, int span, int scale) {
    if (span <= 0) return scale;
    return int(std::nearbyint(double(done) * scale / span));
}

namespace {

// The filter over one band of rows. `aboveBand` is the unfiltered row above the band's first row
// when another thread may already have filtered it (nullptr: read it from the image), and
// `belowBand` likewise the unfiltered row below the band's last row.
struct Band {
    int first;
    int last;
    const Byte* aboveBand;
    const Byte* belowBand;
};

struct FilterJob {
    Byte* bits;
    qsizetype stride;
    int width;
    int height;
    int x0;
    int x1;
};

void filterBand(const FilterJob& job, const Band& band, const std::function<void(int)>& beforeRow) {
    const int width = job.width, height = job.height, x0 = job.x0, x1 = job.x1;
    // Bytes read: columns x0 - 1 .. x1 + 1 (x1 itself when it is the last column).
    const int readFrom = (x0 - 1) * 3, readTo = (std::min(x1 + 1, width - 1) + 1) * 3;
    const int innerTo =
        (x1 == width - 1 ? x1 : x1 + 1) * 3;  // end of the columns with two neighbours
    // Kept by each thread from band to band: a band allocates nothing once they are large enough.
    thread_local std::vector<std::uint16_t> sums;
    thread_local std::vector<Byte> savedAbove, savedRow;
    sums.resize(std::max(sums.size(), std::size_t(width) * 3));
    savedAbove.resize(std::max(savedAbove.size(), std::size_t(width) * 3));
    savedRow.resize(std::max(savedRow.size(), std::size_t(width) * 3));

#ifdef ORBISCA_AVX2_LOOPS
    const bool avx2 = hasAvx2();
#else
    const bool avx2 = false;
#endif
    for (int y = band.first; y <= band.last; ++y) {
        if (beforeRow) beforeRow(y - band.first);
        Byte* row = job.bits + y * job.stride;
        // The row's input, read where it is until the row is written (AVX2) or copied first.
        const Byte* input = avx2 ? row : savedRow.data();
        if (!avx2)
            std::memcpy(savedRow.data() + readFrom, row + readFrom, std::size_t(readTo - readFrom));
        // Row y - 1 is already filtered when it lies in the band: read its saved input instead.
        const Byte* above = y == 0            ? input
                            : y != band.first ? savedAbove.data()
                            : band.aboveBand  ? band.aboveBand
                                              : row - job.stride;
        const Byte* below = y == height - 1                    ? input
                            : y == band.last && band.belowBand ? band.belowBand
                                                               : row + job.stride;
#ifdef ORBISCA_AVX2_LOOPS
        if (avx2) {
            // A piece at a time, so that its sums are still in the first-level cache when they
            // are read; a mean is written once the sums on both sides of it are there, and never
            // before the sums of the bytes it replaces (the next piece's are read later).
            int meanFrom = x0 * 3;
            for (int from = readFrom; from < readTo; from += kPieceBytes) {
                const int to = std::min(from + kPieceBytes, readTo);
                sumAndSaveAvx2(sums.data(), savedRow.data(), above, row, below, from, to);
                const int meanTo = to == readTo ? innerTo : std::min(innerTo, to - 3);
                if (meanTo > meanFrom) meanOfThreeAvx2(row, sums.data(), meanFrom, meanTo);
                meanFrom = std::max(meanFrom, meanTo);
            }
        }
#endif
        if (!avx2) {
            sumRows(sums.data(), above, input, below, readFrom, readTo);
            meanOfThree(row, sums.data(), x0 * 3, innerTo);
        }
        if (x1 == width - 1) meanAtRightEdge(row, sums.data(), x1 * 3);
        savedAbove.swap(savedRow);
    }
}

// Below this many bytes the filter stays on one thread (a moon disc, a small page).
constexpr qsizetype kSplitBytes = 1 << 20;
// Parts of a larger range: enough that the caller never waits long for the worker's last part.
constexpr int kParts = 32;

}  // namespace

void meanFilter(QImage& bitmap, const QRect& area, const BlurProgress& progress) {
    makeRgb888(bitmap);
    const int width = bitmap.width(), height = bitmap.height();
    const int x0 = std::max(area.left(), 1), x1 = std::min(area.right(), width - 1);
    const int y0 = std::max(area.top(), 0), y1 = std::min(area.bottom(), height - 1);
    if (x0 > x1 || y0 > y1) return;
    const FilterJob job{bitmap.bits(), bitmap.bytesPerLine(), width, height, x0, x1};
    const int span = y1 - y0;
    const auto report = [&progress, span](int done) {
        if (progress) progress(done, span);
    };

    const int rows = span + 1;
    const int parts =
        qsizetype(rows) * (x1 - x0 + 1) * 3 < kSplitBytes ? 1 : std::min(kParts, rows / 4);
    if (parts <= 1) {
        filterBand(job, {y0, y1, nullptr, nullptr}, report);
        return;
    }
    // Each part needs the unfiltered rows on both sides of its seams, which the neighbouring part
    // may change first: they are all copied beforehand.
    const auto firstRow = [&](int part) { return y0 + int(std::int64_t(rows) * part / parts); };
    const std::size_t rowBytes = std::size_t(width) * 3;
    std::vector<Byte> seams(2 * std::size_t(parts - 1) * rowBytes);
    const auto seamRow = [&](int seam, int side) {  // side 0: the row above seam's first row
        return seams.data() + (2 * std::size_t(seam - 1) + std::size_t(side)) * rowBytes;
    };
    for (int seam = 1; seam < parts; ++seam)
        for (int side = 0; side < 2; ++side)
            std::memcpy(seamRow(seam, side), job.bits + (firstRow(seam) - 1 + side) * job.stride,
                        rowBytes);

    // The caller reports for both threads: the rows of the parts done so far and of its own part.
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> partRowsDone{0};
    int reported = 0;
    runParts(parts, [&](int part) {
        const Band band{firstRow(part), firstRow(part + 1) - 1,
                        part > 0 ? seamRow(part, 0) : nullptr,
                        part + 1 < parts ? seamRow(part + 1, 1) : nullptr};
        std::function<void(int)> beforeRow;
        if (progress && std::this_thread::get_id() == caller)
            beforeRow = [&](int done) {
                const int upTo =
                    std::min(partRowsDone.load(std::memory_order_relaxed) + done, span - 1);
                for (; reported <= upTo; ++reported) report(reported);
            };
        filterBand(job, band, beforeRow);
        partRowsDone.fetch_add(band.last - band.first + 1, std::memory_order_relaxed);
    });
    for (; reported <= span; ++reported) report(reported);
}

}  // namespace orbisca::gfx
