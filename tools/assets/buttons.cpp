// SPDX-License-Identifier: GPL-3.0-or-later
#include "buttons.h"

#include "emblems.h"
#include "numerals.h"
#include "palette.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace orbisca::assets {

namespace {

constexpr qreal kPi = 3.14159265358979323846;

// Draws in a 100-unit box with one ink colour.
class Pen {
public:
    Pen(QPainter& p, const QRectF& box, QColor ink) : p_(p), ink_(ink), unit_(box.width() / 100.0) {
        p_.save();
        p_.translate(box.topLeft());
        p_.scale(unit_, unit_);
    }
    ~Pen() { p_.restore(); }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

    void stroke(const QPainterPath& path, qreal width) {
        p_.setBrush(Qt::NoBrush);
        p_.setPen(
            QPen(ink_, std::max(width, 1.1 / unit_), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.drawPath(path);
    }
    void fill(const QPainterPath& path) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(ink_);
        p_.drawPath(path);
    }
    void rect(const QRectF& r) {
        QPainterPath path;
        path.addRect(r);
        fill(path);
    }
    void box(const QRectF& r, qreal width) {
        QPainterPath path;
        path.addRect(r);
        stroke(path, width);
    }
    void disc(QPointF c, qreal r) {
        QPainterPath path;
        path.addEllipse(c, r, r);
        fill(path);
    }
    QPainter& painter() { return p_; }
    QColor ink() const { return ink_; }

private:
    QPainter& p_;
    QColor ink_;
    qreal unit_;
};

void gridOfDots(Pen& k, int cols, int rows, QRectF area, qreal r) {
    for (int c = 0; c < cols; ++c)
        for (int w = 0; w < rows; ++w)
            k.disc(QPointF(area.left() + area.width() * (c + 0.5) / cols,
                           area.top() + area.height() * (w + 0.5) / rows),
                   r);
}

void drawPictogram(Pen& k, Pictogram icon) {
    switch (icon) {
        case Pictogram::Day:
            k.painter().save();
            drawSignEmblem(k.painter(), 20, QRectF(10, 10, 80, 80), EmblemStyle{k.ink(), 1.2});
            k.painter().restore();
            break;
        case Pictogram::Tone:
            k.fill(toneNumeralPath(7, QRectF(16, 22, 68, 56)));
            break;
        case Pictogram::Sign: {
            QPainterPath frame;
            frame.addRoundedRect(QRectF(14, 14, 72, 72), 16, 16);
            k.stroke(frame, 7);
            drawSignEmblem(k.painter(), 1, QRectF(28, 28, 44, 44), EmblemStyle{k.ink(), 1.2});
            break;
        }
        case Pictogram::Plasma:
            drawPlasmaEmblem(k.painter(), 7, QRectF(8, 8, 84, 84), EmblemStyle{k.ink(), 1.2});
            break;
        case Pictogram::Oracle:
            for (QPointF c : {QPointF(50, 20), QPointF(20, 50), QPointF(50, 50), QPointF(80, 50),
                              QPointF(50, 80)})
                k.rect(QRectF(c.x() - 11, c.y() - 11, 22, 22));
            break;
        case Pictogram::Month:
            k.box(QRectF(12, 18, 76, 64), 5);
            gridOfDots(k, 7, 4, QRectF(16, 24, 68, 54), 3.6);
            break;
        case Pictogram::Zolkin:
            k.box(QRectF(12, 12, 76, 76), 5);
            for (int i = 1; i < 6; ++i) {
                QPainterPath v(QPointF(12 + i * 76 / 6.0, 12));
                v.lineTo(12 + i * 76 / 6.0, 88);
                k.stroke(v, 2.5);
                QPainterPath h(QPointF(12, 12 + i * 76 / 6.0));
                h.lineTo(88, 12 + i * 76 / 6.0);
                k.stroke(h, 2.5);
            }
            break;
        case Pictogram::Wavespell: {
            const int cells[13][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 5}, {3, 5},
                                      {4, 5}, {5, 5}, {5, 4}, {5, 3}, {5, 2}, {4, 2}};
            for (const auto& c : cells) k.rect(QRectF(c[0] * 15.5 - 8, c[1] * 15.5 - 8, 12, 12));
            break;
        }
        case Pictogram::Pulsars: {
            QPainterPath tri;
            tri.addPolygon(QPolygonF({QPointF(50, 12), QPointF(88, 80), QPointF(12, 80)}));
            tri.closeSubpath();
            k.stroke(tri, 6);
            QPainterPath sq;
            sq.addRect(QRectF(30, 40, 40, 40));
            k.stroke(sq, 4);
            break;
        }
        case Pictogram::Year:
            for (int c = 0; c < 4; ++c)
                for (int r = 0; r < 4; ++r)
                    if (!(r < 3 && (c == 1 || c == 2) && r > 0) && !(r == 0 && c == 1))
                        k.rect(QRectF(12 + c * 20, 12 + r * 20, 15, 15));
            break;
        case Pictogram::Moons:
            for (int i = 0; i < 13; ++i) {
                const qreal a = 2 * kPi * i / 13;
                k.disc(QPointF(50 + 36 * std::sin(a), 50 - 36 * std::cos(a)), 6);
            }
            k.disc(QPointF(50, 50), 12);
            break;
        case Pictogram::Castle: {
            QPainterPath c;
            c.moveTo(12, 88);
            c.lineTo(12, 24);
            for (int i = 0; i < 4; ++i) {
                const qreal x = 12 + i * 22;
                c.lineTo(x + 11, 24);
                c.lineTo(x + 11, 36);
                c.lineTo(x + 22, 36);
                c.lineTo(x + 22, 24);
            }
            c.lineTo(88, 88);
            c.closeSubpath();
            QPainterPath gate;
            gate.addRoundedRect(QRectF(40, 58, 20, 30), 10, 10);
            k.fill(c.subtracted(gate));
            break;
        }
        case Pictogram::Telectonon: {
            k.box(QRectF(12, 12, 76, 76), 5);
            QPainterPath ring;
            ring.addEllipse(QPointF(50, 50), 22, 22);
            k.stroke(ring, 5);
            k.disc(QPointF(50, 50), 7);
            for (QPointF c : {QPointF(20, 20), QPointF(80, 20), QPointF(20, 80), QPointF(80, 80)})
                k.disc(c, 5);
            break;
        }
        case Pictogram::KinBook:
            for (int i = 0; i < 4; ++i) {
                const qreal y = 80 - i * 19;
                k.rect(QRectF(22, y - 4, 40, 8));
                if (i % 2 == 0) k.disc(QPointF(76, y), 6);
            }
            break;
        case Pictogram::Print: {
            k.box(QRectF(28, 12, 44, 26), 5);
            QPainterPath body;
            body.addRoundedRect(QRectF(10, 38, 80, 34), 6, 6);
            QPainterPath slot;
            slot.addRect(QRectF(26, 56, 48, 8));
            k.fill(body.subtracted(slot));
            k.rect(QRectF(30, 64, 40, 24));
            break;
        }
        case Pictogram::Help: {
            QPainterPath q;
            q.moveTo(30, 34);
            q.cubicTo(30, 8, 72, 8, 72, 32);
            q.cubicTo(72, 48, 50, 50, 50, 66);
            k.stroke(q, 11);
            k.disc(QPointF(50, 84), 7);
            break;
        }
        case Pictogram::Config: {
            QPainterPath gear;
            for (int i = 0; i < 8; ++i) {
                QPainterPath tooth;
                tooth.addRect(QRectF(-8, -44, 16, 20));
                QTransform t;
                t.translate(50, 50);
                t.rotate(45.0 * i);
                gear.addPath(t.map(tooth));
            }
            gear.addEllipse(QPointF(50, 50), 30, 30);
            gear.setFillRule(Qt::WindingFill);
            QPainterPath hole;
            hole.addEllipse(QPointF(50, 50), 12, 12);
            k.fill(gear.simplified().subtracted(hole));
            break;
        }
        case Pictogram::Compact:
            k.rect(QRectF(40, 14, 20, 14));
            k.rect(QRectF(30, 30, 40, 16));
            k.rect(QRectF(20, 48, 60, 16));
            k.rect(QRectF(10, 66, 80, 18));
            break;
        case Pictogram::Exit:
        case Pictogram::Close: {
            QPainterPath x(QPointF(24, 24));
            x.lineTo(76, 76);
            x.moveTo(76, 24);
            x.lineTo(24, 76);
            k.stroke(x, 12);
            break;
        }
        case Pictogram::Expand: {
            QPainterPath a;
            for (const auto& [cx, cy] :
                 {std::pair{1, 1}, std::pair{-1, 1}, std::pair{1, -1}, std::pair{-1, -1}}) {
                const QPointF corner(50 + cx * 34, 50 + cy * 34);
                a.moveTo(corner + QPointF(-cx * 22, 0));
                a.lineTo(corner);
                a.lineTo(corner + QPointF(0, -cy * 22));
                a.moveTo(corner);
                a.lineTo(corner + QPointF(-cx * 16, -cy * 16));
            }
            k.stroke(a, 8);
            break;
        }
    }
}

struct StateLook {
    QColor tileTop, tileBottom, border, ink;
    qreal shift;
};

StateLook lookOf(GlyphState state) {
    switch (state) {
        case GlyphState::Hot:  // the pointer over it
            return {QColor(58, 40, 124), QColor(30, 16, 80), QColor(kGold), QColor(255, 236, 170),
                    0};
        case GlyphState::Down:  // pressed
            return {QColor(14, 6, 48), QColor(26, 14, 72), QColor(kGoldDim), QColor(226, 184, 92),
                    1};
        case GlyphState::Disabled:
            return {QColor(22, 16, 52), QColor(18, 12, 44), QColor(60, 54, 84), QColor(92, 86, 116),
                    0};
        case GlyphState::Normal:
            break;
    }
    return {QColor(40, 26, 96), QColor(20, 10, 62), QColor(104, 88, 150), QColor(kIvory), 0};
}

}  // namespace

QImage buttonGlyph(Pictogram icon, int cell, bool round) {
    QImage canvas = transparentCanvas(QSize(cell * kGlyphStates, cell));
    QPainter p(&canvas);
    smoothPainter(p);
    for (int s = 0; s < kGlyphStates; ++s) {
        const StateLook look = lookOf(static_cast<GlyphState>(s));
        const QRectF tile(s * cell + 1.5, 1.5, cell - 3, cell - 3);
        QLinearGradient g(0, 0, 0, cell);
        g.setColorAt(0, look.tileTop);
        g.setColorAt(1, look.tileBottom);
        p.setBrush(g);
        p.setPen(QPen(look.border, 1.2));
        if (round)
            p.drawEllipse(tile);
        else
            p.drawRoundedRect(tile, cell * 0.18, cell * 0.18);
        const qreal inset = cell * (round ? 0.27 : 0.2);
        const QRectF iconBox(s * cell + inset + look.shift, inset + look.shift, cell - 2 * inset,
                             cell - 2 * inset);
        Pen k(p, iconBox, look.ink);
        drawPictogram(k, icon);
    }
    p.end();
    return flattenOnto(canvas, kNight);
}

}  // namespace orbisca::assets
