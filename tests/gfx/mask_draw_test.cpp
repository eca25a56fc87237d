#include "gfx/mask_draw.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::At;
using test::Filled;
using test::Put;
using test::Rgb;

TEST(MaskDraw, RefusesBadPlacementsInOrderAndDrawsNothing) {
    const QImage picture = Filled(2, 2, qRgb(255, 255, 255));
    const QImage mask = Filled(2, 2, qRgb(255, 255, 255));
    const QImage target0 = Filled(4, 4, qRgb(1, 2, 3));
    auto code = [&](const QImage& m, MaskMode mode, int x, int y) {
        QImage target = target0;
        const int result = MaskDraw(picture, target, m, mode, 100, x, y);
        if (result != kMaskDrawn) {
            EXPECT_EQ(target, target0) << "code " << result << " drew";
        }
        return result;
    };
    const QImage wrongMask = Filled(3, 2, qRgb(255, 255, 255));
    EXPECT_EQ(code(wrongMask, MaskMode::Mask, 9, 9), kMaskSizeDiffers);
    EXPECT_EQ(code(wrongMask, MaskMode::ColourKey, 0, 0), kMaskSizeDiffers);
    EXPECT_EQ(code(wrongMask, MaskMode::Alpha, 0, 0), kMaskDrawn) << "the alpha mode ignores the mask";
    EXPECT_EQ(code(QImage(), MaskMode::Alpha, 2, 2), kMaskDrawn);
    EXPECT_EQ(code(mask, MaskMode::Mask, 3, 0), kMaskTooWide);
    EXPECT_EQ(code(mask, MaskMode::Mask, 3, 3), kMaskTooWide);
    EXPECT_EQ(code(mask, MaskMode::Mask, 0, 3), kMaskTooHigh);
    EXPECT_EQ(code(mask, MaskMode::Mask, -1, 0), kMaskNegativeX);
    EXPECT_EQ(code(mask, MaskMode::Mask, -1, -1), kMaskNegativeX);
    EXPECT_EQ(code(mask, MaskMode::Mask, 0, -1), kMaskNegativeY);
    EXPECT_EQ(code(mask, static_cast<MaskMode>(7), 0, 0), kMaskUnknownMode);
    EXPECT_EQ(code(mask, MaskMode::Mask, 2, 2), kMaskDrawn) << "a picture may reach the target's edge";
}

// One target pixel (10, 200, 255) under picture (250, 0, 100) and mask (0, 128, 255): the results
// worked out by hand; 99.6 and 100.4 tell rounding to the nearest from truncation.
TEST(MaskDraw, EachModeBlendsEveryChannelRoundedToNearest) {
    const QImage picture = Filled(1, 1, qRgb(250, 0, 100));
    const QImage mask = Filled(1, 1, qRgb(0, 128, 255));
    auto draw = [&](MaskMode mode, int alpha) {
        QImage target = Filled(1, 1, qRgb(10, 200, 255));
        EXPECT_EQ(MaskDraw(picture, target, mask, mode, alpha, 0, 0), kMaskDrawn);
        return At(target, 0, 0);
    };
    EXPECT_EQ(draw(MaskMode::Mask, 0), (Rgb{10, 100, 100}));
    EXPECT_EQ(draw(MaskMode::InverseMask, 0), (Rgb{250, 100, 255}));
    EXPECT_EQ(draw(MaskMode::Alpha, 77), (Rgb{82, 140, 208}));
    EXPECT_EQ(draw(MaskMode::Alpha, 0), (Rgb{10, 200, 255}));
    EXPECT_EQ(draw(MaskMode::Alpha, 255), (Rgb{250, 0, 100}));
}

