#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace orbisca::assets {

// Emblems are drawn from vector paths in a 100 x 100 design box mapped onto `box`. Strokes never
// get thinner than `minStroke` pixels, so that the 15-pixel signs stay readable.
struct EmblemStyle {
    QColor ink;
    qreal minStroke = 1.0;
    bool simple = false;  // fewer, bolder details for the smallest sizes
};

// A star of `points` points between radii `outer` and `inner` about `c`, its first point turned
// `turn` radians clockwise from straight up.
QPainterPath starPath(QPointF c, int points, qreal outer, qreal inner, qreal turn);

// The twenty sign emblems, sign 1..20 (0 is taken as 20).
void drawSignEmblem(QPainter& p, int sign, const QRectF& box, const EmblemStyle& style);

// The seven plasma emblems, plasma 1..7.
void drawPlasmaEmblem(QPainter& p, int plasma, const QRectF& box, const EmblemStyle& style);

}  // namespace orbisca::assets
