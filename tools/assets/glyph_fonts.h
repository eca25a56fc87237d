// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The glyph fonts of exported pages. A page exported as glyphs stacks letters of these fonts at
// one point to draw an element (a coloured underlay, then the black emblem), so each glyph is cut
// from the same vector emblems as the pictures and placed in its em where the picture of that
// element lands when its script line is run.

#include <QByteArray>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <vector>

namespace orbisca::assets {

// Every font shares these vertical metrics, in units of 1000 to the em. A script draws a text
// with the top of its cell at the given point, so the cell's top is `kGlyphAscent` above the
// baseline.
inline constexpr int kGlyphUnitsPerEm = 1000;
inline constexpr int kGlyphAscent = 900;
inline constexpr int kGlyphDescent = 300;

// One glyph: its letter, its advance in ems, and its outline as parts (each with its own fill
// rule) in ems, x to the right and y down from the top left of the text cell.
struct GlyphOutline {
    QChar letter;
    double advance = 1.0;
    QList<QPainterPath> parts;
};

struct GlyphFont {
    QString family;  // the name scripts write in their FONT lines
    QString file;    // under fonts/ in the working folder
    std::vector<GlyphOutline> glyphs;
};

// The five fonts: the sign glyphs (signs, tones, plasmas, marks, the wavespell, izin lines),
// "RUNES2", "URRUNE", "The 7777 game" and "MAYANVINALS".
const std::vector<GlyphFont>& glyphFonts();
inline const QString kSignGlyphFamily = QStringLiteral("Orbisca Glyphs");

// The letters of "URRUNE" that draw line k (0 = the bottom line) of a hexagram, solid or broken.
QChar hexagramLineLetter(int k, bool solid);

// "sgn.dat": for each sgn figure m = 0..63 (hexagram m + 1) the "URRUNE" letters of its six lines
// from the bottom up, then the colour of the lines for each group of eight figures.
QByteArray sgnTable();

// Writes one outline file per font into `dir` (<file stem>.glyphs; see glyph_fonts.cpp for the
// format), rewriting only the files whose content changed. Returns the problems met.
QStringList writeGlyphOutlines(const QString& dir);

// One glyph's contours in font units (y up), outer contours clockwise and holes anticlockwise,
// so that overlapping parts add up under the non-zero rule.
QList<QPolygon> glyphContours(const GlyphOutline& glyph);

}  // namespace orbisca::assets
