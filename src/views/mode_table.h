// SPDX-License-Identifier: GPL-3.0-or-later
// The painter of each full-mode view (data/full_mode_view.h): the table the dispatcher reads, and
// the help pages' numbering and paging. The day pages are in views/day_pages.h, the calendar
// views in views/moon_views.h, views/wave_views.h and views/kin_book.h, the board in
// views/telectonon_board.h.
#pragma once

#include <QString>
#include <array>

#include "views/full_mode_frame.h"

namespace orbisca {

// Indexed by modeNumber().
std::array<ModePainter, kModeCount> defaultModePainters(const WorkingFolder& folder);

// Help pages, 1..17.
int helpPageOfView(FullModeView view);  // 1 for FirstHelpPage, 2..17 for the next pages, else 0
FullModeView viewOfHelpPage(int page);  // FirstHelpPage for page 1
QString helpFileName(int page);         // "hlp" + page + ".ktx"
// The pages the settings allow, 1..17.
int helpPageCount(const Settings& settings);
// A page is shown when it is within the count and its file can be read: the first missing file
// ends the help.
bool helpPageExists(const DataState& data, int page);
// The view a click on a help page leads to: the next page, or page 1 after the last page.
FullModeView nextHelpView(const DataState& data, FullModeView view);

}  // namespace orbisca
