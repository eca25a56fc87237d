// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/mask_draw.h"

#include <gtest/gtest.h>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::filled;

TEST(MaskDraw, RefusesBadPlacementsInOrderAndDrawsNothing) {
    const QImage white = filled(2, 2, qRgb(255, 255, 255)),
                 wrongMask = filled(3, 2, qRgb(255, 255, 255));
    const QImage target0 = filled(4, 4, qRgb(1, 2, 3));
    const struct {
        const QImage& mask;
        MaskMode mode;
        int x, y, code;
    } cases[] = {{wrongMask, MaskMode::Mask, 9, 9, kMaskSizeDiffers},
                 {wrongMask, MaskMode::ColourKey, 0, 0, kMaskSizeDiffers},
                 {white, MaskMode::Mask, 3, 3, kMaskTooWide},
                 {white, MaskMode::Mask, 0, 3, kMaskTooHigh},
                 {white, MaskMode::Mask, -1, -1, kMaskNegativeX},
                 {white, MaskMode::Mask, 0, -1, kMaskNegativeY},
                 {white, static_cast<MaskMode>(7), 0, 0, kMaskUnknownMode}};
    for (const auto& c : cases) {
        QImage target = target0;
        EXPECT_EQ(maskDraw(white, target, c.mask, c.mode, 100, c.x, c.y), c.code)
            << c.x << "," << c.y;
        EXPECT_EQ(target, target0) << "code " << c.code << " drew";
    }
    QImage target = target0;
    EXPECT_EQ(maskDraw(white, target, QImage(), MaskMode::Alpha, 255, 2, 2), kMaskDrawn)
        << "Alpha ignores the mask";
    EXPECT_EQ(maskDraw(white, target, white, MaskMode::Mask, 0, 2, 1), kMaskDrawn)
        << "up to the target's edge";
    EXPECT_EQ(target.pixel(1, 1), qRgb(1, 2, 3));
}

