#include "generator.h"

#include "face.h"
#include "manifest.h"
#include "palette.h"
#include "raster.h"

#include "data/atomic_file.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"
#include "gfx/region.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace orbisca::assets {

namespace {

// The face's mask must give, by the window's own region rule, exactly the outline the face is
// drawn in.
QString checkFaceMask(const QImage& mask) {
  const QRegion region = gfx::BitmapToRegion(mask, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
  const QImage shape = faceShape();
  QImage outline(shape.size(), QImage::Format_Grayscale8);
  outline.fill(0);
  for (const QRect& r : region)
    for (int y = r.top(); y <= r.bottom(); ++y) std::fill_n(outline.scanLine(y) + r.left(), r.width(), uchar(255));
  for (int y = 0; y < shape.height(); ++y)
    for (int x = 0; x < shape.width(); ++x)
      if ((outline.constScanLine(y)[x] != 0) != (shape.constScanLine(y)[x] != 0))
        return QStringLiteral("pyrA0.bmp: its outline differs from the face at (%1, %2)").arg(x).arg(y);
  return {};
}

}  // namespace

QStringList writePack(const QString& outDir) {
  QStringList problems;
  const QString graphic = QDir(outDir).filePath("graphic");
  if (!QDir().mkpath(graphic)) return {"cannot create " + graphic};
  for (const Asset& a : manifest()) {
    const QImage img = a.draw();
    if (img.size() != a.size) {
      problems << QStringLiteral("%1: drawn %2 x %3, manifest says %4 x %5")
                      .arg(a.file)
                      .arg(img.width())
                      .arg(img.height())
                      .arg(a.size.width())
                      .arg(a.size.height());
      continue;
    }
    if (a.file == "pyrA0.bmp") {
      const QString err = checkFaceMask(img);
      if (!err.isEmpty()) {
        problems << err;
        continue;
      }
    }
    QString error;
    if (!writeFileAtomically(QDir(graphic).filePath(a.file), encodeBmp24(img), &error))
      problems << a.file + ": " + error;
  }
  return problems;
}

namespace {

// Shows a picture as the program draws it: its key colour transparent over the frame colour.
QImage asDrawn(const QImage& pic, const Asset& a) {
  QImage out = pic.convertToFormat(QImage::Format_RGB32);
  if (a.mask || a.family == "compact" || a.family == "button") return out;
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((row[x] & 0xFFFFFF) == (a.key & 0xFFFFFF)) row[x] = kNight;
  }
  return out;
}

const Asset* find(const QString& file) {
  for (const Asset& a : manifest())
    if (a.file == file) return &a;
  return nullptr;
}

// The compact face with one sample day laid on it, placed where the window places them, with
// placeholder captions in a plain font, to judge the composition.
QImage facePreview() {
  QImage face = find("pyr0.bmp")->draw();
  auto put = [&](const char* pic, const char* mask, QPoint at) {
    gfx::MaskDraw(find(pic)->draw(), face, find(mask)->draw(), gfx::MaskMode::Mask, 0, at.x(), at.y());
  };
  put("7X.bmp", "plalfa.bmp", {150, 216});
  put("Tone1.bmp", "ToneAlfa1.bmp", {227, 182});
  put("14Y.bmp", "SBalfa.bmp", {224, 220});
  put("14.bmp", "Smalfa.bmp", {308, 229});
  gfx::DrawSoftMoon(face, 38, find("moon.bmp")->draw(), 390, 216);
  QPainter p(&face);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Qt::white);
  // Fonts 2, 3 and 5 of the bundled font table.
  struct Face {
    const char* family;
    int pixels;
    bool bold;
  };
  const Face f2{"DejaVu Serif", 15, true}, f3{"DejaVu Sans", 11, false}, f5{"Liberation Serif", 15, false};
  auto text = [&](int px, int y, const QString& s, const Face& face, bool centred) {
    QFont f(face.family);
    f.setPixelSize(face.pixels);
    f.setBold(face.bold);
    p.setFont(f);
    const QFontMetrics fm(f);
    const int x = centred ? 299 - fm.horizontalAdvance(s) / 2 : px;
    p.drawText(x, y + fm.ascent(), s);
  };
  text(0, 97, "Lunar Moon of the Scorpion", f2, true);
  text(0, 113, "Moon 2 Scorpion", f2, true);
  text(0, 128, "Day 17", f3, true);
  text(0, 140, "Kin White Magnetic", f2, true);
  text(0, 155, "Magnetic White", f2, true);
  text(0, 167, "Wizard", f2, true);
  text(170, 186, "PLASMA:", f3, false);
  text(170, 198, "SILIO", f3, false);
  text(304, 188, "Kin: 14", f3, false);
  text(304, 202, "Tone: 1", f3, false);
  text(304, 214, "SIGN: WIZARD", f3, false);
  text(396, 186, "Moon", f3, false);
  text(400, 198, "phase", f3, false);
  const char* lines[] = {"I unify in order to enchant",  "attracting receptivity",
                         "I seal the store of timelessness", "with the magnetic tone of purpose",
                         "I am guided by my own power doubled", "I am a galactic activation portal"};
  for (int i = 0; i < 6; ++i) text(0, 298 + 14 * i, lines[i], f5, true);
  // The two buttons and a hint in its flare colour, where the compact window puts them.
  p.drawImage(QPoint(44, 414), find("btnExpand.bmp")->draw().copy(0, 0, 24, 24));
  p.drawImage(QPoint(532, 414), find("btnClose.bmp")->draw().copy(0, 0, 24, 24));
  QFont hint("DejaVu Sans");
  hint.setPixelSize(12);
  hint.setBold(true);
  p.setFont(hint);
  p.setPen(QColor(245, 90, 75));
  p.drawText(QRect(70, 404, 460, 18), Qt::AlignCenter, "The tone of the day: click to open its page");
  return face;
}

}  // namespace

