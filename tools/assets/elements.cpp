// SPDX-License-Identifier: GPL-3.0-or-later
#include "elements.h"

#include "emblems.h"
#include "numerals.h"
#include "palette.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace orbisca::assets {

namespace {

qreal minStrokeFor(int size) { return size <= 15 ? 1.35 : size <= 35 ? 1.6 : 1.0; }

// At least 4 pixels of radius leave the corner pixels transparent.
QPainterPath cartouchePath(int size) { return cartoucheShape(QRectF(0, 0, size, size), 4.0); }

QPainterPath discPath(int size) {
    QPainterPath path;
    path.addEllipse(QRectF(0, 0, size, size));
    return path;
}

// The gold ring around the sign of the day.
void paintGoldRing(QPainter& p, int size) {
    const qreal w = std::max(2.0, size / 22.0);
    QLinearGradient g(0, 0, size, size);
    g.setColorAt(0, QColor(255, 226, 140));
    g.setColorAt(0.5, QColor(kGold));
    g.setColorAt(1, QColor(kGoldDim));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(g), w));
    const qreal in = w / 2;
    const QTransform shrink =
        QTransform::fromTranslate(in, in).scale((size - 2 * in) / size, (size - 2 * in) / size);
    p.drawPath(shrink.map(cartouchePath(size)));
}

QImage signCanvas(int sign, int size, SignStyle style) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const Family& f = signFamily(sign);
    paintGround(p, cartouchePath(size), size, f);
    if (style == SignStyle::Main) paintGoldRing(p, size);
    const qreal inset = size <= 15 ? 1.6 : size * (style == SignStyle::Main ? 0.19 : kSignInset);
    const QRectF box(inset, inset, size - 2 * inset, size - 2 * inset);
    if (size >= 30) {
        // A faint shadow lifts the emblem off the ground.
        EmblemStyle shadow{QColor(0, 0, 0, 60), minStrokeFor(size)};
        drawSignEmblem(p, sign, box.translated(size / 60.0 + 0.5, size / 60.0 + 0.5), shadow);
    }
    drawSignEmblem(p, sign, box, EmblemStyle{f.ink, minStrokeFor(size), size <= 20});
    return canvas;
}

QImage shapeCanvas(const QPainterPath& shape, QSize size) {
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(shape);
    return canvas;
}

