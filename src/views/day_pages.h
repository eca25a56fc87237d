// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the full-mode window that show the day itself: the day overview (mode 0), the
// tone, sign and plasma pages (1 to 3), the oracle (4), and the help pages (19, 25 to 40).
#pragma once

#include <array>

#include "data/affirmation.h"

namespace orbisca {

class FullModeFrame;

void paintDayOverview(FullModeFrame& frame);
void paintTonePage(FullModeFrame& frame);
void paintSignPage(FullModeFrame& frame);
void paintPlasmaPage(FullModeFrame& frame);
void paintOraclePage(FullModeFrame& frame);
// The page of the mode being painted (state().exports.exportMode). A page past the help's end
// paints nothing and asks for page 1.
void paintHelpPage(FullModeFrame& frame);

// Where the day overview puts the six affirmation lines, and their letter-case patterns.
inline constexpr std::array<int, 6> kDayAffirmationRows = {304, 321, 338, 354, 370, 386};
inline constexpr std::array<const char*, 6> kDayAffirmationPatterns = {
    "Aaaaaaaaaaaa", "aaaaaaaaaaaa", "Aaaaaaaaaaaa",
    "aaaaaaaaaaaa", "Aaaaaaaaaaaa", "AaaaaAaaaaaaa"};
// The row of the Gregorian date: the row after the affirmation's last line that holds text, so
// that the date never covers a line. The sixth line (a marked kin's) is mostly empty, and the
// date then takes its row; after a sixth line the date goes one row step further down.
int dayDateRow(const Affirmation& lines);

}  // namespace orbisca
