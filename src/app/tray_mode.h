// SPDX-License-Identifier: GPL-3.0-or-later
// Orbisca run from the system tray (`orbisca --tray`): the icon of today, turned at every new
// local day, its menu opening the program's windows, and the morning notice. Closing the compact
// window hides it; Quit in the menu ends the program.
#pragma once

#include <QDate>
#include <QObject>
#include <memory>

#include "data/day_turn.h"
#include "tray/day_notice.h"
#include "tray/tray_icon.h"

namespace orbisca {

class ProgramWindows;
struct ProgramState;

class TrayMode : public QObject {
    Q_OBJECT
public:
    // `clock` gives the local date and time now (tests fix it).
    TrayMode(ProgramState& program, ProgramWindows& windows, DayTurnWatcher::Clock clock,
             std::unique_ptr<MidnightAlarm> alarm, QObject* parent = nullptr);
    ~TrayMode() override;

    // Shows the icon. False, with one message, when the desktop has no tray: the compact window
    // is shown as at an ordinary start instead.
    bool start();

    // The morning notice of today when the user asked for notices and none was given today.
    void noticeNewDay();

    TrayIcon& icon() { return tray_; }
    DayTurnWatcher& watcher() { return watcher_; }
    DesktopNotifier& notifier() { return notifier_; }

private:
    void onDayTurned(QDate day);
    void showToday();
    void toggleCompact();
    void quit();

    ProgramState& program_;
    ProgramWindows& windows_;
    TrayIcon tray_;
    DayTurnWatcher watcher_;
    DesktopNotifier notifier_;
    std::unique_ptr<QObject> closeToHide_;
};

}  // namespace orbisca
