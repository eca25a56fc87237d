// The drawn pack: every file the program loads is there, as a 24-bit bottom-up BMP of its
// manifest size, masks match their pictures, colour keys stay outside the figures, and the signs
// and tones read as what they stand for.
#include "manifest.h"
#include "pack_reader.h"

#include <gtest/gtest.h>

#include <QDir>
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

int luminance(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }

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
  for (const char* f : {"pyr0.bmp", "pyrA0.bmp", "frame1.bmp", "frameclr.bmp", "moon.bmp", "moon2.bmp",
                        "moon3.bmp", "SBalfa.bmp", "Smalfa.bmp", "plalfa.bmp"})
    files.push_back(f);
  for (int tone = 1; tone <= 13; ++tone) files.push_back("ToneAlfa" + QString::number(tone) + ".bmp");
  for (const QString& f : files) {
    EXPECT_NE(inManifest(f), nullptr) << f.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(graphicDir()).filePath(f))) << f.toStdString();
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
    const QByteArray bytes = readBytes(QDir(graphicDir()).filePath(a.file));
    const BmpHeader h = parseBmpHeader(bytes);
    ASSERT_TRUE(h.valid);
    EXPECT_EQ(h.bitsPerPixel, 24);
    EXPECT_EQ(h.compression, 0);
    EXPECT_EQ(h.width, a.size.width());
    EXPECT_EQ(h.height, a.size.height());  // positive: bottom-up
    EXPECT_EQ(h.pixelOffset, 54u);
    const int stride = (3 * h.width + 3) & ~3;
    EXPECT_EQ(bytes.size(), 54 + stride * h.height);
    EXPECT_EQ(h.fileSize, static_cast<quint32>(bytes.size()));
    const QImage img = loadPicture(a.file);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), a.size);
    EXPECT_FALSE(a.reason.isEmpty());
  }
}

TEST(PackFiles, TheFirstRowOfTheFileIsTheBottomOfThePicture) {
  // The face is black outside its outline at the top corners but stone at the bottom centre.
  const QByteArray bytes = readBytes(QDir(graphicDir()).filePath("pyr0.bmp"));
  ASSERT_GT(bytes.size(), 54 + 3 * 301);
  const auto firstRowMiddle = qRgb(uchar(bytes[54 + 3 * 300 + 2]), uchar(bytes[54 + 3 * 300 + 1]),
                                   uchar(bytes[54 + 3 * 300]));
  EXPECT_NE(firstRowMiddle & 0xFFFFFF, 0u);
  EXPECT_EQ(rgbAt(loadPicture("pyr0.bmp"), 0, 0), 0u);
}

namespace {
struct PictureAndMask {
  QString picture, mask;
};
std::vector<PictureAndMask> maskedPictures() {
  std::vector<PictureAndMask> pairs;
  for (int s = 0; s < 20; ++s) {
    pairs.push_back({QString::number(s) + "Y.bmp", "SBalfa.bmp"});
    pairs.push_back({QString::number(s) + ".bmp", "Smalfa.bmp"});
  }
  for (int t = 1; t <= 13; ++t)
    pairs.push_back({"Tone" + QString::number(t) + ".bmp", "ToneAlfa" + QString::number(t) + ".bmp"});
  for (int p = 1; p <= 7; ++p) pairs.push_back({QString::number(p) + "X.bmp", "plalfa.bmp"});
  return pairs;
}
}  // namespace

TEST(PackFiles, MasksMatchTheirPicturesAndTheKeyStaysOutsideTheFigure) {
  for (const auto& [pictureName, maskName] : maskedPictures()) {
    SCOPED_TRACE((pictureName + " / " + maskName).toStdString());
    const QImage pic = loadPicture(pictureName);
    const QImage mask = loadPicture(maskName);
    ASSERT_EQ(pic.size(), mask.size());  // the masked drawing refuses pictures of another size
    int outside = 0;
    for (int y = 0; y < pic.height(); ++y)
      for (int x = 0; x < pic.width(); ++x) {
        const QRgb m = rgbAt(mask, x, y);
        ASSERT_TRUE(qRed(m) == qGreen(m) && qGreen(m) == qBlue(m)) << "mask not grey at " << x << "," << y;
        // Where the mask hides the picture the full-mode window sees the black key, and the
        // black key never shows inside the figure.
        const bool key = rgbAt(pic, x, y) == 0;
        ASSERT_EQ(key, qRed(m) == 0) << "at " << x << "," << y;
        outside += key;
      }
    EXPECT_GT(outside, 0);
  }
  EXPECT_EQ(loadPicture("moon.bmp").size(), QSize(60, 60));  // drawn through the 60 x 60 disc
}

