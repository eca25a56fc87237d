// SPDX-License-Identifier: GPL-3.0-or-later
// What the system tray shows of a day: an icon of its sign with its tone, and a tooltip naming it.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

#include "calendar/calendar.h"
#include "data/day_words.h"

namespace orbisca {

// The day's sign from the pack's large sign picture (cut out through its mask), with the tone
// below it as bars and dots drawn on whole pixels, so it stays sharp from 16 px up. `size` is in
// device pixels; the picture has an alpha channel. Throws gfx::ImageError when the sign's
// picture or mask cannot be read.
QImage trayIconPicture(const WorkingFolder& folder, const MayanDate& day, int size);

// Where the tone stands on an icon of `size` pixels, and its bars and dots inside a box: the dots
// on a row above the bars, each one `unit` pixels thick with a gap as wide, on whole pixels.
QRect trayToneBox(int size);
std::vector<QRect> toneBlocks(int tone, const QRect& box);

// The tooltip, one fact a line: the kin, the kin's name (colour, tone and sign), the moon and the
// day of the moon (the extra day's name on 25 July), the Gregorian date as `dateText` gives it
// (left out when empty) and the phase of the moon in per cent.
QString trayToolTip(const MayanDate& day, const QString& dateText, const BaseLineReader& line);

}  // namespace orbisca
