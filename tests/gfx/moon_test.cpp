// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/moon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "gfx/mask_draw.h"
#include "test_images.h"

namespace orbisca::gfx {
namespace {

struct Light {
    long long lit = 0;  // pixels of 128 and more
    int darkest = 255;  // inside the disc
    int brightest = 0;
    double litX = 0;  // mean column of the lit pixels
};

// Whether pixel (x, y) lies inside the disc of a W x W moon (box (1, 0)-(W - 1, W)).
bool inDisc(int x, int y, int w) {
    const double dx = (x + 0.5 - w / 2.0) / (w / 2.0 - 1), dy = (y + 0.5 - w / 2.0) / (w / 2.0);
    return dx * dx + dy * dy <= 1;
}

// Also checks that the moon is grey only and black outside its disc.
Light measure(const QImage& moon) {
    Light l;
    double sumX = 0;
    const int w = moon.width();
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = moon.pixel(x, y);
            EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
            if (!inDisc(x, y, w)) {
                EXPECT_EQ(qRed(c), 0) << "outside the disc at " << x << "," << y;
                continue;
            }
            if (qRed(c) >= 128) ++l.lit, sumX += x;
            l.darkest = std::min(l.darkest, qRed(c));
            l.brightest = std::max(l.brightest, qRed(c));
        }
    if (l.lit) l.litX = sumX / double(l.lit);
    return l;
}

double discArea(int w) { return 3.1415926 * (w / 2.0 - 1) * (w / 2.0); }

// At new and full moon the terminator lies on the limb: for large discs the edge of its grey band
// may just reach inside, but never brighter than a glimmer (or darker than a faint shade).
TEST(DrawMoon, NewFullAndQuartersForEverySize) {
    for (int w : {20, 21, 100, 333, 2000}) {
        const Light dark = measure(drawMoon(0, w)), full = measure(drawMoon(50, w));
        EXPECT_EQ(dark.lit, 0) << w;
        EXPECT_LE(dark.brightest, w == 100 ? 0 : 16) << w;
        EXPECT_GE(full.darkest, w == 100 ? 255 : 239) << w;
        EXPECT_NEAR(double(full.lit), discArea(w), discArea(w) * 0.02 + 2 * w) << w;
        const Light first = measure(drawMoon(25, w)), last = measure(drawMoon(75, w));
        EXPECT_NEAR(first.lit / discArea(w), 0.5, 0.08) << w;
        EXPECT_NEAR(last.lit / discArea(w), 0.5, 0.08) << w;
        EXPECT_GT(first.litX, w / 2.0) << "waxing: lit on the right";
        EXPECT_LT(last.litX, w / 2.0) << "waning: lit on the left";
    }
    for (auto [phase, w] : {std::pair{-1, 100}, {101, 100}, {50, 19}, {50, 2001}})
        EXPECT_THROW(drawMoon(phase, w), std::invalid_argument) << phase << " " << w;
}

// Phase by phase the lit part grows on the right up to 50 and shrinks on the left after it. Along
// every row the grey rises from the dark side to the lit side without turning back, so the grey
// pixels form one band on the terminator, at most 2e + 1 = 2 * 8 + 1 wide at W 100.
TEST(DrawMoon, GrowsOnTheRightShrinksOnTheLeftWithGreyOnlyAlongTheTerminator) {
    long long previous = -1;
    for (int p = 0; p <= 100; ++p) {
        const QImage moon = drawMoon(p, 100);
        const Light l = measure(moon);
        EXPECT_TRUE(p <= 50 ? l.lit >= previous : l.lit <= previous) << "phase " << p;
        if (l.lit > 0 && p % 50) {
            EXPECT_TRUE(p < 50 ? l.litX > 50 : l.litX < 50) << "phase " << p;
        }
        previous = l.lit;
        for (int y = 0; y < 100; ++y) {
            int greys = 0;
            for (int x = 1; x < 99; ++x) {
                const int v = qRed(moon.pixel(x, y)), before = qRed(moon.pixel(x - 1, y));
                greys += v > 0 && v < 255;
                if (v > 0 && before > 0) {
                    ASSERT_TRUE(p < 50 ? v >= before : v <= before) << p << " " << x << "," << y;
                }
            }
            ASSERT_LE(greys, 17) << "phase " << p << " row " << y;
        }
    }
}

// The picture shows where the disc is lit, the target where it is dark, black in the picture stays
// black, and the tips of a crescent stay joined to it (nearest-pixel sampling left single lit
// pixels there).
TEST(MaskedMoon, ShowsThePictureWhereLitWithEveryLitPixelTouchingAnother) {
    QImage picture = test::filled(64, 64, qRgb(200, 180, 100));
    picture.setPixel(31, 31, qRgb(0, 0, 0));
    const QImage target0 = test::filled(100, 100, qRgb(7, 0, 35));
    auto draw = [&](int phase, bool mirrored) {
        QImage target = target0;
        EXPECT_EQ(drawMaskedMoon(target, picture, phase, 60, 20, 10, mirrored), kMaskDrawn);
        return target;
    };
    EXPECT_EQ(draw(50, false).pixel(50, 40), qRgb(200, 180, 100));
    EXPECT_EQ(draw(50, false).pixel(51, 41), qRgb(0, 0, 0));
    EXPECT_EQ(draw(25, false).pixel(70, 40), qRgb(200, 180, 100)) << "waxing: lit on the right";
    EXPECT_EQ(draw(25, false).pixel(30, 40), qRgb(7, 0, 35));
    EXPECT_EQ(draw(25, true).pixel(70, 40), qRgb(7, 0, 35)) << "seen from the south";
    EXPECT_EQ(draw(0, false), target0);
    for (int phase = 0; phase <= 100; ++phase) {
        const QImage mask = moonMask(phase, 60);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                if (qRed(mask.pixel(x, y)) == 0) continue;
                int lit = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        lit += (dx || dy) && mask.rect().contains(x + dx, y + dy) &&
                               qRed(mask.pixel(x + dx, y + dy)) > 0;
                ASSERT_GT(lit, 0) << "phase " << phase << " at " << x << "," << y;
            }
    }
}

// Every phase at a small, an odd and a print-sized side, and some at the largest side, as one
// FNV-1a digest of their bytes: the discs as they were drawn when the digest was taken.
TEST(Moon, DiscPixelsStayAsTheyWere) {
    std::uint64_t digest = 14695981039346656037ull;
    const auto add = [&digest](const QImage& moon) {
        for (int y = 0; y < moon.height(); ++y) {
            const uchar* row = moon.constScanLine(y);
            for (int i = 0; i < 3 * moon.width(); ++i)
                digest = (digest ^ row[i]) * 1099511628211ull;
        }
    };
    for (const int w : {20, 97, 360})
        for (int p = 0; p <= 100; ++p) add(drawMoon(p, w));
    for (const int p : {13, 63}) add(drawMoon(p, kMaxMoonSize));
    EXPECT_EQ(digest, 10138323533483891422ull);
}

}  // namespace
}  // namespace orbisca::gfx
