// SPDX-License-Identifier: GPL-3.0-or-later
#include "emblems.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>

namespace orbisca::assets {

namespace {

constexpr qreal kPi = 3.14159265358979323846;

// A painter working in design units (0..100) with pens that respect the minimum stroke. Built on
// a list of parts instead of a painter, it collects the emblem's outline: each fill as it is and
// each stroke as the outline of its pen, in design units.
class Ink {
public:
    Ink(QPainter& p, const QRectF& box, const EmblemStyle& style)
        : p_(&p), style_(style), scale_(std::min(box.width(), box.height()) / 100.0) {
        p_->save();
        p_->translate(box.center());
        p_->scale(scale_, scale_);
        p_->translate(-50, -50);
    }
    explicit Ink(QList<QPainterPath>& parts) : parts_(&parts), style_(kOutlineStyle) {}
    ~Ink() {
        if (p_) p_->restore();
    }
    Ink(const Ink&) = delete;
    Ink& operator=(const Ink&) = delete;

    bool simple() const { return style_.simple; }
    qreal units(qreal width) const { return std::max(width, style_.minStroke / scale_); }

    void stroke(const QPainterPath& path, qreal width, Qt::PenCapStyle cap = Qt::RoundCap) {
        const QPen pen(style_.ink, units(width), Qt::SolidLine, cap, Qt::RoundJoin);
        if (parts_) {
            QPainterPathStroker stroker(pen);
            stroker.setCurveThreshold(0.02);
            parts_->append(stroker.createStroke(path));
            return;
        }
        p_->setBrush(Qt::NoBrush);
        p_->setPen(pen);
        p_->drawPath(path);
    }
    void fill(const QPainterPath& path) {
        if (parts_) {
            parts_->append(path);
            return;
        }
        p_->setPen(Qt::NoPen);
        p_->setBrush(style_.ink);
        p_->drawPath(path);
    }
    void disc(QPointF c, qreal r) {
        QPainterPath path;
        path.addEllipse(c, r, r);
        fill(path);
    }
    void ring(QPointF c, qreal r, qreal width) {
        QPainterPath path;
        path.addEllipse(c, r, r);
        stroke(path, width);
    }
    void line(QPointF a, QPointF b, qreal width) {
        QPainterPath path(a);
        path.lineTo(b);
        stroke(path, width);
    }

private:
    // Outlines keep the design's own widths and its full detail.
    static inline const EmblemStyle kOutlineStyle{Qt::black, 0.0, false};

    QPainter* p_ = nullptr;
    QList<QPainterPath>* parts_ = nullptr;
    const EmblemStyle& style_;
    qreal scale_ = 1.0;
};

QPainterPath polygon(std::initializer_list<QPointF> pts) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(pts)));
    path.closeSubpath();
    return path;
}

// 1: a drop of the first waters with an open heart.
void drop(Ink& k) {
    QPainterPath path;
    path.moveTo(50, 10);
    path.cubicTo(58, 30, 78, 44, 78, 62);
    path.arcTo(QRectF(22, 34, 56, 56), 0, -180);
    path.cubicTo(22, 44, 42, 30, 50, 10);
    path.closeSubpath();
    path.addEllipse(QPointF(50, 64), 9, 9);
    path.setFillRule(Qt::OddEvenFill);
    k.fill(path);
}

// 2: the T of breath.
void breath(Ink& k) {
    QPainterPath path;
    path.addRoundedRect(QRectF(16, 18, 68, 18), 4, 4);
    path.addRoundedRect(QRectF(40, 30, 20, 54), 4, 4);
    path.setFillRule(Qt::WindingFill);
    k.fill(path);
}

// 3: a crescent with a star beside it.
void crescent(Ink& k) {
    QPainterPath outer;
    outer.addEllipse(QPointF(44, 52), 34, 34);
    QPainterPath bite;
    bite.addEllipse(QPointF(60, 42), 28, 28);
    k.fill(finelySubtracted(outer, bite));
    k.fill(starPath(QPointF(74, 72), 4, 11, 4, 0));
}

// 4: a seed in the ground sending up two leaves.
void seed(Ink& k) {
    QPainterPath body;
    body.addEllipse(QPointF(50, 70), 24, 15);
    k.fill(body);
    k.line({50, 58}, {50, 26}, 7);
    QPainterPath left;
    left.moveTo(49, 34);
    left.cubicTo(40, 16, 24, 16, 18, 20);
    left.cubicTo(24, 34, 38, 38, 49, 34);
    k.fill(left);
    QPainterPath right;
    right.moveTo(51, 28);
    right.cubicTo(60, 10, 76, 10, 82, 14);
    right.cubicTo(76, 28, 62, 32, 51, 28);
    k.fill(right);
}

// 5: the zigzag of the serpent, head up.
void serpent(Ink& k) {
    QPainterPath path(QPointF(14, 76));
    path.lineTo(32, 38);
    path.lineTo(50, 72);
    path.lineTo(68, 34);
    path.lineTo(80, 58);
    k.stroke(path, 11, Qt::RoundCap);
    k.disc({80, 58}, 10);
}