// Target (10, 200, 255) under picture (250, 0, 100) and mask (0, 128, 255), worked out by hand;
// 99.6 and 100.4 tell rounding to the nearest from truncation. The colour key leaves out the
// pixels of the mask's corner colour.
TEST(MaskDraw, EachModeBlendsEveryChannelRoundedToNearestAndTheKeyLeavesItsColourOut) {
    const QImage picture = filled(1, 1, qRgb(250, 0, 100)), mask = filled(1, 1, qRgb(0, 128, 255));
    auto draw = [&](MaskMode mode, int alpha) {
        QImage target = filled(1, 1, qRgb(10, 200, 255));
        EXPECT_EQ(maskDraw(picture, target, mask, mode, alpha, 0, 0), kMaskDrawn);
        return target.pixel(0, 0);
    };
    EXPECT_EQ(draw(MaskMode::Mask, 0), qRgb(10, 100, 100));
    EXPECT_EQ(draw(MaskMode::InverseMask, 0), qRgb(250, 100, 255));
    EXPECT_EQ(draw(MaskMode::Alpha, 77), qRgb(82, 140, 208));
    EXPECT_EQ(draw(MaskMode::Alpha, 255), qRgb(250, 0, 100));

    QImage keyed = filled(3, 1, qRgb(9, 9, 9));
    keyed.setPixel(1, 0, qRgb(40, 50, 60));
    keyed.setPixel(2, 0, qRgb(9, 9, 8));
    QImage key = filled(3, 1, qRgb(0, 0, 0));
    key.setPixel(0, 0, qRgb(9, 9, 9));
    QImage target = filled(5, 2, qRgb(1, 1, 1)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(maskDraw(keyed, target, key, MaskMode::ColourKey, 0, 2, 1), kMaskDrawn);
    ASSERT_EQ(target.format(), QImage::Format_RGB888);
    EXPECT_EQ(target.pixel(2, 1), qRgb(1, 1, 1));
    EXPECT_EQ(target.pixel(3, 1), qRgb(40, 50, 60));
    EXPECT_EQ(target.pixel(4, 1), qRgb(9, 9, 8));
}

TEST(BlendConstantAndDrawTransparent, ClipToTheTarget) {
    QImage target = filled(4, 4, qRgb(0, 0, 0));
    blendConstant(filled(4, 4, qRgb(200, 100, 0)), target, 128, -2, 3);
    EXPECT_EQ(target.pixel(1, 3), qRgb(100, 50, 0));
    EXPECT_EQ(target.pixel(2, 3), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(1, 2), qRgb(0, 0, 0));

    QImage picture = filled(3, 3, qRgb(216, 208, 200));
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    target = filled(3, 3, qRgb(7, 7, 7));
    drawTransparent(picture, target, -1, 1, qRgb(216, 208, 200));
    EXPECT_EQ(target, filled(3, 3, qRgb(7, 7, 7))) << "only key pixels fall on the target";
    drawTransparent(picture, target, 1, 1, qRgb(216, 208, 200));
    EXPECT_EQ(target.pixel(1, 1), qRgb(1, 2, 3));
    EXPECT_EQ(target.pixel(2, 1), qRgb(7, 7, 7));
}

// Every pair of target and picture bytes, at opacities on both sides of 128 and at the ends, on a
// picture large enough to be split between threads and rows long enough for vector code.
TEST(BlendConstant, EveryPairOfBytesRoundsToTheNearest) {
    QImage picture(512, 256, QImage::Format_RGB888), target0(512, 256, QImage::Format_RGB888);
    for (int y = 0; y < 256; ++y)
        for (int i = 0; i < 512 * 3; ++i) {
            picture.scanLine(y)[i] = uchar(y);
            target0.scanLine(y)[i] = uchar(i + y / 16);
        }
    for (int opacity : {0, 1, 127, 128, 129, 254, 255}) {
        QImage target = target0;
        blendConstant(picture, target, opacity);
        for (int y = 0; y < 256; ++y)
            for (int i = 0; i < 512 * 3; ++i) {
                const int t = target0.constScanLine(y)[i], p = y;
                const int sum = t * (255 - opacity) + p * opacity;
                ASSERT_EQ(target.constScanLine(y)[i], (2 * sum + 255) / 510)
                    << "t " << t << " p " << p << " opacity " << opacity;
            }
    }
}

// The one-pass cross-fade gives exactly what its two passes onto the background give.
TEST(CrossFade, EqualsTwoBlendsOntoTheBackground) {
    std::mt19937 gen(7);
    const QImage out = test::randomImage(37, 5, gen), in = test::randomImage(37, 5, gen);
    QImage shown;
    for (int opacity : {0, 1, 51, 128, 230, 254, 255}) {
        QImage twoPasses = filled(37, 5, qRgb(7, 0, 35));
        blendConstant(out, twoPasses, 255 - opacity);
        blendConstant(in, twoPasses, opacity);
        crossFade(out, in, shown, qRgb(7, 0, 35), opacity);
        EXPECT_TRUE(test::samePixels(shown, twoPasses)) << opacity;
    }
}

TEST(StretchImage, SamplesPixelCentres) {
    QImage picture = filled(2, 2, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 0, 0));
    picture.setPixel(0, 1, qRgb(0, 255, 0));
    const QImage big = stretchImage(picture, 4, 6);
    ASSERT_EQ(big.size(), QSize(4, 6));
    EXPECT_EQ(big.pixel(1, 2), qRgb(0, 0, 0));
    EXPECT_EQ(big.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(big.pixel(1, 3), qRgb(0, 255, 0));
    std::mt19937 gen(5);
    const QImage random = test::randomImage(100, 100, gen);
    const QImage small = stretchImage(random, 60, 60);
    EXPECT_EQ(small.pixel(59, 59), random.pixel(99, 99));
    EXPECT_EQ(small.pixel(30, 1), random.pixel(50, 2));  // centre 1.5 of 60 is 2.5 of 100
}

// A whole-numbered shrink is the plain mean of each block; any other keeps the picture's total
// light, each output pixel weighing the source pixels it covers by their share.
TEST(ShrinkImage, AveragesTheAreaEachPixelCovers) {
    std::mt19937 gen(8);
    QImage blocks = filled(6, 6, qRgb(0, 0, 0));
    blocks.setPixel(0, 0, qRgb(14, 13, 0));  // block means 1.56 and 1.44: rounded, not cut
    blocks.setPixel(4, 5, qRgb(0, 90, 255));
    const QImage third = shrinkImage(blocks, 2, 2);
    EXPECT_EQ(third.pixel(0, 0), qRgb(2, 1, 0));
    EXPECT_EQ(third.pixel(1, 1), qRgb(0, 10, 28));
    EXPECT_EQ(third.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(third.pixel(0, 1), qRgb(0, 0, 0));
    const QImage big = test::randomImage(100, 100, gen);
    const QImage shrunk = shrinkImage(big, 60, 60);
    auto light = [](const QImage& image) {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int i = 0; i < 3 * image.width(); ++i) sum += image.constScanLine(y)[i];
        return sum / (image.width() * image.height());
    };
    EXPECT_NEAR(light(shrunk), light(big), 0.5);
    EXPECT_EQ(shrinkImage(filled(5, 5, qRgb(9, 99, 199)), 3, 2).pixel(2, 1), qRgb(9, 99, 199));
}

// The board's markers: T + (P - T) (M / 255) (opacity / 255) per channel, rounded to the nearest
// (by hand: 104.49, 43.14 and 21.57), and only where the sprite lies on the target (a marker half
// over an edge keeps the rest).
TEST(BlendThroughMask, BlendsEachChannelByMaskAndOpacityAndClipsAtTheEdges) {
    const QImage picture = filled(2, 2, qRgb(250, 0, 0)), mask = filled(2, 2, qRgb(128, 255, 255));
    QImage target = filled(3, 3, qRgb(10, 200, 100));
    blendThroughMask(picture, mask, target, 200, 2, -1);
    EXPECT_EQ(target.pixel(2, 0), qRgb(104, 43, 22));
    for (const QPoint p : {QPoint(1, 0), QPoint(2, 1), QPoint(0, 2)})
        EXPECT_EQ(target.pixel(p), qRgb(10, 200, 100)) << p.x() << "," << p.y();
}

}  // namespace
}  // namespace orbisca::gfx
