// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/blur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

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
    std::vector<std::uint16_t> sums(std::size_t(width) * 3);
    std::vector<Byte> savedAbove(std::size_t(width) * 3), savedRow(std::size_t(width) * 3);

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

// Below this many bytes a second thread costs more than it saves (a moon disc, a small page).
constexpr qsizetype kSplitBytes = 1 << 20;

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

    if (qsizetype(span + 1) * (x1 - x0 + 1) * 3 < kSplitBytes || span < 4 ||
        std::thread::hardware_concurrency() < 2) {
        filterBand(job, {y0, y1, nullptr, nullptr}, report);
        return;
    }
    // Two bands, the lower one on a second thread. Each needs the unfiltered row on the other
    // side of the seam, which the other band may change first: both rows are copied beforehand.
    const int seam = y0 + (span + 1) / 2;  // the lower band's first row
    const std::size_t rowBytes = std::size_t(width) * 3;
    const std::vector<Byte> upperLast(job.bits + (seam - 1) * job.stride,
                                      job.bits + (seam - 1) * job.stride + rowBytes);
    const std::vector<Byte> lowerFirst(job.bits + seam * job.stride,
                                       job.bits + seam * job.stride + rowBytes);
    std::thread lower([&] { filterBand(job, {seam, y1, upperLast.data(), nullptr}, {}); });
    // The caller's band reports for both: the rows done so far are about twice its own.
    int reported = 0;
    try {
        filterBand(job, {y0, seam - 1, nullptr, lowerFirst.data()}, [&](int done) {
            for (; reported <= std::min(2 * done + 1, span - 1); ++reported) report(reported);
        });
    } catch (...) {
        lower.join();  // a progress report that throws must not leave the thread running
        throw;
    }
    lower.join();
    for (; reported <= span; ++reported) report(reported);
}

}  // namespace orbisca::gfx
