// The drawn pack: every file the program loads is there, as a 24-bit bottom-up BMP of its
// manifest size, masks match their pictures, colour keys stay outside the figures, and the signs
// and tones read as what they stand for.
#include "manifest.h"
#include "pack_reader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

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

// Kinds of the element table whose pictures this pack draws.
std::vector<int> packKinds() {
    std::vector<int> kinds;
    auto range = [&](int a, int b) {
        for (int k = a; k <= b; ++k) kinds.push_back(k);
    };
    range(0, 20);
    range(30, 50);
    range(51, 63);
    range(71, 77);
    range(78, 232);
    range(235, 238);
    kinds.push_back(372);
    return kinds;
}

}  // namespace

TEST(PackFiles, EveryElementKindAndCompactWindowFileIsInThePack) {
    std::vector<QString> files;
    for (int kind : packKinds()) files.push_back(fileForKind(kind));
    for (const char* f : {"pyr0.bmp", "pyrA0.bmp", "frame1.bmp", "frameclr.bmp", "moon.bmp",
                          "moon2.bmp", "moon3.bmp", "SBalfa.bmp", "Smalfa.bmp", "plalfa.bmp"})
        files.push_back(f);
    for (int tone = 1; tone <= 13; ++tone)
        files.push_back("ToneAlfa" + QString::number(tone) + ".bmp");
    for (const QString& f : files) {
        EXPECT_NE(inManifest(f), nullptr) << f.toStdString();
        EXPECT_TRUE(QFileInfo::exists(graphicFile(f))) << f.toStdString();
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

TEST(PackFiles, EveryFileIsA24BitBottomUpBmpOfItsManifestSize) {
    for (const Asset& a : manifest()) {
        SCOPED_TRACE(a.file.toStdString());
        QFile file(graphicFile(a.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        auto le = [&](int at, int n) {
            quint32 v = 0;
            for (int i = n - 1; i >= 0; --i) v = v << 8 | uchar(bytes[at + i]);
            return v;
        };
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(le(2, 4), quint32(bytes.size()));
        EXPECT_EQ(le(10, 4), 54u);  // the pixels right after the headers, no palette
        EXPECT_EQ(le(18, 4), quint32(a.size.width()));
        EXPECT_EQ(le(22, 4), quint32(a.size.height()));  // positive: bottom-up
        EXPECT_EQ(le(28, 2), 24u);
        EXPECT_EQ(le(30, 4), 0u);  // uncompressed
        EXPECT_EQ(bytes.size(), 54 + ((3 * a.size.width() + 3) & ~3) * a.size.height());
        EXPECT_EQ(loadPicture(a.file).size(), a.size);
        EXPECT_FALSE(a.reason.isEmpty());
        if (a.file == "pyr0.bmp") {
            // The file's first row is the bottom of the picture: stone in the middle, where the top
            // row is sky.
            EXPECT_NE(le(54 + 3 * 300, 3), 0u);
            EXPECT_EQ(rgbAt(loadPicture("pyr0.bmp"), 300, 0), 0u);
        }
    }
}

// Every picture the compact window draws through a mask, and where: the drawn rectangle covers
// its area (left, top, right, bottom inclusive) and overlaps it by a few pixels at most.
struct Drawn {
    QString picture, mask;
    QPoint at;
    QRect area;
};
std::vector<Drawn> compactWindowPictures() {
    std::vector<Drawn> drawn;
    for (int s = 0; s < 20; ++s) {
        drawn.push_back({QString::number(s) + "Y.bmp",
                         "SBalfa.bmp",
                         {224, 220},
                         QRect(QPoint(226, 222), QPoint(298, 294))});
        drawn.push_back({QString::number(s) + ".bmp",
                         "Smalfa.bmp",
                         {308, 229},
                         QRect(QPoint(310, 231), QPoint(370, 291))});
    }
    for (int t = 1; t <= 13; ++t)
        drawn.push_back({"Tone" + QString::number(t) + ".bmp",
                         "ToneAlfa" + QString::number(t) + ".bmp",
                         {227, 182},
                         QRect(QPoint(227, 182), QPoint(298, 217))});
    for (int p = 1; p <= 7; ++p)
        drawn.push_back({QString::number(p) + "X.bmp",
                         "plalfa.bmp",
                         {150, 216},
                         QRect(QPoint(154, 218), QPoint(208, 272))});
    return drawn;
}

TEST(PackFiles, CompactWindowPicturesFillTheirAreasAndMatchTheirMasks) {
    for (const Drawn& d : compactWindowPictures()) {
        SCOPED_TRACE((d.picture + " / " + d.mask).toStdString());
        const QImage pic = loadPicture(d.picture);
        const QImage mask = loadPicture(d.mask);
        ASSERT_EQ(pic.size(), mask.size());  // the masked drawing refuses pictures of another size
        const QRect drawn(d.at, pic.size());
        EXPECT_TRUE(drawn.contains(d.area));
        EXPECT_LE(drawn.width() - d.area.width(), 8);
        EXPECT_LE(drawn.height() - d.area.height(), 8);
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
    // The tone ends above the sign, the sign left of the guide; the moon fills the 60 x 60 disc.
    EXPECT_LE(182 + loadPicture("Tone1.bmp").height(), 220);
    EXPECT_LE(224 + loadPicture("1Y.bmp").width(), 308);
    EXPECT_EQ(loadPicture("moon.bmp").size(), QSize(60, 60));
}

TEST(PackFiles, SmallSignsAndTonesUseTheLightKeyAndTheOthersBlack) {
    const QRgb light = qRgb(216, 208, 200) & 0xFFFFFF;
    for (int kind : packKinds()) {
        const QString file = fileForKind(kind);
        SCOPED_TRACE(file.toStdString());
        const QImage img = loadPicture(file);
        const bool lightKey =
            kind == 100 || (kind >= 155 && kind <= 174) || (kind >= 179 && kind <= 231);
        const QRgb key = lightKey ? light : 0;
        // Every element's corner is transparent; a year-grid frame is all edge and open inside.
        const bool frame = kind >= 175 && kind <= 178;
        EXPECT_EQ(frame ? rgbAt(img, img.width() / 2, img.height() / 2) : rgbAt(img, 0, 0), key);
        int figure = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                figure += rgbAt(img, x, y) != key;
                ASSERT_FALSE(lightKey && rgbAt(img, x, y) == 0)
                    << x << "," << y;  // nor the black key
            }
        EXPECT_GT(figure * 50, img.width() * img.height());  // a tone of one dot too
    }
}

namespace {
enum class Tint { Red, White, Blue, Yellow, Other };
Tint tintOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 150 && g > 150 && b > 150 && std::max({r, g, b}) - std::min({r, g, b}) < 60)
        return Tint::White;
    if (r > g + 80 && r > b + 80) return Tint::Red;
    if (b > r + 80 && b > g + 40) return Tint::Blue;
    if (r > 180 && g > 130 && b < g - 60) return Tint::Yellow;
    return Tint::Other;
}
}  // namespace

TEST(PackFiles, EverySignIsInItsColourFamilyAtEverySize) {
    const Tint order[] = {Tint::Red, Tint::White, Tint::Blue, Tint::Yellow};
    for (int sign = 1; sign <= 20; ++sign) {
        for (int kind : {sign, 30 + sign, 77 + sign, 97 + sign, 154 + sign}) {
            SCOPED_TRACE(fileForKind(kind).toStdString());
            const QImage img = loadPicture(fileForKind(kind));
            // The ground of the cartouche, left of the emblem, a little above the middle (at the
            // smallest size the emblem fills the middle: the upper left corner inside the rim).
            const bool small = img.width() <= 15;
            const int x = small ? 2 : img.width() * 12 / 100,
                      y = small ? 2 : img.height() * 40 / 100;
            EXPECT_EQ(tintOf(rgbAt(img, x, y)), order[(sign - 1) % 4]);
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

namespace {
// The bounding boxes of the connected groups (four neighbours) of pixels for which `in` holds.
std::vector<QRect> blobs(const QImage& img, const std::function<bool(QRgb)>& in) {
    std::vector<bool> seen(static_cast<size_t>(img.width() * img.height()));
    auto take = [&](QPoint p) {
        if (!img.rect().contains(p) || seen[static_cast<size_t>(p.y() * img.width() + p.x())] ||
            !in(rgbAt(img, p.x(), p.y())))
            return false;
        return bool(seen[static_cast<size_t>(p.y() * img.width() + p.x())] = true);
    };
    std::vector<QRect> found;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!take({x, y})) continue;
            QRect box(x, y, 1, 1);
            for (std::vector<QPoint> stack{{x, y}}; !stack.empty();) {
                const QPoint p = stack.back();
                stack.pop_back();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    if (take(p + d)) stack.push_back(p + d);
            }
            found.push_back(box);
        }
    return found;
}
}  // namespace

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
    for (int tone = 1; tone <= 13; ++tone) {
        for (int kind : {50 + tone, 117 + tone, 141 + tone})
            expectNumeral(tone, fileForKind(kind), false);
        for (int cromatic = 0; cromatic < 4; ++cromatic)
            expectNumeral(tone, fileForKind(178 + tone + 13 * cromatic), true);
    }
}
