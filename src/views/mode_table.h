// SPDX-License-Identifier: GPL-3.0-or-later
// The modes of the full-mode window and the painter of each: the table the dispatcher reads, and
// the help pages' numbering and paging.
//
//   0 day overview   1 tone page   2 sign page   3 plasma page   4 oracle
//   5 Zolkin   6 wavespell   7 month   8 pulsars   9 year   10 empty (the window is hidden)
//   11 13 moons   12 wings   13 telectonon board   14 izin page
//   18 opens the print manager   19 help page 1   20 opens the configuration dialog
//   25..40 help pages 2..17
// The calendar views (5 to 9, 11, 12, 14) are in views/moon_views.h, views/wave_views.h and
// views/kin_book.h; mode 13 is the telectonon board (views/telectonon_board.h).
#pragma once

#include <QString>
#include <array>

#include "views/full_mode_frame.h"

namespace orbisca {

inline constexpr int kDayMode = 0;
inline constexpr int kOracleMode = 4;
inline constexpr int kYearMode = 9;
inline constexpr int kHiddenMode = 10;
inline constexpr int kPrintManagerMode = 18;
inline constexpr int kFirstHelpMode = 19;
inline constexpr int kConfigurationMode = 20;
inline constexpr int kSecondHelpMode = 25;  // help page 2; page n is mode n + 23

std::array<ModePainter, kLastMode + 1> defaultModePainters(const WorkingFolder& folder);

// Help pages, 1..17.
int helpPageOfMode(int mode);    // 1 for mode 19, mode - 23 for 25..40, 0 for other modes
int modeOfHelpPage(int page);    // 19 for page 1, page + 23 for 2..17
QString helpFileName(int page);  // "hlp" + page + ".ktx"
// The pages the settings allow, 1..17.
int helpPageCount(const Settings& settings);
// A page is shown when it is within the count and its file can be read: the first missing file
// ends the help.
bool helpPageExists(const DataState& data, int page);
// The mode a click on a help page leads to: the next page, or page 1 after the last page.
int nextHelpMode(const DataState& data, int mode);

}  // namespace orbisca
