// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards.h"

#include "elements.h"
#include "layouts.h"
#include "numerals.h"
#include "palette.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace orbisca::assets {

namespace {

// The 52 portal days of the Zolkin board: two diagonals crossing the board and ten kins in each
// of the columns beside the middle one. The pattern is the same read from either end (k and
// 261 - k).
bool isPortalDay(int kin) {
    static const std::array<int, 26> kFirstHalf = {1,   20,  22,  39,  43,  50,  51,  58,  64,
                                                   69,  72,  77,  85,  88,  93,  96,  106, 107,
                                                   108, 109, 110, 111, 112, 113, 114, 115};
    for (int k : kFirstHalf)
        if (kin == k || kin == 261 - k) return true;
    return false;
}

// Boards are opaque; flattening keeps black out of them all the same.
QImage finishBoard(const QImage& canvas) { return flattenOnKey(canvas, kKeyBlack, kNight); }

// --- Zolkin

void paintZolkinCell(QPainter& p, const QRect& cell, int kin) {
    const int column = (kin - 1) / 20, sign = (kin - 1) % 20 + 1, tone = (kin - 1) % 13 + 1;
    const QRectF tile = QRectF(cell).adjusted(1, 1, -1, -1);
    QLinearGradient g(0, tile.top(), 0, tile.bottom());
    QColor ink, rim;
    if (isPortalDay(kin)) {  // silver, as the page's legend square
        g.setColorAt(0, QColor(226, 226, 232));
        g.setColorAt(1, QColor(168, 168, 178));
        ink = QColor(28, 20, 70);
        rim = QColor(250, 250, 255);
    } else if (column == 6) {  // the mystic column, dark green as the legend square
        g.setColorAt(0, QColor(14, 92, 30));
        g.setColorAt(1, QColor(0, 56, 10));
        ink = QColor(kIvory);
        rim = QColor(90, 170, 100);
    } else {
        g.setColorAt(0, QColor(40, 28, 86));
        g.setColorAt(1, QColor(24, 16, 58));
        ink = signFamily(sign).pure;
        rim = withAlpha(signFamily(sign).pure, 110);
    }
    p.setBrush(g);
    p.setPen(QPen(rim, 1));
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(compactNumeralPath(tone, tile.adjusted(2.5, 2, -2.5, -2), {3, 4, 3, 1.6}));
}

// --- Wavespell

// The wavespell board's inks: night blues on screen, and on paper (the picture form of a printed
// page, whose texts are black) the same drawing in light tints of them.
struct WaveInks {
    QRgb ground;    // the board's ground at its edges
    QColor glow;    // lighter towards the middle
    QColor ribbon;  // the broad path through the thirteen places
    QColor heart;   // the glow behind the spiral
    QColor panelTop, panelBottom;
    QColor gold, goldDim;
};

const WaveInks& waveInks(Medium medium) {
    static const WaveInks screen{kNight,
                                 QColor(30, 18, 76),
                                 QColor(58, 40, 126),
                                 QColor(70, 46, 150),
                                 QColor(40, 26, 92),
                                 QColor(22, 12, 60),
                                 QColor(kGold),
                                 QColor(kGoldDim)};
    static const WaveInks paper{qRgb(255, 255, 255),   QColor(250, 246, 236), QColor(232, 226, 248),
                                QColor(214, 204, 246), QColor(255, 253, 247), QColor(244, 238, 224),
                                QColor(kGoldDim),      QColor(196, 170, 120)};
    return medium == Medium::Paper ? paper : screen;
}

void paintWavespellRibbon(QPainter& p, const WaveInks& ink) {
    QPainterPath ribbon;
    for (int tone = 1; tone <= 13; ++tone) {
        const QPointF c = QRectF(wavespellPanel(tone)).center();
        if (tone == 1)
            ribbon.moveTo(c);
        else
            ribbon.lineTo(c);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink.ribbon, 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(ribbon);
    p.setPen(QPen(withAlpha(ink.gold, 170), 1.4, Qt::DashLine, Qt::RoundCap));
    p.drawPath(ribbon);
}

// Inside the U, a faint spiral turning out from the middle of the wavespell, under a soft glow.
void paintWavespellHeart(QPainter& p, const WaveInks& ink) {
    const QPointF c =
        (QRectF(wavespellPanel(7)).center() + QRectF(wavespellPanel(13)).center()) / 2;
    QRadialGradient glow(c, 150);
    glow.setColorAt(0, withAlpha(ink.heart, 90));
    glow.setColorAt(1, withAlpha(ink.heart, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, 150, 150);
    QPainterPath spiral;
    constexpr int steps = 240;
    for (int i = 0; i <= steps; ++i) {
        const double t = i / double(steps), a = t * 2.5 * 2 * 3.14159265358979323846;
        const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * (8 + 80 * t);
        i == 0 ? spiral.moveTo(pt) : spiral.lineTo(pt);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(ink.gold, 55), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(spiral);
}

void paintWavespellPanel(QPainter& p, int tone, const WaveInks& ink) {
    const QRectF panel = QRectF(wavespellPanel(tone)).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(0, panel.top(), 0, panel.bottom());
    g.setColorAt(0, ink.panelTop);
    g.setColorAt(1, ink.panelBottom);
    p.setBrush(g);
    // The first, the last and the middle of the five pulsar tones (1, 5, 9, 13) in gold.
    const bool pulsarTone = tone % 4 == 1;
    p.setPen(QPen(pulsarTone ? ink.gold : ink.goldDim, pulsarTone ? 1.6 : 1.1));
    p.drawRoundedRect(panel, 8, 8);
}

// --- Wings

const QColor kCastleColours[5] = {QColor(232, 64, 52), QColor(232, 232, 240), QColor(76, 128, 240),
                                  QColor(250, 212, 56), QColor(70, 196, 110)};

void paintCastle(QPainter& p, int castle) {
    const int first = 52 * (castle - 1) + 1;
    // The four columns' tops and bottoms lie on straight lines, so the backdrop is a quadrilateral.
    const QRect a(wingsKinCell(first), kKinCell), b(wingsKinCell(first + 12), kKinCell);
    const QRect c(wingsKinCell(first + 39), kKinCell), d(wingsKinCell(first + 51), kKinCell);
    QPainterPath back;
    back.moveTo(a.left() - 6.5, a.top() - 8.5);
    back.lineTo(c.right() + 7.5, c.top() - 8.5);
    back.lineTo(d.right() + 7.5, d.bottom() + 8.5);
    back.lineTo(b.left() - 6.5, b.bottom() + 8.5);
    back.closeSubpath();
    const QColor colour = kCastleColours[castle - 1];
    p.setBrush(withAlpha(colour, 34));
    p.setPen(QPen(withAlpha(colour, 150), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.drawPath(back);
    for (int wave = 0; wave < 4; ++wave) {
        const QRect top(wingsKinCell(first + 13 * wave), kKinCell);
        const QRect bottom(wingsKinCell(first + 13 * wave + 12), kKinCell);
        p.setPen(QPen(withAlpha(colour, 90), 2));
        p.drawLine(QPointF(top.center().x() + 0.5, top.top()),
                   QPointF(bottom.center().x() + 0.5, bottom.bottom()));
        // A gold bead above each wavespell's first kin.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kGold));
        p.drawEllipse(QPointF(top.center().x() + 0.5, top.top() - 4.5), 2.2, 2.2);
    }
}

void paintKinCell(QPainter& p, int kin) {
    const QRect cell(wingsKinCell(kin), kKinCell);
    const int sign = (kin - 1) % 20 + 1, tone = (kin - 1) % 13 + 1;
    p.setBrush(QColor(24, 16, 58));
    p.setPen(QPen(withAlpha(signFamily(sign).pure, 170), 1));
    p.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.drawImage(cell.topLeft() + QPoint(1, 7), signArt(sign, 15, SignStyle::Plain));
    QImage toneArt = transparentCanvas(QSize(15, 6));
    drawTinyToneNumeral(toneArt, tone, QColor(kGold));
    p.drawImage(cell.topLeft() + QPoint(1, 0), toneArt);
}

// A plate of pale silver under a caption in the page's dark blue (0, 57, 253), light enough for
// 4.5 : 1 against it in every pixel, with a lit top edge like the tiles.
void paintBluePlate(QPainter& p, const QRect& plate) {
    const QRectF r = QRectF(plate).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(244, 246, 252));
    g.setColorAt(1, QColor(214, 222, 240));
    p.setBrush(g);
    p.setPen(QPen(QColor(250, 250, 255), 1));
    p.drawRoundedRect(r, 3, 3);
}

}  // namespace

// A board starts as the frame's own night colour, a little lighter towards its middle, so that
// its edges meet the frame around it without a seam.
QImage boardCanvas(QSize size, QRgb ground, QColor glow) {
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(QColor(ground));
    QPainter p(&canvas);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    QRadialGradient g(c, std::max(size.width(), size.height()) * 0.6);
    g.setColorAt(0, withAlpha(glow, 255));
    g.setColorAt(1, withAlpha(glow, 0));
    p.fillRect(canvas.rect(), g);
    return canvas;
}

QImage zolkinBoard() {
    QImage canvas = boardCanvas(kZolkinBoard);
    QPainter p(&canvas);
    smoothPainter(p);
    p.translate(-zolkinBoardOrigin());
    for (int column = 0; column < 13; ++column)
        for (int row = 0; row < 20; ++row)
            paintZolkinCell(p, zolkinCell(column, row), 20 * column + row + 1);
    for (int row = 3; row <= 20; row += 4)
        for (bool right : {false, true}) paintBluePlate(p, zolkinBluePlate(row, right));
    p.end();
    return finishBoard(canvas);
}

QImage wavespellBoard(Medium medium) {
    const WaveInks& ink = waveInks(medium);
    QImage canvas = boardCanvas(kWavespellBoard, ink.ground, ink.glow);
    QPainter p(&canvas);
    smoothPainter(p);
    p.translate(-wavespellBoardOrigin());
    paintWavespellHeart(p, ink);
    paintWavespellRibbon(p, ink);
    for (int tone = 1; tone <= 13; ++tone) paintWavespellPanel(p, tone, ink);
    p.end();
    return flattenOnKey(canvas, kKeyBlack, ink.ground);
}

QImage wingsBoard() {
    QImage canvas = boardCanvas(kWingsBoard);
    QPainter p(&canvas);
    smoothPainter(p);
    p.translate(-wingsBoardOrigin());
    for (int castle = 1; castle <= 5; ++castle) paintCastle(p, castle);
    for (int kin = 1; kin <= 260; ++kin) paintKinCell(p, kin);
    p.end();
    return finishBoard(canvas);
}

QImage waveMark(int size) {
    QImage canvas = transparentCanvas(QSize(size, size));
    QPainter p(&canvas);
    smoothPainter(p);
    const double pitch = size / 5.0;
    QPainterPath path;
    for (int tone = 1; tone <= 13; ++tone) {
        const QPoint place = wavespellPlace(tone);
        const QPointF c(pitch * (place.x() + 0.5), pitch * (place.y() - 0.5));
        tone == 1 ? path.moveTo(c) : path.lineTo(c);
    }
    p.setPen(QPen(QColor(kGoldDim), size / 22.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    for (int tone = 1; tone <= 13; ++tone) {
        const QPoint place = wavespellPlace(tone);
        p.setBrush(tone == 1 || tone == 13 ? QColor(kIvory) : QColor(kGold));
        p.drawEllipse(QPointF(pitch * (place.x() + 0.5), pitch * (place.y() - 0.5)), pitch * 0.3,
                      pitch * 0.3);
    }
    p.end();
    return flattenOnKey(canvas, kKeyBlack, kNight);
}

}  // namespace orbisca::assets
