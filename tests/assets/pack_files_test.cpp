// SPDX-License-Identifier: GPL-3.0-or-later
// The drawn pack: its files, sizes, masks, colour keys, signs and tones.
#include "manifest.h"
#include "pack_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

using namespace packtest;
using orbisca::assets::Asset;
using orbisca::assets::manifest;

namespace {

const Asset* inManifest(const QString& file) {
    for (const Asset& a : manifest())
        if (a.file == file) return &a;
    return nullptr;
}

QRgb keyOf(int kind) { return orbisca::elementKeyColour(kind) & 0xFFFFFF; }

}  // namespace

// Every element the renderer loads is in the pack, drawn with the key the renderer takes out. (The
// faces, masks and boards the windows load, the tests that draw with them find.)
TEST(PackFiles, EveryElementTheRendererLoadsIsInThePack) {
    for (int kind = 0; kind <= orbisca::kLastElementKind; ++kind) {
        const QString f = fileForKind(kind);
        if (f.isEmpty()) continue;
        const Asset* a = inManifest(f);
        ASSERT_NE(a, nullptr) << "kind " << kind << ": " << f.toStdString();  // and drawn: below
        EXPECT_EQ(a->use, orbisca::assets::Use::Keyed) << f.toStdString();
        EXPECT_EQ(a->key & 0xFFFFFF, keyOf(kind)) << f.toStdString();
    }
    // The manifest names each file once, and the glyphs of all 21 buttons are there.
    std::set<QString> names;
    int glyphs = 0;
    for (const Asset& a : manifest()) {
        EXPECT_TRUE(names.insert(a.file).second) << "twice: " << a.file.toStdString();
        glyphs += a.family == "button";
    }
    EXPECT_EQ(glyphs, 21);
}

// The program's picture loader reads any depth and row order: what counts is the manifest size,
// and a picture blended through a mask needs a mask of exactly its size.
TEST(PackFiles, EveryFileIsAPictureOfItsManifestSize) {
    for (const Asset& a : manifest()) {
        SCOPED_TRACE(a.file.toStdString());
        EXPECT_EQ(loadPicture(a.file).size(), a.size);
        if (a.use == orbisca::assets::Use::Blended) {
            const Asset* mask = inManifest(a.mask);
            ASSERT_NE(mask, nullptr) << a.mask.toStdString();
            EXPECT_EQ(mask->use, orbisca::assets::Use::Mask);
            EXPECT_EQ(mask->size, a.size);
        }
    }
}

// Every picture the compact window draws through a mask: the sign, guide, tone and plasma.
std::vector<std::pair<QString, QString>> compactWindowPictures() {
    std::vector<std::pair<QString, QString>> drawn;
    for (int s = 0; s < 20; ++s) {
        drawn.emplace_back(QString::number(s) + "Y.bmp", "SBalfa.bmp");
        drawn.emplace_back(QString::number(s) + ".bmp", "Smalfa.bmp");
    }
    for (int t = 1; t <= 13; ++t)
        drawn.emplace_back("Tone" + QString::number(t) + ".bmp",
                           "ToneAlfa" + QString::number(t) + ".bmp");
    for (int p = 1; p <= 7; ++p) drawn.emplace_back(QString::number(p) + "X.bmp", "plalfa.bmp");
    return drawn;
}

TEST(PackFiles, CompactWindowPicturesMatchTheirMasks) {
    for (const auto& [file, maskFile] : compactWindowPictures()) {
        SCOPED_TRACE((file + " / " + maskFile).toStdString());
        const QImage pic = loadPicture(file);
        const QImage mask = loadPicture(maskFile);
        ASSERT_EQ(pic.size(), mask.size());  // the masked drawing refuses pictures of another size
        int outside = 0;
        for (int y = 0; y < pic.height(); ++y)
            for (int x = 0; x < pic.width(); ++x) {
                const QRgb m = rgbAt(mask, x, y);
                ASSERT_TRUE(qRed(m) == qGreen(m) && qGreen(m) == qBlue(m))
                    << "mask not grey at " << x << "," << y;
                // Where the mask hides the picture the full-mode window sees the black key, and the
                // black key never shows inside the figure.
                ASSERT_EQ(rgbAt(pic, x, y) == 0, qRed(m) == 0) << "at " << x << "," << y;
                outside += qRed(m) == 0;
            }
        EXPECT_GT(outside, 0);
    }
}

// A keyed picture never shows a hole of its key inside its outline, nor black beside a light key
// (the full-mode window takes black out too), and a tone of one dot is still a figure. The
// elements (not the boards and lines, which fill their pictures) show the key in their corner, a
// year-grid frame, open inside, in its middle.
TEST(PackFiles, KeyedPicturesHaveTheirKeyOutsideTheFigureOnly) {
    using namespace orbisca::kinds;
    std::set<QString> elements{fileForKind(kExtraDayDot)};
    for (int kind = 0; kind <= kWeekMoonDayMarks.last(); ++kind)
        if (!kIzinLines.contains(kind)) elements.insert(fileForKind(kind));
    for (const Asset& a : manifest()) {
        if (a.use != orbisca::assets::Use::Keyed) continue;
        SCOPED_TRACE(a.file.toStdString());
        const QImage img = loadPicture(a.file);
        const QRgb key = a.key & 0xFFFFFF;
        const bool frame = a.file.startsWith("fr");
        if (elements.count(a.file)) {
            EXPECT_EQ(frame ? rgbAt(img, img.width() / 2, img.height() / 2) : rgbAt(img, 0, 0),
                      key);
        }
        int figure = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                figure += rgbAt(img, x, y) != key;
                ASSERT_FALSE(key != 0 && rgbAt(img, x, y) == 0) << x << "," << y;
            }
        EXPECT_GT(figure * 50, img.width() * img.height());
        if (frame) continue;
        for (const QRect& hole : blobs(img, [key](QRgb c) { return c == key; }))
            EXPECT_FALSE(img.rect().adjusted(1, 1, -1, -1).contains(hole))
                << "a hole at " << hole.x() << "," << hole.y();
    }
}

