// SPDX-License-Identifier: GPL-3.0-or-later
#include "layouts.h"

#include <cmath>

#include "views/telectonon_board.h"

namespace orbisca::assets {

namespace {
constexpr int kCentreX = 299;
constexpr double kCellOrigin = 133;
constexpr double kCellPitch = 33.5;
}  // namespace

int centredLeft(int x, int width) { return kCentreX + x - width / 2; }

int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// --- Zolkin

QPoint zolkinBoardOrigin() {
    return {centredLeft(kZolkinAt.x(), kZolkinBoard.width()), kZolkinAt.y()};
}

QRect zolkinCell(int column, int row) {
    // One pixel of margin left and right of the 13 columns.
    const QPoint o(centredLeft(kZolkinAt.x(), kZolkinGrid.width()), kZolkinAt.y());
    return {QPoint(o.x() + 1 + kZolkinCell.width() * column, o.y() + kZolkinCell.height() * row),
            kZolkinCell};
}

// The seal name of row r is written with its top at 22r + 8 and ends at x 141, the Maya name
// under it starts at 22r + 19 in light blue and stays off the plate; the planet is written from
// x 496 with its top at 22r + 14.
QRect zolkinBluePlate(int row, bool right) {
    if (right) return {QPoint(490, 22 * row + 13), QPoint(570, 22 * row + 25)};
    return {QPoint(68, 22 * row + 7), QPoint(146, 22 * row + 19)};
}

QPoint zolkinHighlight(int column, int row) { return {23 * column + 156, 22 * row + 16}; }

// --- Wavespell

QPoint wavespellBoardOrigin() {
    return {centredLeft(kWavespellAt.x(), kWavespellBoard.width()), kWavespellAt.y()};
}

QPoint wavespellPlace(int tone) {
    QPoint place(0, 0);
    for (int i = 0; i < tone; ++i) {
        if (i <= 4)
            place.ry() += 1;
        else if (i <= 8)
            place.rx() += 1;
        else if (i <= 11)
            place.ry() -= 1;
        else
            place.rx() -= 1;
    }
    return place;
}

QRect wavespellPanel(int tone) {
    const QPoint p = wavespellPlace(tone);
    const int x = 102 * p.x(), y = 91 * p.y();
    // From the tone's left edge (X + 79) less 4 to the guide's right edge (X + 163) plus 4; from
    // the tone's top (Y - 68) less 3 to below the date line (Y + 3, 12 high).
    return {QPoint(x + 75, y - 71), QPoint(x + 166, y + 15)};
}

QPoint wavespellHighlight(int tone) {
    const QPoint p = wavespellPlace(tone);
    return {102 * p.x() + 50, 91 * p.y() - 91};
}

// --- Wings

namespace {
constexpr int kCastleLeft = 11;    // board margin left of castle 1
constexpr int kCastlePitch = 118;  // four columns of 26 and a gap of 14
constexpr int kColumnPitch = 26;
constexpr int kRowPitch = 27;

// Top of a wavespell's first cell in board pixels: the middle castle starts high, the wings
// below the texts and drooping four pixels a column towards their tips.
int columnTop(int wavespell) {
    if (wavespell <= 7) return 150 + 4 * (7 - wavespell);
    if (wavespell >= 12) return 150 + 4 * (wavespell - 12);
    return 60;
}
}  // namespace

QPoint wingsBoardOrigin() { return {centredLeft(kWingsAt.x(), kWingsBoard.width()), kWingsAt.y()}; }

QPoint wingsKinCell(int kin) {
    const int wavespell = (kin - 1) / 13, tone = (kin - 1) % 13;
    const int castle = wavespell / 4, column = wavespell % 4;
    const QPoint o = wingsBoardOrigin();
    return {o.x() + kCastleLeft + kCastlePitch * castle + kColumnPitch * column +
                (kColumnPitch - kKinCell.width()) / 2,
            o.y() + columnTop(wavespell) + kRowPitch * tone};
}

QRect wingsCastle(int castle) {
    const int first = 52 * (castle - 1) + 1;
    QRect r;
    for (int kin = first; kin < first + 52; ++kin) r |= QRect(wingsKinCell(kin), kKinCell);
    return r.adjusted(-7, -8, 7, 8);
}

// --- Telectonon

QRectF boardCellRect(int column, int row) {
    return {kCellOrigin + kCellPitch * column, kCellOrigin + kCellPitch * row, kCellPitch,
            kCellPitch};
}

// The cells and dial points are the board view's own (views/telectonon_board.h), so that the
// picture and the markers drawn onto it cannot drift apart.
QPoint boardCellPoint(int column, int row) { return orbisca::boardCellPoint({column, row}); }

QPoint pathCell(int day) { return walkPieces(day, false).yellow; }

QPoint signFieldCell(int sign) { return signMarkerCell(sign); }

QPoint pyramidCell(int sign) { return orbisca::pyramidCell(sign); }

QPoint cubeCell(int day) { return walkPieces(day, false).green; }

QPoint dialMarker(Dial dial, int n) {
    static constexpr BoardDial kDials[] = {BoardDial::Sign, BoardDial::Tone, BoardDial::Day,
                                           BoardDial::Month};
    return dialMarkerPoint(kDials[int(dial)], n);
}

QPointF dialCentre(bool upper) { return {71 + kMarker / 2.0, (upper ? 103 : 416) + kMarker / 2.0}; }

namespace {
BoardField cellField(FieldKind kind, int index, QPoint first, QPoint last) {
    const QPoint tl = boardCellPoint(first.x(), first.y());
    const QPoint br = boardCellPoint(last.x() + 1, last.y() + 1);
    return {kind, index, tl.x(), tl.y(), br.x(), br.y()};
}
}  // namespace

std::vector<BoardField> boardFields() {
    std::vector<BoardField> fields;
    for (int day = 1; day <= 28; ++day)
        fields.push_back(cellField(FieldKind::Day, day, pathCell(day), pathCell(day)));
    for (int sign = 1; sign <= 20; ++sign)
        fields.push_back(
            cellField(FieldKind::SignField, sign, signFieldCell(sign), signFieldCell(sign)));
    // Four pyramid cells lie on the path (rows 1 and 6); the day's field explains them.
    for (int sign = 1; sign <= 20; ++sign) {
        const QPoint cell = pyramidCell(sign);
        if (cell.y() != 1 && cell.y() != 6)
            fields.push_back(cellField(FieldKind::Pyramid, sign, cell, cell));
    }
    for (int column = 1; column <= 4; ++column)
        fields.push_back(
            cellField(FieldKind::CubeColumn, column, {column + 2, 2}, {column + 2, 5}));
    for (int dial = 1; dial <= 2; ++dial) {
        const QPointF c = dialCentre(dial == 1);
        constexpr double reach = kOuterRadius + kMarker / 2.0 + 3;
        fields.push_back({FieldKind::Dial, dial, int(std::floor(c.x() - reach)),
                          int(std::floor(c.y() - reach)), int(std::ceil(c.x() + reach)),
                          int(std::ceil(c.y() + reach))});
    }
    return fields;
}

}  // namespace orbisca::assets
