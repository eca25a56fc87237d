// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include "emblems.h"
#include "numerals.h"
#include "palette.h"
#include "raster.h"

#include <QFile>
#include <QHash>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace orbisca::assets {

namespace {

// Maps a 100 x 100 design box onto `box` (keeping its proportions, centred) for the duration of
// a drawing.
class DesignBox {
public:
    DesignBox(QPainter& p, const QRectF& box) : p_(p) {
        const double s = std::min(box.width(), box.height()) / 100.0;
        p_.save();
        p_.translate(box.center());
        p_.scale(s, s);
        p_.translate(-50, -50);
        unit_ = 1 / s;
    }
    ~DesignBox() { p_.restore(); }
    DesignBox(const DesignBox&) = delete;
    DesignBox& operator=(const DesignBox&) = delete;
    double pixels(double px) const { return px * unit_; }  // design units of `px` pixels

private:
    QPainter& p_;
    double unit_;
};

QPainterPath roundedBox(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A tablet: a rounded box with a vertical gradient and a rim.
void paintTablet(QPainter& p, const QRectF& r, double radius, QColor top, QColor bottom, QColor rim,
                 double rimWidth) {
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(rim, rimWidth));
    p.drawPath(
        roundedBox(r.adjusted(rimWidth / 2, rimWidth / 2, -rimWidth / 2, -rimWidth / 2), radius));
}

// --- Izin lines

void paintIzinLine(QPainter& p, const QRectF& r, bool solid) {
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(255, 242, 196));
    g.setColorAt(1, QColor(220, 164, 60));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 76, 22), 0.8));
    const double radius = izinLineRadius(r);
    for (const QRectF& piece : izinLinePieces(r, solid)) p.drawRoundedRect(piece, radius, radius);
}

const QHash<int, QString>& hexagramTable() {
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        QFile file(":/pack/iznum.dat");
        if (!file.open(QIODevice::ReadOnly)) return t;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.size() < 8) continue;
            bool ok = false;
            const int number = line.mid(7).toInt(&ok);
            if (ok) t.insert(number, line.left(6));
        }
        return t;
    }();
    return table;
}

// --- Runes: a stave with twigs. The week chooses the twigs' side and slant (right and rising,
// left and rising, right and falling, both sides rising), the day in the week the heights they
// grow from.

struct RuneCut {
    bool left, right, rising;
};

void cutTwig(QPainterPath& path, double height, bool right, bool rising) {
    const double out = right ? 78 : 22, slant = rising ? -1 : 1;
    path.moveTo(50, height - 9 * slant);
    path.lineTo(out, height + 9 * slant);
}

}  // namespace

QPainterPath runeStrokePath(int index) {
    QPainterPath path;
    if (index >= 28) {
        path.addEllipse(QPointF(50, 50), 24, 24);
        path.moveTo(50, 44);
        path.lineTo(50, 56);
        return path;
    }
    static const RuneCut kWeeks[4] = {
        {false, true, true}, {true, false, true}, {false, true, false}, {true, true, true}};
    static const int kHeights[7] = {0b001, 0b010, 0b100, 0b011, 0b110, 0b101, 0b111};
    const RuneCut cut = kWeeks[index / 7];
    const int heights = kHeights[index % 7];
    path.moveTo(50, 8);
    path.lineTo(50, 92);
    const double levels[3] = {26, 50, 74};
    for (int i = 0; i < 3; ++i) {
        if (!(heights & (1 << i))) continue;
        if (cut.right) cutTwig(path, levels[i], true, cut.rising);
        if (cut.left) cutTwig(path, levels[i], false, cut.rising);
    }
    return path;
}

namespace {}  // namespace

VinalMotif vinalMotif(int vinal, double strokeWidth) {
    VinalMotif m;
    m.strokeWidth = strokeWidth;
    QPainterPath upper;
    switch ((vinal - 1) % 5) {
        case 0:
            upper.addEllipse(QPointF(50, 28), 16, 16);
            m.stroked << upper;
            break;
        case 1:
            upper.addPolygon(QPolygonF({QPointF(50, 8), QPointF(72, 46), QPointF(28, 46)}));
            upper.closeSubpath();
            m.filled << upper;
            break;
        case 2:
            upper.moveTo(14, 30);
            for (int i = 0; i < 3; ++i) {
                const double x = 14 + 24 * i;
                upper.cubicTo(x + 6, 14, x + 12, 14, x + 12, 30);
                upper.cubicTo(x + 12, 46, x + 18, 46, x + 24, 30);
            }
            m.stroked << upper;
            break;
        case 3:
            upper.moveTo(50, 8);
            upper.lineTo(50, 48);
            upper.moveTo(30, 28);
            upper.lineTo(70, 28);
            m.stroked << upper;
            break;
        default: {
            QPainterPath disc, bite;
            disc.addEllipse(QPointF(50, 28), 19, 19);
            bite.addEllipse(QPointF(59, 21), 15, 15);
            m.filled << finelySubtracted(disc, bite);
            break;
        }
    }
    QPainterPath lower;
    switch ((vinal - 1) / 5) {
        case 0:
            lower.addRoundedRect(QRectF(20, 68, 60, 14), 5, 5);
            m.filled << lower;
            break;
        case 1:
            lower.addEllipse(QPointF(34, 76), 9, 9);
            lower.addEllipse(QPointF(66, 76), 9, 9);
            m.filled << lower;
            break;
        case 2:
            lower.addRect(QRectF(36, 62, 28, 28));
            m.stroked << lower;
            break;
        default:
            lower.moveTo(16, 86);
            lower.lineTo(33, 66);
            lower.lineTo(50, 86);
            lower.lineTo(67, 66);
            lower.lineTo(84, 86);
            m.stroked << lower;
            break;
    }
    return m;
}

