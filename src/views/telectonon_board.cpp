// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/telectonon_board.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/conf_file.h"
#include "data/help_rects.h"
#include "data/text_case.h"
#include "data/text_file.h"
#include "gfx/mask_draw.h"
#include "views/full_mode_frame.h"
#include "views/text_renderer.h"

namespace orbisca {
namespace {

constexpr double kCellOrigin = 133;
constexpr double kCellPitch = 33.5;
// Markers are blended at this opacity through their masks.
constexpr int kMarkerOpacity = 200;
// Markers that share a cell stand this far apart.
constexpr int kCollisionStep = 15;
constexpr int kHintFont = 6;
constexpr int kHintLineStep = 10;
constexpr int kLastMonthDay = 28;

// Every position on the board is rounded to the nearest integer, halves to even, as the views
// round everywhere; it matters here, since 33.5 times an odd column always ends in a half.
int roundHalfEven(double v) { return int(std::nearbyint(v)); }

QString graphic(const QString& name) { return QStringLiteral("graphic\\") + name; }

// Collision numbers 1..8: the yellow, white and green pieces, then the pyramid's generic, red,
// white, blue and yellow cells. Index 0 is unused.
using MarkerCells = std::array<QPoint, 9>;
constexpr int kYellow = int(BoardPiece::Yellow);
constexpr int kWhite = int(BoardPiece::White);
constexpr int kGreen = int(BoardPiece::Green);
constexpr int kFirstPyramid = 4;
constexpr int kLastPyramid = 8;

// Separates markers that share a cell: a piece on a pyramid cell moves left; a pyramid marker
// moves right of the pieces and of the pyramid markers before it, and left of those after it (a
// later match overriding an earlier one, so a match further on wins). The yellow piece counts for
// the pyramid only off column 7.
int collisionOffset(int k, const MarkerCells& cells) {
    int offset = 0;
    if (k < kFirstPyramid) {
        for (int j = kFirstPyramid; j <= kLastPyramid; ++j)
            if (cells[k] == cells[j]) offset = -kCollisionStep;
        return offset;
    }
    for (int j : {kWhite, kGreen})
        if (cells[k] == cells[j]) offset = kCollisionStep;
    for (int j = kFirstPyramid; j < k; ++j)
        if (cells[k] == cells[j]) offset = kCollisionStep;
    if (cells[kYellow].x() != 7 && cells[k] == cells[kYellow]) offset = kCollisionStep;
    for (int j = k + 1; j <= kLastPyramid; ++j)
        if (cells[k] == cells[j]) offset = -kCollisionStep;
    return offset;
}

// The steps of one day d of the walk.
void stepYellow(QPoint& cell, int d) {
    if (d <= 12)
        cell.rx() += 1;
    else if (d <= 17)
        cell.ry() -= 1;
    else
        cell.rx() -= 1;
}

void stepWhite(QPoint& cell, int d) {
    if (d <= 6)
        cell.rx() += 1;
    else if (d >= 24)
        cell.rx() -= 1;
}

void stepGreen(QPoint& cell, int d, bool threeTurtles) {
    if (d <= 5) return;
    if (d == 6) {
        cell = {7, 6};
    } else if (d == 7) {
        cell = {6, 5};
    } else if ((d >= 8 && d <= 10) || d == 19 || d == 20) {
        cell.ry() -= 1;
    } else if ((d >= 11 && d <= 13) || d == 21) {
        cell.rx() -= 1;
    } else if ((d >= 14 && d <= 16) || d == 22) {
        cell.ry() += 1;
    } else if (d == 17 || d == 18) {
        cell.rx() += 1;
    } else if (d == 23) {
        cell = {7, 1};
    } else if (threeTurtles) {
        cell.rx() -= 1;
    } else {
        cell = {4, 3};
    }
}

// A piece's offsets from its cell on day d.
QPoint pieceShift(BoardPiece piece, int d, bool threeTurtles) {
    const bool last = d >= 24;
    switch (piece) {
        case BoardPiece::Yellow:
            return d == 6    ? QPoint(15, 0)
                   : d == 23 ? QPoint(18, -15)
                   : last    ? QPoint(0, 10)
                             : QPoint();
        case BoardPiece::White:
            return d == 23 ? QPoint(-18, -15) : last ? QPoint(0, -10) : QPoint();
        case BoardPiece::Green:
            if (d >= 1 && d <= 5) return {15, 15};
            if (d == 6) return {-10, 0};
            if (d == 23) return {0, 10};
            if (last) return threeTurtles ? QPoint() : QPoint(15, 15);
            return {};
    }
    return {};
}

// The picture of a piece on day d, by its pose: 0 walking right, 1 up, 2 left, 3 resting.
int piecePose(BoardPiece piece, int d) {
    switch (piece) {
        case BoardPiece::Yellow:
            return d == 6 || (d >= 13 && d <= 17) ? 1 : d >= 18 ? 2 : 0;
        case BoardPiece::White:
            return d <= 5 || d == 23 ? 0 : d >= 24 ? 2 : 3;
        case BoardPiece::Green:
            if (d <= 5 || d == 17 || d == 18 || d == 22) return 0;
            if ((d >= 6 && d <= 10) || d == 19 || d == 20 || d == 23) return 1;
            if (d >= 14 && d <= 16) return 3;
            return 2;
    }
    return 0;
}

struct PieceLook {
    BoardPiece piece;
    const char* prefix;
};
// In the order they are drawn.
constexpr PieceLook kPieces[] = {
    {BoardPiece::White, "trW"}, {BoardPiece::Yellow, "trY"}, {BoardPiece::Green, "trG"}};

// Sign 1..20 -> 1 red, 2 white, 3 blue, 4 yellow, the order of the pyramid's colour cells.
int pyramidColour(int sign) {
    const int c = sign % 4;
    return c == 0 ? 4 : c;
}

void addPieces(std::vector<BoardMarker>& markers, MarkerCells& cells, int d, bool threeTurtles) {
    for (const PieceLook& look : kPieces) {
        const int k = int(look.piece);
        // On day 23 and (except the white piece) day 6 the pieces keep their own offsets.
        const bool ownPlace = d == 23 || (d == 6 && look.piece != BoardPiece::White);
        const int collision = ownPlace ? 0 : collisionOffset(k, cells);
        const QPoint shift = pieceShift(look.piece, d, threeTurtles);
        const int lift = look.piece == BoardPiece::Green ? 0 : 1;
        const QString pose = QString::number(piecePose(look.piece, d));
        markers.push_back({graphic(QLatin1String(look.prefix) + pose + QStringLiteral(".bmp")),
                           graphic(QStringLiteral("trA") + pose + QStringLiteral(".bmp")),
                           boardCellPoint(cells[k], shift.x() + collision, shift.y() + lift)});
    }
}

void addPyramid(std::vector<BoardMarker>& markers, MarkerCells& cells, int d) {
    // On day 6 the yellow and green pieces stand aside and take no part in the pyramid's tests.
    if (d == 6) cells[kYellow].rx() = cells[kGreen].rx() = -1;
    static const char* const kGems[] = {"tlpyrG.bmp", "tlpyrR.bmp", "tlpyrW.bmp", "tlpyrB.bmp",
                                        "tlpyrY.bmp"};
    for (int k = kFirstPyramid; k <= kLastPyramid; ++k)
        markers.push_back({graphic(QLatin1String(kGems[k - kFirstPyramid])),
                           graphic(QStringLiteral("tlpyrA.bmp")),
                           boardCellPoint(cells[k], collisionOffset(k, cells))});
}

void paintExtraDayPage(FullModeFrame& f) {
    constexpr int kFont = 2;
    f.drawElement(6, 146, kinds::kExtraDayDot, true);
    f.drawElement(0, 218, kinds::kSigns35.kindOf(f.day().sign), true);
    f.drawElement(0, 198, kinds::kTones35.kindOf(f.day().tone), true);
    f.drawText(0, 280, f.baseLine(base_line::kExtraDayFirst), kFont, true);
    f.drawText(0, 295, f.baseLine(base_line::kExtraDaySecond), kFont, true);
}

}  // namespace

PieceCells walkPieces(int monthDay, bool threeTurtles) {
    PieceCells cells{{1, 6}, {1, 1}, {4, 3}};
    for (int d = 1; d <= std::min(monthDay, kLastMonthDay); ++d) {
        stepYellow(cells.yellow, d);
        stepWhite(cells.white, d);
        stepGreen(cells.green, d, threeTurtles);
    }
    return cells;
}

QPoint signMarkerCell(int sign) {
    if (sign == 20) return {8, 2};
    return {8 + sign % 5, 2 + sign / 5};
}

QPoint pyramidCell(int sign) {
    const int s = sign == 20 ? 0 : sign;
    return s < 10 ? QPoint(2, s - 1) : QPoint(7, 18 - s);
}

PyramidCells pyramidCells(const MayanDate& day, const OracleInfo& oracle) {
    PyramidCells cells{};
    // Each partner takes the cell of its colour; the day's sign only the generic one.
    for (int partner : {oracle.guide, oracle.occultTeacher, oracle.analog, oracle.antipode})
        cells[std::size_t(pyramidColour(partner))] = pyramidCell(partner);
    cells[0] = pyramidCell(day.sign);
    return cells;
}

QPoint dialMarkerPoint(BoardDial dial, int n) {
    const bool upper = dial == BoardDial::Sign || dial == BoardDial::Tone;
    const QPoint centre(71, upper ? 103 : 416);
    int radius = 52;
    double angle = 0;
    switch (dial) {
        case BoardDial::Sign:
            angle = roundHalfEven(18.0 * n + 99);
            break;
        case BoardDial::Day:
            angle = roundHalfEven(12.85714 * n + 83);
            break;
        case BoardDial::Tone:
        case BoardDial::Month:
            // 11, 12 and 13 stand at the centre, one above the other.
            if (n >= 11) return centre + QPoint(0, 13 * (n - 12));
            angle = roundHalfEven(36.0 * n + (dial == BoardDial::Tone ? 89 : 90));
            radius = 30;
            break;
    }
    const double a = -angle * std::numbers::pi / 180.0;
    return centre +
           QPoint(roundHalfEven(radius * std::cos(a)), roundHalfEven(radius * std::sin(a)));
}

QPoint boardCellPoint(QPoint cell, double dx, double dy) {
    return {roundHalfEven(kCellOrigin + kCellPitch * cell.x() + dx),
            roundHalfEven(kCellOrigin + kCellPitch * cell.y() + dy)};
}

std::vector<BoardMarker> boardMarkers(const MayanDate& day, const OracleInfo& oracle,
                                      bool threeTurtles) {
    const int d = std::clamp(int(day.monthDay), 0, kLastMonthDay);
    std::vector<BoardMarker> markers;
    markers.push_back({graphic(QStringLiteral("tlcr.bmp")), graphic(QStringLiteral("tlcrA.bmp")),
                       boardCellPoint(signMarkerCell(day.sign))});
    const QString dialMask = graphic(QStringLiteral("tlstA.bmp"));
    const QString outer = graphic(QStringLiteral("tlstB.bmp"));
    const QString inner = graphic(QStringLiteral("tlstW.bmp"));
    markers.push_back({outer, dialMask, dialMarkerPoint(BoardDial::Sign, day.sign)});
    markers.push_back({outer, dialMask, dialMarkerPoint(BoardDial::Day, d)});
    markers.push_back({inner, dialMask, dialMarkerPoint(BoardDial::Tone, day.tone)});
    markers.push_back({inner, dialMask, dialMarkerPoint(BoardDial::Month, day.month)});

    const PieceCells pieces = walkPieces(d, threeTurtles);
    const PyramidCells pyramid = pyramidCells(day, oracle);
    MarkerCells cells{};
    cells[kYellow] = pieces.yellow;
    cells[kWhite] = pieces.white;
    cells[kGreen] = pieces.green;
    std::copy(pyramid.begin(), pyramid.end(), cells.begin() + kFirstPyramid);
    addPieces(markers, cells, d, threeTurtles);
    addPyramid(markers, cells, d);
    return markers;
}

const std::vector<BoardCaption>& boardCaptions() {
    constexpr int kH = kArcHorizontal, kV = kArcVertical;
    // line, x, y, font, centred, arc, start, end, rainbow, letter case, right-aligned
    static const std::vector<BoardCaption> captions = {
        {579, 285, 518, 6, false, 0, 0, 0, false, "", true},
        {577, 285, 508, 6, false, 0, 0, 0, false, "", true},
        {583, 303, 16, 2, true, kH, 0, 0, true, "", false},
        {583, 50, 269, 2, true, kV, 0, 0, true, "", false},
        {581, 235, 28, 2, true, 0, 0, 0, false, "", false},
        {580, 531, 4, 7, true, kH, 0, 0, true, "", false},
        {592, 303, 132, 6, true, kH, 0, 0, true, "", false},
        {591, 303, 398, 6, true, kH, 0, 0, true, "", false},
        {595, 335, 444, 0, false, 60, 265, 345, true, "", false},
        {596, 335, 444, 0, false, 80, 270, 350, true, "", false},
        {597, 335, 444, 0, false, 92, 295, 328, true, "", false},
        {590, 73, 269, 6, true, kV, 0, 0, false, "aaaaaaaa", false},
        {587, 100, 269, 2, true, kV, 0, 0, false, "", false},
        {605, 114, 269, 2, true, kV, 0, 0, false, "", false},
        {588, 143, 303, 6, true, kV, 0, 0, false, "Aaaaaaaa", false},
        {589, 143, 236, 6, true, kV, 0, 0, false, "Aaaaaaaa", false},
        {607, 155, 303, 6, true, kV, 0, 0, false, "aaaaaaaa", false},
        {607, 155, 236, 6, true, kV, 0, 0, false, "aaaaaaaaa", false},
        {598, 139, 100, 0, false, 94, 90, 0, true, "", false},
        {599, 139, 100, 0, false, 80, 80, 1, true, "", false},
        {597, 139, 100, 0, false, 60, 66, 15, true, "", false},
        {585, 81, 109, 0, false, 80, 160, 20, true, "", false},
        {586, 81, 113, 0, false, 71, 200, 340, true, "", false},
        {584, 81, 425, 0, false, 84, 150, 30, true, "", false},
        {604, 81, 426, 0, false, 71, 205, 335, true, "", false},
        {600, -50, 447, 6, true, 0, 0, 0, false, "Aaaaa", false},
        {601, -50, 458, 6, true, 0, 0, 0, false, "aaaaa", false},
        {602, 59, 447, 6, true, 0, 0, 0, false, "Aaaaa", false},
        {603, 59, 458, 6, true, 0, 0, 0, false, "aaaaaa", false},
        {613, 231, 104, 6, true, 0, 0, 0, false, "AAAAAAAAAA", false},
        {614, 231, 424, 6, true, 0, 0, 0, false, "AaAAAAAAAA", false},
        {611, 231, 137, 6, true, 0, 0, 0, false, "AAAAAAAAA", false},
        {612, 231, 155, 6, true, 0, 0, 0, false, "aaaaaa", false},
        {615, 231, 391, 6, true, 0, 0, 0, false, "AAaaaaaa", false},
        {616, 628, 189, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {617, 628, 350, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {594, 605, 269, 6, true, kV, 0, 0, true, "Aaaaaa", false},
        {608, 345, 258, 6, true, 0, 0, 0, false, "Aaaaaa", false},
        {610, 345, 268, 6, true, 0, 0, 0, false, "aaaaaaa", false},
        {608, 294, 451, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {609, 302, 451, 6, true, kV, 0, 0, false, "aaaaaa", false},
        {619, 244, 78, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {620, 254, 78, 6, true, kV, 0, 0, false, "aaaaaa", false},
        {621, 277, 78, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {622, 287, 78, 6, true, kV, 0, 0, false, "aaaaaa", false},
        {623, 309, 78, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {624, 319, 78, 6, true, kV, 0, 0, false, "aaaaaa", false},
        {625, 342, 78, 6, true, kV, 0, 0, false, "Aaaaaa", false},
        {626, 352, 78, 6, true, kV, 0, 0, false, "aaaaaa", false},
    };
    return captions;
}

double captionLineLength(const BoardCaption& c, const QFontMetrics& metrics) {
    const double depth = metrics.ascent() - metrics.xHeight() / 2.0;
    const double radius = (c.startAngle + c.endAngle) / 2.0 <= 180 ? c.arc - depth : c.arc + depth;
    return radius * std::abs(c.endAngle - c.startAngle) * std::numbers::pi / 180.0;
}

bool showsExtraDayPage(const GregorianDate& date, const MayanDate& day) {
    return (date.day == 25 && date.month == 7) || day.month == 0;
}

void drawBoardHint(const FontTable& fonts, QImage& frame, const QString& text) {
    QPainter painter(&frame);
    painter.fillRect(kBoardHintArea, QColor(kFrameBackground));
    painter.setClipRect(kBoardHintArea);
    const ChosenFont chosen = resolveFontChoice(fonts, kHintFont, -1);
    painter.setFont(chosen.font);
    painter.setPen(chosen.colour);
    const QStringList lines = hintLines(text);
    for (int n = 0; n < lines.size(); ++n)
        painter.drawText(QPoint(kBoardHintArea.left(),
                                kBoardHintArea.top() + kHintLineStep * n + chosen.metrics.ascent()),
                         lines[n]);
}

void TelectononBoard::paint(FullModeFrame& f) {
    if (f.state().exports.exporting) return;  // the board has no script form
    if (showsExtraDayPage(f.date(), f.day())) {
        paintExtraDayPage(f);
        return;
    }
    if (!f.state().drawing.boardDrawn || staticBoard_.isNull()) {
        drawStaticBoard(f);
        copyFrame(f.buffers().frame, staticBoard_);
        f.state().drawing.boardDrawn = true;
    } else {
        copyFrame(staticBoard_, f.buffers().frame);
    }
    for (const BoardMarker& marker : boardMarkers(f.day(), f.oracle(), f.settings().threeTurtles))
        drawMarker(f, marker);
}

void TelectononBoard::drawStaticBoard(FullModeFrame& f) {
    f.drawElement(0, 0, kinds::kTelectononBoard, false);
    for (const BoardCaption& c : boardCaptions()) {
        QString text = f.baseLine(c.line);
        if (*c.pattern) text = applyCasePattern(text, QLatin1String(c.pattern));
        if (c.arc != 0) {
            f.drawArcText(c.x, c.y, c.rainbow, c.centred, c.arc, c.endAngle, c.startAngle, c.font,
                          text);
            continue;
        }
        f.state().drawing.alignRight = c.alignRight;
        f.drawText(c.x, c.y, text, c.font, c.centred);
        f.state().drawing.alignRight = false;
    }
}

void TelectononBoard::drawMarker(FullModeFrame& f, const BoardMarker& marker) {
    // Both are looked up before drawing: a second lookup may replace the first's entry.
    const QImage picture = sprites_.picture(marker.picture);
    const QImage& mask = sprites_.picture(marker.mask);
    gfx::blendThroughMask(picture, mask, f.drawingTarget(), kMarkerOpacity,
                          f.state().drawing.originX + marker.at.x(),
                          f.state().drawing.originY + marker.at.y());
}

}  // namespace orbisca