// 6: a gateway standing on two pillars.
void gateway(Ink& k) {
    QPainterPath path(QPointF(26, 88));
    path.lineTo(26, 48);
    path.arcTo(QRectF(26, 24, 48, 48), 180, -180);
    path.lineTo(74, 88);
    k.stroke(path, 12, Qt::FlatCap);
    k.line({12, 90}, {88, 90}, 6);
}

// 7: an open hand.
void hand(Ink& k) {
    QPainterPath path;
    path.addRoundedRect(QRectF(26, 46, 46, 40), 12, 12);
    const qreal xs[] = {27, 38.5, 50, 61.5};
    const qreal tops[] = {24, 14, 12, 20};
    for (int i = 0; i < 4; ++i)
        path.addRoundedRect(QRectF(xs[i], tops[i], 9.5, 60 - tops[i]), 4.75, 4.75);
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-5, -30, 10, 34), 5, 5);
    QTransform t;
    t.translate(72, 66);
    t.rotate(48);
    path.addPath(t.map(thumb));
    path.setFillRule(Qt::WindingFill);
    k.fill(path.simplified());
}

// 8: the five-pointed star.
void star(Ink& k) { k.fill(starPath(QPointF(50, 54), 5, 42, 17, 0)); }

// 9: two waves of water under a small disc (small: two bold waves alone).
void waters(Ink& k) {
    const bool simple = k.simple();
    const int crests = simple ? 2 : 3;
    const qreal pitch = 76.0 / crests, amp = simple ? 16 : 12;
    const qreal rows[2] = {simple ? 34.0 : 56.0, simple ? 70.0 : 78.0};
    for (qreal y : rows) {
        QPainterPath wave(QPointF(12, y));
        for (int i = 0; i < crests; ++i) {
            const qreal x = 12 + i * pitch;
            wave.cubicTo(x + pitch * 0.24, y - amp, x + pitch * 0.5, y - amp, x + pitch * 0.5, y);
            wave.cubicTo(x + pitch * 0.5, y + amp, x + pitch * 0.76, y + amp, x + pitch, y);
        }
        k.stroke(wave, simple ? 13 : 8);
    }
    if (!simple) k.disc({50, 24}, 13);
}

// 10: the heart.
void heart(Ink& k) {
    QPainterPath path;
    path.moveTo(50, 88);
    path.cubicTo(30, 72, 10, 56, 12, 36);
    path.cubicTo(14, 16, 42, 10, 50, 32);
    path.cubicTo(58, 10, 86, 16, 88, 36);
    path.cubicTo(90, 56, 70, 72, 50, 88);
    path.closeSubpath();
    k.fill(path);
}

// 11: the spiral of play (small: fewer, wider turns).
void spiral(Ink& k) {
    QPainterPath path;
    const int steps = 120;
    const qreal turns = k.simple() ? 1.7 : 2.6;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = i / qreal(steps);
        const qreal a = t * turns * 2 * kPi;
        const qreal r = (k.simple() ? 2 : 4) + (k.simple() ? 40 : 34) * t;
        const QPointF pt(50 + r * std::cos(a), 52 + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    k.stroke(path, k.simple() ? 12 : 8);
}

// 12: a standing figure.
void figure(Ink& k) {
    k.disc({50, 22}, 12);
    k.fill(polygon({{26, 88}, {36, 42}, {64, 42}, {74, 88}}));
    k.line({36, 44}, {14, 64}, 8);
    k.line({64, 44}, {86, 64}, 8);
}

// 13: a ladder to the sky.
void ladder(Ink& k) {
    k.line({30, 12}, {30, 88}, 9);
    k.line({70, 12}, {70, 88}, 9);
    for (qreal y : {30.0, 50.0, 70.0}) k.line({30, y}, {70, y}, 8);
}

// 14: the open eye.
void eye(Ink& k) {
    QPainterPath lid;
    lid.moveTo(8, 50);
    lid.cubicTo(28, 18, 72, 18, 92, 50);
    lid.cubicTo(72, 82, 28, 82, 8, 50);
    lid.closeSubpath();
    k.stroke(lid, 8);
    k.disc({50, 50}, 15);
}

// 15: a bird in flight seen from below: head, spread wings, forked tail.
void bird(Ink& k) {
    QPainterPath path(QPointF(50, 22));
    path.cubicTo(43, 22, 41, 30, 42, 38);
    path.lineTo(4, 28);
    path.cubicTo(12, 46, 26, 56, 43, 58);
    path.lineTo(34, 88);
    path.lineTo(50, 78);
    path.lineTo(66, 88);
    path.lineTo(57, 58);
    path.cubicTo(74, 56, 88, 46, 96, 28);
    path.lineTo(58, 38);
    path.cubicTo(59, 30, 57, 22, 50, 22);
    path.closeSubpath();
    k.fill(path);
}

// 16: a shield with a chevron cut into it.
void shield(Ink& k) {
    QPainterPath body;
    body.moveTo(20, 14);
    body.lineTo(80, 14);
    body.lineTo(80, 46);
    body.cubicTo(80, 68, 64, 82, 50, 90);
    body.cubicTo(36, 82, 20, 68, 20, 46);
    body.closeSubpath();
    QPainterPath cut;
    cut.addPolygon(QPolygonF({QPointF(30, 34), QPointF(50, 52), QPointF(70, 34), QPointF(70, 46),
                              QPointF(50, 64), QPointF(30, 46)}));
    cut.closeSubpath();
    k.fill(finelySubtracted(body, cut));
}

// 17: the quartered round of the earth.
void quartered(Ink& k) {
    k.ring({50, 50}, 34, 9);
    k.line({50, 16}, {50, 84}, 8);
    k.line({16, 50}, {84, 50}, 8);
}

// 18: a diamond held in a diamond.
void mirror(Ink& k) {
    QPainterPath outer = polygon({{50, 8}, {92, 50}, {50, 92}, {8, 50}});
    k.stroke(outer, 8, Qt::FlatCap);
    k.fill(polygon({{50, 32}, {68, 50}, {50, 68}, {32, 50}}));
}

// 19: the lightning bolt.
void bolt(Ink& k) {
    k.fill(polygon({{58, 6}, {22, 54}, {46, 54}, {36, 94}, {78, 40}, {54, 40}, {68, 6}}));
}

// 20: the sun with eight rays.
void sun(Ink& k) {
    k.disc({50, 50}, 20);
    QPainterPath rays;
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * kPi / 4;
        const QPointF dir(std::sin(a), -std::cos(a));
        const QPointF side(dir.y(), -dir.x());
        const QPointF base = QPointF(50, 50) + 27 * dir;
        rays.addPolygon(QPolygonF({base + 8 * side, QPointF(50, 50) + 46 * dir, base - 8 * side}));
        rays.closeSubpath();
    }
    rays.setFillRule(Qt::WindingFill);
    k.fill(rays);
}

