// What the compact window and the date dialog ask of the windows built after them (the full-mode
// window and the donation reminder). The program wires these at start; where nothing is wired
// the request is skipped, so tests run without those windows.
#pragma once

#include <functional>

namespace orbisca {

struct WindowLinks {
    // Shows the full-mode window on a mode (a FullModeView); `stopFade` ends a running cross-fade.
    std::function<void(int mode, bool stopFade)> showFullMode;
    // The current date changed: the full-mode window forgets its year cache and repaints its view.
    std::function<void()> dateChanged;
    // The donation reminder asked to be shown at this start.
    std::function<bool()> reminderDue;
    // Shows the donation reminder modally.
    std::function<void()> showReminder;
};

WindowLinks& windowLinks();
void resetWindowLinks();

}  // namespace orbisca