TEST(MaskDraw, ColourKeyLeavesTheMasksCornerColourOut) {
    QImage picture = Filled(3, 1, qRgb(9, 9, 9));
    Put(picture, 1, 0, {40, 50, 60});
    Put(picture, 2, 0, {9, 9, 8});
    QImage mask = Filled(3, 1, qRgb(0, 0, 0));
    Put(mask, 0, 0, {9, 9, 9});
    QImage target = Filled(5, 2, qRgb(1, 1, 1)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(MaskDraw(picture, target, mask, MaskMode::ColourKey, 0, 2, 1), kMaskDrawn);
    ASSERT_EQ(target.format(), QImage::Format_RGB888);
    EXPECT_EQ(At(target, 2, 1), (Rgb{1, 1, 1}));
    EXPECT_EQ(At(target, 3, 1), (Rgb{40, 50, 60}));
    EXPECT_EQ(At(target, 4, 1), (Rgb{9, 9, 8}));
    EXPECT_EQ(At(target, 3, 0), (Rgb{1, 1, 1}));
}

TEST(MaskDraw, MaskModesMatchThePlainFormulaOnRandomImages) {
    std::mt19937 gen(11);
    const QImage picture = test::RandomImage(9, 7, gen), mask = test::RandomImage(9, 7, gen);
    const QImage target0 = test::RandomImage(12, 10, gen);
    for (MaskMode mode : {MaskMode::Mask, MaskMode::InverseMask}) {
        QImage target = target0;
        ASSERT_EQ(MaskDraw(picture, target, mask, mode, 0, 3, 2), kMaskDrawn);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12 * 3; ++x) {
                const bool inside = x >= 9 && y >= 2 && y < 9;
                const int t = target0.constScanLine(y)[x];
                int expected = t;
                if (inside) {
                    const int p = picture.constScanLine(y - 2)[x - 9], m = mask.constScanLine(y - 2)[x - 9];
                    const int show = mode == MaskMode::Mask ? m : 255 - m;
                    expected = int(std::lround(t * (255 - show) / 255.0 + p * show / 255.0));
                }
                ASSERT_EQ(target.constScanLine(y)[x], expected) << "byte " << x << " row " << y;
            }
    }
}

TEST(BlendConstant, MatchesThePlainFormulaAndClipsToTheTarget) {
    std::mt19937 gen(3);
    const QImage picture = test::RandomImage(31, 17, gen);
    const QImage target0 = test::RandomImage(31, 17, gen);
    for (int opacity : {0, 1, 127, 128, 200, 254, 255}) {
        QImage target = target0;
        BlendConstant(picture, target, opacity);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 31 * 3; ++x) {
                const int t = target0.constScanLine(y)[x], p = picture.constScanLine(y)[x];
                ASSERT_EQ(target.constScanLine(y)[x], std::lround((t * (255 - opacity) + p * opacity) / 255.0))
                    << "opacity " << opacity;
            }
    }
    QImage target = Filled(4, 4, qRgb(0, 0, 0));
    BlendConstant(Filled(4, 4, qRgb(255, 255, 255)), target, 255, -2, 3);
    EXPECT_EQ(At(target, 1, 3), (Rgb{255, 255, 255}));
    EXPECT_EQ(At(target, 2, 3), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(target, 1, 2), (Rgb{0, 0, 0}));
}

TEST(DrawTransparent, SkipsTheKeyColourAndClips) {
    QImage picture = Filled(3, 3, qRgb(216, 208, 200));
    Put(picture, 0, 0, {1, 2, 3});
    Put(picture, 2, 2, {4, 5, 6});
    QImage target = Filled(3, 3, qRgb(7, 7, 7));
    DrawTransparent(picture, target, -1, 1, qRgb(216, 208, 200));
    EXPECT_EQ(At(target, 1, 2), (Rgb{7, 7, 7})) << "key pixels are transparent";
    EXPECT_EQ(At(target, 0, 0), (Rgb{7, 7, 7}));
    EXPECT_EQ(At(target, 0, 1), (Rgb{7, 7, 7})) << "picture pixel (1, 0) is the key";
    DrawTransparent(picture, target, 1, 1, qRgb(216, 208, 200));
    EXPECT_EQ(At(target, 1, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(At(target, 2, 1), (Rgb{7, 7, 7}));
}

TEST(StretchImage, SamplesPixelCentres) {
    QImage picture = Filled(2, 2, qRgb(0, 0, 0));
    Put(picture, 1, 0, {255, 0, 0});
    Put(picture, 0, 1, {0, 255, 0});
    const QImage big = StretchImage(picture, 4, 6);
    ASSERT_EQ(big.size(), QSize(4, 6));
    EXPECT_EQ(At(big, 1, 2), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(big, 2, 2), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(big, 1, 3), (Rgb{0, 255, 0}));
    std::mt19937 gen(5);
    const QImage random = test::RandomImage(100, 100, gen);
    EXPECT_EQ(StretchImage(random, 100, 100), random);
    const QImage small = StretchImage(random, 60, 60);
    EXPECT_EQ(At(small, 59, 59), At(random, 99, 99));
    EXPECT_EQ(At(small, 30, 1), At(random, 50, 2));    // centre 1.5 of 60 is 2.5 of 100
}

}  // namespace
}  // namespace orbisca::gfx
