// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/region.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::filled;

bool sameArea(const QRegion& a, const QRegion& b) { return (a ^ b).isEmpty(); }

// The rule applied pixel by pixel, one 1 x 1 region per pixel: the reference for the builder.
QRegion referenceRegion(const QImage& image, QRgb key, RegionMode mode) {
    QRegion region;
    bool open = false;
    QPoint first;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) == 255 && qGreen(c) < 50 && qBlue(c) == 0) {
                if (qGreen(c) != 0) continue;
                if (open)
                    region += QRect(QPoint(std::min(first.x(), x), std::min(first.y(), y)),
                                    QPoint(std::max(first.x(), x), std::max(first.y(), y)));
                first = QPoint(x, y);
                open = !open;
                continue;
            }
            const bool r = qRed(c) == qRed(key), g = qGreen(c) == qGreen(key),
                       b = qBlue(c) == qBlue(key);
            if (mode == RegionMode::KeepDiffering ? !r && !g && !b : r && g && b)
                region += QRect(x, y, 1, 1);
        }
    return region;
}

TEST(BitmapToRegion, KeepsPixelsDifferingInEveryChannelAndTheRectanglesOfCornerPairs) {
    QImage mask = filled(8, 6, qRgb(0, 0, 0));
    mask.setPixel(0, 0, qRgb(10, 10, 10));  // in
    mask.setPixel(1, 0, qRgb(200, 0, 50));  // one channel equals the key: out
    mask.setPixel(3, 0, qRgb(255, 20, 0));  // a marker, but no corner
    mask.setPixel(5, 1, qRgb(255, 0, 0));   // first corner
    mask.setPixel(0, 2, qRgb(255, 20, 0));  // does not close the pair
    mask.setPixel(2, 4, qRgb(255, 0, 0));   // second corner, left of the first
    mask.setPixel(7, 5, qRgb(255, 0, 0));   // a lone corner adds nothing
    const QRegion region = bitmapToRegion(mask, qRgb(0, 0, 0), RegionMode::KeepDiffering);
    EXPECT_TRUE(sameArea(region, QRegion(2, 1, 4, 4) + QRegion(0, 0, 1, 1)));
    EXPECT_EQ(regionArea(region), 4 * 4 + 1);
    QImage row = filled(3, 1, qRgb(0, 0, 0));
    row.setPixel(0, 0, qRgb(0, 0, 1));
    row.setPixel(2, 0, qRgb(255, 0, 0));
    EXPECT_TRUE(
        sameArea(bitmapToRegion(row, qRgb(0, 0, 0), RegionMode::KeepEqual), QRegion(1, 0, 1, 1)));
}

TEST(BitmapToRegion, EqualsThePixelByPixelUnionOnRandomMasks) {
    std::mt19937 gen(2024);
    std::uniform_int_distribution<int> side(1, 40), coin(0, 99);
    for (int round = 0; round < 60; ++round) {
        // Every other mask is wider and in runs of one colour up to a hundred pixels long, so
        // that spans cross the widths the bytes are compared in.
        const bool runs = round % 2 == 0;
        const int w = side(gen) * (runs ? 8 : 1), h = side(gen);
        // Few channel values, so that keys, equal channels and markers all occur often.
        QImage mask(w, h, QImage::Format_RGB888);
        const int values[] = {0, 0, 10, 255};
        QRgb c = 0;
        int left = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (left-- <= 0) {
                    c = qRgb(values[coin(gen) % 4], values[coin(gen) % 4], values[coin(gen) % 4]);
                    const int pick = coin(gen);
                    if (pick < 4)
                        c = qRgb(255, 0, 0);
                    else if (pick < 6)
                        c = qRgb(255, 1 + coin(gen) % 49, 0);
                    left = runs ? coin(gen) : 0;
                }
                mask.setPixel(x, y, c);
            }
        for (QRgb key : {qRgb(0, 0, 0), qRgb(10, 0, 255)})
            for (RegionMode mode : {RegionMode::KeepDiffering, RegionMode::KeepEqual})
                ASSERT_TRUE(
                    sameArea(bitmapToRegion(mask, key, mode), referenceRegion(mask, key, mode)))
                    << "round " << round << " mode " << int(mode);
    }
}

}  // namespace
}  // namespace orbisca::gfx
