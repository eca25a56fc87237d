// SPDX-License-Identifier: GPL-3.0-or-later
// What the compact window and the date dialog ask of the windows built after them (the full-mode
// window and the donation reminder), and the compact window's day step that the print manager
// asks for. The program wires these at start; where nothing is wired the request is skipped, so
// tests run without those windows.
#pragma once

#include <functional>

#include "data/day_step.h"
#include "data/full_mode_view.h"

namespace orbisca {

struct WindowLinks {
    // Shows the full-mode window on a view; `stopFade` ends a running cross-fade.
    std::function<void(FullModeView view, bool stopFade)> showFullMode;
    // The current date changed: the full-mode window forgets its year cache and repaints its view.
    std::function<void()> dateChanged;
    // The compact window's day step (its keys' handler): the print manager's day buttons.
    std::function<void(DayStep step)> stepDay;
    // The donation reminder asked to be shown at this start.
    std::function<bool()> reminderDue;
    // Shows the donation reminder modally.
    std::function<void()> showReminder;
};

WindowLinks& windowLinks();
void resetWindowLinks();

}  // namespace orbisca
