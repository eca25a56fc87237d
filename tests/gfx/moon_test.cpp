#include "gfx/moon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "gfx/mask_draw.h"
#include "test_images.h"

namespace orbisca::gfx {
namespace {

using test::At;
using test::Filled;
using test::Rgb;

struct Light {
    long long lit = 0;      // pixels of 128 and more
    long long grey = 0;     // pixels strictly between black and white
    int darkest = 255;      // the darkest pixel inside the disc
    int brightest = 0;
    double litX = 0;        // mean column of the lit pixels
};

// Whether pixel (x, y) lies inside the disc of a W x W moon (box (1, 0)-(W - 1, W)).
bool inDisc(int x, int y, int w) {
    const double dx = (x + 0.5 - w / 2.0) / (w / 2.0 - 1), dy = (y + 0.5 - w / 2.0) / (w / 2.0);
    return dx * dx + dy * dy <= 1;
}

Light measure(const QImage& moon) {
    Light l;
    double sumX = 0;
    const int w = moon.width();
    for (int y = 0; y < moon.height(); ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = At(moon, x, y);
            EXPECT_TRUE(c.r == c.g && c.g == c.b) << "the moon is grey only";
            if (!inDisc(x, y, w)) {
                EXPECT_EQ(c.r, 0) << "outside the disc at " << x << "," << y;
                continue;
            }
            if (c.r >= 128) ++l.lit, sumX += x;
            if (c.r > 0 && c.r < 255) ++l.grey;
            l.darkest = std::min(l.darkest, c.r);
            l.brightest = std::max(l.brightest, c.r);
        }
    if (l.lit) l.litX = sumX / double(l.lit);
    return l;
}

double discArea(int w) { return 3.1415926 * (w / 2.0 - 1) * (w / 2.0); }

// At new and full moon the terminator lies on the limb: for large discs the edge of its grey band
// may just reach inside, but never brighter than a glimmer (or darker than a faint shade).
TEST(DrawMoon, NewMoonIsDarkAndFullMoonIsWholeForEverySize) {
    for (int w : {20, 21, 57, 100, 333, 2000}) {
        const Light dark = measure(DrawMoon(0, w));
        EXPECT_EQ(dark.lit, 0) << w;
        EXPECT_LE(dark.brightest, 16) << w;
        const QImage full = DrawMoon(50, w);
        const Light bright = measure(full);
        EXPECT_GE(bright.darkest, 239) << w;
        EXPECT_NEAR(double(bright.lit), discArea(w), discArea(w) * 0.02 + 2 * w) << w;
        EXPECT_EQ(At(full, w / 2, w / 2), (Rgb{255, 255, 255}));
    }
    EXPECT_EQ(measure(DrawMoon(0, 100)).brightest, 0) << "the compact window's moon is black at new moon";
    EXPECT_EQ(measure(DrawMoon(50, 100)).darkest, 255);
}

TEST(DrawMoon, QuartersLightHalfTheDiscOnTheirSide) {
    for (int w : {20, 100, 640}) {
        const Light first = measure(DrawMoon(25, w)), last = measure(DrawMoon(75, w));
        EXPECT_NEAR(first.lit / discArea(w), 0.5, 0.08) << w;
        EXPECT_NEAR(last.lit / discArea(w), 0.5, 0.08) << w;
        EXPECT_GT(first.litX, w / 2.0) << "waxing: lit on the right";
        EXPECT_LT(last.litX, w / 2.0) << "waning: lit on the left";
    }
}

TEST(DrawMoon, GrowsToFullOnTheRightThenShrinksOnTheLeft) {
    long long previous = -1;
    for (int p = 0; p <= 100; ++p) {
        const Light l = measure(DrawMoon(p, 100));
        if (p <= 50) {
            EXPECT_GE(l.lit, previous) << "phase " << p;
        } else {
            EXPECT_LE(l.lit, previous) << "phase " << p;
        }
        if (l.lit > 0 && p > 0 && p < 50) {
            EXPECT_GT(l.litX, 50.0) << "phase " << p;
        }
        if (l.lit > 0 && p > 50) {
            EXPECT_LT(l.litX, 50.0) << "phase " << p;
        }
        previous = l.lit;
    }
}

// Along every row the grey rises from the dark side to the lit side without turning back, so the
// grey pixels of a row form one band on the terminator, at most 2e + 1 = 2 * 8 + 1 wide at W 100.
TEST(DrawMoon, GreyOnlyInOneBandAlongTheTerminator) {
    for (int p = 1; p < 100; ++p) {
        const QImage moon = DrawMoon(p, 100);
        for (int y = 0; y < 100; ++y) {
            int greys = 0;
            for (int x = 1; x < 99; ++x) {
                const int v = At(moon, x, y).r, prev = At(moon, x - 1, y).r;
                if (v > 0 && v < 255) ++greys;
                if (v == 0 || prev == 0) continue;    // outside the disc or in its dark part
                if (p < 50) {
                    ASSERT_GE(v, prev) << "phase " << p << " row " << y << " x " << x;
                } else {
                    ASSERT_LE(v, prev) << "phase " << p << " row " << y << " x " << x;
                }
            }
            ASSERT_LE(greys, 17) << "phase " << p << " row " << y;
        }
    }
}

TEST(DrawMoon, RefusesPhasesAndSizesOutOfRange) {
    EXPECT_THROW(DrawMoon(-1, 100), std::invalid_argument);
    EXPECT_THROW(DrawMoon(101, 100), std::invalid_argument);
    EXPECT_THROW(DrawMoon(50, 19), std::invalid_argument);
    EXPECT_THROW(DrawMoon(50, 2001), std::invalid_argument);
}

TEST(SoftMoon, ShowsThePictureWhereLitAndTheTargetWhereDark) {
    const QImage fullMask = SoftMoonMask(50);
    ASSERT_EQ(fullMask.size(), QSize(60, 60));
    EXPECT_EQ(At(fullMask, 30, 30), (Rgb{255, 255, 255}));
    EXPECT_EQ(At(fullMask, 0, 0), (Rgb{0, 0, 0}));
    const QImage halfMask = SoftMoonMask(25);
    int soft = 0;
    for (int x = 0; x < 60; ++x) soft += At(halfMask, x, 30).r > 0 && At(halfMask, x, 30).r < 255;
    EXPECT_GE(soft, 3) << "the filter softens the terminator";

    // A moon picture of 64 x 64 (cut to 60 x 60) whose black pixels are transparent.
    QImage picture = Filled(64, 64, qRgb(200, 180, 100));
    test::Put(picture, 31, 31, {0, 0, 0});
    const QImage target0 = Filled(100, 100, qRgb(7, 0, 35));
    QImage target = target0;
    EXPECT_EQ(DrawSoftMoon(target, 50, picture, 20, 10), kMaskDrawn);
    EXPECT_EQ(At(target, 20 + 30, 10 + 30), (Rgb{200, 180, 100}));
    EXPECT_EQ(At(target, 20 + 31, 10 + 31), (Rgb{0, 0, 0})) << "black in the picture stays black";
    EXPECT_EQ(At(target, 20, 10), (Rgb{7, 0, 35}));
    EXPECT_EQ(At(target, 19, 40), (Rgb{7, 0, 35}));

    target = target0;
    EXPECT_EQ(DrawSoftMoon(target, 25, picture, 20, 10), kMaskDrawn);
    EXPECT_EQ(At(target, 20 + 50, 10 + 30), (Rgb{200, 180, 100})) << "first quarter: lit on the right";
    EXPECT_EQ(At(target, 20 + 10, 10 + 30), (Rgb{7, 0, 35}));

    target = target0;
    EXPECT_EQ(DrawSoftMoon(target, 0, picture, 20, 10), kMaskDrawn);
    EXPECT_EQ(target, target0) << "nothing of the picture shows at new moon";
    EXPECT_EQ(DrawSoftMoon(target, 50, picture, 50, 10), kMaskTooWide);
}

}  // namespace
}  // namespace orbisca::gfx
