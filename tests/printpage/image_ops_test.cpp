// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/blur.h"
#include "page_fixture.h"
#include "printpage/image_ops.h"

using namespace orbisca;
using orbisca::testing::PageTest;

namespace {

TEST_F(PageTest, OptimizeGrowsTheCanvasByTwiceTheDoublingsAndBlursIt) {
    page.canvasWidth = 670;
    page.canvasHeight = 550;
    page.script = {"FONT 12 -16 0 0 0 bld nrm DejaVu Sans", "TEXT 10 10 rgt 'a'"};
    ASSERT_TRUE(optimizeForPrinter(page, QSize(4960, 7016)));
    // 670 x 550 needs four doublings (n = 3) to cover an A4 page at 600 dpi; the factor is 2n = 6.
    EXPECT_EQ(page.canvas.size(), QSize(4020, 3300));
    EXPECT_EQ(page.script.mid(2),
              (QStringList{"FONT 72 -96 0 0 0 bld nrm DejaVu Sans", "TEXT 60 60 rgt 'a'"}));
    ASSERT_EQ(recorder.blurs.size(), 1u);  // the rows about the letter
    EXPECT_EQ(recorder.blurs[0].left(), 1);
    EXPECT_EQ(recorder.blurs[0].right(), 4019);

    // The doubling loop ends at n = 10 here; 2n = 4 is the largest factor within the side limit.
    page.canvasWidth = 3000;
    page.canvasHeight = 10;
    page.script.clear();
    ASSERT_TRUE(optimizeForPrinter(page, QSize(16384, 16384)));
    EXPECT_EQ(page.canvas.size(), QSize(12000, 40));
    // n = 3 here, but a factor of 6 would pass 256 MB of pixels: 4 is the largest that fits.
    page.canvasWidth = 2000;
    page.canvasHeight = 1000;
    ASSERT_TRUE(optimizeForPrinter(page, QSize(16384, 16384)));
    EXPECT_EQ(page.canvas.size(), QSize(8000, 4000));
}

TEST_F(PageTest, OptimizeOfAPageAlreadyLargerOnlyFitsTheView) {
    page.canvasWidth = 800;
    page.canvasHeight = 600;
    page.script = {"TEXT 10 10 rgt 'a'"};
    page.viewBox = QSize(400, 400);
    for (QSize printer : {QSize(400, 300), QSize(800, 600), QSize(1000, 600)}) {
        ASSERT_TRUE(optimizeForPrinter(page, printer));
        EXPECT_EQ(page.canvas.size(), QSize(800, 600));
        EXPECT_EQ(page.script, QStringList{"TEXT 10 10 rgt 'a'"});
        EXPECT_EQ(page.displayedSize, QSize(400, 300));
    }
}

TEST_F(PageTest, AutoblurOnlyFromPagesOf901By701) {
    page.script = {"TEXT 10 10 rgt 'a'"};
    page.viewBox = QSize(100, 100);
    for (auto [w, h, blurs] : {std::tuple{900, 1000, 0}, {901, 700, 0}, {901, 701, 1}}) {
        page.canvasWidth = w;
        page.canvasHeight = h;
        ASSERT_TRUE(optimizeForPrinter(page, QSize(10, 10)));
        EXPECT_EQ(recorder.blurs.size(), std::size_t(blurs)) << w << "x" << h;
    }
    page.autoBlur = false;
    ASSERT_TRUE(optimizeForPrinter(page, QSize(10, 10)));
    EXPECT_EQ(recorder.blurs.size(), 1u);
}

TEST_F(PageTest, ViewFitZoomAndTheirEnds) {
    page.viewBox = QSize(760, 520);
    // 100 x 100 grows 5 steps to 561, then one step back; 760 x 520 fits exactly, and still steps
    // back.
    for (auto [w, h, scale] :
         {std::tuple{670, 550, 1.414}, {100, 100, 1.0 / std::pow(1.414, 4)}, {760, 520, 1.414}}) {
        page.canvasWidth = w;
        page.canvasHeight = h;
        fitView(page);
        EXPECT_NEAR(page.viewScale, scale, 1e-12) << w;
    }
    page.canvasWidth = 16384;  // extreme sides and an empty box still give a usable scale
    page.canvasHeight = 1;
    page.viewBox = QSize(0, 0);
    fitView(page);
    EXPECT_TRUE(std::isfinite(page.viewScale) && page.viewScale > 0);

    page.canvasWidth = 670;
    page.canvasHeight = 550;
    page.viewScale = 1.0;
    int steps = 0;  // zooming ends before the displayed size overflows or vanishes
    while (zoomIn(page)) ++steps;
    while (zoomOut(page)) ++steps;
    EXPECT_LT(steps, 60);
    EXPECT_GE(page.displayedSize.height(), 1);
}

// (How the filter reports its rows, a one-row range among them, the drawing layer's tests check.)
// Rows of background whose neighbours are background too are left out, which gives the pixels of
// the filter over all but row and column 0; a page of background alone is not filtered.
TEST_F(PageTest, BlurGivesThePixelsOfTheFilterOverAllButRowAndColumnZero) {
    page.services.meanFilter = [](QImage& image, const QRect& area, const RowProgress&) {
        gfx::meanFilter(image, area);
    };
    page.background = qRgb(250, 240, 230);
    setCanvas(page, 40, 30, true);
    blurCanvas(page);
    QImage plain(40, 30, QImage::Format_RGB888);
    plain.fill(page.background);
    EXPECT_EQ(page.canvas, plain);
    for (const int y : {0, 4, 6, 13, 29}) page.canvas.setPixel(y % 7 + 1, y, qRgb(0, 90, 200));
    QImage whole = page.canvas.copy();
    gfx::meanFilter(whole, QRect(1, 1, 39, 29));
    blurCanvas(page);
    EXPECT_EQ(page.canvas, whole);
    // Clearing after it clears the rows the blur noted, unless a pixel was set since.
    setCanvas(page, 40, 30, true);
    EXPECT_EQ(page.canvas, plain);
    page.canvas.setPixel(3, 4, qRgb(0, 90, 200));
    blurCanvas(page);
    page.canvas.setPixel(20, 20, qRgb(1, 2, 3));
    setCanvas(page, 40, 30, true);
    EXPECT_EQ(page.canvas, plain);
    // Rows only the page's drawing touched since the clear are the only ones looked at; a pixel
    // set beside it makes every row looked at again. Megabytes of rows in two bands are filtered
    // on both cores.
    for (const bool setBeside : {false, true}) {
        setCanvas(page, 1400, 1300, true);
        drawScriptMoon(page, 3, 9, false, qRgb(0, 90, 200), 50, 600);
        drawScriptMoon(page, 700, 660, false, qRgb(0, 90, 200), 50, 600);
        if (setBeside) page.canvas.setPixel(30, 624, qRgb(1, 2, 3));
        whole = page.canvas.copy();
        gfx::meanFilter(whole, QRect(1, 1, 1399, 1299));
        blurCanvas(page);
        EXPECT_EQ(page.canvas, whole) << setBeside;
    }
    setCanvas(page, 1, 5, true);  // only column 0: nothing to filter
    blurCanvas(page);
}

}  // namespace