using Drawer = void (*)(Ink&);
constexpr Drawer kSignDrawers[20] = {drop, breath, crescent,  seed,   serpent, gateway, hand,
                                     star, waters, heart,     spiral, figure,  ladder,  eye,
                                     bird, shield, quartered, mirror, bolt,    sun};

// Plasmas: n petals around a centre, each plasma its own count and turn.
void petals(Ink& k, int n) {
    QPainterPath leaf;
    leaf.moveTo(0, -10);
    leaf.cubicTo(9, -18, 9, -32, 0, -40);
    leaf.cubicTo(-9, -32, -9, -18, 0, -10);
    leaf.closeSubpath();
    QPainterPath all;
    for (int i = 0; i < n; ++i) {
        QTransform t;
        t.translate(50, 50);
        t.rotate(360.0 * i / n);
        all.addPath(t.map(leaf));
    }
    all.setFillRule(Qt::WindingFill);
    k.fill(all);
    k.disc({50, 50}, n == 1 ? 9 : 7);
    if (n == 1) k.ring({50, 50}, 30, 6);
}

}  // namespace

QPainterPath finelySubtracted(const QPainterPath& from, const QPainterPath& hole) {
    constexpr qreal kFine = 64;
    const QTransform up = QTransform::fromScale(kFine, kFine);
    const QTransform down = QTransform::fromScale(1 / kFine, 1 / kFine);
    return down.map(up.map(from).subtracted(up.map(hole)));
}

QPainterPath starPath(QPointF c, int points, qreal outer, qreal inner, qreal turn) {
    QPolygonF poly;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal a = turn + i * kPi / points;
        const qreal r = (i % 2 == 0) ? outer : inner;
        poly << QPointF(c.x() + r * std::sin(a), c.y() - r * std::cos(a));
    }
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void drawSignEmblem(QPainter& p, int sign, const QRectF& box, const EmblemStyle& style) {
    const int s = sign == 0 ? 20 : sign;
    if (s < 1 || s > 20) return;
    Ink k(p, box, style);
    kSignDrawers[s - 1](k);
}

void drawPlasmaEmblem(QPainter& p, int plasma, const QRectF& box, const EmblemStyle& style) {
    if (plasma < 1 || plasma > 7) return;
    Ink k(p, box, style);
    petals(k, plasma);
}

QList<QPainterPath> signEmblemParts(int sign) {
    QList<QPainterPath> parts;
    const int s = sign == 0 ? 20 : sign;
    if (s < 1 || s > 20) return parts;
    Ink k(parts);
    kSignDrawers[s - 1](k);
    return parts;
}

QList<QPainterPath> plasmaEmblemParts(int plasma) {
    QList<QPainterPath> parts;
    if (plasma < 1 || plasma > 7) return parts;
    Ink k(parts);
    petals(k, plasma);
    return parts;
}

}  // namespace orbisca::assets
