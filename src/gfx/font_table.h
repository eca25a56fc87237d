// SPDX-License-Identifier: GPL-3.0-or-later
// The font table: nine fonts built from the lines of "fdb.dat", used by every text the program
// paints. A line holds fields each ended by "^": face, size in points, height in pixels, "italic",
// "bold" (compared exactly); text after the last "^" and fields after the fifth are ignored.
// A negative height is the character height in pixels; a positive one the cell height
// (ascent + descent). Fonts need a QGuiApplication.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <optional>

namespace orbisca {

struct TableFont {
    QFont font;
    QColor colour = Qt::white;
};

inline constexpr int kFontTableSize = 9;

class WorkingFolder;

// The nine fonts of a working folder; empty places (no table loaded yet) give the default font.
struct FontTable {
    std::array<std::optional<TableFont>, kFontTableSize> fonts;

    // The font at `index`, or the default font in white when the table has none there.
    TableFont font(int index) const;

    // Fills all nine places from the first nine lines of the folder's "fdb.dat" (later lines are
    // ignored). An empty line, or a line the file does not have, gives the default font in
    // white. A missing file or a bad number throws DataFileError naming the file and the line
    // (from 1); the table is then unchanged.
    void load(const WorkingFolder& folder);

    // Empties the table.
    void clear() { fonts = {}; }
};

// Applies a font height value: a negative one is the character (em) height in pixels, a positive
// one the whole cell height; 0 leaves the size alone.
void applyFontHeight(QFont& font, int height);

// One font from one line; throws std::invalid_argument when the size or height is not a whole
// number from -16384 to 16384.
TableFont parseFontLine(const QString& line);

}  // namespace orbisca