namespace {

// --- Vinals: an upper and a lower motif; vinal n takes upper motif (n - 1) mod 5 and lower
// motif (n - 1) div 5, so the nineteen differ.

void vinalMotifs(QPainter& p, int vinal, QColor ink, const DesignBox& box) {
    const VinalMotif motif = vinalMotif(vinal, std::max(kVinalStroke, box.pixels(1.6)));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (const QPainterPath& part : motif.filled) p.drawPath(part);
    p.setPen(QPen(ink, motif.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const QPainterPath& part : motif.stroked) p.drawPath(part);
}

struct TabletLook {
    QColor top, bottom, rim, ink;
};

// Parchment for the eighteen vinals of twenty days, a darker red stone for the five days of the
// nineteenth.
TabletLook vinalLook(int vinal) {
    if (vinal == 19)
        return {QColor(220, 156, 136), QColor(164, 94, 78), QColor(92, 40, 30), QColor(50, 16, 12)};
    return {QColor(242, 228, 190), QColor(206, 174, 120), QColor(116, 82, 42), QColor(76, 42, 20)};
}

}  // namespace

QImage izinMark(bool solid, QSize size) {
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    paintIzinLine(p, QRectF(0.4, 0.4, size.width() - 0.8, size.height() - 0.8), solid);
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QString hexagramPattern(int number) { return hexagramTable().value(number); }

double izinLineRadius(const QRectF& r) { return std::min(2.0, r.height() / 2); }

QList<QRectF> izinLinePieces(const QRectF& r, bool solid) {
    if (solid) return {r};
    const double gap = 5, half = (r.width() - gap) / 2;
    return {QRectF(r.left(), r.top(), half, r.height()),
            QRectF(r.right() - half, r.top(), half, r.height())};
}

QPainterPath izinLineShape(const QRectF& r, bool solid) {
    QPainterPath path;
    const double radius = izinLineRadius(r);
    for (const QRectF& piece : izinLinePieces(r, solid)) path.addRoundedRect(piece, radius, radius);
    return path;
}

QRectF hexagramLine(QSize size, int firstLineTop, int k) {
    return QRectF(2.5, firstLineTop - 7 * k + 0.4, size.width() - 5, 4.2);
}

QTransform runeOnTablet(QSize size) {
    // Non-uniform: the stave uses the tablet's height, the twigs its width.
    const QRectF box(3, 4, size.width() - 6, size.height() - 8);
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    return t;
}

QPainterPath quarterSector(QPointF c, double r, int k) {
    QPainterPath sector(c);
    sector.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90 - k * 360.0 / 7, -360.0 / 7);
    sector.closeSubpath();
    return sector;
}

QImage hexagramFigure(int number, QSize size, int firstLineTop) {
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    paintTablet(p, QRectF(0, 0, size.width(), size.height()), kHexagramTabletRadius,
                QColor(50, 36, 96), QColor(24, 14, 56), QColor(kGoldDim), 1);
    const QString pattern = hexagramPattern(number);
    for (int k = 0; k < 6 && k < pattern.size(); ++k)
        paintIzinLine(p, hexagramLine(size, firstLineTop, k), pattern[k] == QLatin1Char('1'));
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage runePicture(int index, QSize size) {
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    const bool coloured = index < 28 && index % 7 == 6;
    paintTablet(p, QRectF(0, 0, size.width(), size.height()), kRuneTabletRadius,
                QColor(106, 98, 132), QColor(56, 50, 82),
                coloured ? QColor(kGold) : QColor(30, 24, 48), coloured ? 1.6 : 1.2);
    static const QColor kWeekInk[4] = {QColor(255, 96, 84), QColor(236, 236, 242),
                                       QColor(120, 160, 255), QColor(255, 222, 72)};
    const QColor ink = coloured ? kWeekInk[index / 7] : QColor(242, 234, 216);
    p.setPen(QPen(ink, kRuneStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(runeOnTablet(size).map(runeStrokePath(index)));
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage quarterPicture(int week, int day, int size) {
    static const QColor kLit[4] = {QColor(255, 122, 110), QColor(238, 238, 244),
                                   QColor(124, 146, 255), QColor(255, 226, 100)};
    const QColor lit = kLit[week];
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QPointF c(size / 2.0, size / 2.0);
    const double r = size / 2.0 - 1;
    for (int k = 0; k < 7; ++k) {
        const QPainterPath sector = quarterSector(c, r, k);
        if (k < day) {
            QRadialGradient g(c, r);
            g.setColorAt(0, lit.lighter(125));
            g.setColorAt(1, lit);
            p.setBrush(g);
        } else {
            p.setBrush(QColor(46, 34, 86));
        }
        p.setPen(QPen(QColor(kNight), 1.1));
        p.drawPath(sector);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lit, 1.6));
    p.drawEllipse(c, r - 0.3, r - 0.3);
    p.setPen(QPen(QColor(kNight), 1));
    p.setBrush(QColor(kGold));
    p.drawEllipse(c, 3.2, 3.2);
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage vinalPicture(int vinal, QSize size, VinalTablet tablet) {
    const TabletLook look = vinalLook(vinal);
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    const QRectF whole(0, 0, size.width(), size.height());
    const bool large = tablet == VinalTablet::Large;
    paintTablet(p, whole, large ? 7 : 5, look.top, look.bottom, look.rim, 1.3);
    QRectF glyph = whole.adjusted(4, 5, -4, -5);
    if (large) {
        // A second frame inside the rim. The glyph keeps to the middle (10..40 of 50), which the
        // small tablet and the vinal tone cover where all three are drawn together.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.rim, 1));
        p.drawPath(roundedBox(whole.adjusted(3.5, 3.5, -3.5, -3.5), 5));
        glyph = whole.adjusted(10, 10, -10, -10);
    }
    {
        const DesignBox box(p, glyph);
        vinalMotifs(p, vinal, look.ink, box);
    }
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage vinalTonePicture(int tone, QSize size) {
    const TabletLook look = vinalLook(1);
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    const QRectF whole(0, 0, size.width(), size.height());
    paintTablet(p, whole, 4, look.top, look.bottom, look.rim, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(look.ink);
    p.drawPath(compactNumeralPath(tone, whole.adjusted(2.5, 3, -2.5, -3), {2.6, 3.1, 3, 2}));
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage weekLine(int week, QSize size) {
    const QColor c = familyOf(week).pure;
    const bool across = size.width() >= size.height();
    const int thickness = across ? size.height() : size.width();
    QImage img(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            // Lit on its upper or left edge, shaded on the other.
            const int at = across ? y : x;
            QColor shade = c;
            if (at == 0)
                shade = QColor((c.red() + 255) / 2, (c.green() + 255) / 2, (c.blue() + 255) / 2);
            else if (at == thickness - 1)
                shade = c.darker(170);
            img.setPixel(x, y, avoidKey(shade.rgb(), kKeyBlack));
        }
    return img;
}

QImage weekTopLine(int week, QSize size, int lineHeight, const IzinSockets& s) {
    const QColor c = familyOf(week).pure;
    auto dim = [&c](double share) {
        const QColor night(kNight);
        return QColor::fromRgbF(night.redF() + (c.redF() - night.redF()) * share,
                                night.greenF() + (c.greenF() - night.greenF()) * share,
                                night.blueF() + (c.blueF() - night.blueF()) * share);
    };
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    p.drawImage(0, 0, weekLine(week, QSize(size.width(), lineHeight)));
    for (int column = 0; column < s.columns; ++column) {
        const double centre = s.firstCentre + s.pitch * column;
        const QRectF plate(centre - s.plateWidth / 2, s.plateTop, s.plateWidth,
                           s.plateBottom - s.plateTop);
        paintTablet(p, plate, 6, dim(0.10), dim(0.04), dim(0.30), 1.0);
        p.setBrush(dim(0.02));
        p.setPen(QPen(dim(0.20), 0.8));
        if (column + 1 < s.columns) {
            for (int k = 0; k < 6; ++k) {
                const QRectF slot(centre - s.slot.width() / 2, s.lowestSlotTop - s.slotStep * k,
                                  s.slot.width(), s.slot.height());
                p.drawPath(roundedBox(slot, izinLineRadius(slot)));
            }
        } else {
            p.drawPath(roundedBox(QRectF(centre - s.tablet.width() / 2, s.tabletTop,
                                         s.tablet.width(), s.tablet.height()),
                                  kHexagramTabletRadius));
        }
    }
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage starMark(int size, QColor colour, int points) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QPointF c(size / 2.0, size / 2.0);
    const double outer = size / 2.0 - 0.3, inner = outer * (points == 4 ? 0.32 : 0.45);
    QRadialGradient g(c, outer);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.35, colour.lighter(120));
    g.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(180), 0.7));
    p.setBrush(g);
    p.drawPath(starPath(c, points, outer, inner, 0));
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

}  // namespace orbisca::assets