TEST(PackFiles, SmallSignsAndTonesUseTheLightKeyAndTheOthersBlack) {
  const QRgb light = qRgb(216, 208, 200) & 0xFFFFFF;
  for (int kind : packKinds()) {
    const QString file = fileForKind(kind);
    SCOPED_TRACE(file.toStdString());
    const QImage img = loadPicture(file);
    const bool lightKey = kind == 100 || (kind >= 155 && kind <= 174) || (kind >= 179 && kind <= 231);
    const QRgb key = lightKey ? light : 0;
    // Every element's corner is transparent; a year-grid frame is all edge and open inside.
    const bool frame = kind >= 175 && kind <= 178;
    EXPECT_EQ(frame ? rgbAt(img, img.width() / 2, img.height() / 2) : rgbAt(img, 0, 0), key);
    int figure = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) figure += rgbAt(img, x, y) != key;
    EXPECT_GT(figure * 50, img.width() * img.height());  // a tone of one dot too
    if (lightKey) {  // the black key of the other kinds does not appear either
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ASSERT_NE(rgbAt(img, x, y), 0u);
    }
  }
}

namespace {
enum class Tint { Red, White, Blue, Yellow, Other };
Tint tintOf(QRgb c) {
  const int r = qRed(c), g = qGreen(c), b = qBlue(c);
  if (r > 150 && g > 150 && b > 150 && std::max({r, g, b}) - std::min({r, g, b}) < 60) return Tint::White;
  if (r > g + 80 && r > b + 80) return Tint::Red;
  if (b > r + 80 && b > g + 40) return Tint::Blue;
  if (r > 180 && g > 130 && b < g - 60) return Tint::Yellow;
  return Tint::Other;
}
}  // namespace

TEST(PackFiles, EverySignIsInItsColourFamilyAtEverySize) {
  const Tint order[] = {Tint::Red, Tint::White, Tint::Blue, Tint::Yellow};
  for (int sign = 1; sign <= 20; ++sign) {
    const QString n = QString::number(sign % 20);
    const QString index = QString::number(sign - 1).rightJustified(3, '0');
    for (const QString& file : {n + "Y.bmp", n + ".bmp", "zc450" + index + ".bmp", "zc350" + index + ".bmp",
                                "zcs150" + index + ".bmp"}) {
      SCOPED_TRACE(file.toStdString());
      const QImage img = loadPicture(file);
      // The ground of the cartouche, left of the emblem, a little above the middle (at the
      // smallest size the emblem fills the middle: the upper left corner inside the rim).
      const bool small = img.width() <= 15;
      const int x = small ? 2 : img.width() * 12 / 100, y = small ? 2 : img.height() * 40 / 100;
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
      emblems.push_back(emblemBits(loadPicture(prefix + QString::number(i).rightJustified(3, '0') + ".bmp")));
    for (int a = 0; a < 20; ++a)
      for (int b = a + 1; b < 20; ++b) {
        int differ = 0, inked = 0;
        for (size_t i = 0; i < emblems[a].size(); ++i) {
          differ += emblems[a][i] != emblems[b][i];
          inked += emblems[a][i] || emblems[b][i];
        }
        // At least a fifth of the inked pixels belong to one emblem only.
        EXPECT_GT(differ * 5, inked) << prefix.toStdString() << ": signs " << a + 1 << " and " << b + 1;
      }
  }
}

namespace {
struct Blob {
  int width = 0, height = 0;
};
// Connected groups (four neighbours) of pixels for which `in` holds.
std::vector<Blob> blobs(const QImage& img, const std::function<bool(QRgb)>& in) {
  std::vector<int> seen(static_cast<size_t>(img.width() * img.height()), 0);
  std::vector<Blob> found;
  for (int y0 = 0; y0 < img.height(); ++y0)
    for (int x0 = 0; x0 < img.width(); ++x0) {
      if (seen[static_cast<size_t>(y0 * img.width() + x0)] || !in(rgbAt(img, x0, y0))) continue;
      int minX = x0, maxX = x0, minY = y0, maxY = y0;
      std::vector<QPoint> stack{{x0, y0}};
      seen[static_cast<size_t>(y0 * img.width() + x0)] = 1;
      while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        minX = std::min(minX, p.x()), maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y()), maxY = std::max(maxY, p.y());
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
          const QPoint q = p + d;
          if (q.x() < 0 || q.y() < 0 || q.x() >= img.width() || q.y() >= img.height()) continue;
          int& s = seen[static_cast<size_t>(q.y() * img.width() + q.x())];
          if (s || !in(rgbAt(img, q.x(), q.y()))) continue;
          s = 1;
          stack.push_back(q);
        }
      }
      found.push_back({maxX - minX + 1, maxY - minY + 1});
    }
  return found;
}
}  // namespace

