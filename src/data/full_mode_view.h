// SPDX-License-Identifier: GPL-3.0-or-later
// The views of the full-mode window. Each has the number the error log prints, the command line
// takes and the painters' table is indexed by; modeNumber() and viewOfModeNumber() are the only
// crossings between the two. Numbers without a name (15..17, 21..24, up to 255 on the command
// line) are views without a painter: they show the empty frame.
#pragma once

namespace orbisca {

enum class FullModeView : int {
    Closed = -1,  // none: the window has not shown a view yet
    Day = 0,      // the day overview
    Tone = 1,
    Sign = 2,
    Plasma = 3,
    Oracle = 4,
    Zolkin = 5,
    Wavespell = 6,
    Month = 7,
    Pulsars = 8,
    Year = 9,
    // The empty frame: a hidden window fades to it, so that its next showing changes view and
    // fades in from it.
    Empty = 10,
    Moons = 11,  // "13 moons": the current week with its vinals, runes, quarters and figure
    Wings = 12,
    Board = 13,    // the telectonon board
    KinBook = 14,  // the kin book page
    // Views that open a window instead of showing a picture.
    PrintManager = 18,
    Configuration = 20,
    // Help page 1, then pages 2..17.
    FirstHelpPage = 19,
    SecondHelpPage = 25,
    LastHelpPage = 40,
};

inline constexpr int modeNumber(FullModeView view) { return static_cast<int>(view); }
inline constexpr FullModeView viewOfModeNumber(int number) {
    return static_cast<FullModeView>(number);
}

}  // namespace orbisca
