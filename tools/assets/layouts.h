// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the views put the boards and markers, in frame pixels (the full-mode frame is 670 x 550).
// The boards are drawn from these positions, and the tables that name positions on the boards
// (tech.dat, HRCT.dat) are written from them too, so a board and its table always agree.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <vector>

namespace orbisca::assets {

inline constexpr QSize kFrame(670, 550);

// The left edge of an element centred on the frame's centre line (x 299) plus `x`, as the element
// renderer places it.
int centredLeft(int x, int width);

// Rounds to the nearest integer, halves to even, as the views round.
int roundEven(double v);

// --- Zolkin board: 13 columns of 20 kins, kin 1 at the top of the first column; the mode-5 page
// draws it centred at (20, 30), and the highlight of kin k goes to (23 col + 156, 22 row + 16).
// The board reaches beyond the grid under the row captions (x 66..572), where it holds light
// plates under the captions the page writes in dark blue (rows r with r mod 4 = 3).
inline constexpr QSize kZolkinCell(23, 22);
inline constexpr QSize kZolkinGrid(13 * 23 + 2, 20 * 22);
inline constexpr QSize kZolkinBoard(507, 20 * 22);
inline constexpr QPoint kZolkinAt(20, 30);
QPoint zolkinBoardOrigin();                  // frame position of the board's top left
QRect zolkinCell(int column, int row);       // frame pixels
QRect zolkinBluePlate(int row, bool right);  // frame pixels; `row` 1..20 as the page counts
QPoint zolkinHighlight(int column, int row);

// --- Wavespell board: thirteen places in a U of five columns and five rows; the page draws the
// board centred at (25, 12). Place i (tone i + 1) holds the tone at (X + 79, Y - 68), the sign at
// (X + 79, Y - 44), the guide at (X + 128, Y - 35) and the date at (X + 96, Y + 3), with
// X = 102 column and Y = 91 row; its highlight goes to (X + 50, Y - 91).
inline constexpr QSize kWavespellBoard(550, 470);
inline constexpr QPoint kWavespellAt(25, 12);
QPoint wavespellBoardOrigin();
QPoint wavespellPlace(int tone);  // column 0..4, row 1..5
QRect wavespellPanel(int tone);   // frame pixels: the place's tone, sign, guide and date
QPoint wavespellHighlight(int tone);

// --- Wings board: twenty wavespells in columns of thirteen kins, four columns to a castle; the
// page draws it centred at (0, 10). The texts of the page stand in its upper corners (castle texts
// about x 118, wavespell texts about x 481, y 0..150), so the four outer castles start lower than
// the middle one, like a pair of wings.
inline constexpr QSize kWingsBoard(598, 540);
inline constexpr QPoint kWingsAt(0, 10);
inline constexpr QSize kKinCell(17, 23);  // the year grid's cell: frame, sign 15, tone above it
QPoint wingsBoardOrigin();
QPoint wingsKinCell(int kin);   // frame pixels of the cell's top left: the point tech.dat holds
QRect wingsCastle(int castle);  // 1..5: the frame rectangle around its four columns
// The view puts the highlight of a kin at (x - 7, y - 14) from its tech.dat point.
inline constexpr QPoint kWingsHighlightOffset(-7, -14);

// --- Telectonon board (drawn at (0, 0), not centred): cells of 33.5 pixels from (133, 133).
inline constexpr QSize kTelectononBoard(670, 550);
QRectF boardCellRect(int column, int row);
QPoint boardCellPoint(int column, int row);  // the cell's top left, rounded halves to even
QPoint pathCell(int day);                    // 1..28: the yellow piece's cell on that day
QPoint signFieldCell(int sign);              // 1..20: the day-sign marker's cell
QPoint pyramidCell(int sign);                // 1..20: the sign's cell in the two pyramid columns
QPoint cubeCell(int day);                    // 7..22: the green piece's cell inside the cube

// The two dials: sign and tone above, day and month below. A marker of kMarker pixels is drawn
// with its top left at the point the formula gives, so the ring of points lies kMarker / 2 right
// of and below the formula's centre.
enum class Dial { Sign, Tone, Day, Month };
inline constexpr int kMarker = 11;
inline constexpr int kOuterRadius = 52;
inline constexpr int kInnerRadius = 30;
QPoint dialMarker(Dial dial, int n);
QPointF dialCentre(bool upper);  // the centre of the drawn dial (the markers' centres)

// The 70 fields of the board with a hint, in the order of HRCT.dat and Fieldhlp.ktx: the 28 days
// of the path, the 20 fields of the day sign, the 16 pyramid cells off the path, the four columns
// of the cube, and the two dials. Edges as written to HRCT.dat: a point is in the field when it
// lies strictly between them.
enum class FieldKind { Day, SignField, Pyramid, CubeColumn, Dial };
struct BoardField {
    FieldKind kind;
    int index;  // day 1..28, sign 1..20, cube column 1..4, dial 1 (upper) or 2
    int left, top, right, bottom;
};
std::vector<BoardField> boardFields();
inline constexpr QRect kHintArea(505, 455, 160, 80);  // where hints are written: kept plain

}  // namespace orbisca::assets
