// SPDX-License-Identifier: GPL-3.0-or-later
#include "telectonon.h"

#include "elements.h"
#include "layouts.h"
#include "palette.h"
#include "raster.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace orbisca::assets {

namespace {

// Each week of the 28 days has its colour, in the order red, white, blue, yellow.
QColor weekColour(int day) { return familyOf((day - 1) / 7).pure; }

QRectF tileOf(int column, int row) { return boardCellRect(column, row).adjusted(2, 2, -2, -2); }

void paintTile(QPainter& p, const QRectF& tile, QColor top, QColor bottom, QColor rim) {
    QLinearGradient g(0, tile.top(), 0, tile.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(rim, 1));
    p.drawRoundedRect(tile, 4, 4);
}

// A small number in the top right corner of a cell, where no piece stands.
void paintCellNumber(QPainter& p, const QRectF& tile, int number, QColor colour) {
    QFont f("DejaVu Sans");
    f.setPixelSize(8);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRectF(tile.right() - 14, tile.top() + 1, 12.5, 9), Qt::AlignRight | Qt::AlignTop,
               QString::number(number));
}

void paintDial(QPainter& p, bool upper) {
    const QPointF c = dialCentre(upper);
    QRadialGradient face(c, 60);
    face.setColorAt(0, QColor(40, 26, 92));
    face.setColorAt(1, QColor(20, 12, 54));
    p.setBrush(face);
    p.setPen(QPen(QColor(kGoldDim), 1.2));
    p.drawEllipse(c, 59.4, 59.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(QColor(kGold), 70), 1));
    p.drawEllipse(c, kOuterRadius, kOuterRadius);
    p.drawEllipse(c, kInnerRadius, kInnerRadius);
    // The slots where the markers land, each coloured by what it stands for.
    const Dial outer = upper ? Dial::Sign : Dial::Day, inner = upper ? Dial::Tone : Dial::Month;
    const int outerCount = upper ? 20 : 28;
    const QPointF half(kMarker / 2.0, kMarker / 2.0);
    for (int n = 1; n <= outerCount; ++n) {
        const QColor colour = upper ? signFamily(n).pure : weekColour(n);
        p.setBrush(QColor(16, 8, 44));
        p.setPen(QPen(withAlpha(colour, 210), 1.3));
        p.drawEllipse(QPointF(dialMarker(outer, n)) + half, 4.0, 4.0);
    }
    for (int n = 1; n <= 13; ++n) {
        p.setBrush(QColor(16, 8, 44));
        p.setPen(QPen(withAlpha(QColor(kIvory), n >= 11 ? 230 : 170), 1.1));
        p.drawEllipse(QPointF(dialMarker(inner, n)) + half, 3.6, 3.6);
    }
}

