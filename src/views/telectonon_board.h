// SPDX-License-Identifier: GPL-3.0-or-later
// The telectonon board (mode 13): a board picture with its 49 captions, drawn once per choice of
// the mode and then copied from a cache, and thirteen markers for the day blended onto it through
// their masks: the day's sign in its field, four markers on the two dials, the three walking
// pieces, and the day's sign with its four oracle partners in the two pyramid columns. On the
// extra day (25 July) a short page of its own stands instead. The hint area at the lower right
// explains the field under the pointer (drawBoardHint).
//
// Board cells are (column, row) pairs; a cell's top left is (133 + 33.5 column, 133 + 33.5 row)
// in frame pixels.
#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/oracle.h"
#include "views/element_renderer.h"

namespace orbisca {

class FullModeFrame;
struct FontTable;

// The walking pieces; their numbers are their places in the collision tests.
enum class BoardPiece { Yellow = 1, White = 2, Green = 3 };

// The cells of the pieces after `monthDay` days of the moon (0..28): from their start cells, the
// yellow piece round the path, the white one along the top row and back, the green one through the
// cube (and with `threeTurtles` along the top row back too in the last five days).
struct PieceCells {
    QPoint yellow, white, green;
};
PieceCells walkPieces(int monthDay, bool threeTurtles);

// The cell of the day-sign marker: column 8 + sign mod 5, row 2 + sign div 5; sign 20 at (8, 2).
QPoint signMarkerCell(int sign);

// The sign's cell in the pyramid columns: column 2, row sign - 1 for signs 1..9 and 20 (as 0);
// column 7, row 18 - sign for 10..19.
QPoint pyramidCell(int sign);

// The five pyramid cells of a day, in the order of their collision numbers 4 to 8: the day's own
// sign (generic), then the red, white, blue and yellow cells of the oracle partners.
using PyramidCells = std::array<QPoint, 5>;
PyramidCells pyramidCells(const MayanDate& day, const OracleInfo& oracle);

// The dials: sign (outer ring) and tone (inner ring) above, day of the moon and moon below. The
// point is the top left of the marker.
enum class BoardDial { Sign, Tone, Day, Month };
QPoint dialMarkerPoint(BoardDial dial, int n);

// The frame pixel of a cell's top left moved by (dx, dy), rounded to the nearest integer.
QPoint boardCellPoint(QPoint cell, double dx = 0, double dy = 0);

// One marker of the day: its picture, its mask and where its top left goes.
struct BoardMarker {
    QString picture;
    QString mask;
    QPoint at;
    friend bool operator==(const BoardMarker&, const BoardMarker&) = default;
};

// The thirteen markers of a day in the order they are drawn: the day-sign marker, the dial
// markers of sign, day, tone and moon, the white, yellow and green pieces, then the pyramid's
// generic, red, white, blue and yellow markers. Markers sharing a cell stand 15 pixels apart.
std::vector<BoardMarker> boardMarkers(const MayanDate& day, const OracleInfo& oracle,
                                      bool threeTurtles);

// One caption of the board: a line of "BASE.KTX" in a letter-case pattern, written with
// drawText (arc 0) or drawArcText (kArcHorizontal, kArcVertical or a radius).
struct BoardCaption {
    int line, x, y, font;
    bool centred;
    int arc;  // 0: a plain text
    int startAngle, endAngle;
    bool rainbow;
    const char* pattern;  // "" for none
    bool alignRight;
};
const std::vector<BoardCaption>& boardCaptions();
// The length in pixels of the line through the middle of a curved caption's small letters in
// `metrics`: the letters hang from the arc, inside it above its centre and outside it below.
double captionLineLength(const BoardCaption& caption, const QFontMetrics& metrics);

// True on the extra day, which shows the short page instead of the board.
bool showsExtraDayPage(const GregorianDate& date, const MayanDate& day);

// Where hints are written: 160 x 80 pixels at the frame's lower right.
inline const QRect kBoardHintArea(505, 455, 160, 80);

// Writes a hint into the hint area of `frame`: the area cleared to the frame's background, then
// the text's lines (two blanks in a row break a line) in font 6 from the area's top left, 10
// pixels apart, clipped to the area. An empty text only clears it.
void drawBoardHint(const FontTable& fonts, QImage& frame, const QString& text);

// The painter of mode 13. It keeps the finished static board (the whole frame after the board
// picture and its captions) and the decoded sprites; state().drawing.boardDrawn says whether the
// kept board is good. A picture that cannot be read throws gfx::ImageError, leaving the flag as it
// was.
class TelectononBoard {
public:
    explicit TelectononBoard(const WorkingFolder& folder) : sprites_(folder) {}
    void paint(FullModeFrame& frame);
    // The board as it stands under the markers (null until the first paint).
    const QImage& staticBoard() const { return staticBoard_; }

private:
    void drawStaticBoard(FullModeFrame& frame);
    void drawMarker(FullModeFrame& frame, const BoardMarker& marker);

    QImage staticBoard_;
    PictureCache sprites_;
};

}  // namespace orbisca
