// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_windows.h"

#include "compact/compact_window.h"
#include "compact/date_dialog.h"
#include "config/config_dialog.h"
#include "data/donation_files.h"
#include "donation/donation_dialog.h"
#include "fullmode/full_mode_window.h"
#include "printing/canvas_printer.h"
#include "printing/page_setup_window.h"
#include "printing/print_manager_window.h"
#include "state/program_state.h"
#include "widgets/window_keys.h"

namespace orbisca {
namespace {

// The print manager's date button: the date dialog on the current date.
class DialogDatePicker : public DatePicker {
public:
    DialogDatePicker(DateDialog& dialog, DayModel& day) : dialog_(dialog), day_(day) {}
    bool pickDate() override { return dialog_.pickModally(day_.date()); }

private:
    DateDialog& dialog_;
    DayModel& day_;
};

}  // namespace

ProgramWindows::ProgramWindows(ProgramState& program) : program_(program) {}

ProgramWindows::~ProgramWindows() {
    if (compact_) compact_->close();
}

bool ProgramWindows::create(const std::optional<GregorianDate>& startDate, bool countsAsLaunch) {
    return createCompact(startDate, countsAsLaunch) && createRest();
}

bool ProgramWindows::createCompact(const std::optional<GregorianDate>& startDate,
                                   bool countsAsLaunch) {
    compact_ = std::make_unique<CompactWindow>(program_);
    if (startDate) compact_->setStartDate(*startDate);
    if (!compact_->startUp()) return false;  // the loading log says how far it got
    program_.data.startPhases.mark("compact window");
    // The count waits for the disk twice (its lock and the new file): it runs while the window is
    // shown, and its answer is taken when the window asks whether the reminder is due.
    if (countsAsLaunch)
        launchCount_ = std::async(std::launch::async, [&folder = program_.data.folder,
                                                       hook = program_.data.beforeRename] {
            return countLaunchQuietly(folder, hook);
        });
    wireCompact();
    return true;
}

bool ProgramWindows::launchDue() {
    if (launchCount_.valid()) {
        launchDue_ = finishLaunchCount(program_.data, launchCount_.get());
        program_.data.startPhases.mark("launch counted");
    }
    return launchDue_;
}

bool ProgramWindows::createRest() {
    if (fullMode_) return true;
    registerGlyphFonts(program_);  // the views and the printed pages draw with them
    dateDialog_ = std::make_unique<DateDialog>(program_.data);
    datePicker_ = std::make_unique<DialogDatePicker>(*dateDialog_, program_.data.day);
    auto fullMode = std::make_unique<FullModeWindow>(program_);
    if (!fullMode->startUp()) return false;  // reported
    fullMode_ = std::move(fullMode);
    config_ = std::make_unique<ConfigDialog>(program_.data);
    printManager_ = std::make_unique<PrintManagerWindow>(program_);
    pageSetup_ = std::make_unique<PageSetupWindow>(program_.data.folder);
    printer_ = std::make_unique<CanvasPrinter>(program_.data);
    donation_ = std::make_unique<DonationDialog>(program_.data);
    donation_->takeLaunchCount(launchDue());
    wire();
    program_.data.startPhases.mark("other windows");
    return true;
}

void ProgramWindows::showCompact() {
    // Queued: the panel is on the screen before the other windows are made.
    QObject::connect(
        compact_.get(), &CompactWindow::panelPainted, compact_.get(),
        [this] {
            if (!createRest()) program_.data.notifier.requestProgramEnd(1);  // reported
        },
        Qt::QueuedConnection);
    compact_->show();
    program_.data.startPhases.mark("window shown");
}

// What the compact window needs from the start: the reminder before it is shaped, and the
// program's end with its closing. The full-mode window it asks for is made first when the other
// windows are not there yet.
void ProgramWindows::wireCompact() {
    CompactWindow* compact = compact_.get();
    QObject::connect(compact, &CompactWindow::fullModeAsked, compact,
                     [this](FullModeView view, bool stopFade) {
                         if (createRest()) openFullMode(view, stopFade);
                     });
    // The reminder's Print goes to the print manager: the other windows come first then.
    QObject::connect(compact, &CompactWindow::aboutToShape, compact, [this] {
        if (launchDue() && createRest() && donation_->reminderDue()) {
            program_.data.settingsJustRead = false;  // the reminder may stand for a long time
            donation_->showReminder();
        }
    });
    // Closing the compact window ends the program (status 0), also while the full-mode window
    // shows: Qt alone would end it only with the last main window. Exit and Escape in the
    // full-mode window leave through that same closing.
    QObject::connect(compact, &CompactWindow::closed, compact,
                     [this] { program_.data.notifier.requestProgramEnd(0); });
}

// Every window follows the day model by itself; here the windows are told of one another.
void ProgramWindows::wire() {
    compact_->setDateDialog(dateDialog_.get());
    CompactWindow* compact = compact_.get();
    wirePrinting();
    printManager_->controller().setDatePicker(datePicker_.get());
    FullModeWindow* full = fullMode_.get();
    PrintManagerWindow* print = printManager_.get();
    QObject::connect(print, &PrintManagerWindow::fullModeLocked, full,
                     [full](bool locked) { full->setEnabled(!locked); });
    QObject::connect(print, &PrintManagerWindow::fullModeViewAsked, full,
                     [full](FullModeView view) { full->showMode(view, false); });
    ConfigDialog* config = config_.get();
    QObject::connect(config, &ConfigDialog::shown, full, [full] { full->setEnabled(false); });
    QObject::connect(config, &ConfigDialog::closed, full, [full] {
        full->setEnabled(true);
        if (full->isVisible()) full->showMode(FullModeView::Day, false);
    });
    QObject::connect(full, &FullModeWindow::dayStepAsked, compact, &CompactWindow::stepDay);
    QObject::connect(full, &FullModeWindow::dateDialogAsked, full,
                     [this] { dateDialog_->openOn(program_.data.day.date()); });
    QObject::connect(full, &FullModeWindow::compactAsked, compact,
                     &CompactWindow::returnFromFullMode);
    QObject::connect(full, &FullModeWindow::endAsked, compact, &QWidget::close);
    QObject::connect(full, &FullModeWindow::printManagerAsked, full, [this](FullModeView printed) {
        printManager_->setWindowModality(Qt::NonModal);
        printManager_->openFromFullMode(printed);
    });
    QObject::connect(full, &FullModeWindow::configurationAsked, full,
                     [this] { showConfiguration(); });
}

// The print manager's Setup..., Print... and Print now, and the page setup window, over one
// printer.
void ProgramWindows::wirePrinting() {
    printManager_->setPageSetupWindow(pageSetup_.get());
    pageSetup_->setPrinter(printer_.get());
    pageSetup_->setCanvas(&printManager_->controller());
    PrintManagerWindow* print = printManager_.get();
    print->controller().setPrinterPage(printer_.get());
    QObject::connect(print, &PrintManagerWindow::setupAsked, pageSetup_.get(),
                     &PageSetupWindow::open);
    QObject::connect(print, &PrintManagerWindow::printAsked, print, [this, print](bool withDialog) {
        printer_->print(!withDialog, print->page().canvas, print);
    });
    QObject::connect(donation_.get(), &DonationDialog::printAsked, donation_.get(),
                     [this](const DetailsPrintOut& out) { printDonationDetails(out); });
}

// The donation reminder's "Print": its details as the print manager's script, drawn in easy
// mode. The reminder is modal; the print manager opens modal over it so that it takes input.
void ProgramWindows::printDonationDetails(const DetailsPrintOut& out) {
    printManager_->setWindowModality(donation_->isVisible() ? Qt::ApplicationModal : Qt::NonModal);
    printManager_->openForDonation();
    printManager_->setCanvasSize(out.canvas);
    printManager_->setScriptLines(out.script);
    printManager_->controller().setEasyMode(out.easyMode);
    printManager_->controller().showImage();
}

// The dialog takes the keyboard at once (Escape, Return, Tab), also where no window manager hands
// focus to a new window.
void ProgramWindows::showConfiguration() { showWithKeys(*config_); }

void ProgramWindows::openFullMode(FullModeView view, bool stopFade) {
    fullMode_->coverScreen(compact_->screen());
    fullMode_->showMode(view, stopFade);
}

}  // namespace orbisca
