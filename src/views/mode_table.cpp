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

std::array<ModePainter, kModeCount> defaultModePainters(const WorkingFolder& folder) {
    std::array<ModePainter, kModeCount> table;
    const auto set = [&table](FullModeView view, ModePainter painter) {
        table[std::size_t(modeNumber(view))] = std::move(painter);
    };
    set(FullModeView::Day, paintDayOverview);
    set(FullModeView::Tone, paintTonePage);
    set(FullModeView::Sign, paintSignPage);
    set(FullModeView::Plasma, paintPlasmaPage);
    set(FullModeView::Oracle, paintOraclePage);
    set(FullModeView::Zolkin, paintZolkinPage);
    set(FullModeView::Wavespell, paintWavespellPage);
    set(FullModeView::Month, paintMonth);
    set(FullModeView::Pulsars, paintPulsarsPage);
    set(FullModeView::Year, paintYearPage);
    set(FullModeView::Moons, paintThirteenMoons);
    set(FullModeView::Wings, paintWingsPage);
    set(FullModeView::KinBook, paintKinBookPage);
    // Each frame has its own board, with its own cache of the drawn board.
    set(FullModeView::Board,
        [board = std::make_shared<TelectononBoard>(folder)](FullModeFrame& f) { board->paint(f); });
    for (int page = 1; page <= kHelpPagesMax; ++page) set(viewOfHelpPage(page), paintHelpPage);
    return table;
}

// Page 1 is view 19, pages 2..17 are views 25..40.
constexpr int kHelpPageToView = modeNumber(FullModeView::SecondHelpPage) - 2;

int helpPageOfView(FullModeView view) {
    if (view == FullModeView::FirstHelpPage) return 1;
    if (view >= FullModeView::SecondHelpPage && view <= FullModeView::LastHelpPage)
        return modeNumber(view) - kHelpPageToView;
    return 0;
}

FullModeView viewOfHelpPage(int page) {
    return page <= 1 ? FullModeView::FirstHelpPage : viewOfModeNumber(page + kHelpPageToView);
}

QString helpFileName(int page) { return QStringLiteral("hlp%1.ktx").arg(page); }

// Page 1 is always shown: with no pages configured every click on it comes back to it.
int helpPageCount(const Settings& settings) {
    return std::clamp(settings.helpPages, 1, kHelpPagesMax);
}

bool helpPageExists(const DataState& data, int page) {
    return page >= 1 && page <= helpPageCount(data.settings) &&
           readTextLines(data.folder, helpFileName(page)).has_value();
}

FullModeView nextHelpView(const DataState& data, FullModeView view) {
    const int next = helpPageOfView(view) + 1;
    return helpPageExists(data, next) ? viewOfHelpPage(next) : FullModeView::FirstHelpPage;
}

}  // namespace orbisca
