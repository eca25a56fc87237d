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

// Sixteen sums across: each byte with the same channel of both neighbours.
ORBISCA_AVX2 inline __m256i acrossOf(const Byte* row) {
    return _mm256_add_epi16(_mm256_add_epi16(widened(row - 3), widened(row)), widened(row + 3));
}

// The sums across of the bytes [from, to) of a row, every one of which has both neighbours.
ORBISCA_AVX2 void sumAcrossAvx2(std::uint16_t* across, const Byte* row, int from, int to) {
    int i = from;
    for (; i + 16 <= to; i += 16)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(across + i), acrossOf(row + i));
    for (; i < to; ++i) across[i] = std::uint16_t(row[i - 3] + row[i] + row[i + 3]);
}

// The means of sixteen output bytes at i (see meanOfRowsAvx2).
template <bool kBelow>
ORBISCA_AVX2 inline __m256i meanOf(std::uint16_t* acrossBelow, const std::uint16_t* acrossAbove,
                                   const std::uint16_t* acrossRow, const Byte* below, int i) {
    __m256i sum = _mm256_add_epi16(loaded(acrossAbove + i), loaded(acrossRow + i));
    if constexpr (kBelow) {
        const __m256i next = acrossOf(below + i);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(acrossBelow + i), next);
        sum = _mm256_add_epi16(sum, next);
    } else {
        sum = _mm256_add_epi16(sum, loaded(acrossRow + i));
    }
    return _mm256_mulhi_epu16(sum, _mm256_set1_epi16(7282));
}

// Thirty-two output bytes from their means in two halves. Packing works per 128-bit half: the
// quarters are put back in order afterwards.
ORBISCA_AVX2 inline void storeMeans(Byte* at, __m256i low, __m256i high) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at),
                        _mm256_permute4x64_epi64(_mm256_packus_epi16(low, high), 0xD8));
}

