// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
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

// `from` less `hole`, with curves followed to a 64th of a unit: Qt cuts paths into straight
// pieces half a unit long, which would show as corners on a glyph printed large.
QPainterPath finelySubtracted(const QPainterPath& from, const QPainterPath& hole);

// A star of `points` points between radii `outer` and `inner` about `c`, its first point turned
// `turn` radians clockwise from straight up.
QPainterPath starPath(QPointF c, int points, qreal outer, qreal inner, qreal turn);

// The twenty sign emblems, sign 1..20 (0 is taken as 20).
void drawSignEmblem(QPainter& p, int sign, const QRectF& box, const EmblemStyle& style);

// The seven plasma emblems, plasma 1..7.
void drawPlasmaEmblem(QPainter& p, int plasma, const QRectF& box, const EmblemStyle& style);

// The same emblems as outlines in the 100 x 100 design box: the filled parts as drawn and every
// stroke as the outline of its pen, each part with its own fill rule (the glyph fonts are cut
// from them).
QList<QPainterPath> signEmblemParts(int sign);
QList<QPainterPath> plasmaEmblemParts(int plasma);

}  // namespace orbisca::assets