void paintPyramidColumns(QPainter& p) {
    for (int column : {2, 7}) {
        const QRectF band = boardCellRect(column, -1).united(boardCellRect(column, 8));
        p.setBrush(withAlpha(QColor(52, 36, 112), 150));
        p.setPen(QPen(withAlpha(QColor(kGoldDim), 180), 1));
        p.drawRoundedRect(band.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    }
}

void paintPath(QPainter& p) {
    for (int day = 1; day <= 28; ++day) {
        const QPoint cell = pathCell(day);
        const QRectF tile = tileOf(cell.x(), cell.y());
        paintTile(p, tile, QColor(104, 80, 70), QColor(70, 50, 48),
                  withAlpha(weekColour(day), 200));
        paintCellNumber(p, tile, day, QColor(kIvory));
    }
    // Where the yellow and white pieces wait before the first day: an arrow into the path.
    for (int row : {1, 6}) {
        const QRectF tile = tileOf(1, row);
        paintTile(p, tile, QColor(40, 30, 76), QColor(28, 20, 60),
                  withAlpha(QColor(kGoldDim), 160));
        QPainterPath arrow;
        const QPointF c = tile.center();
        arrow.moveTo(c + QPointF(-8, 0));
        arrow.lineTo(c + QPointF(7, 0));
        arrow.moveTo(c + QPointF(2, -5));
        arrow.lineTo(c + QPointF(7, 0));
        arrow.lineTo(c + QPointF(2, 5));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(kGold), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(arrow);
    }
}

void paintCube(QPainter& p) {
    for (int day = 7; day <= 22; ++day) {
        const QPoint cell = cubeCell(day);
        const QRectF tile = tileOf(cell.x(), cell.y());
        paintTile(p, tile, QColor(26, 84, 56), QColor(12, 52, 34), QColor(86, 176, 112));
        paintCellNumber(p, tile, day, QColor(200, 240, 200));
    }
}

void paintSignField(QPainter& p) {
    const QRectF field = boardCellRect(8, 2).united(boardCellRect(12, 5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kGoldDim), 1.2));
    p.drawRoundedRect(field.adjusted(-1.5, -1.5, 1.5, 1.5), 6, 6);
    for (int sign = 1; sign <= 20; ++sign) {
        const QPoint cell = signFieldCell(sign);
        const QRectF tile = tileOf(cell.x(), cell.y());
        paintTile(p, tile, QColor(36, 24, 82), QColor(22, 14, 58),
                  withAlpha(signFamily(sign).pure, 140));
        const QImage art = signArt(sign, 23, SignStyle::Plain);
        p.drawImage(tile.center() - QPointF(art.width() / 2.0, art.height() / 2.0), art);
    }
}

// Every pyramid cell shows its sign small in its lower right corner; the gems land in its upper
// part. On the path the day's tile is already there.
void paintPyramidCells(QPainter& p) {
    for (int sign = 1; sign <= 20; ++sign) {
        const QPoint cell = pyramidCell(sign);
        const QRectF tile = tileOf(cell.x(), cell.y());
        if (cell.y() != 1 && cell.y() != 6)
            paintTile(p, tile, QColor(44, 30, 96), QColor(28, 18, 70),
                      withAlpha(signFamily(sign).pure, 150));
        p.drawImage(tile.bottomRight() - QPointF(16, 16), signArt(sign, 15, SignStyle::Plain));
    }
}

// Splits a sprite drawn on a transparent canvas into its picture and its mask.
QImage spritePicture(const QImage& canvas, QColor fill) {
    return spriteColours(canvas, fill.rgb());
}

QImage dayCursorCanvas(int size) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QRectF ring(2.5, 2.5, size - 5, size - 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(QColor(kGold), 90), 4.5));
    p.drawRoundedRect(ring, 5, 5);
    p.setPen(QPen(QColor(255, 236, 170), 2));
    p.drawRoundedRect(ring, 5, 5);
    return canvas;
}

QImage discCanvas(int size, QColor colour, double radius) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const QPointF c(size / 2.0, size / 2.0);
    QRadialGradient g(c - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.45, colour);
    g.setColorAt(1, colour.darker(150));
    p.setBrush(g);
    p.setPen(QPen(colour.darker(200), 0.9));
    p.drawEllipse(c, radius, radius);
    return canvas;
}

struct PieceLook {
    QColor shell, rim, skin;
};

PieceLook pieceLook(Piece piece) {
    switch (piece) {
        case Piece::Yellow:
            return {QColor(250, 212, 56), QColor(96, 56, 4), QColor(236, 206, 120)};
        case Piece::White:
            return {QColor(244, 244, 238), QColor(70, 70, 100), QColor(200, 200, 214)};
        case Piece::Green:
            break;
    }
    return {QColor(84, 204, 104), QColor(12, 64, 24), QColor(150, 214, 140)};
}

