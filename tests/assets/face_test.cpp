// The compact window's face and its first outline, as pictures.
#include "face_layout.h"
#include "pack_reader.h"

#include <gtest/gtest.h>

using namespace packtest;

namespace {
int luminance(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }
bool isBlack(QRgb c) { return (c & 0xFFFFFF) == 0; }
}  // namespace

TEST(Face, TheFaceIsBlackExactlyWhereItsMaskIsBlack) {
  const QImage face = loadPicture("pyr0.bmp");
  const QImage mask = loadPicture("pyrA0.bmp");
  ASSERT_EQ(face.size(), QSize(600, 450));
  ASSERT_EQ(mask.size(), face.size());
  int inside = 0;
  for (int y = 0; y < face.height(); ++y)
    for (int x = 0; x < face.width(); ++x) {
      ASSERT_EQ(isBlack(rgbAt(face, x, y)), isBlack(rgbAt(mask, x, y))) << x << "," << y;
      inside += !isBlack(rgbAt(mask, x, y));
    }
  EXPECT_GT(inside, 600 * 450 / 2);
  EXPECT_LT(inside, 600 * 450 * 9 / 10);
}

TEST(Face, EveryTextLiesOnACalmDarkGround) {
  // The fonts are white: every text cell must be dark and even, with no bright detail under it.
  const QImage face = loadPicture("pyr0.bmp");
  for (const QRect& cell : facelayout::textCells()) {
    SCOPED_TRACE(QString("%1,%2 %3x%4").arg(cell.x()).arg(cell.y()).arg(cell.width()).arg(cell.height()).toStdString());
    long long sum = 0;
    int brightest = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) {
        const int l = luminance(rgbAt(face, x, y));
        sum += l;
        brightest = std::max(brightest, l);
      }
    EXPECT_LT(sum / (cell.width() * cell.height()), 35);
    EXPECT_LT(brightest, 100);
  }
}

TEST(Face, TheFirstOutlineIsSmallShapedAndItsPictureFillsIt) {
  const QImage outline = loadPicture("frame1.bmp");
  const QImage picture = loadPicture("frameclr.bmp");
  ASSERT_EQ(outline.size(), picture.size());
  int inside = 0;
  for (int y = 0; y < outline.height(); ++y)
    for (int x = 0; x < outline.width(); ++x) {
      const QRgb c = rgbAt(outline, x, y);
      // Either black (outside) or all three channels lit (inside, with black as the key).
      ASSERT_TRUE(isBlack(c) || (qRed(c) && qGreen(c) && qBlue(c))) << x << "," << y;
      EXPECT_EQ(isBlack(c), isBlack(rgbAt(picture, x, y))) << x << "," << y;
      inside += !isBlack(c);
    }
  EXPECT_GT(inside, outline.width() * outline.height() / 3);
  EXPECT_LT(inside, outline.width() * outline.height());
}
