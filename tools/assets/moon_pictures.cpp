// SPDX-License-Identifier: GPL-3.0-or-later
#include "moon_pictures.h"

#include "elements.h"
#include "palette.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <array>

namespace orbisca::assets {

namespace {

// Seas and craters in design units of a 100-unit disc centred at (50, 50).
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

// The moon in the pack's flat glossy manner, as the signs and plasmas: a disc in a light-to-deep
// gradient with a rim, seas and craters as flat shapes of crisp edges, and a glossy sheen over
// the upper half.
void paintMoonFace(QPainter& p, int size, bool colour) {
    const qreal s = size / 100.0;
    const Family moon =
        colour
            ? Family{QColor(252, 248, 232), QColor(206, 200, 188), QColor(150, 142, 176), {}, {}}
            : Family{QColor(248, 248, 248), QColor(200, 200, 200), QColor(128, 128, 128), {}, {}};
    QPainterPath disc;
    disc.addEllipse(QRectF(0, 0, size, size));
    paintGround(p, disc, size, moon);

    p.save();
    p.setClipPath(disc);
    p.setPen(Qt::NoPen);
    p.setBrush(colour ? QColor(132, 128, 156, 70) : QColor(110, 110, 110, 70));
    for (const Sea& m : kSeas) {
        p.save();
        p.translate(m.x * s, m.y * s);
        p.rotate(m.angle);
        p.drawEllipse(QPointF(0, 0), m.rx * s * 0.85, m.ry * s * 0.85);
        p.restore();
    }
    for (const Crater& c : kCraters) {
        const qreal r = c.r * s;
        p.setBrush(colour ? QColor(255, 253, 244) : QColor(255, 255, 255));
        p.drawEllipse(QPointF(c.x * s + r * 0.2, c.y * s + r * 0.2), r, r);
        p.setBrush(colour ? QColor(176, 170, 176) : QColor(168, 168, 168));
        p.drawEllipse(QPointF(c.x * s, c.y * s), r, r);
    }
    QLinearGradient sheen(0, 0, 0, size * 0.5);
    sheen.setColorAt(0, QColor(255, 255, 255, 120));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(QRectF(size * 0.16, size * 0.04, size * 0.68, size * 0.44));
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
