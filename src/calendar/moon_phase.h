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
// consecutive days computes each new moon once. One cache serves one sequence of calls; it holds
// no other state and is cheap to make.
class LunationCache {
public:
    // The phase at 12:00 UTC of the day `julianDay`, in billionths of the lunation (0 = new moon,
    // below kMoonModulus).
    std::int32_t phaseAt(std::int64_t julianDay);
    // The phase at 12:00 UTC of an existing date; 29 February of a common year (which the
    // calendar takes as 28 February) gives 28 February's.
    std::int32_t phaseOn(const GregorianDate& date);

private:
    double lunation_ = 0;      // the number of the lunation cached (0: the one of January 2000)
    double newMoon_ = 0;       // its new moon, a Julian Date (UT), at or before the cached noon
    double nextNewMoon_ = -1;  // the next new moon; below newMoon_ while nothing is cached
    double perDay_ = 0;        // the part of this lunation that one day makes
};

// The phase of the moon at 12:00 UTC of `date`, as LunationCache::phaseOn computes it.
std::int32_t moonPhaseOn(const GregorianDate& date);

}  // namespace orbisca
