// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/mode_table.h"

#include <algorithm>
#include <memory>

#include "data/data_state.h"
#include "data/text_file.h"
#include "views/day_pages.h"
#include "views/kin_book.h"
#include "views/moon_views.h"
#include "views/telectonon_board.h"
#include "views/wave_views.h"

namespace orbisca {

std::array<ModePainter, kLastMode + 1> defaultModePainters(const WorkingFolder& folder) {
    std::array<ModePainter, kLastMode + 1> table;
    table[kDayMode] = paintDayOverview;
    table[1] = paintTonePage;
    table[2] = paintSignPage;
    table[3] = paintPlasmaPage;
    table[kOracleMode] = paintOraclePage;
    table[5] = paintZolkinPage;
    table[6] = paintWavespellPage;
    table[7] = paintMonth;
    table[8] = paintPulsarsPage;
    table[kYearMode] = paintYearPage;
    table[11] = paintThirteenMoons;
    table[12] = paintWingsPage;
    table[14] = paintKinBookPage;
    // Each frame has its own board, with its own cache of the drawn board.
    table[kBoardMode] = [board = std::make_shared<TelectononBoard>(folder)](FullModeFrame& f) {
        board->paint(f);
    };
    table[kFirstHelpMode] = paintHelpPage;
    for (int mode = kSecondHelpMode; mode <= kLastMode; ++mode) table[mode] = paintHelpPage;
    return table;
}

int helpPageOfMode(int mode) {
    if (mode == kFirstHelpMode) return 1;
    if (mode >= kSecondHelpMode && mode <= kLastMode) return mode - 23;
    return 0;
}

int modeOfHelpPage(int page) { return page <= 1 ? kFirstHelpMode : page + 23; }

QString helpFileName(int page) { return QStringLiteral("hlp%1.ktx").arg(page); }

// Page 1 is always shown: with no pages configured every click on it comes back to it.
int helpPageCount(const Settings& settings) {
    return std::clamp(settings.helpPages, 1, kHelpPagesMax);
}

bool helpPageExists(const DataState& data, int page) {
    return page >= 1 && page <= helpPageCount(data.settings) &&
           readTextLines(data.folder, helpFileName(page)).has_value();
}

int nextHelpMode(const DataState& data, int mode) {
    const int next = helpPageOfMode(mode) + 1;
    return helpPageExists(data, next) ? modeOfHelpPage(next) : kFirstHelpMode;
}

}  // namespace orbisca