QImage toneCanvas(int tone, QSize size, bool glow) {
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    smoothPainter(p);
    const qreal margin = glow ? size.height() * 0.1 : std::max(1.0, size.height() * 0.06);
    QRectF box(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
    if (!glow) box.setHeight(box.height() * kToneOnSignHeight);
    const QPainterPath numeral = toneNumeralPath(tone, box);
    if (glow) {
        for (const auto& [width, alpha] : {std::pair{7.0, 40}, std::pair{4.5, 70}}) {
            p.setPen(QPen(QColor(255, 196, 90, alpha), width, Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(numeral);
        }
    }
    const qreal outline = std::max(1.2, size.height() / 18.0);
    p.setPen(QPen(QColor(52, 26, 10), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0, QColor(255, 248, 220));
    fill.setColorAt(1, QColor(238, 196, 96));
    p.setBrush(fill);
    p.drawPath(numeral);
    return canvas;
}

QImage plasmaCanvas(int plasma, int size) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const Family& f = plasmaFamily(plasma);
    paintGround(p, discPath(size), size, f);
    const qreal inset = size * kPlasmaInset;
    const QRectF box(inset, inset, size - 2 * inset, size - 2 * inset);
    drawPlasmaEmblem(p, plasma, box, EmblemStyle{f.ink, minStrokeFor(size)});
    return canvas;
}

// Moon-day marks take the light colours of the exported marks: light red, grey, light blue, pale
// yellow. Marks 1..4 are waxing crescents, marks 5..8 rings around a full disc.
QColor moonDayColour(int cromatic) {
    static const QColor colours[4] = {QColor(255, 100, 100), QColor(196, 196, 204),
                                      QColor(110, 120, 255), QColor(255, 244, 110)};
    return colours[(cromatic - 1) % 4];
}

}  // namespace

// The coloured ground of a cartouche or disc: a family gradient with a rim and a soft highlight.
void paintGround(QPainter& p, const QPainterPath& shape, int size, const Family& f) {
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, f.light);
    g.setColorAt(1, f.deep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);
    if (size >= 30) {
        QRadialGradient shine(size * 0.35, size * 0.22, size * 0.6);
        shine.setColorAt(0, QColor(255, 255, 255, 70));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(shine);
        p.drawPath(shape);
    }
    const qreal rim = size <= 15 ? 1.0 : std::max(1.2, size / 30.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(f.rim, rim));
    const qreal in = rim / 2;
    const QTransform shrink =
        QTransform::fromTranslate(in, in).scale((size - 2 * in) / size, (size - 2 * in) / size);
    p.drawPath(shrink.map(shape));
}

QPainterPath cartoucheShape(const QRectF& box, qreal minRadius) {
    QPainterPath path;
    const qreal r = std::max(minRadius, box.width() * 0.2);
    path.addRoundedRect(box, r, r);
    return path;
}

QPainterPath crescentShape(QPointF centre, qreal r) {
    QPainterPath disc;
    disc.addEllipse(centre, r, r);
    QPainterPath bite;
    bite.addEllipse(centre - QPointF(r * 0.55, r * 0.1), r * 0.85, r * 0.85);
    return finelySubtracted(disc, bite);
}

QImage signPicture(int sign, int size, SignStyle style, QRgb key) {
    return flattenOnKey(signCanvas(sign, size, style), key, kNight);
}

QImage signArt(int sign, int size, SignStyle style) { return signCanvas(sign, size, style); }

QImage signMask(int size, SignStyle) {
    return alphaAsGrey(shapeCanvas(cartouchePath(size), QSize(size, size)));
}

QImage tonePicture(int tone, QSize size, bool glow) {
    return flattenOnKey(toneCanvas(tone, size, glow), kKeyBlack, kNight);
}

QImage toneMask(int tone, QSize size) { return alphaAsGrey(toneCanvas(tone, size, true)); }

QImage tinyTonePicture(int tone, int cromatic, QSize size) {
    QImage canvas = transparentCanvas(size);
    drawTinyToneNumeral(canvas, tone, familyOf(cromatic - 1).pure);
    return flattenOnKey(canvas, kKeyLight, kNight);
}

QImage plasmaPicture(int plasma, int size) {
    return flattenOnKey(plasmaCanvas(plasma, size), kKeyBlack, kNight);
}

// The compact window's plasma socket on the day out of time, which has no plasma: a gold
// thirteen-pointed star on a violet night disc inside a gold ring, the plasma disc's shape.
QImage extraDayEmblem(int size) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QPointF centre(size / 2.0, size / 2.0);
    const qreal r = size / 2.0 - 0.5;
    QRadialGradient night(centre, r);
    night.setColorAt(0, QColor(92, 52, 170));
    night.setColorAt(1, QColor(28, 12, 72));
    p.setPen(QPen(QColor(kGold), size / 20.0));
    p.setBrush(night);
    p.drawEllipse(centre, r - size / 40.0, r - size / 40.0);
    QRadialGradient gold(centre, r * 0.8);
    gold.setColorAt(0, QColor(kIvory));
    gold.setColorAt(1, QColor(kGold));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(starPath(centre, 13, r * 0.78, r * 0.38, 0));
    p.setBrush(QColor(kIvory));
    p.drawEllipse(centre, r * 0.16, r * 0.16);
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage plasmaMask(int size) { return alphaAsGrey(shapeCanvas(discPath(size), QSize(size, size))); }

// The views write the day's number in white over the right half of its mark (its middle 17
// pixels from the mark's left edge), so the mark keeps that half dark: a night disc with a slim
// lit crescent on its left limb and a thin rim. On paper the number is black, and the disc is a
// pale tint instead.
QImage moonDayMark(int mark, int size, Medium medium) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QColor c = moonDayColour((mark - 1) % 4 + 1);
    // The 13-moon view writes the number lower (15 pixels below the mark's top, against 8 in the
    // month), so its moon is smaller and keeps to the upper left.
    const bool week = mark > 4;
    const qreal r = size * (week ? 0.34 : 0.46);
    const QPointF centre =
        week ? QPointF(size * 0.38, size * 0.36) : QPointF(size / 2.0, size / 2.0);
    QRadialGradient disc(centre - QPointF(r * 0.3, r * 0.3), r * 1.3);
    if (medium == Medium::Paper) {
        disc.setColorAt(0, QColor(255, 255, 255));
        disc.setColorAt(1, QColor::fromRgbF(0.86 + c.redF() * 0.12, 0.86 + c.greenF() * 0.12,
                                            0.86 + c.blueF() * 0.12));
    } else {
        disc.setColorAt(0, QColor::fromRgbF(c.redF() * 0.30, c.greenF() * 0.30, c.blueF() * 0.34));
        disc.setColorAt(1, QColor::fromRgbF(c.redF() * 0.10, c.greenF() * 0.08, c.blueF() * 0.16));
    }
    p.setPen(QPen(withAlpha(c, medium == Medium::Paper ? 200 : 110), 0.9));
    p.setBrush(disc);
    p.drawEllipse(centre, r - 0.5, r - 0.5);
    QPainterPath whole;
    whole.addEllipse(centre, r, r);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(r * 0.38, 0), r * 0.92, r * 0.98);
    QLinearGradient lit(centre - QPointF(r, 0), centre);
    lit.setColorAt(0, c.lighter(115));
    lit.setColorAt(1, c);
    p.setPen(Qt::NoPen);
    p.setBrush(lit);
    p.drawPath(finelySubtracted(whole, bite));
    p.end();
    return flattenOnKey(canvas, kKeyBlack, medium == Medium::Paper ? qRgb(255, 255, 255) : kNight);
}

QImage yearGridFrame(int cromatic, QSize size) {
    QImage canvas = transparentCanvas(size);
    QPainter p(&canvas);
    QColor c = familyOf(cromatic - 1).pure;
    c.setAlpha(150);
    p.setPen(QPen(c, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
    QColor corner = familyOf(cromatic - 1).pure;
    for (const QPoint& pt :
         {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
          QPoint(size.width() - 1, size.height() - 1)})
        canvas.setPixelColor(pt, corner);
    p.end();
    // The sign and the tone are drawn inside the frame; what they leave free shows the grid's
    // ground on screen and the paper on a printed page.
    return flattenOnKey(canvas, kKeyBlack, kNight, Inside::Open);
}

QImage dotPicture(int size, bool ringed) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QPointF centre(size / 2.0, size / 2.0);
    QRadialGradient glow(centre, size / 2.0);
    glow.setColorAt(0, QColor(255, 250, 220));
    glow.setColorAt(0.45, QColor(kGold));
    glow.setColorAt(1, QColor(226, 184, 92, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, size / 2.0, size / 2.0);
    if (ringed) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(kIvory), 1.3));
        p.drawEllipse(centre, size / 2.0 - 1.2, size / 2.0 - 1.2);
    }
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

}  // namespace orbisca::assets
