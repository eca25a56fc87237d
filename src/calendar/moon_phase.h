// SPDX-License-Identifier: GPL-3.0-or-later
// The phase of the moon as the sky shows it: the fraction of the current lunation at 12:00 UTC of
// a day, measured between the true new moons before and after that instant.
#pragma once

#include <cstdint>

namespace orbisca {

struct GregorianDate;

inline constexpr std::int32_t kMoonModulus = 1'000'000'000;  // one lunation, in billionths

// The Julian Day Number of a date of the proleptic Gregorian calendar with astronomical years
// (year 0 is 1 BC): the Julian Date at 12:00 UTC of that day. 29 February is a day of its own.
// Exact for every 32-bit year.
std::int64_t julianDayNumber(const GregorianDate& date);

// The instants of the new moons that bracket a day's noon, kept between calls so that a run of
// consecutive days looks each lunation up once. One cache serves one sequence of calls; it holds
// no other state and is cheap to make.
class LunationCache {
public:
    // The phase at 12:00 UTC of the day `julianDay`, in billionths of the lunation (0 = new moon,
    // below kMoonModulus).
    std::int32_t phaseAt(std::int64_t julianDay) {
        // One unsigned comparison: a day before firstDay_ wraps round to a large number.
        if (static_cast<std::uint64_t>(julianDay - firstDay_) < daysCached_)
            return billionths((static_cast<double>(julianDay) - newMoon_) * perDay_);
        return phaseElsewhere(julianDay);
    }
    // The phase at 12:00 UTC of an existing date; 29 February of a common year (which the
    // calendar takes as 28 February) gives 28 February's.
    std::int32_t phaseOn(const GregorianDate& date);
    std::int32_t phaseOn(std::int32_t year, std::uint8_t month, std::uint8_t day) {
        if (year == monthYear_ && month == month_) [[likely]]
            return phaseAt(monthStart_ + (day < monthLast_ ? day : monthLast_));
        return phaseInOtherMonth(year, month, day);
    }
    // A fraction of the lunation from 0 up to 1 in billionths, kept below a whole lunation where
    // the fraction rounds up to 1.
    static std::int32_t billionths(double lunations) {
        const double scaled = lunations * kMoonModulus;
        if (!(scaled >= 0)) return 0;
        return scaled < kMoonModulus - 1 ? static_cast<std::int32_t>(scaled) : kMoonModulus - 1;
    }

private:
    // Looks up the lunation of a day outside the cached one (or takes the mean lunation beyond
    // the years the lunar theory covers) and keeps it.
    std::int32_t phaseElsewhere(std::int64_t julianDay);
    // Makes the date's month the one kept (a month out of range is not kept) and answers for the
    // date.
    std::int32_t phaseInOtherMonth(std::int32_t year, std::uint8_t month, std::uint8_t day);

    // The days whose noon lies in the cached lunation (and in the theory's years): daysCached_
    // days from firstDay_; none at first.
    std::int64_t firstDay_ = 0;
    std::uint64_t daysCached_ = 0;
    double newMoon_ = 0;  // its new moon, a Julian Date (UT)
    double perDay_ = 0;   // the part of this lunation that one day makes
    // The month of the last date asked for (none at first: month 0 is no month), the Julian Day
    // before its first day and its last day (28 in February of a common year, where the 29th
    // counts as the 28th; otherwise any day of the month is below it).
    std::int32_t monthYear_ = 0;
    std::uint8_t month_ = 0;
    std::uint8_t monthLast_ = 0;
    std::int64_t monthStart_ = 0;
};

// The phase of the moon at 12:00 UTC of `date`, as LunationCache::phaseOn computes it.
std::int32_t moonPhaseOn(const GregorianDate& date);

}  // namespace orbisca