TEST(PackFiles, EverySignIsInItsColourFamilyAtEverySize) {
    for (int sign = 1; sign <= 20; ++sign) {
        using namespace orbisca::kinds;
        for (int kind : {kLargeSignsY.kindOf(sign), kLargeSigns.kindOf(sign), kSigns45.kindOf(sign),
                         kSigns35.kindOf(sign), kSmallSigns.kindOf(sign)}) {
            SCOPED_TRACE(fileForKind(kind).toStdString());
            const QImage img = loadPicture(fileForKind(kind));
            // The ground of the cartouche, left of the emblem, a little above the middle (at the
            // smallest size the emblem fills the middle: the upper left corner inside the rim).
            const bool small = img.width() <= 15;
            const int x = small ? 2 : img.width() * 12 / 100,
                      y = small ? 2 : img.height() * 40 / 100;
            EXPECT_EQ(tintOf(rgbAt(img, x, y)), signTint(sign));
        }
    }
}

namespace {
// Pixels that stand out from the cartouche's ground: the emblem, as a set of bits.
std::vector<bool> emblemBits(const QImage& img) {
    const int x0 = std::max(2, img.width() * 12 / 100), y0 = img.height() * 40 / 100;
    const int ground = luminance(rgbAt(img, x0, y0));
    std::vector<bool> bits;
    const int inset = std::max(2, img.width() / 7);
    for (int y = inset; y < img.height() - inset; ++y)
        for (int x = inset; x < img.width() - inset; ++x)
            bits.push_back(std::abs(luminance(rgbAt(img, x, y)) - ground) > 70);
    return bits;
}
}  // namespace

TEST(PackFiles, TheTwentyEmblemsDifferFromEachOtherEvenAtFifteenPixels) {
    for (const QString& prefix : {QString("zc450"), QString("zcs150")}) {
        std::vector<std::vector<bool>> emblems;
        for (int i = 0; i < 20; ++i)
            emblems.push_back(emblemBits(
                loadPicture(prefix + QString::number(i).rightJustified(3, '0') + ".bmp")));
        for (int a = 0; a < 20; ++a)
            for (int b = a + 1; b < 20; ++b) {
                int differ = 0, inked = 0;
                for (size_t i = 0; i < emblems[a].size(); ++i) {
                    differ += emblems[a][i] != emblems[b][i];
                    inked += emblems[a][i] || emblems[b][i];
                }
                // At least a fifth of the inked pixels belong to one emblem only.
                EXPECT_GT(differ * 5, inked)
                    << prefix.toStdString() << ": signs " << a + 1 << " and " << b + 1;
            }
    }
}

TEST(PackFiles, TonesAreBarAndDotNumerals) {
    // Bright bars lying down and dots; the year-grid tones (on the light key) lie sideways: upright
    // bars, dots beside them, in the cromatic's colour.
    auto expectNumeral = [](int tone, const QString& file, bool sideways) {
        SCOPED_TRACE(file.toStdString());
        const QImage img = loadPicture(file);
        const QRgb light = qRgb(216, 208, 200) & 0xFFFFFF;
        int bars = 0, dots = 0;
        for (const QRect& b :
             blobs(img, [&](QRgb c) { return sideways ? c != light : luminance(c) > 140; }))
            (sideways ? b.height() == img.height() : b.width() >= 3 * b.height()) ? ++bars : ++dots;
        EXPECT_EQ(bars, tone / 5);
        EXPECT_EQ(dots, tone % 5);
    };
    using namespace orbisca::kinds;
    for (int tone = 1; tone <= 13; ++tone) {
        for (int kind : {kLargeTones.kindOf(tone), kTones45.kindOf(tone), kTones35.kindOf(tone)})
            expectNumeral(tone, fileForKind(kind), false);
        for (int cromatic = 0; cromatic < 4; ++cromatic)
            expectNumeral(tone, fileForKind(kSmallTones.kindOf(tone + 13 * cromatic)), true);
    }
}

// The glyph button cuts its strip in the order normal, hot, down, disabled.
TEST(PackFiles, ButtonGlyphsHoldNormalHotDownAndDisabledInThisOrder) {
    for (const Asset& a : manifest()) {
        if (a.family != "button") continue;
        SCOPED_TRACE(a.file.toStdString());
        const QImage strip = loadPicture(a.file);
        const int cell = strip.height();
        ASSERT_EQ(strip.width(), 4 * cell);
        int tile[4], brightest[4];
        for (int s = 0; s < 4; ++s) {
            tile[s] = luminance(rgbAt(strip, s * cell + cell / 2, 4));
            brightest[s] = 0;
            for (int y = 0; y < cell; ++y)
                for (int x = s * cell; x < (s + 1) * cell; ++x)
                    brightest[s] = std::max(brightest[s], luminance(rgbAt(strip, x, y)));
        }
        EXPECT_GT(tile[1], tile[0]);                                             // hot lights up
        EXPECT_LT(tile[2], tile[0]);                                             // down sinks
        for (int s = 0; s < 3; ++s) EXPECT_LT(brightest[3], brightest[s] - 40);  // disabled dims
    }
}
