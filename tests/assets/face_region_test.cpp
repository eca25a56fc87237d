// SPDX-License-Identifier: GPL-3.0-or-later
// The compact window's face and outlines: the drawing layer's region rule applied to the pack's
// masks. (That every text of the face stands inside the outline on calm ground, the panel's
// layout test checks with the texts of every kin.)
#include "pack_reader.h"

#include "compact/compact_window.h"
#include "gfx/region.h"

#include <gtest/gtest.h>

using namespace packtest;

namespace {

QRegion outlineOf(const QString& file) {
    return orbisca::gfx::bitmapToRegion(loadPicture(file), qRgb(0, 0, 0),
                                        orbisca::gfx::RegionMode::KeepDiffering);
}

long long boundsArea(const QRegion& region) {
    return static_cast<long long>(region.boundingRect().width()) * region.boundingRect().height();
}

}  // namespace

TEST(FaceRegion, TheOutlineHoldsEveryAreaAndIsNotARectangle) {
    const QRegion outline = outlineOf("pyrA0.bmp");
    for (const QRect& rect : orbisca::kCompactAreas)
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
