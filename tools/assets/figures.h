// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QTransform>

namespace orbisca::assets {

// The small figures of the month, 13-moon and izin views, each a 24-bit picture on the black key.

// An izin line: solid (a '1' of the izin pattern) or broken in the middle.
QImage izinMark(bool solid, QSize size);

// The six lines of hexagram `number` (1..64, the numbering of iznum.dat) from the bottom up, on a
// tablet. Line k (1 = bottom) lies where the 13-moon view stacks the k-th izin mark: its top is
// `firstLineTop` - 7 (k - 1) pixels below the picture's top.
QImage hexagramFigure(int number, QSize size, int firstLineTop);
QString hexagramPattern(int number);  // "101000": the pattern of iznum.dat, empty if unknown

// The rune of moon day index + 1 (index 0..27), engraved on a stone; the seventh rune of each week
// is cut in the week's colour. Index 28 is the rune of the day outside the moons.
QImage runePicture(int index, QSize size);

// The quarter picture of day `day` (1..7) of week `week` (0 red, 1 white, 2 blue, 3 yellow): a
// disc of seven sectors of which the first `day` are lit in the week's colour.
QImage quarterPicture(int week, int day, int size);

// Vinals 1..19 on a stone tablet: the large tablet stands alone, or behind the small tablet (at
// its right, 16 pixels in and 5 down) and the tablet of the vinal tone (at its left edge).
enum class VinalTablet { Large, Small };
QImage vinalPicture(int vinal, QSize size, VinalTablet tablet);
QImage vinalTonePicture(int tone, QSize size);  // tone 1..19 as a bar-and-dot numeral

// A week line of the 13-moon view in the colour of the week (0 red ... 3 yellow), horizontal when
// wider than high.
QImage weekLine(int week, QSize size);

// Shapes the pictures share with the glyph fonts, in the pixels of their pictures.
inline constexpr double kHexagramTabletRadius = 4;
inline constexpr double kRuneTabletRadius = 6;
inline constexpr double kRuneStroke = 2.3;
inline constexpr double kVinalStroke = 8;  // design units, at least

// An izin line filling `r`, solid or broken by a 5-pixel gap in the middle: its pieces, their
// corner radius and the whole shape.
QList<QRectF> izinLinePieces(const QRectF& r, bool solid);
double izinLineRadius(const QRectF& r);
QPainterPath izinLineShape(const QRectF& r, bool solid);
// Line k (0 = bottom) of a hexagram figure of `size` whose lowest line's top is `firstLineTop`.
QRectF hexagramLine(QSize size, int firstLineTop, int k);
// The staves and twigs of rune `index` in a 100 x 100 design box, and the map that stretches that
// box onto a rune tablet of `size`.
QPainterPath runeStrokePath(int index);
QTransform runeOnTablet(QSize size);
// Sector k (0..6, clockwise from straight up) of a quarter's disc about c.
QPainterPath quarterSector(QPointF c, double r, int k);
// The two motifs of vinal 1..19 in a 100 x 100 design box: parts filled as they are and parts
// stroked with a round pen of `strokeWidth` design units.
struct VinalMotif {
    QList<QPainterPath> filled, stroked;
    double strokeWidth = kVinalStroke;
};
VinalMotif vinalMotif(int vinal, double strokeWidth);

// A small four-pointed star in one colour (the pvsign and kin marks).
QImage starMark(int size, QColor colour, int points);

}  // namespace orbisca::assets