QStringList writeContactSheet(const QString& file) {
  constexpr int kWidth = 1800;
  constexpr int kPad = 10;
  constexpr int kLabel = 14;
  struct Placed {
    const Asset* asset;
    QImage image;
    QRect where;
  };
  std::vector<Placed> placed;
  int x = kPad, y = kPad + 460, rowHeight = 0;
  QString family;
  for (const Asset& a : manifest()) {
    const int scale = std::max(a.size.width(), a.size.height()) <= 24 ? 3
                      : std::max(a.size.width(), a.size.height()) <= 45 ? 2
                                                                         : 1;
    const QImage shown = asDrawn(a.draw(), a).scaled(a.size * scale);
    const int cellWidth = std::max(shown.width(), 84);
    if (a.family != family || x + cellWidth > kWidth - kPad) {
      x = kPad;
      y += rowHeight + (a.family != family && !family.isEmpty() ? 3 * kPad : kPad);
      rowHeight = 0;
      family = a.family;
    }
    placed.push_back({&a, shown, QRect(QPoint(x, y), shown.size())});
    x += cellWidth + kPad;
    rowHeight = std::max(rowHeight, shown.height() + kLabel);
  }
  QImage sheet(kWidth, y + rowHeight + kPad, QImage::Format_RGB32);
  sheet.fill(qRgb(48, 46, 58));
  QPainter p(&sheet);
  p.drawImage(kPad, kPad, facePreview());
  QFont f("DejaVu Sans");
  f.setPixelSize(10);
  p.setFont(f);
  p.setPen(qRgb(220, 220, 230));
  for (const Placed& pl : placed) {
    p.drawImage(pl.where.topLeft(), pl.image);
    p.drawText(pl.where.left(), pl.where.bottom() + 12, pl.asset->file);
  }
  p.end();
  if (!sheet.save(file, "PNG")) return {"cannot write " + file};
  return {};
}

}  // namespace orbisca::assets
