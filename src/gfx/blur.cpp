// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/blur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/pixels.h"

namespace orbisca::gfx {
namespace {

using Byte = std::uint8_t;

// Vertical sums of the three rows over the bytes [from, to).
void sumRows(std::uint16_t* sum, const Byte* above, const Byte* row, const Byte* below, int from,
             int to) {
    for (int i = from; i < to; ++i) sum[i] = std::uint16_t(above[i] + row[i] + below[i]);
}

// Output bytes [from, to) from the vertical sums; every byte has both horizontal neighbours.
void meanOfThree(Byte* out, const std::uint16_t* sum, int from, int to) {
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

void meanFilter(QImage& bitmap, const QRect& area, const BlurProgress& progress) {
    makeRgb888(bitmap);
    const int width = bitmap.width(), height = bitmap.height();
    const int x0 = std::max(area.left(), 1), x1 = std::min(area.right(), width - 1);
    const int y0 = std::max(area.top(), 0), y1 = std::min(area.bottom(), height - 1);
    if (x0 > x1 || y0 > y1) return;

    const qsizetype stride = bitmap.bytesPerLine();
    Byte* const bits = bitmap.bits();
    // Bytes read: columns x0 - 1 .. x1 + 1 (x1 itself when it is the last column).
    const int readFrom = (x0 - 1) * 3, readTo = (std::min(x1 + 1, width - 1) + 1) * 3;
    const int innerTo =
        (x1 == width - 1 ? x1 : x1 + 1) * 3;  // end of the columns with two neighbours
    std::vector<std::uint16_t> sums(std::size_t(width) * 3);
    std::vector<Byte> savedAbove(std::size_t(width) * 3), savedRow(std::size_t(width) * 3);

    for (int y = y0; y <= y1; ++y) {
        if (progress) progress(y - y0, y1 - y0);
        Byte* row = bits + y * stride;
        std::memcpy(savedRow.data() + readFrom, row + readFrom, std::size_t(readTo - readFrom));
        // Row y - 1 is already filtered when it lies in the range: read its saved input instead.
        const Byte* above = y == 0 ? savedRow.data() : y == y0 ? row - stride : savedAbove.data();
        const Byte* below = y == height - 1 ? savedRow.data() : row + stride;
        sumRows(sums.data(), above, savedRow.data(), below, readFrom, readTo);
        meanOfThree(row, sums.data(), x0 * 3, innerTo);
        if (x1 == width - 1) meanAtRightEdge(row, sums.data(), x1 * 3);
        savedAbove.swap(savedRow);
    }
}

}  // namespace orbisca::gfx
