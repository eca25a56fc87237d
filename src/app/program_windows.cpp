// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_windows.h"

#include "calendar/calendar_state.h"
#include "compact/compact_window.h"
#include "compact/date_dialog.h"
#include "compact/window_links.h"
#include "config/config_dialog.h"
#include "data/notifier.h"
#include "donation/donation_dialog.h"
#include "fullmode/full_mode_window.h"
#include "printing/canvas_printer.h"
#include "printing/page_setup_window.h"
#include "printing/print_manager_window.h"
#include "widgets/window_keys.h"

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
    if (!fullMode_->startUp()) return false;  // reported
    config_ = std::make_unique<ConfigDialog>();
    printManager_ = std::make_unique<PrintManagerWindow>();
    pageSetup_ = std::make_unique<PageSetupWindow>();
    printer_ = std::make_unique<CanvasPrinter>();
    donation_ = std::make_unique<DonationDialog>();
    if (countsAsLaunch) donation_->countThisLaunch();
    wire();
    return true;
}

void ProgramWindows::wire() {
    compact_->setDateDialog(dateDialog_.get());
    WindowLinks& links = windowLinks();
    links.showFullMode = [this](FullModeView view, bool stopFade) { openFullMode(view, stopFade); };
    links.dateChanged = [this] { fullMode_->dateChanged(); };
    links.stepDay = [this](DayStep step) { compact_->stepDay(step); };
    links.reminderDue = [this] { return donation_->reminderDue(); };
    links.showReminder = [this] { donation_->showReminder(); };
    wirePrinting();
    printManager_->exports.dateChanged = [this] { fullMode_->dateChanged(); };
    printManager_->exports.pickDate = [this] {
        return dateDialog_->pickModally(calendarState().currentDate);
    };
    FullModeLink& link = printManager_->fullMode;
    link.setEnabled = [this](bool enabled) { fullMode_->setEnabled(enabled); };
    link.requestMode = [this](FullModeView view) { fullMode_->showMode(view, false); };
    config_->fullMode.setEnabled = [this](bool enabled) { fullMode_->setEnabled(enabled); };
    config_->fullMode.returnToDayOverview = [this] {
        if (fullMode_->isVisible()) fullMode_->showMode(FullModeView::Day, false);
    };
    FullModeLinks& full = fullMode_->links;
    full.stepDay = [this](DayStep step) { compact_->stepDay(step); };
    full.openDateDialog = [this] { dateDialog_->openOn(calendarState().currentDate); };
    full.returnToCompact = [this] { compact_->returnFromFullMode(); };
    // Closing the compact window ends the program (status 0), also while the full-mode window
    // shows: Qt alone would end it only with the last main window. Exit and Escape in the
    // full-mode window leave through that same closing.
    compact_->closed = [] { requestProgramEnd(0); };
    full.endProgram = [this] { compact_->close(); };
    full.openPrintManager = [this](FullModeView printed) {
        printManager_->setWindowModality(Qt::NonModal);
        printManager_->openFromFullMode(printed);
    };
    full.openConfiguration = [this] { showConfiguration(); };
}

// The print manager's Setup..., Print... and Print now, and the page setup window, over one
// printer.
void ProgramWindows::wirePrinting() {
    printManager_->setPageSetupWindow(pageSetup_.get());
    pageSetup_->setPrinter(printer_.get());
    pageSetup_->canvas = [this]() -> const QImage& { return printManager_->page().canvas; };
    pageSetup_->prepareCanvas = [this] { return printManager_->drawCanvasIfBlank(); };
    pageSetup_->savedPosition = [this] {
        const PrintWindowValues& values = printManager_->state().values;
        return QPoint(values.setupLeft, values.setupTop);
    };
    pageSetup_->rememberPosition = [this](QPoint at) { printManager_->rememberSetupPosition(at); };
    PrinterLink& link = printManager_->printer;
    link.pageSize = [this] { return printer_->metrics().page; };
    link.setup = [this] { pageSetup_->open(); };
    link.print = [this](bool withDialog) {
        printer_->print(!withDialog, printManager_->page().canvas, printManager_.get());
    };
    donation_->printDetails = [this](const DetailsPrintOut& out) { printDonationDetails(out); };
}

// The donation reminder's "Print": its details as the print manager's script, drawn in easy
// mode. The reminder is modal; the print manager opens modal over it so that it takes input.
void ProgramWindows::printDonationDetails(const DetailsPrintOut& out) {
    printManager_->setWindowModality(donation_->isVisible() ? Qt::ApplicationModal : Qt::NonModal);
    printManager_->openForDonation();
    printManager_->setCanvasSize(out.canvas);
    printManager_->setScriptLines(out.script);
    printManager_->setEasyMode(out.easyMode);
    printManager_->showImage();
}

// The dialog takes the keyboard at once (Escape, Return, Tab), also where no window manager hands
// focus to a new window.
void ProgramWindows::showConfiguration() { showWithKeys(*config_); }

void ProgramWindows::openFullMode(FullModeView view, bool stopFade) {
    fullMode_->coverScreen(compact_->screen());
    fullMode_->showMode(view, stopFade);
}

}  // namespace orbisca
