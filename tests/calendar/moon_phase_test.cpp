// SPDX-License-Identifier: GPL-3.0-or-later
// The moon phase: the day count under it, the sky, and the lunation cache against fresh values.
// (tests/cli/moon_phase_sky_test.py compares four centuries with an ephemeris.)
#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "calendar/iso_date.h"

using namespace orbisca;

namespace {

GregorianDate dmy(int day, int month, int year) {
    return {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month), 0, year};
}

TEST(JulianDayNumber, CountsEveryRealDay) {
    const std::pair<GregorianDate, std::int64_t> known[] = {
        {dmy(1, 1, 2000), 2451545},  {dmy(24, 11, -4713), 0},    {dmy(15, 10, 1582), 2299161},
        {dmy(29, 2, 2000), 2451604}, {dmy(1, 3, 2000), 2451605}, {dmy(1, 3, 1900), 2415080}};
    for (const auto& [date, day] : known)
        EXPECT_EQ(julianDayNumber(date), day) << describeDate(date);
    // 400 Gregorian years are 146,097 days, at both ends of the 32-bit years.
    EXPECT_EQ(julianDayNumber(dmy(1, 1, INT32_MIN + 400)) - julianDayNumber(dmy(1, 1, INT32_MIN)),
              146097);
    EXPECT_EQ(
        julianDayNumber(dmy(31, 12, INT32_MAX)) - julianDayNumber(dmy(31, 12, INT32_MAX - 400)),
        146097);
}

// Lunation fractions at 12:00 UTC from an independent ephemeris (python3-ephem). (The walk's moon
// and 29 February's: the position tests.)
TEST(MoonPhase, IsTheSkysAtNoonUtc) {
    const std::pair<GregorianDate, double> sky[] = {
        {dmy(7, 12, 2026), 0.948359}, {dmy(1, 6, 1950), 0.521952},   {dmy(1, 6, 2050), 0.394564},
        {dmy(1, 1, 1800), 0.199132},  {dmy(31, 12, 2200), 0.815174}, {dmy(29, 2, 2024), 0.664307}};
    for (const auto& [date, fraction] : sky)
        EXPECT_NEAR(gregorianToMayan(date).moonPhase / double(kMoonModulus), fraction, 0.0003)
            << describeDate(date);
}

// Days in both directions from the starts below: the cached phase equals a fresh one, and each day
// advances the phase by a day of some real lunation (29.2 to 29.9 days), also where the theory
// hands over to the mean lunation (1 January -4000, 31 December 8000).
TEST(MoonPhase, CachedRunsMatchFreshValuesAndAdvanceDayByDay) {
    const std::int64_t starts[] = {
        julianDayNumber(dmy(1, 12, 1999)), julianDayNumber(dmy(1, 1, -4000)),
        julianDayNumber(dmy(31, 12, 8000)), julianDayNumber(dmy(1, 1, INT32_MIN)) + 100,
        julianDayNumber(dmy(31, 12, INT32_MAX)) - 100};
    for (const std::int64_t start : starts) {
        for (const int direction : {1, -1}) {
            LunationCache run;
            std::int32_t previous = run.phaseAt(start);
            for (std::int64_t day = start + direction; day != start + 100 * direction;
                 day += direction) {
                const std::int32_t phase = run.phaseAt(day);
                LunationCache fresh;
                ASSERT_EQ(phase, fresh.phaseAt(day)) << day;
                ASSERT_GE(phase, 0);
                ASSERT_LT(phase, kMoonModulus);
                const std::int32_t step =
                    ((phase - previous) * direction % kMoonModulus + kMoonModulus) % kMoonModulus;
                ASSERT_GT(step, kMoonModulus / 29.9) << day;
                ASSERT_LT(step, kMoonModulus / 29.2) << day;
                previous = phase;
            }
        }
    }
}

// The one-date conversion keeps the last lunation for the thread: dates that jump back and forth
// across lunations, centuries and the ends of the theory get the phase a fresh cache gives.
TEST(MoonPhase, TheKeptLunationNeverLeaksIntoAnotherDate) {
    const GregorianDate dates[] = {dmy(1, 12, 1999),  dmy(2, 12, 1999),   dmy(30, 11, 1999),
                                   dmy(31, 12, 8000), dmy(1, 1, 8001),    dmy(31, 12, 8000),
                                   dmy(1, 1, -4000),  dmy(31, 12, -4001), dmy(29, 2, 2001),
                                   dmy(28, 2, 2001),  dmy(29, 2, 2000),   dmy(1, 12, 1999)};
    for (const GregorianDate& date : dates) {
        LunationCache fresh;
        EXPECT_EQ(gregorianToMayan(date).moonPhase, fresh.phaseOn(date)) << describeDate(date);
    }
}

// Beyond the theory's years the mean lunation goes on from its ends: the remainder of the days
// by the lunation is exact, so these phases stay what they were when it was taken with fmod.
TEST(MoonPhase, TheMeanLunationBeyondTheTheoryIsExact) {
    const std::pair<GregorianDate, std::int32_t> phases[] = {
        {dmy(1, 1, INT32_MIN), 425'423'288}, {dmy(15, 6, -100000), 208'030'804},
        {dmy(31, 12, -4001), 135'105'761},   {dmy(1, 1, 8001), 926'201'064},
        {dmy(1, 1, 100000), 6'907'982},      {dmy(31, 12, INT32_MAX), 134'362'437}};
    for (const auto& [date, phase] : phases)
        EXPECT_EQ(moonPhaseOn(date), phase) << describeDate(date);
}

}  // namespace
