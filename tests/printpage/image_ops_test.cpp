#include <gtest/gtest.h>

#include <cmath>

#include "page_fixture.h"
#include "printpage/image_ops.h"

using namespace orbisca;
using orbisca::testing::PageTest;

namespace {

const QSize kA4At600(4960, 7016);

TEST_F(PageTest, OptimizeGrowsTheCanvasByTwiceTheDoublingsAndBlursIt) {
    page.canvasWidth = 670;
    page.canvasHeight = 550;
    page.script = {"FONT 12 -16 0 0 0 bld nrm DejaVu Sans", "TEXT 10 10 rgt 'a'"};
    ASSERT_TRUE(optimize(page, kA4At600));
    // 670 x 550 needs four doublings (n = 3) to cover the page; the factor is 2n = 6.
    EXPECT_EQ(page.canvas.size(), QSize(4020, 3300));
    EXPECT_EQ(page.script.mid(2), (QStringList{"FONT 72 -96 0 0 0 bld nrm DejaVu Sans", "TEXT 60 60 rgt 'a'"}));
    ASSERT_EQ(recorder.blurs.size(), 1u);
    const auto& blur = recorder.blurs[0];
    EXPECT_EQ(blur.image, QSize(4020, 3300));
    EXPECT_EQ((std::vector<int>{blur.xFrom, blur.yTo, blur.xTo, blur.yFrom}), (std::vector<int>{1, 3299, 4019, 1}));
    EXPECT_EQ(page.gauge, 0);
    EXPECT_EQ(page.interp.progressMode, 1);
}

TEST_F(PageTest, OptimizeOfAPageAlreadyLargerOnlyFitsTheView) {
    page.canvasWidth = 800;
    page.canvasHeight = 600;
    page.script = {"TEXT 10 10 rgt 'a'"};
    page.viewBox = QSize(400, 400);
    for (QSize printer : {QSize(400, 300), QSize(800, 600), QSize(1000, 600)}) {
        ASSERT_TRUE(optimize(page, printer));
        EXPECT_EQ(page.canvas.size(), QSize(800, 600));
        EXPECT_EQ(page.script, QStringList{"TEXT 10 10 rgt 'a'"});
        EXPECT_NEAR(page.viewScale, 1.414 * 1.414, 1e-9);
        EXPECT_EQ(page.displayedSize, QSize(400, 300));
    }
}

TEST_F(PageTest, AutoblurOnlyFromPagesOf901By701) {
    page.script.clear();
    page.viewBox = QSize(100, 100);
    page.canvasWidth = 900;
    page.canvasHeight = 1000;
    ASSERT_TRUE(optimize(page, QSize(10, 10)));
    EXPECT_TRUE(recorder.blurs.empty());
    page.canvasWidth = 901;
    page.canvasHeight = 701;
    ASSERT_TRUE(optimize(page, QSize(10, 10)));
    EXPECT_EQ(recorder.blurs.size(), 1u);
    page.autoblur = false;
    ASSERT_TRUE(optimize(page, QSize(10, 10)));
    EXPECT_EQ(recorder.blurs.size(), 1u);
    EXPECT_EQ(page.interp.progressMode, 0);
}

TEST_F(PageTest, OptimizeNeverGrowsTheCanvasBeyondTheLimit) {
    page.canvasWidth = 3000;
    page.canvasHeight = 10;
    page.script.clear();
    ASSERT_TRUE(optimize(page, QSize(16384, 16384)));  // the doubling loop ends at n = 10; 2n = 4 is the largest factor that fits
    EXPECT_EQ(page.canvas.size(), QSize(12000, 40));
}

TEST_F(PageTest, ViewFitSteps) {
    page.viewBox = QSize(760, 520);
    page.canvasWidth = 670;
    page.canvasHeight = 550;
    fitView(page);
    EXPECT_NEAR(page.viewScale, 1.414, 1e-12);
    page.canvasWidth = page.canvasHeight = 100;  // grows 5 steps to 561, then one step back
    fitView(page);
    EXPECT_NEAR(page.viewScale, 1.0 / std::pow(1.414, 4), 1e-12);
    page.canvasWidth = 760;
    page.canvasHeight = 520;  // fits exactly: the step back still applies
    fitView(page);
    EXPECT_NEAR(page.viewScale, 1.414, 1e-12);
}

TEST_F(PageTest, ViewFitEndsOnSidesOfOneAndEmptyBoxes) {
    for (QSize canvas : {QSize(1, 1), QSize(1, 5000), QSize(16384, 1)})
        for (QSize box : {QSize(0, 0), QSize(1, 1), QSize(5000, 5000), QSize(-3, 7)}) {
            page.canvasWidth = canvas.width();
            page.canvasHeight = canvas.height();
            page.viewBox = box;
            fitView(page);
            EXPECT_TRUE(std::isfinite(page.viewScale) && page.viewScale > 0);
        }
}

TEST_F(PageTest, ZoomChangesOnlyTheView) {
    page.canvasWidth = 670;
    page.canvasHeight = 550;
    const QImage before = page.canvas;
    ASSERT_TRUE(zoomIn(page));
    ASSERT_TRUE(zoomOut(page));
    EXPECT_NEAR(page.viewScale, 1.0, 1e-12);
    EXPECT_EQ(page.displayedSize, QSize(670, 550));
    EXPECT_EQ(page.canvas, before);
    int steps = 0;  // zooming in and out ends before the displayed size overflows or vanishes
    while (zoomIn(page)) ++steps;
    while (zoomOut(page)) ++steps;
    EXPECT_LT(steps, 60);
    EXPECT_GE(page.displayedSize.height(), 1);
}

TEST_F(PageTest, BlurCoversAllButRowAndColumnZero) {
    setcanvas(page, 3, 3, true);
    enterblur(page);
    ASSERT_EQ(recorder.blurs.size(), 1u);
    EXPECT_EQ((std::vector<int>{recorder.blurs[0].xFrom, recorder.blurs[0].yTo, recorder.blurs[0].xTo,
                                recorder.blurs[0].yFrom}),
              (std::vector<int>{1, 2, 2, 1}));
    setcanvas(page, 1, 5, true);
    enterblur(page);
    EXPECT_EQ(recorder.blurs.size(), 1u);  // only column 0: nothing to filter
    setcanvas(page, 5, 2, true);  // a one-row range reports itself done
    page.interp.progressMode = 0;
    recorder.gauges.clear();
    enterblur(page);
    EXPECT_EQ(recorder.gauges, std::vector<int>{100});
}

}  // namespace
