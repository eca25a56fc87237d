// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_state.h"

#include <ctime>

namespace orbisca {

CalendarState& calendarState() {
    static CalendarState state;
    return state;
}

void resetCalendarState() { calendarState() = CalendarState{}; }

GregorianDate GetGregorianDate(std::chrono::system_clock::time_point now) {
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return {static_cast<std::uint8_t>(local.tm_mday), static_cast<std::uint8_t>(local.tm_mon + 1),
            0, local.tm_year + 1900};
}

void StartCalendar() {
    CalendarState& s = calendarState();
    s.today = GetGregorianDate(s.clock());
    s.currentDate = s.today;
    s.currentPosition = GregorianToMayan(s.currentDate);
}

void ApplyDate() {
    CalendarState& s = calendarState();
    s.currentPosition = GregorianToMayan(s.currentDate);
    if (s.repaint) s.repaint();
}

void SetCurrentDate(const GregorianDate& date) {
    calendarState().currentDate = date;
    ApplyDate();
}

}  // namespace orbisca
