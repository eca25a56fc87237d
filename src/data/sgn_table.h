// SPDX-License-Identifier: GPL-3.0-or-later
// "sgn.dat": how an exported page draws the 64 sgn figures with letters. Line m (0..63, counted
// from 0) holds the letters of the hexagram-line font that, stacked at one point, draw figure m;
// lines 64..71 the colour of those letters for the figures 8g .. 8g + 7 of group g, as three whole
// numbers 0..255 (red, green, blue) separated by blanks. Lines after the 72nd are ignored.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace orbisca {

class WorkingFolder;

inline constexpr int kSgnFigures = 64;
inline constexpr int kSgnColourGroups = 8;
inline constexpr int kSgnLines = kSgnFigures + kSgnColourGroups;

struct SgnColour {
    int red = 0, green = 0, blue = 0;
    // The colour as a script's FONT line carries it, a blank before and after: " 237 203 128 ".
    QString scriptText() const;
    friend bool operator==(const SgnColour&, const SgnColour&) = default;
};

struct SgnTable {
    std::array<QString, kSgnFigures> glyphs;
    std::array<SgnColour, kSgnColourGroups> colours;

    // Figure m (0..63; the sgn element kind less 251): its letters, and the colour of its group
    // m div 8.
    const QString& glyphsOf(int figure) const {
        return glyphs.at(static_cast<std::size_t>(figure));
    }
    const SgnColour& colourOf(int figure) const {
        return colours.at(static_cast<std::size_t>(figure / 8));
    }
    friend bool operator==(const SgnTable&, const SgnTable&) = default;
};

// The table from the lines of "sgn.dat". Throws DataFileError naming the file and the line
// (counted from 1) for fewer than 72 lines, a glyph line holding a control character, or a colour
// line that is not three whole numbers 0..255.
SgnTable parseSgnTable(const QStringList& lines);

// The table of the working folder's "sgn.dat"; a missing or malformed file throws DataFileError.
// The file's lines are cached by the text reader, so calling this for every export costs little.
SgnTable loadSgnTable(const WorkingFolder& folder);

// The 72 lines of "sgn.dat" for a table, the colours written "r g b".
QStringList sgnTableLines(const SgnTable& table);

}  // namespace orbisca