// Output bytes [from, to) of a row from the sums across of the row above and of the row itself,
// and the row below's, which are taken from `below` and kept in `acrossBelow` for the next row
// (kBelow false: the row is the last and counts itself as the one below). `ahead`, the row read
// after `below`, is fetched into the cache meanwhile, a row's time before it is needed.
template <bool kBelow>
ORBISCA_AVX2 void meanOfRowsAvx2(Byte* out, std::uint16_t* acrossBelow,
                                 const std::uint16_t* acrossAbove, const std::uint16_t* acrossRow,
                                 const Byte* below, const Byte* ahead, int from, int to) {
    int i = from;
    for (; i + 64 <= to; i += 64) {
        _mm_prefetch(reinterpret_cast<const char*>(ahead + i), _MM_HINT_T0);
        for (int half = 0; half < 64; half += 32)
            storeMeans(out + i + half,
                       meanOf<kBelow>(acrossBelow, acrossAbove, acrossRow, below, i + half),
                       meanOf<kBelow>(acrossBelow, acrossAbove, acrossRow, below, i + half + 16));
    }
    for (; i + 32 <= to; i += 32)
        storeMeans(out + i, meanOf<kBelow>(acrossBelow, acrossAbove, acrossRow, below, i),
                   meanOf<kBelow>(acrossBelow, acrossAbove, acrossRow, below, i + 16));
    for (; i < to; ++i) {
        const auto next =
            kBelow ? std::uint16_t(below[i - 3] + below[i] + below[i + 3]) : acrossRow[i];
        if (kBelow) acrossBelow[i] = next;
        out[i] = Byte(std::uint16_t(acrossAbove[i] + acrossRow[i] + next) / 9);
    }
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

#ifdef ORBISCA_AVX2_LOOPS
// The band with sums across kept for three rows: each input row is summed across once, when it is
// first read as the row below, so a row is read from memory once and never copied; a row is
// written after its own sums were taken.
void filterBandAvx2(const FilterJob& job, const Band& band,
                    const std::function<void(int)>& beforeRow) {
    const int width = job.width, height = job.height, x0 = job.x0, x1 = job.x1;
    const bool rightEdge = x1 == width - 1;
    const int from = x0 * 3, innerTo = (rightEdge ? x1 : x1 + 1) * 3;
    // The last column counts itself in place of its missing right neighbour.
    const auto sumAcross = [&](std::uint16_t* across, const Byte* row) {
        sumAcrossAvx2(across, row, from, innerTo);
        if (rightEdge)
            for (int i = innerTo; i < innerTo + 3; ++i)
                across[i] = std::uint16_t(row[i - 3] + 2 * row[i]);
    };
    // The band's own: the progress call before a row may handle events that filter another image
    // on this thread.
    std::vector<std::uint16_t> sums(std::size_t(width) * 9);
    std::uint16_t* acrossAbove = sums.data();
    std::uint16_t* acrossRow = acrossAbove + std::size_t(width) * 3;
    std::uint16_t* acrossBelow = acrossRow + std::size_t(width) * 3;

    const Byte* first = job.bits + band.first * job.stride;
    sumAcross(acrossAbove, band.first == 0  ? first
                           : band.aboveBand ? band.aboveBand
                                            : first - job.stride);
    sumAcross(acrossRow, first);
    for (int y = band.first; y <= band.last; ++y) {
        if (beforeRow) beforeRow(y - band.first);
        Byte* row = job.bits + y * job.stride;
        const Byte* below = y == height - 1                    ? nullptr
                            : y == band.last && band.belowBand ? band.belowBand
                                                               : row + job.stride;
        // Prefetching a row that is not read (past the band) is harmless: it never faults.
        const Byte* ahead = y + 2 < height ? row + 2 * job.stride : row;
        if (below)
            meanOfRowsAvx2<true>(row, acrossBelow, acrossAbove, acrossRow, below, ahead, from,
                                 innerTo);
        else
            meanOfRowsAvx2<false>(row, acrossBelow, acrossAbove, acrossRow, below, ahead, from,
                                  innerTo);
        if (rightEdge)
            for (int i = innerTo; i < innerTo + 3; ++i) {
                const std::uint16_t next =
                    below ? std::uint16_t(below[i - 3] + 2 * below[i]) : acrossRow[i];
                if (below) acrossBelow[i] = next;
                row[i] = Byte(std::uint16_t(acrossAbove[i] + acrossRow[i] + next) / 9);
            }
        if (!below) break;
        std::swap(acrossAbove, acrossRow);
        std::swap(acrossRow, acrossBelow);
    }
}
#endif

void filterBand(const FilterJob& job, const Band& band, const std::function<void(int)>& beforeRow) {
#ifdef ORBISCA_AVX2_LOOPS
    if (hasAvx2()) return filterBandAvx2(job, band, beforeRow);
#endif
    const int width = job.width, height = job.height, x0 = job.x0, x1 = job.x1;
    // Bytes read: columns x0 - 1 .. x1 + 1 (x1 itself when it is the last column).
    const int readFrom = (x0 - 1) * 3, readTo = (std::min(x1 + 1, width - 1) + 1) * 3;
    const int innerTo =
        (x1 == width - 1 ? x1 : x1 + 1) * 3;  // end of the columns with two neighbours
    // The band's own: the progress call before a row may handle events that filter another image
    // on this thread.
    std::vector<std::uint16_t> sums(std::size_t(width) * 3);
    std::vector<Byte> savedAbove(std::size_t(width) * 3), savedRow(std::size_t(width) * 3);

    for (int y = band.first; y <= band.last; ++y) {
        if (beforeRow) beforeRow(y - band.first);
        Byte* row = job.bits + y * job.stride;
        // The row's input, copied before the row is written.
        const Byte* input = savedRow.data();
        std::memcpy(savedRow.data() + readFrom, row + readFrom, std::size_t(readTo - readFrom));
        // Row y - 1 is already filtered when it lies in the band: read its saved input instead.
        const Byte* above = y == 0            ? input
                            : y != band.first ? savedAbove.data()
                            : band.aboveBand  ? band.aboveBand
                                              : row - job.stride;
        const Byte* below = y == height - 1                    ? input
                            : y == band.last && band.belowBand ? band.belowBand
                                                               : row + job.stride;
        sumRows(sums.data(), above, input, below, readFrom, readTo);
        meanOfThree(row, sums.data(), x0 * 3, innerTo);
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
