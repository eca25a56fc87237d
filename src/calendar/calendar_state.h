// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar values the windows show: the current date, today and the current position, plus
// the clock that "today" comes from. The day model of the data layer owns one and announces its
// changes.
#pragma once

#include <chrono>
#include <functional>

#include "calendar/calendar.h"

namespace orbisca {

using Clock = std::function<std::chrono::system_clock::time_point()>;

struct CalendarState {
    GregorianDate currentDate;  // the date the windows show
    GregorianDate today;        // set at start-up and at the turn of a day
    MayanDate currentPosition;  // gregorianToMayan(currentDate), kept in step by every change
    Clock clock = [] { return std::chrono::system_clock::now(); };
};

// The local calendar date of a clock value. `weekDay` is left 0, as nothing computes it.
GregorianDate getGregorianDate(std::chrono::system_clock::time_point now);

}  // namespace orbisca
