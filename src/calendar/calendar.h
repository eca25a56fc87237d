// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar positions: Gregorian dates, their position in the 260-day count and the 13-moon year,
// and date stepping in the calendar without 29 February.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "calendar/moon_phase.h"

namespace orbisca {

// A Gregorian date. `weekDay` is carried along (the error log prints it) but never computed.
struct GregorianDate {
    std::uint8_t day = 1;
    std::uint8_t month = 1;
    std::uint8_t weekDay = 0;
    std::int32_t year = 2001;

    friend constexpr bool operator==(const GregorianDate&, const GregorianDate&) = default;
};
static_assert(sizeof(GregorianDate) == 8);

// The position of one day. `month` is 0 on the extra day (25 July), which belongs to no moon.
struct MayanDate {
    std::uint16_t kin = 0;        // 1..260
    std::uint8_t yearSign = 0;    // 4, 9, 14, 19
    std::uint8_t yearTone = 0;    // 1..13
    std::uint8_t cromatic = 0;    // 1..4
    std::uint8_t vinal = 0;       // 1..19
    std::uint8_t vinalTone = 0;   // 0..19 (0..4 in vinal 19)
    std::int32_t weekNumber = 0;  // 0..52
    std::uint8_t sign = 0;        // 1..20
    std::uint8_t tone = 0;        // 1..13
    std::uint8_t plasma = 0;      // 1..7
    std::int16_t monthDay = 0;    // 1..28; 29 or 0 on the extra day
    std::uint8_t month = 0;       // 1..13; 0 on the extra day
    std::int32_t moonPhase = 0;   // 0..999,999,999: billionths of the lunation at 12:00 UTC,
                                  // 0 = new moon (see moon_phase.h)

    friend constexpr bool operator==(const MayanDate&, const MayanDate&) = default;
};
static_assert(sizeof(MayanDate) == 24);

// Thrown for a date that does not exist (day 0, 31 April, 30 February, month 13 ...).
class InvalidDate : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

inline constexpr GregorianDate kReferenceDate{21, 8, 2, 2001};

inline constexpr GregorianDate kFirstDate{1, 1, 0, INT32_MIN};
inline constexpr GregorianDate kLastDate{31, 12, 0, INT32_MAX};

// 31, 28 or 30 days; February always has 28; month 0 and months above 12 answer 31.
constexpr std::uint8_t daysInMonth(std::uint8_t month) {
    switch (month) {
        case 2:
            return 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

// True for day 1..daysInMonth(month) of months 1..12, and for 29 February of any year.
constexpr bool isExistingDate(const GregorianDate& d) {
    if (d.month < 1 || d.month > 12 || d.day < 1) return false;
    return d.day <= daysInMonth(d.month) || (d.month == 2 && d.day == 29);
}

// "dd.MM.yyyy"-style text of a date for messages ("30.02.2001").
std::string describeDate(const GregorianDate& d);

// The date `days` days later (earlier when negative) in the calendar without 29 February;
// `weekDay` is kept. Results never leave kFirstDate..kLastDate: a step past either end stops there.
GregorianDate stepDate(GregorianDate source, std::int32_t days);

// The position of an existing date, in constant time. 29 February gives 28 February's position,
// except for the moon phase, which is the sky's on every real day. The extra day (25 July) has
// two representations, as the day-by-day walk from the reference date gives it: reached forwards
// (after 21.08.2001) or backwards (before it). Throws InvalidDate.
MayanDate gregorianToMayan(const GregorianDate& date);
// The same, with the new moons of the phase kept in `lunation` for the next call: the form for
// runs of consecutive days.
MayanDate gregorianToMayan(const GregorianDate& date, LunationCache& lunation);

// The same result by stepping day by day from the reference date (the moon phase taken from the
// sky as above). Kept as the reference the closed forms are tested and benchmarked against; cost
// grows with the distance.
MayanDate walkGregorianToMayan(const GregorianDate& date);

// The day-by-day walk itself, exposed so that a test can walk across millennia once and compare
// every date on the way instead of restarting from the reference date.
class PositionWalk {
public:
    PositionWalk();
    void stepForward();
    void stepBackward();
    const GregorianDate& cursor() const { return cursor_; }
    // The position of the cursor's date: the raw counters with the week number and extra-day month.
    // The walk counts no moon: `moonPhase` is 0.
    MayanDate position() const;

private:
    GregorianDate cursor_;
    MayanDate counters_;
    int cromaticDay_;  // day 1..5 inside the current cromatic
};

}  // namespace orbisca
