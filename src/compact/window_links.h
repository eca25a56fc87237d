// What the compact window and the date dialog ask of the windows built after them (the full-mode
// window and the donation reminder). The program wires these at start; where nothing is wired
// the request is skipped, so tests and partial builds run without those windows.
#pragma once

#include <functional>

namespace orbisca {

struct WindowLinks {
    // Shows the full-mode window; the mode it is to show is already in fullModeState()._newstate.
    std::function<void()> showFullMode;
    // The full-mode window repaints its current view and copies it to its face.
    std::function<void()> repaintFullMode;
    // The donation reminder asked to be shown at this start.
    std::function<bool()> reminderDue;
    // Shows the donation reminder modally.
    std::function<void()> showReminder;
};

WindowLinks& windowLinks();
void resetWindowLinks();

}  // namespace orbisca
