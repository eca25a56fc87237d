// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/blur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::grey;

// The filter written out plainly: a whole copy of the input, nine reads per pixel.
QImage referenceBlur(const QImage& input, int xFrom, int yFrom, int xTo, int yTo) {
    QImage out = input.copy();
    const int w = input.width(), h = input.height();
    for (int y = std::max(yFrom, 0); y <= std::min(yTo, h - 1); ++y)
        for (int x = std::max(xFrom, 1); x <= std::min(xTo, w - 1); ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const QRgb c =
                        input.pixel(std::min(x + dx, w - 1), std::clamp(y + dy, 0, h - 1));
                    r += qRed(c), g += qGreen(c), b += qBlue(c);
                }
            out.setPixel(x, y, qRgb(r / 9, g / 9, b / 9));
        }
    return out;
}

TEST(MeanFilter, MatchesThePlainLoopOnRandomImagesAndRanges) {
    std::mt19937 gen(99);
    std::uniform_int_distribution<int> side(1, 23);
    for (int round = 0; round < 80; ++round) {
        const int w = side(gen), h = side(gen);
        const QImage input = test::randomImage(w, h, gen);
        std::uniform_int_distribution<int> xs(-2, w + 1), ys(-2, h + 1);
        int xFrom = xs(gen), xTo = xs(gen), yFrom = ys(gen), yTo = ys(gen);
        if (round % 4 == 0) xFrom = 0, yFrom = 0, xTo = w - 1, yTo = h - 1;
        QImage image = input.copy();
        meanFilter(image, QRect(QPoint(xFrom, yFrom), QPoint(xTo, yTo)));
        ASSERT_EQ(image, referenceBlur(input, xFrom, yFrom, xTo, yTo))
            << w << "x" << h << " columns " << xFrom << ".." << xTo << " rows " << yFrom << ".."
            << yTo;
    }
}

// Pages large enough to be filtered in two bands on two threads: the same bytes as the plain
// loop, also where a range ends at the seam's neighbours or at the image's edges, and every row
// reported once, in order.
TEST(MeanFilter, TwoBandsMatchThePlainLoopAndReportEveryRow) {
    std::mt19937 gen(7);
    const QImage input = test::randomImage(700, 520, gen);
    const QRect ranges[] = {QRect(0, 0, 700, 520), QRect(QPoint(2, 3), QPoint(690, 510)),
                            QRect(QPoint(1, 1), QPoint(699, 519)),
                            QRect(QPoint(1, 258), QPoint(699, 262))};
    for (const QRect& range : ranges) {
        QImage image = input.copy();
        std::vector<int> done;
        meanFilter(image, range, [&](int row, int span) {
            EXPECT_EQ(span, range.height() - 1);
            done.push_back(row);
        });
        ASSERT_EQ(image,
                  referenceBlur(input, range.left(), range.top(), range.right(), range.bottom()))
            << range.x() << "," << range.y() << " " << range.width() << "x" << range.height();
        ASSERT_EQ(int(done.size()), range.height());
        for (int i = 0; i < int(done.size()); ++i) ASSERT_EQ(done[std::size_t(i)], i);
    }
}

// Long rows, the range ending at columns on either side of the vector code's blocks and at the
// last column.
TEST(MeanFilter, LongRowsMatchThePlainLoop) {
    std::mt19937 gen(11);
    const QImage input = test::randomImage(3000, 5, gen);
    for (const int right : {2999, 2730, 1364, 1365, 1366}) {
        QImage image = input.copy();
        meanFilter(image, QRect(QPoint(1, 0), QPoint(right, 4)));
        ASSERT_EQ(image, referenceBlur(input, 1, 0, right, 4)) << right;
    }
}

// A progress report that throws (a cancelled export) ends the filter: the exception reaches the
// caller once both threads have stopped, and a filter after it runs as usual.
TEST(MeanFilter, AProgressReportThatThrowsIsPassedOn) {
    std::mt19937 gen(3);
    const QImage input = test::randomImage(700, 520, gen);
    QImage image = input.copy();
    const auto cancel = [](int done, int) {
        if (done == 100) throw std::runtime_error("cancelled");
    };
    EXPECT_THROW(meanFilter(image, QRect(0, 0, 700, 520), cancel), std::runtime_error);
    image = input.copy();
    meanFilter(image, QRect(0, 0, 700, 520));
    EXPECT_EQ(image, referenceBlur(input, 0, 0, 699, 519));
}

// A progress report may filter another picture on the same thread (events handled while the bar
// moves): each filter keeps its own rows.
TEST(MeanFilter, AFilterInsideAProgressReportLeavesTheOuterOneAlone) {
    std::mt19937 gen(5);
    const QImage input = test::randomImage(700, 520, gen), small = test::randomImage(40, 30, gen);
    QImage image = input.copy(), inner;
    meanFilter(image, QRect(0, 0, 700, 520), [&](int done, int) {
        if (done % 50 != 0) return;
        inner = small.copy();
        meanFilter(inner, QRect(0, 0, 40, 30));
    });
    EXPECT_EQ(image, referenceBlur(input, 0, 0, 699, 519));
    EXPECT_EQ(inner, referenceBlur(small, 0, 0, 39, 29));
}

TEST(MeanFilter, ReportsEveryRowAndAOneRowRangeAsDone) {
    QImage image = test::filled(5, 4, grey(90)).convertToFormat(QImage::Format_RGB32);
    std::vector<int> gauge;
    auto report = [&](int done, int span) { gauge.push_back(blurGauge(done, span)); };
    meanFilter(image, QRect(QPoint(1, 1), QPoint(4, 3)), report);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(gauge, (std::vector<int>{0, 50, 100}));
    gauge.clear();
    meanFilter(image, QRect(QPoint(1, 2), QPoint(4, 2)), report);
    EXPECT_EQ(gauge, (std::vector<int>{100}));
    EXPECT_EQ(blurGauge(1, 8, 100), 12) << "12.5 rounds to even";
}

}  // namespace
}  // namespace orbisca::gfx
