// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide calendar values every window reads: the current date, today and the current
// position, plus the clock that "today" comes from and the hook that repaints the compact window.
#pragma once

#include <chrono>
#include <functional>

#include "calendar/calendar.h"

namespace orbisca {

using Clock = std::function<std::chrono::system_clock::time_point()>;

struct CalendarState {
    GregorianDate currentDate;  // the date the windows show
    GregorianDate today;        // set once at start-up
    MayanDate currentPosition;  // GregorianToMayan(currentDate), kept in step by ApplyDate
    Clock clock = [] { return std::chrono::system_clock::now(); };
    std::function<void()> repaint;  // registered by the compact window
};

CalendarState& calendarState();
void resetCalendarState();

// The local calendar date of a clock value. `weekDay` is left 0, as nothing computes it.
GregorianDate GetGregorianDate(std::chrono::system_clock::time_point now);

// Start-up: today from the clock, copied into the current date, and its position.
void StartCalendar();

// Recomputes the current position from the current date, then repaints through the hook.
// Every change of the current date ends with this call.
void ApplyDate();

// Sets the current date and applies it.
void SetCurrentDate(const GregorianDate& date);

}  // namespace orbisca
