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

// The 13-moon view places the pictures of a day's column by their left edges, at different
// distances from the column's sign (at 76c - 4, 35 wide, its middle at 76c + 13.5). Each family
// keeps a margin of its key on its left so that what it shows stands centred under the sign; the
// izin page, which places them at the same distances from each other, shows them alike.
inline constexpr int kRuneMargin = 13;     // runes at 76c - 15, 31 wide
inline constexpr int kQuarterMargin = 13;  // quarters at 76c - 20, 41 wide
// The large vinal at 76c - 20 (50 wide), the small one at 76c - 4 and the vinal tone at 76c - 21
// make one tablet from 76c - 21 to 76c + 30.
inline constexpr int kVinalMargin = 9;
// Izin lines at 76c - 14, 31 wide; the hexagram stands where the seventh column's lines would.
inline constexpr int kIzinMargin = 12;
inline constexpr int kPlasmaMargin = 9;  // size-35 plasmas at 76c - 13

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

// The sockets of a week's izin reading, hung below the 13-moon view's top week line: one faint
// plate a column, centred `pitch` apart from `firstCentre`, spanning `plateTop`..`plateBottom`,
// with the slots of the six izin lines (`slot` wide and high, the lowest at `lowestSlotTop`, each
// next `slotStep` higher); the seventh column's plate holds the hexagram's tablet (`tablet`) in
// their place. All in the picture's pixels.
struct IzinSockets {
    double firstCentre, pitch;
    int columns;
    double plateTop, plateBottom, plateWidth;
    QSizeF slot;
    double lowestSlotTop, slotStep;
    QSizeF tablet;
    double tabletTop;
};
// The top week line (its `lineHeight` upper rows, as weekLine) with the sockets below it, in the
// week's colour, dim enough to stay ground under the izin lines and the highlight.
QImage weekTopLine(int week, QSize size, int lineHeight, const IzinSockets& sockets);

// A small four-pointed star in one colour (the pvsign and kin marks).
QImage starMark(int size, QColor colour, int points);

}  // namespace orbisca::assets
