#include "app/program_windows.h"

#include "calendar/calendar_state.h"
#include "compact/compact_window.h"
#include "compact/date_dialog.h"
#include "compact/window_links.h"
#include "config/config_dialog.h"
#include "donation/donation_dialog.h"
#include "fullmode/full_mode_window.h"
#include "printing/page_setup_window.h"
#include "printing/print_manager_window.h"

namespace orbisca {

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    resetWindowLinks();  // the links point at the windows that go now
    if (compact_) compact_->close();
}

bool ProgramWindows::create(const std::optional<GregorianDate>& startDate, bool countsAsLaunch) {
    compact_ = std::make_unique<CompactWindow>();
    if (startDate) compact_->setStartDate(*startDate);
    if (!compact_->startUp()) return false;  // the loading log says how far it got
    dateDialog_ = std::make_unique<DateDialog>();
    fullMode_ = std::make_unique<FullModeWindow>();
    config_ = std::make_unique<ConfigDialog>();
    printManager_ = std::make_unique<PrintManagerWindow>();
    pageSetup_ = std::make_unique<PageSetupWindow>();
    donation_ = std::make_unique<DonationDialog>();
    if (countsAsLaunch) donation_->countThisLaunch();
    wire();
    return true;
}

void ProgramWindows::wire() {
    compact_->setDateDialog(dateDialog_.get());
    WindowLinks& links = windowLinks();
    links.showFullMode = [this](int mode, bool stopFade) { fullMode_->showMode(mode, stopFade); };
    links.dateChanged = [this] { fullMode_->dateChanged(); };
    links.reminderDue = [this] { return donation_->reminderDue(); };
    links.showReminder = [this] { donation_->showReminder(); };
    fullMode_->returnToCompact = [this] { compact_->returnFromFullMode(); };
    printManager_->setPageSetupWindow(pageSetup_.get());
    printManager_->exports.dateChanged = [this] { fullMode_->dateChanged(); };
    printManager_->exports.pickDate = [this] {
        return dateDialog_->pickModally(calendarState().currentDate);
    };
    FullModeLink& link = printManager_->fullMode;
    link.setEnabled = [this](bool enabled) { fullMode_->setEnabled(enabled); };
    link.requestMode = [this](int mode) { fullMode_->showMode(mode, false); };
    config_->fullMode.setEnabled = [this](bool enabled) { fullMode_->setEnabled(enabled); };
    config_->fullMode.returnToDayOverview = [this] {
        if (fullMode_->isVisible()) fullMode_->showMode(0, false);
    };
}

}  // namespace orbisca
