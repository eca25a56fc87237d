#include "layouts.h"

#include <cmath>

namespace orbisca::assets {

namespace {
constexpr int kCentreX = 299;
constexpr double kPi = 3.14159265358979323846;
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
    const QPoint o = zolkinBoardOrigin();
    return {QPoint(o.x() + 1 + kZolkinCell.width() * column, o.y() + kZolkinCell.height() * row),
            kZolkinCell};
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

QPoint boardCellPoint(int column, int row) {
    return {roundEven(kCellOrigin + kCellPitch * column),
            roundEven(kCellOrigin + kCellPitch * row)};
}

QPoint pathCell(int day) {
    QPoint cell(1, 6);
    for (int d = 1; d <= day; ++d) {
        if (d <= 12)
            cell.rx() += 1;
        else if (d <= 17)
            cell.ry() -= 1;
        else
            cell.rx() -= 1;
    }
    return cell;
}

QPoint signFieldCell(int sign) {
    if (sign == 20) return {8, 2};
    return {8 + sign % 5, 2 + sign / 5};
}

QPoint pyramidCell(int sign) {
    const int s = sign % 20;
    return s < 10 ? QPoint(2, s - 1) : QPoint(7, 18 - s);
}

QPoint cubeCell(int day) {
    QPoint cell(4, 3);
    for (int d = 1; d <= day; ++d) {
        if (d == 6)
            cell = {7, 6};
        else if (d == 7)
            cell = {6, 5};
        else if ((d >= 8 && d <= 10) || d == 19 || d == 20)
            cell.ry() -= 1;
        else if ((d >= 11 && d <= 13) || d == 21)
            cell.rx() -= 1;
        else if ((d >= 14 && d <= 16) || d == 22)
            cell.ry() += 1;
        else if (d == 17 || d == 18)
            cell.rx() += 1;
    }
    return cell;
}

QPoint dialMarker(Dial dial, int n) {
    const bool upper = dial == Dial::Sign || dial == Dial::Tone;
    const QPoint centre(71, upper ? 103 : 416);
    double angle = 0;
    int radius = kOuterRadius;
    switch (dial) {
        case Dial::Sign:
            angle = roundEven(18.0 * n + 99);
            break;
        case Dial::Day:
            angle = roundEven(12.85714 * n + 83);
            break;
        case Dial::Tone:
        case Dial::Month:
            // Tones and months 11, 12 and 13 stand at the centre, one above the other.
            if (n >= 11) return centre + QPoint(0, 13 * (n - 12));
            angle = roundEven(36.0 * n + (dial == Dial::Tone ? 89 : 90));
            radius = kInnerRadius;
            break;
    }
    const double a = -angle * kPi / 180.0;
    return centre + QPoint(roundEven(radius * std::cos(a)), roundEven(radius * std::sin(a)));
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
