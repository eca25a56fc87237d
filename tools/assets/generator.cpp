// SPDX-License-Identifier: GPL-3.0-or-later
#include "generator.h"

#include "face.h"
#include "manifest.h"
#include "palette.h"
#include "raster.h"

#include "data/atomic_file.h"
#include "gfx/image_io.h"
#include "gfx/region.h"

#include <QDir>
#include <QFont>
#include <QPainter>

#include <algorithm>

namespace orbisca::assets {

namespace {

// The face's mask must give, by the window's own region rule, exactly the outline the face is
// drawn in.
QString checkFaceMask(const QImage& mask) {
    const QRegion region = gfx::bitmapToRegion(mask, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
    const QImage shape = faceShape();
    QImage outline(shape.size(), QImage::Format_Grayscale8);
    outline.fill(0);
    for (const QRect& r : region)
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(outline.scanLine(y) + r.left(), r.width(), uchar(255));
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x)
            if ((outline.constScanLine(y)[x] != 0) != (shape.constScanLine(y)[x] != 0))
                return QStringLiteral("pyrA0.bmp: its outline differs from the face at (%1, %2)")
                    .arg(x)
                    .arg(y);
    return {};
}

const Asset* findAsset(const QString& file) {
    for (const Asset& a : manifest())
        if (a.file == file) return &a;
    return nullptr;
}

// A problem with the picture as drawn, or an empty string.
QString checkPicture(const Asset& a, const QImage& img) {
    if (img.size() != a.size)
        return QStringLiteral("%1: drawn %2 x %3, manifest says %4 x %5")
            .arg(a.file)
            .arg(img.width())
            .arg(img.height())
            .arg(a.size.width())
            .arg(a.size.height());
    if (a.use == Use::Blended) {
        const Asset* mask = findAsset(a.mask);
        if (!mask || mask->use != Use::Mask || mask->size != a.size)
            return a.file + ": its mask " + a.mask + " is not a mask of its size";
    }
    if (a.file == "pyrA0.bmp") return checkFaceMask(img);
    return {};
}

}  // namespace

QStringList writePack(const QString& outDir) {
    QStringList problems;
    const QString graphic = QDir(outDir).filePath("graphic");
    if (!QDir().mkpath(graphic)) return {"cannot create " + graphic};
    for (const Asset& a : manifest()) {
        const QImage img = a.draw();
        const QString problem = checkPicture(a, img);
        if (!problem.isEmpty()) {
            problems << problem;
            continue;
        }
        QString error;
        if (!writeFileAtomically(QDir(graphic).filePath(a.file), encodeBmp24(img), &error))
            problems << a.file + ": " + error;
    }
    for (const Table& t : tables()) {
        QString error;
        if (!writeFileAtomically(QDir(outDir).filePath(t.file), t.build(), &error))
            problems << t.file + ": " + error;
    }
    return problems;
}

namespace {

// Shows a picture as the program draws it over the frame colour: a keyed picture without its
// key, a blended one through its mask.
QImage asDrawn(const QImage& pic, const Asset& a) {
    QImage out = pic.convertToFormat(QImage::Format_RGB32);
    const Asset* maskAsset = a.use == Use::Blended ? findAsset(a.mask) : nullptr;
    const QImage mask =
        maskAsset ? maskAsset->draw().convertToFormat(QImage::Format_RGB32) : QImage();
    if (a.use != Use::Keyed && mask.isNull()) return out;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (mask.isNull()) {
                if ((row[x] & 0xFFFFFF) == (a.key & 0xFFFFFF)) row[x] = kNight;
                continue;
            }
            const int m = qRed(mask.pixel(x, y));
            auto blend = [m](int p, int t) { return (t * (255 - m) + p * m + 127) / 255; };
            row[x] = qRgb(blend(qRed(row[x]), qRed(kNight)), blend(qGreen(row[x]), qGreen(kNight)),
                          blend(qBlue(row[x]), qBlue(kNight)));
        }
    }
    return out;
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
    int x = kPad, y = kPad, rowHeight = 0;
    QString family;
    for (const Asset& a : manifest()) {
        const int scale = std::max(a.size.width(), a.size.height()) <= 24   ? 3
                          : std::max(a.size.width(), a.size.height()) <= 45 ? 2
                                                                            : 1;
        const QImage shown = asDrawn(a.draw(), a).scaled(a.size * scale);
        const int cellWidth = std::max(shown.width(), 84);
        if (a.family != family || x + cellWidth > kWidth - kPad) {
            x = kPad;
            if (!family.isEmpty()) y += rowHeight + (a.family != family ? 3 * kPad : kPad);
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
    QFont f("DejaVu Sans");
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(qRgb(220, 220, 230));
    for (const Placed& pl : placed) {
        p.drawImage(pl.where.topLeft(), pl.image);
        p.drawText(pl.where.left(), pl.where.bottom() + 12, pl.asset->file);
    }
    p.end();
    try {
        gfx::saveImage(sheet, file);
    } catch (const gfx::ImageError& e) {
        return {QString::fromUtf8(e.what())};
    }
    return {};
}

}  // namespace orbisca::assets
