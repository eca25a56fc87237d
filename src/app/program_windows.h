// SPDX-License-Identifier: GPL-3.0-or-later
// The program's seven windows, created in their order (the compact window first) and wired
// together: what the compact window and the date dialog ask of the others, and the full-mode
// window's way back.
#pragma once

#include <future>
#include <memory>
#include <optional>

#include "calendar/calendar.h"
#include "data/donation_files.h"
#include "data/full_mode_view.h"

namespace orbisca {

struct ProgramState;
class CompactWindow;
class DateDialog;
class FullModeWindow;
class ConfigDialog;
class PrintManagerWindow;
class PageSetupWindow;
class DonationDialog;
class CanvasPrinter;
class DatePicker;
struct DetailsPrintOut;

class ProgramWindows {
public:
    // The windows of `program`, which must outlive them.
    explicit ProgramWindows(ProgramState& program);
    ~ProgramWindows();

    // Creates the compact window and runs its start-up, then the other windows. False when the
    // start-up failed; that has been reported and the program's end requested. A start that shows
    // one window on its own (`countsAsLaunch` false) leaves the launch counter alone: a reminder
    // that fell due then would be used up without being shown.
    bool create(const std::optional<GregorianDate>& startDate = std::nullopt,
                bool countsAsLaunch = true);

    // The same in two parts, so that the compact window can paint before the others are made:
    // createCompact() makes the compact window, runs its start-up and starts counting the launch
    // (the donation reminder may be due before it is shaped); createRest() makes the other windows
    // and does nothing when they are there. The compact window makes them itself when it needs
    // them earlier. Both false after a failure, reported as in create().
    bool createCompact(const std::optional<GregorianDate>& startDate, bool countsAsLaunch);
    bool createRest();
    // Shows the compact window after createCompact(); the other windows are made once it has
    // painted its panel, and a failure there ends the program.
    void showCompact();
    // Whether createRest() has made the other windows.
    bool complete() const { return fullMode_ != nullptr; }

    // Shows the full-mode window over the compact window's screen on `mode`; `stopFade` ends a
    // running cross-fade first.
    void openFullMode(FullModeView view, bool stopFade = true);

    // Shows the configuration dialog with the keyboard's focus.
    void showConfiguration();

    CompactWindow& compact() { return *compact_; }
    DateDialog& dateDialog() { return *dateDialog_; }
    FullModeWindow& fullMode() { return *fullMode_; }
    PrintManagerWindow& printManager() { return *printManager_; }
    ConfigDialog& config() { return *config_; }
    DonationDialog& donation() { return *donation_; }

private:
    void wireCompact();
    void wire();
    void wirePrinting();
    void printDonationDetails(const DetailsPrintOut& out);
    bool launchDue();

    ProgramState& program_;
    std::unique_ptr<CompactWindow> compact_;
    std::unique_ptr<DateDialog> dateDialog_;
    std::unique_ptr<DatePicker> datePicker_;
    std::unique_ptr<FullModeWindow> fullMode_;
    std::unique_ptr<ConfigDialog> config_;
    std::unique_ptr<PrintManagerWindow> printManager_;
    std::unique_ptr<PageSetupWindow> pageSetup_;
    std::unique_ptr<DonationDialog> donation_;
    std::unique_ptr<CanvasPrinter> printer_;
    bool launchDue_ = false;  // this launch's count made the donation reminder due
    // The count createCompact() started, until launchDue() has taken its answer.
    std::future<LaunchCount> launchCount_;
};

}  // namespace orbisca
