// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/blur.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

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

    for (int y = band.first; y <= band.last; ++y) {
        if (beforeRow) beforeRow(y - band.first);
        Byte* row = job.bits + y * job.stride;
        std::memcpy(savedRow.data() + readFrom, row + readFrom, std::size_t(readTo - readFrom));
        // Row y - 1 is already filtered when it lies in the band: read its saved input instead.
        const Byte* above = y == 0            ? savedRow.data()
                            : y != band.first ? savedAbove.data()
                            : band.aboveBand  ? band.aboveBand
                                              : row - job.stride;
        const Byte* below = y == height - 1                    ? savedRow.data()
                            : y == band.last && band.belowBand ? band.belowBand
                                                               : row + job.stride;
        sumRows(sums.data(), above, savedRow.data(), below, readFrom, readTo);
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