// A turtle walking to the right, turned for its pose; resting (pose 3) it faces down with its
// legs drawn in.
QImage pieceCanvas(const PieceLook& look, int pose, int size) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const double s = size / 17.0;
    p.translate(size / 2.0, size / 2.0);
    p.rotate(pose == 1 ? -90 : pose == 2 ? 180 : pose == 3 ? 90 : 0);
    p.scale(s, s);
    p.setPen(QPen(look.rim, 1));
    p.setBrush(look.skin);
    if (pose != 3)
        for (const QPointF leg :
             {QPointF(3.4, 4.9), QPointF(3.4, -4.9), QPointF(-3.6, 4.9), QPointF(-3.6, -4.9)})
            p.drawEllipse(leg, 1.9, 1.9);
    p.drawEllipse(QPointF(pose == 3 ? 5.4 : 6.3, 0), 2.2, 2.0);  // head
    QRadialGradient g(QPointF(-1.6, -1.8), 7);
    g.setColorAt(0, look.shell.lighter(135));
    g.setColorAt(0.6, look.shell);
    g.setColorAt(1, look.shell.darker(140));
    p.setBrush(g);
    p.drawEllipse(QPointF(-0.4, 0), 5.7, 4.8);
    // The middle plate of the shell.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(look.rim, 140), 0.8));
    QPolygonF plate;
    for (int i = 0; i < 6; ++i) {
        const double a = i * 3.14159265358979323846 / 3;
        plate << QPointF(-0.4 + 2.4 * std::cos(a), 2.1 * std::sin(a));
    }
    p.drawPolygon(plate);
    return canvas;
}

QColor gemColour(Gem gem) {
    switch (gem) {
        case Gem::Generic:
            return QColor(80, 214, 120);
        case Gem::Red:
            return familyOf(0).pure;
        case Gem::White:
            return familyOf(1).pure;
        case Gem::Blue:
            return familyOf(2).pure;
        case Gem::Yellow:
            break;
    }
    return familyOf(3).pure;
}

}  // namespace

QImage telectononBoard() {
    // The frame's own colour, lit a little behind the cells only: the view clears the hint area
    // with the frame's colour, which must leave no patch.
    QImage canvas(kTelectononBoard, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(QColor(kNight));
    QPainter p(&canvas);
    smoothPainter(p);
    const QPointF middle = boardCellRect(7, 3).bottomRight();
    QRadialGradient glow(middle, 200);
    glow.setColorAt(0, QColor(30, 18, 76, 255));
    glow.setColorAt(1, QColor(30, 18, 76, 0));
    p.fillRect(canvas.rect(), glow);
    paintDial(p, true);
    paintDial(p, false);
    paintPyramidColumns(p);
    paintPath(p);
    paintCube(p);
    paintSignField(p);
    paintPyramidCells(p);
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

QImage dayCursor(int size) { return spritePicture(dayCursorCanvas(size), QColor(kGold)); }
QImage dayCursorMask(int size) { return alphaAsGrey(dayCursorCanvas(size)); }

QImage dialMarkerPicture(DialMarker marker, int size) {
    const QColor colour =
        marker == DialMarker::Outer ? QColor(96, 164, 255) : QColor(240, 240, 250);
    return spritePicture(discCanvas(size, colour, size / 2.0 - 0.6), colour);
}
QImage dialMarkerMask(int size) {
    return alphaAsGrey(discCanvas(size, QColor(255, 255, 255), size / 2.0 - 0.6));
}

QImage piecePicture(Piece piece, int pose, int size) {
    const PieceLook look = pieceLook(piece);
    return spritePicture(pieceCanvas(look, pose, size), look.shell);
}
QImage pieceMask(int pose, int size) {
    return alphaAsGrey(pieceCanvas(pieceLook(Piece::Yellow), pose, size));
}

QImage gemPicture(Gem gem, int size) {
    const QColor colour = gemColour(gem);
    return spritePicture(discCanvas(size, colour, size / 2.0 - 0.8), colour);
}
QImage gemMask(int size) {
    return alphaAsGrey(discCanvas(size, QColor(255, 255, 255), size / 2.0 - 0.8));
}

}  // namespace orbisca::assets
