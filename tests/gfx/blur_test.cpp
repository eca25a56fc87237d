#include "gfx/blur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::At;
using test::Filled;
using test::Put;
using test::Rgb;

// The filter written out plainly: a whole copy of the input, nine reads per channel.
QImage referenceBlur(const QImage& input, int xFrom, int yFrom, int xTo, int yTo) {
    QImage out = input.copy();
    const int w = input.width(), h = input.height();
    for (int y = std::max(yFrom, 0); y <= std::min(yTo, h - 1); ++y)
        for (int x = std::max(xFrom, 1); x <= std::min(xTo, w - 1); ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sy = std::clamp(y + dy, 0, h - 1), sx = std::min(x + dx, w - 1);
                    const Rgb c = At(input, sx, sy);
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                }
            Put(out, x, y, {sum[0] / 9, sum[1] / 9, sum[2] / 9});
        }
    return out;
}

TEST(Blurm, SpreadsAWhiteCentreAndKeepsRowAndColumnZero) {
    QImage image = Filled(3, 3, qRgb(0, 0, 0));
    Put(image, 1, 1, {255, 255, 255});
    Put(image, 0, 0, {9, 9, 9});
    Put(image, 0, 2, {255, 255, 255});
    blurm(image, 1, 2, 2, 1);
    EXPECT_EQ(At(image, 1, 1), (Rgb{57, 57, 57})) << "row 0 and column 0 are read: (9 + 255 + 255) / 9";
    EXPECT_EQ(At(image, 1, 2), (Rgb{85, 85, 85})) << "the bottom row counts itself twice: (255 + 2 * 255) / 9";
    EXPECT_EQ(At(image, 2, 1), (Rgb{28, 28, 28})) << "the right column counts itself twice";
    EXPECT_EQ(At(image, 2, 2), (Rgb{28, 28, 28}));
    EXPECT_EQ(At(image, 0, 0), (Rgb{9, 9, 9}));
    EXPECT_EQ(At(image, 0, 2), (Rgb{255, 255, 255}));
    EXPECT_EQ(At(image, 1, 0), (Rgb{0, 0, 0}));
}

TEST(Blurm, TheThreeByThreeCaseGivesTwentyEight) {
    QImage image = Filled(3, 3, qRgb(0, 0, 0));
    Put(image, 1, 1, {255, 255, 255});
    const QImage before = image.copy();
    blurm(image, 1, 2, 2, 1);
    for (auto [x, y] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}}) EXPECT_EQ(At(image, x, y), (Rgb{28, 28, 28}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(At(image, i, 0), At(before, i, 0));
        EXPECT_EQ(At(image, 0, i), At(before, 0, i));
    }
}

TEST(Blurm, MatchesThePlainLoopOnRandomImagesAndRanges) {
    std::mt19937 gen(99);
    std::uniform_int_distribution<int> side(1, 23);
    for (int round = 0; round < 80; ++round) {
        const int w = side(gen), h = side(gen);
        const QImage input = test::RandomImage(w, h, gen);
        std::uniform_int_distribution<int> xs(-2, w + 1), ys(-2, h + 1);
        int xFrom = xs(gen), xTo = xs(gen), yFrom = ys(gen), yTo = ys(gen);
        if (round % 4 == 0) xFrom = 0, yFrom = 0, xTo = w - 1, yTo = h - 1;
        QImage image = input.copy();
        blurm(image, xFrom, yTo, xTo, yFrom);
        ASSERT_EQ(image, referenceBlur(input, xFrom, yFrom, xTo, yTo))
            << w << "x" << h << " columns " << xFrom << ".." << xTo << " rows " << yFrom << ".." << yTo;
    }
}

TEST(Blurm, ReportsEveryRowAndConvertsOtherFormats) {
    QImage image = Filled(5, 4, qRgb(90, 90, 90)).convertToFormat(QImage::Format_RGB32);
    std::vector<int> gauge;
    blurm(image, 1, 3, 4, 1, [&](int done, int span) { gauge.push_back(BlurGauge(done, span)); });
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(gauge, (std::vector<int>{0, 50, 100}));
    gauge.clear();
    blurm(image, 1, 2, 4, 2, [&](int done, int span) { gauge.push_back(BlurGauge(done, span)); });
    EXPECT_EQ(gauge, (std::vector<int>{100})) << "a one-row range reports 100";
    EXPECT_EQ(BlurGauge(1, 8, 100), 12) << "12.5 rounds to even";
    EXPECT_EQ(BlurGauge(3, 8, 60), 22);
}

}  // namespace
}  // namespace orbisca::gfx
