#include "app/program_windows.h"

#include "calendar/calendar_state.h"
#include "compact/compact_window.h"
#include "compact/date_dialog.h"
#include "compact/window_links.h"
#include "config/config_dialog.h"
#include "data/notifier.h"
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

bool ProgramWindows::create(const std::optional<GregorianDate>& startDate) {
    compact_ = std::make_unique<CompactWindow>();
    if (startDate) compact_->setStartDate(*startDate);
    if (!compact_->startUp()) return false;  // the loading log says how far it got
    dateDialog_ = std::make_unique<DateDialog>();
    fullMode_ = std::make_unique<FullModeWindow>();
    if (!fullMode_->startUp()) return false;  // reported
    config_ = std::make_unique<ConfigDialog>();
    printManager_ = std::make_unique<PrintManagerWindow>();
    pageSetup_ = std::make_unique<PageSetupWindow>();
    donation_ = std::make_unique<DonationDialog>();
    donation_->countThisLaunch();
    wire();
    return true;
}

void ProgramWindows::wire() {
    compact_->setDateDialog(dateDialog_.get());
    WindowLinks& links = windowLinks();
    links.showFullMode = [this](int mode, bool stopFade) { openFullMode(mode, stopFade); };
    links.dateChanged = [this] { fullMode_->dateChanged(); };
    links.stepDay = [this](DayStep step) { compact_->stepDay(step); };
    links.reminderDue = [this] { return donation_->reminderDue(); };
    links.showReminder = [this] { donation_->showReminder(); };
    FullModeLinks& full = fullMode_->links;
    full.stepDay = [this](DayStep step) { compact_->stepDay(step); };
    full.openDateDialog = [this] { dateDialog_->openOn(calendarState().currentDate); };
    full.returnToCompact = [this] { compact_->returnFromFullMode(); };
    // Closing the compact window ends the program (status 0), also while the full-mode window
    // shows: Qt alone would end it only with the last main window. Exit and Escape in the
    // full-mode window leave through that same closing.
    compact_->closed = [] { requestProgramEnd(0); };
    full.endProgram = [this] { compact_->close(); };
    // The print manager and the configuration dialog are wired here once they can be opened;
    // until then the full-mode window says they are not available.
}

void ProgramWindows::openFullMode(int mode, bool stopFade) {
    fullMode_->coverScreen(compact_->screen());
    fullMode_->showMode(mode, stopFade);
}

}  // namespace orbisca
