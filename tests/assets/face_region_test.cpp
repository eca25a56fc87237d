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

// Each outline is exactly where its picture is painted (no black fringe, no face cut off) and is
// no rectangle: the face of the compact window, which holds every area, and the small first
// outline.
TEST(FaceRegion, EachOutlineIsWhereItsPictureIsPaintedAndTheFaceHoldsEveryArea) {
    for (const auto& [maskFile, pictureFile] :
         {std::pair{"pyrA0.bmp", "pyr0.bmp"}, {"frame1.bmp", "frameclr.bmp"}}) {
        SCOPED_TRACE(maskFile);
        const QRegion outline = outlineOf(maskFile);
        const QImage picture = loadPicture(pictureFile);
        ASSERT_EQ(loadPicture(maskFile).size(), picture.size());
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_EQ(outline.contains(QPoint(x, y)), !isBlack(rgbAt(picture, x, y)))
                    << x << "," << y;
        EXPECT_LT(orbisca::gfx::regionArea(outline), boundsArea(outline));
    }
    const QRegion face = outlineOf("pyrA0.bmp");
    EXPECT_LT(orbisca::gfx::regionArea(face), boundsArea(face) * 9 / 10);
    for (const QRect& rect : orbisca::kCompactAreas)
        EXPECT_TRUE((QRegion(rect) - face).isEmpty()) << rect.x() << "," << rect.y();
}
