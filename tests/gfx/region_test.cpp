#include "gfx/region.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::Filled;
using test::Put;
using test::Rgb;

bool sameArea(const QRegion& a, const QRegion& b) { return (a ^ b).isEmpty(); }

// The rule applied pixel by pixel, one 1 x 1 region per pixel: the reference for the builder.
QRegion referenceRegion(const QImage& image, QRgb key, RegionMode mode) {
    QRegion region;
    bool open = false;
    QPoint first;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = test::At(image, x, y);
            if (c.r == 255 && c.g < 50 && c.b == 0) {
                if (c.g != 0) continue;
                if (!open) {
                    first = QPoint(x, y);
                } else {
                    region += QRect(QPoint(std::min(first.x(), x), std::min(first.y(), y)),
                                    QPoint(std::max(first.x(), x), std::max(first.y(), y)));
                }
                open = !open;
                continue;
            }
            const bool r = c.r == qRed(key), g = c.g == qGreen(key), b = c.b == qBlue(key);
            if (mode == RegionMode::KeepDiffering ? !r && !g && !b : r && g && b) region += QRect(x, y, 1, 1);
        }
    return region;
}

QRegion outline(const QImage& image) { return BitmapToRegion(image, qRgb(0, 0, 0), RegionMode::KeepDiffering); }

TEST(BitmapToRegion, KeepsOnlyPixelsWhoseEveryChannelDiffersFromTheKey) {
    QImage mask = Filled(5, 1, qRgb(0, 0, 0));
    Put(mask, 0, 0, {10, 10, 10});
    Put(mask, 1, 0, {200, 0, 50});
    Put(mask, 3, 0, {255, 20, 0});
    Put(mask, 4, 0, {255, 0, 0});
    EXPECT_TRUE(sameArea(outline(mask), QRegion(0, 0, 1, 1)))
        << "grey is in; (200, 0, 50), a lone corner and (255, 20, 0) add nothing";

    const QRegion equal = BitmapToRegion(mask, qRgb(0, 0, 0), RegionMode::KeepEqual);
    EXPECT_TRUE(sameArea(equal, QRegion(2, 0, 1, 1)));
    EXPECT_TRUE(BitmapToRegion(QImage(), qRgb(0, 0, 0), RegionMode::KeepDiffering).isEmpty());
}

TEST(BitmapToRegion, CornerPairsAcrossRowsAddWholeRectangles) {
    QImage mask = Filled(8, 6, qRgb(0, 0, 0));
    Put(mask, 5, 1, {255, 0, 0});     // first corner
    Put(mask, 0, 2, {255, 20, 0});    // not a corner: does not close the pair
    Put(mask, 2, 4, {255, 0, 0});     // second corner, left of the first
    Put(mask, 7, 5, {255, 0, 0});     // unpaired
    EXPECT_TRUE(sameArea(outline(mask), QRegion(2, 1, 4, 4)));
    EXPECT_TRUE(sameArea(outline(mask), referenceRegion(mask, qRgb(0, 0, 0), RegionMode::KeepDiffering)));
}

TEST(BitmapToRegion, EqualsThePixelByPixelUnionOnRandomMasks) {
    std::mt19937 gen(2024);
    std::uniform_int_distribution<int> side(1, 40), coin(0, 99);
    for (int round = 0; round < 60; ++round) {
        const int w = side(gen), h = side(gen);
        // Few channel values, so that keys, equal channels and markers all occur often.
        QImage mask(w, h, QImage::Format_RGB888);
        const int values[] = {0, 0, 10, 255};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Rgb c{values[coin(gen) % 4], values[coin(gen) % 4], values[coin(gen) % 4]};
                const int pick = coin(gen);
                if (pick < 4) c = {255, 0, 0};
                else if (pick < 6) c = {255, 1 + coin(gen) % 49, 0};
                Put(mask, x, y, c);
            }
        for (QRgb key : {qRgb(0, 0, 0), qRgb(10, 0, 255)})
            for (RegionMode mode : {RegionMode::KeepDiffering, RegionMode::KeepEqual})
                ASSERT_TRUE(sameArea(BitmapToRegion(mask, key, mode), referenceRegion(mask, key, mode)))
                    << "round " << round << " mode " << int(mode);
    }
}

TEST(RegionArea, CountsPixels) {
    QImage mask = Filled(10, 10, qRgb(0, 0, 0));
    Put(mask, 1, 1, {255, 0, 0});
    Put(mask, 4, 5, {255, 0, 0});
    Put(mask, 9, 9, {1, 1, 1});
    const QRegion region = outline(mask);
    EXPECT_EQ(RegionArea(region), 4 * 5 + 1);
    EXPECT_EQ(region.boundingRect(), QRect(1, 1, 9, 9));
}

}  // namespace
}  // namespace orbisca::gfx
