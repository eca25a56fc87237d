// SPDX-License-Identifier: GPL-3.0-or-later
// The compact window's face and outlines: the drawing layer's region rule applied to the pack's
// masks, and the ground under the window's texts.
#include "pack_reader.h"

#include "compact/compact_window.h"
#include "gfx/region.h"

#include <gtest/gtest.h>

#include <vector>

using namespace packtest;

namespace {

// The cells of the face's texts in the bundled fonts (18 pixels high for fonts 2 and 5, 13 for
// font 3): centred lines up to the 217 pixels at which the tone line wraps, the affirmation
// across area A6, the captions beside the plasma, the guide and the moon.
std::vector<QRect> textCells() {
    std::vector<QRect> cells;
    for (int y : {97, 113, 117, 140, 155, 167}) cells.push_back(QRect(299 - 108, y, 217, 18));
    cells.push_back(QRect(299 - 108, 128, 217, 13));
    for (int i = 0; i < 6; ++i) cells.push_back(QRect(139, 298 + 14 * i, 321, 18));
    for (int y : {186, 198}) cells.push_back(QRect(170, y, 56, 13));
    for (int y : {188, 202, 214}) cells.push_back(QRect(304, y, 86, 13));
    cells.push_back(QRect(396, 186, 60, 13));
    cells.push_back(QRect(400, 198, 60, 13));
    return cells;
}

QRegion outlineOf(const QString& file) {
    return orbisca::gfx::bitmapToRegion(loadPicture(file), qRgb(0, 0, 0),
                                        orbisca::gfx::RegionMode::KeepDiffering);
}

long long boundsArea(const QRegion& region) {
    return static_cast<long long>(region.boundingRect().width()) * region.boundingRect().height();
}

}  // namespace

TEST(FaceRegion, TheOutlineHoldsEveryAreaAndTextAndIsNotARectangle) {
    const QRegion outline = outlineOf("pyrA0.bmp");
    std::vector<QRect> inside = textCells();
    inside.insert(inside.end(), orbisca::kCompactAreas.begin(), orbisca::kCompactAreas.end());
    for (const QRect& rect : inside)
        EXPECT_TRUE((QRegion(rect) - outline).isEmpty()) << rect.x() << "," << rect.y();
    EXPECT_TRUE(QRect(0, 0, 600, 450).contains(outline.boundingRect()));
    EXPECT_LT(orbisca::gfx::regionArea(outline), boundsArea(outline) * 9 / 10);
}

// The face is painted exactly inside the outline, and the mask's marker pairs carry most of it:
// the pixels that the region builder adds one at a time are only a thin edge.
TEST(FaceRegion, TheOutlineIsWhereTheFaceIsPaintedAndTheMarkersCarryMostOfIt) {
    const QRegion outline = outlineOf("pyrA0.bmp");
    const QImage face = loadPicture("pyr0.bmp");
    const QImage mask = loadPicture("pyrA0.bmp");
    ASSERT_EQ(face.size(), QSize(600, 450));
    long long single = 0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            ASSERT_EQ(outline.contains(QPoint(x, y)), !isBlack(rgbAt(face, x, y))) << x << "," << y;
            const QRgb m = mask.pixel(x, y);
            single += qRed(m) && qGreen(m) && qBlue(m);
        }
    EXPECT_LT(single * 10, orbisca::gfx::regionArea(outline));
}

TEST(FaceRegion, EveryTextLiesOnACalmDarkGround) {
    // The fonts are white: every text cell must be dark and even, with no bright detail under it.
    const QImage face = loadPicture("pyr0.bmp");
    for (const QRect& cell : textCells()) {
        SCOPED_TRACE(::testing::Message()
                     << cell.x() << "," << cell.y() << " " << cell.width() << "x" << cell.height());
        long long sum = 0;
        int brightest = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                sum += luminance(rgbAt(face, x, y));
                brightest = std::max(brightest, luminance(rgbAt(face, x, y)));
            }
        EXPECT_LT(sum / (cell.width() * cell.height()), 35);
        EXPECT_LT(brightest, 100);
    }
}

TEST(FaceRegion, TheFirstOutlineIsASmallShapeItsPictureFills) {
    const QRegion outline = outlineOf("frame1.bmp");
    const QImage picture = loadPicture("frameclr.bmp");
    ASSERT_EQ(loadPicture("frame1.bmp").size(), picture.size());
    EXPECT_TRUE(QRect(0, 0, 80, 80).contains(outline.boundingRect()));
    EXPECT_GT(orbisca::gfx::regionArea(outline) * 3, picture.width() * picture.height());
    EXPECT_LT(orbisca::gfx::regionArea(outline), boundsArea(outline));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(outline.contains(QPoint(x, y)), !isBlack(rgbAt(picture, x, y)))
                << x << "," << y;
}
