// SPDX-License-Identifier: GPL-3.0-or-later
// The izin figures: the hexagram of each week of the seventeen izin years ("izinfo.dat"), the
// numbers of the 64 hexagrams ("iznum.dat"), drawing a figure's lines as a stack of marks, and
// the pvsign kins.
//
// A line of either file is six pattern characters (the hexagram's lines from the bottom up, '1' a
// solid line, anything else a broken one), one separator and a number 1..64 of one or two digits:
// "100010 3". A line of any other form counts as no figure; the frame reports it once.
#pragma once

#include <QString>
#include <optional>

#include "views/full_mode_frame.h"

namespace orbisca {

// The thirteen kins that carry the pvsign mark.
bool hasPvsign(int kin);
// The kin mark at (x, y) for kin 78, the pvsign mark there for the pvsign kins.
void drawKinMarks(FullModeFrame& frame, int kin, int x, int y);

// The izin year 0..16 of a year sign and tone, or nothing for a pair without one.
std::optional<int> izinYear(int yearSign, int yearTone);

inline constexpr int kIzinWeeks = 52;  // lines of izinfo.dat per izin year

struct IzinFigure {
    QString pattern;  // six characters, the bottom line first
    int number = 0;   // 1..64
};

// The figure a line holds, or nothing when the line has another form.
std::optional<IzinFigure> parseIzinLine(const QString& line);

// The figure of week 0..51 of an izin year, read from "izinfo.dat"; nothing for a year without
// izin, a missing line, or a malformed one (reported once through the notifier).
std::optional<IzinFigure> izinFigureOfWeek(FullModeFrame& frame, std::optional<int> year, int week);

// Draws the first `count` lines of the figure as marks stacked upwards from (x, y + 42), 7 pixels
// apart: kind 234 for a solid line, 233 for a broken one. Returns the figure's number.
int drawIzinStack(FullModeFrame& frame, const IzinFigure& figure, int x, int y, int count);

// The element kind of the figure's sgn picture, 251..314.
inline int sgnFigureKind(const IzinFigure& figure) {
    return kinds::kIzinFigures.kindOf(figure.number);
}

// The number of the figure's pattern as "iznum.dat" gives it, "Error1" when the file has no such
// pattern. Throws DataFileError when the file cannot be read.
QString izinNumberText(FullModeFrame& frame, const IzinFigure& figure);

}  // namespace orbisca
