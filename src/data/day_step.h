// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of the current date that the keys make, in the compact window, the full-mode window
// and the print manager's day buttons alike: a day forward or back (the two swapped by the
// "swap up/down" setting) and a moon of 28 days forward or back (never swapped).
#pragma once

#include <optional>

namespace orbisca {

enum class DayStep { NextDay, PreviousDay, NextMoon, PreviousMoon };

// The step of a key (a Qt::Key): Right and Page Up the next day, Left and Page Down the previous
// one, period 28 days forward, comma 28 days back (shifted or not); nothing for other keys.
std::optional<DayStep> dayStepOfKey(int key);

// The days a step moves the date: +1 / -1 for the day steps (-1 / +1 when swapped), +28 / -28
// for the moon steps.
int daysOfStep(DayStep step, bool swapDayKeys);

}  // namespace orbisca