TEST(PackFiles, TonesAreBarAndDotNumerals) {
  auto bright = [](QRgb c) { return luminance(c) > 140; };
  for (int tone = 1; tone <= 13; ++tone) {
    const QString index = QString::number(tone - 1).rightJustified(3, '0');
    for (const QString& file : {"Tone" + QString::number(tone) + ".bmp", "tn450" + index + ".bmp",
                                "tn350" + index + ".bmp"}) {
      SCOPED_TRACE(file.toStdString());
      int bars = 0, dots = 0;
      for (const Blob& b : blobs(loadPicture(file), bright)) (b.width >= 3 * b.height ? bars : dots) += 1;
      EXPECT_EQ(bars, tone / 5);
      EXPECT_EQ(dots, tone % 5);
    }
    // The year-grid tones lie sideways: upright bars, dots beside them, in the cromatic's colour.
    for (int cromatic = 1; cromatic <= 4; ++cromatic) {
      const int index = tone - 1 + 13 * (cromatic - 1);
      const QString file = fileForKind(179 + index);
      SCOPED_TRACE(file.toStdString());
      const QImage img = loadPicture(file);
      int bars = 0, dots = 0;
      const auto figure = [](QRgb c) { return (c & 0xFFFFFF) != (qRgb(216, 208, 200) & 0xFFFFFF); };
      for (const Blob& b : blobs(img, figure)) (b.height == img.height() ? bars : dots) += 1;
      EXPECT_EQ(bars, tone / 5);
      EXPECT_EQ(dots, tone % 5);
    }
  }
}

TEST(PackFiles, CompactWindowPicturesFillTheirAreas) {
  struct Placement {
    const char* file;
    QPoint at;
    QRect area;  // left, top, right, bottom inclusive
  };
  const Placement placements[] = {
      {"1Y.bmp", {224, 220}, QRect(QPoint(226, 222), QPoint(298, 294))},
      {"1.bmp", {308, 229}, QRect(QPoint(310, 231), QPoint(370, 291))},
      {"Tone1.bmp", {227, 182}, QRect(QPoint(227, 182), QPoint(298, 217))},
      {"1X.bmp", {150, 216}, QRect(QPoint(154, 218), QPoint(208, 272))},
  };
  for (const Placement& p : placements) {
    SCOPED_TRACE(p.file);
    const QRect drawn(p.at, loadPicture(p.file).size());
    EXPECT_TRUE(drawn.contains(p.area));
    // No more than a few pixels beyond the area, so neighbours do not overlap.
    EXPECT_LE(drawn.width() - p.area.width(), 8);
    EXPECT_LE(drawn.height() - p.area.height(), 8);
  }
  // The tone ends above the sign, the sign left of the guide.
  EXPECT_LE(182 + loadPicture("Tone1.bmp").height(), 220);
  EXPECT_LE(224 + loadPicture("1Y.bmp").width(), 308);
}
