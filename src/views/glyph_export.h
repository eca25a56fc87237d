// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph form of an exported element: instead of a PICT line naming its picture, a calendar
// element becomes FONT lines that choose one of the glyph fonts and TEXT lines that stack single
// glyphs at one point (a coloured underlay, then the black letter). The element that shows the
// day's kin, tone, guide ... writes that part's word instead of its letter, so a saved page
// follows the day it is run for. The small signs and tones of the year grid go to the year page's
// own list.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "data/sgn_table.h"
#include "views/full_mode_frame.h"

namespace orbisca {

// The fonts of the glyph form besides the configured sign-glyph face; saved scripts name them.
inline const QString kRuneFont = QStringLiteral("RUNES2");
inline const QString kFigureFont = QStringLiteral("URRUNE");
inline const QString kQuarterFont = QStringLiteral("The 7777 game");
inline const QString kVinalFont = QStringLiteral("MAYANVINALS");

enum class GlyphDestination { Script, YearLines };

struct GlyphLines {
    QStringList lines;  // empty for a kind without a glyph form
    GlyphDestination destination = GlyphDestination::Script;
};

// What the lines of one element depend on besides the element: the sign-glyph face, the role
// flags of the state, and the sgn table (asked for only by the sgn figures).
struct GlyphContext {
    QString signFont;
    const RoleFlags* roles = nullptr;
    std::function<SgnTable()> sgnTable;
};

// The lines of one element, its position already moved for the day overview.
GlyphLines glyphExportLines(const ExportedElement& element, const GlyphContext& context);

// The frame's glyph writer: appends the element's lines to the script or the year list, then
// forgets the text font written last, so the next text writes its FONT line again.
void exportElementAsGlyphs(FullModeFrame& frame, const ExportedElement& element);

}  // namespace orbisca
