// The outlines the window takes from the pack, by the drawing layer's region rule, and the masked
// drawing of the compact window's pictures onto its face.
#include "face_layout.h"
#include "pack_reader.h"

#include "gfx/image_io.h"
#include "gfx/mask_draw.h"
#include "gfx/region.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

QImage load(const QString& file) {
  return orbisca::gfx::LoadBitmap(QDir(packtest::graphicDir()).filePath(file));
}

QRegion outlineOf(const QString& file) {
  return orbisca::gfx::BitmapToRegion(load(file), qRgb(0, 0, 0), orbisca::gfx::RegionMode::KeepDiffering);
}

}  // namespace

TEST(FaceRegion, TheOutlineHoldsEveryAreaAndTextAndIsNotARectangle) {
  const QRegion outline = outlineOf("pyrA0.bmp");
  for (const QRect& area : facelayout::areas())
    EXPECT_TRUE((QRegion(area) - outline).isEmpty()) << area.x() << "," << area.y();
  for (const QRect& cell : facelayout::textCells())
    EXPECT_TRUE((QRegion(cell) - outline).isEmpty()) << cell.x() << "," << cell.y();
  const QRect bounds = outline.boundingRect();
  EXPECT_TRUE(QRect(0, 0, 600, 450).contains(bounds));
  EXPECT_LT(orbisca::gfx::RegionArea(outline), static_cast<long long>(bounds.width()) * bounds.height() * 9 / 10);
}

TEST(FaceRegion, TheOutlineIsWhereTheFaceIsPaintedAndTheMarkersCarryMostOfIt) {
  const QRegion outline = outlineOf("pyrA0.bmp");
  const QImage face = load("pyr0.bmp");
  const QImage mask = load("pyrA0.bmp");
  long long single = 0;
  for (int y = 0; y < face.height(); ++y)
    for (int x = 0; x < face.width(); ++x) {
      ASSERT_EQ(outline.contains(QPoint(x, y)), (face.pixel(x, y) & 0xFFFFFF) != 0) << x << "," << y;
      const QRgb m = mask.pixel(x, y);
      single += qRed(m) && qGreen(m) && qBlue(m);
    }
  // Pixels that the builder adds one at a time: only a thin edge around the marked rectangles.
  EXPECT_LT(single * 10, orbisca::gfx::RegionArea(outline));
}

TEST(FaceRegion, TheFirstOutlineIsASmallShape) {
  const QRegion outline = outlineOf("frame1.bmp");
  ASSERT_FALSE(outline.isEmpty());
  EXPECT_TRUE(QRect(0, 0, 80, 80).contains(outline.boundingRect()));
  const QRect bounds = outline.boundingRect();
  EXPECT_LT(orbisca::gfx::RegionArea(outline), static_cast<long long>(bounds.width()) * bounds.height());
}

TEST(FaceRegion, EveryPictureOfTheCompactWindowDrawsThroughItsMask) {
  struct Drawn {
    QString picture, mask;
    int x, y;
  };
  std::vector<Drawn> drawn;
  for (int s = 0; s < 20; ++s) {
    drawn.push_back({QString::number(s) + "Y.bmp", "SBalfa.bmp", 224, 220});
    drawn.push_back({QString::number(s) + ".bmp", "Smalfa.bmp", 308, 229});
  }
  for (int t = 1; t <= 13; ++t)
    drawn.push_back({"Tone" + QString::number(t) + ".bmp", "ToneAlfa" + QString::number(t) + ".bmp", 227, 182});
  for (int p = 1; p <= 7; ++p) drawn.push_back({QString::number(p) + "X.bmp", "plalfa.bmp", 150, 216});
  QImage face = load("pyr0.bmp");
  for (const Drawn& d : drawn) {
    EXPECT_EQ(orbisca::gfx::MaskDraw(load(d.picture), face, load(d.mask), orbisca::gfx::MaskMode::Mask, 0, d.x, d.y),
              orbisca::gfx::kMaskDrawn)
        << d.picture.toStdString();
  }
  // The moon picture goes through the 60 x 60 phase disc.
  QImage disc(60, 60, QImage::Format_RGB888);
  disc.fill(Qt::white);
  EXPECT_EQ(orbisca::gfx::MaskDraw(load("moon.bmp"), face, disc, orbisca::gfx::MaskMode::Mask, 0, 390, 216),
            orbisca::gfx::kMaskDrawn);
}
