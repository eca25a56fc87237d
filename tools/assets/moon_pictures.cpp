// SPDX-License-Identifier: GPL-3.0-or-later
#include "moon_pictures.h"

#include "palette.h"
#include "raster.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace orbisca::assets {

namespace {

// Dark seas and bright craters in design units of a 100-unit disc centred at (50, 50).
struct Sea {
    qreal x, y, rx, ry, angle;
};
constexpr std::array<Sea, 9> kSeas{{{36, 34, 15, 11, -20},
                                    {55, 30, 11, 9, 10},
                                    {62, 46, 12, 10, 30},
                                    {30, 52, 10, 14, 0},
                                    {44, 62, 13, 8, -10},
                                    {68, 64, 8, 6, 20},
                                    {22, 38, 6, 8, 0},
                                    {50, 44, 7, 5, 0},
                                    {38, 76, 6, 4, 0}}};
struct Crater {
    qreal x, y, r;
};
constexpr std::array<Crater, 9> kCraters{{{58, 80, 5.5},
                                          {74, 34, 4},
                                          {26, 70, 3.5},
                                          {80, 56, 3},
                                          {47, 20, 3},
                                          {66, 74, 2.5},
                                          {18, 56, 2.5},
                                          {84, 44, 2},
                                          {52, 90, 2}}};

void paintMoonFace(QPainter& p, int size, bool colour) {
    const qreal s = size / 100.0;
    const QPointF centre(size / 2.0, size / 2.0);
    QRadialGradient body(centre * 0.92, size * 0.55);
    if (colour) {
        body.setColorAt(0, QColor(252, 248, 232));
        body.setColorAt(0.7, QColor(222, 216, 196));
        body.setColorAt(1, QColor(168, 160, 150));
    } else {
        body.setColorAt(0, QColor(248, 248, 248));
        body.setColorAt(0.7, QColor(214, 214, 214));
        body.setColorAt(1, QColor(160, 160, 160));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QRectF(0, 0, size, size));

    p.save();
    QPainterPath clip;
    clip.addEllipse(QRectF(0, 0, size, size));
    p.setClipPath(clip);
    const QColor sea = colour ? QColor(120, 122, 134, 90) : QColor(110, 110, 110, 90);
    for (const Sea& m : kSeas) {
        p.save();
        p.translate(m.x * s, m.y * s);
        p.rotate(m.angle);
        QRadialGradient g(QPointF(0, 0), std::max(m.rx, m.ry) * s);
        g.setColorAt(0, sea);
        g.setColorAt(0.75, sea);
        g.setColorAt(1, QColor(sea.red(), sea.green(), sea.blue(), 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(0, 0), m.rx * s, m.ry * s);
        p.restore();
    }
    for (const Crater& c : kCraters) {
        const qreal r = c.r * s;
        p.setBrush(colour ? QColor(255, 252, 240, 150) : QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(c.x * s, c.y * s), r, r);
        p.setBrush(colour ? QColor(110, 104, 100, 110) : QColor(100, 100, 100, 110));
        p.drawEllipse(QPointF(c.x * s + r * 0.25, c.y * s + r * 0.25), r * 0.7, r * 0.7);
    }
    p.restore();
}

}  // namespace

QImage moonPicture(int size, bool colour) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    paintMoonFace(p, size, colour);
    p.end();
    return flattenOnKey(canvas, kKeyBlack, colour ? kNight : qRgb(40, 40, 40));
}

}  // namespace orbisca::assets
