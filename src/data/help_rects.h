// SPDX-License-Identifier: GPL-3.0-or-later
// The 70 fields of the telectonon board with their hint texts: "HRCT.dat" holds the rectangles
// (records of four signed 32-bit little-endian integers: left, top, right, bottom), line i of
// "Fieldhlp.ktx" the text of record i (both counted from 0). In a text, two spaces in a row
// break the line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace orbisca {

class WorkingFolder;

inline constexpr int kHelpRectCount = 70;

struct HelpRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const HelpRect&, const HelpRect&) = default;
};

struct HelpRectsState {
    std::array<HelpRect, kHelpRectCount> rects{};
    std::array<QString, kHelpRectCount> texts{};
};

// The first 70 records of HRCT.dat content. Fewer records, a size that is no whole number of
// records, or any record that is no rectangle on the board (edges -16384..16384, left before right,
// top above bottom) is a DataFileError naming the record.
std::array<HelpRect, kHelpRectCount> parseHelpRects(const QByteArray& content);

// Reads "HRCT.dat" and "Fieldhlp.ktx" of the folder. A missing file, fewer than 70 records or
// fewer than 70 lines throws DataFileError naming the file.
HelpRectsState loadHelpFields(const WorkingFolder& folder);

// The text of the first field (in file order) that holds the point strictly inside its edges is
// put into `text`, and true returned; otherwise `text` is left alone and false returned.
bool findHelpField(const HelpRectsState& fields, std::int32_t x, std::int32_t y, QString& text);

// The lines a hint is written in: a single space stays (written only when a non-space character
// follows), a second space in a row ends the line, a third is again a single space, and so on.
// The last line is always there, even when empty.
QStringList hintLines(const QString& text);

}  // namespace orbisca
