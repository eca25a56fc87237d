// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <cstdint>

#include <random>

#include "calendar/calendar.h"

using namespace orbisca;

namespace {

GregorianDate dmy(int day, int month, int year) {
    return {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month), 0, year};
}

struct Example {
    GregorianDate date;
    int kin, sign, tone, yearSign, yearTone, month, monthDay, plasma, weekNumber, moonPhase;
};

// The worked examples of the position table; the moon is the sky's at 12:00 UTC (a new moon at
// 02:55 UTC on 19.08.2001, so that day's noon is 9 hours into the lunation), and 29 February
// has a moon of its own. The extra day has two forms: before the reference day (25.07.2001) it
// opens the following year (day 0, week 1, plasma 1), after it (25.07.2002) it closes the ending
// one (day 29, week 0, plasma 7).
const Example kExamples[] = {
    {dmy(21, 8, 2001), 230, 10, 9, 4, 9, 1, 27, 6, 4, 81'134'758},
    {dmy(19, 8, 2001), 228, 8, 7, 4, 9, 1, 25, 4, 4, 12'907'988},
    {dmy(26, 7, 2001), 204, 4, 9, 4, 9, 1, 1, 1, 1, 193'779'542},
    {dmy(25, 7, 2001), 203, 3, 8, 4, 9, 0, 0, 1, 1, 159'648'919},
    {dmy(24, 7, 2001), 202, 2, 7, 19, 8, 13, 28, 7, 52, 125'518'295},
    {dmy(25, 7, 2002), 48, 8, 9, 4, 9, 0, 29, 7, 0, 512'992'576},
    {dmy(26, 7, 2002), 49, 9, 10, 9, 10, 1, 1, 1, 1, 547'043'867},
    {dmy(28, 2, 2004), 111, 11, 7, 14, 11, 8, 22, 1, 32, 274'465'131},
    {dmy(29, 2, 2004), 111, 11, 7, 14, 11, 8, 22, 1, 32, 308'296'831},
    {dmy(1, 3, 2004), 112, 12, 8, 14, 11, 8, 23, 2, 32, 342'128'531},
    {dmy(1, 1, 2010), 163, 3, 7, 4, 4, 6, 20, 6, 23, 536'895'561},
};

TEST(GregorianToMayan, WorkedExamplesByClosedFormAndWalk) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(describeDate(e.date));
        const auto expected = std::tuple{e.kin,   e.sign,     e.tone,   e.yearSign,   e.yearTone,
                                         e.month, e.monthDay, e.plasma, e.weekNumber, e.moonPhase};
        for (const MayanDate& m : {gregorianToMayan(e.date), walkGregorianToMayan(e.date)})
            EXPECT_EQ((std::tuple<int, int, int, int, int, int, int, int, int, int>{
                          m.kin, m.sign, m.tone, m.yearSign, m.yearTone, m.month, m.monthDay,
                          m.plasma, m.weekNumber, m.moonPhase}),
                      expected);
    }
}

TEST(GregorianToMayan, RejectsDatesThatDoNotExist) {
    for (const GregorianDate& bad :
         {dmy(30, 2, 2001), dmy(31, 4, 2001), dmy(1, 13, 2001), dmy(0, 5, 2001), dmy(1, 0, 2001),
          dmy(32, 1, 2001), dmy(31, 11, -44)}) {
        SCOPED_TRACE(describeDate(bad));
        EXPECT_THROW(gregorianToMayan(bad), InvalidDate);
        EXPECT_THROW(walkGregorianToMayan(bad), InvalidDate);
    }
    // 29 February is accepted in any year and is 28 February; in a leap year it is a day of its
    // own for the moon.
    for (int year : {2001, 2004, 1900, -45, 0}) {
        MayanDate leapDay = gregorianToMayan(dmy(29, 2, year));
        const MayanDate before = gregorianToMayan(dmy(28, 2, year));
        EXPECT_EQ(leapDay.moonPhase != before.moonPhase, year % 4 == 0 && year != 1900) << year;
        leapDay.moonPhase = before.moonPhase;
        EXPECT_EQ(leapDay, before) << year;
    }
}

TEST(GregorianToMayan, ExtremeYearsKeepEveryCounterConsistent) {
    // No overflow anywhere in the 32-bit year range: consecutive days keep advancing every
    // counter by one. (The moon at the ends of the range, the moon phase tests follow.)
    for (GregorianDate start :
         {kFirstDate, dmy(20, 12, INT32_MAX), dmy(1, 7, INT32_MAX), dmy(10, 7, INT32_MIN)}) {
        SCOPED_TRACE(describeDate(start));
        MayanDate prev = gregorianToMayan(start);
        for (int i = 0; i < 11; ++i) {
            const GregorianDate next = stepDate(start, i + 1);
            const MayanDate m = gregorianToMayan(next);
            EXPECT_EQ(m.kin, prev.kin % 260 + 1);
            EXPECT_EQ(m.sign, prev.sign % 20 + 1);
            EXPECT_EQ(m.tone, prev.tone % 13 + 1);
            EXPECT_TRUE(m.yearTone >= 1 && m.yearTone <= 13) << int(m.yearTone);
            prev = m;
        }
    }
    // The kin is exact at the far end: the 260-day count from the reference, done in 64 bits.
    const std::int64_t n = (std::int64_t(INT32_MAX) - 2001) * 365 + (334 + 31 - 1) - (212 + 21 - 1);
    EXPECT_EQ(gregorianToMayan(dmy(31, 12, INT32_MAX)).kin, int((229 + n) % 260) + 1);
}

// stepDate against the literal day-by-day rule.
GregorianDate literalStep(GregorianDate d, int days) {
    const int dir = days > 0 ? 1 : -1;
    for (int i = 0; i != days; i += dir) {
        int day = d.day + dir, month = d.month, year = d.year;
        if (day > daysInMonth(static_cast<std::uint8_t>(month))) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        if (day < 1) {
            --month;
            day = daysInMonth(static_cast<std::uint8_t>(month));
            if (month < 1) {
                month = 12;
                --year;
            }
        }
        d = {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month), d.weekDay, year};
    }
    return d;
}

TEST(StepDate, MatchesTheDayByDayRule) {
    // The rule itself at a year's end; 29 February, which the 365-day count does not hold, steps
    // like 28 February.
    EXPECT_EQ(stepDate(dmy(1, 1, 2001), -1), dmy(31, 12, 2000));
    EXPECT_EQ(stepDate(dmy(29, 2, 2004), 1), dmy(1, 3, 2004));
    EXPECT_EQ(stepDate(dmy(29, 2, 2004), -1), dmy(28, 2, 2004));
    EXPECT_EQ(stepDate(dmy(29, 2, 2004), 0), dmy(29, 2, 2004));
    GregorianDate withWeekDay{5, 5, 6, 2001};
    EXPECT_EQ(stepDate(withWeekDay, 400).weekDay, 6);

    std::mt19937 rng(7);
    std::uniform_int_distribution<int> day(0, 31), month(0, 13), year(-3000, 3000),
        steps(-800, 800);
    for (int i = 0; i < 20000; ++i) {
        GregorianDate d = dmy(day(rng), month(rng), year(rng));
        if (i % 3 == 0) d = dmy(29, 2, year(rng));
        const int k = steps(rng);
        ASSERT_EQ(stepDate(d, k), literalStep(d, k)) << describeDate(d) << " by " << k;
    }
}

TEST(StepDate, StopsAtTheEndsOfTheYearRange) {
    EXPECT_EQ(stepDate(dmy(31, 12, INT32_MAX), 1), dmy(31, 12, INT32_MAX));
    EXPECT_EQ(stepDate(dmy(30, 12, INT32_MAX), INT32_MAX), dmy(31, 12, INT32_MAX));
    EXPECT_EQ(stepDate(dmy(1, 1, INT32_MIN), -1), dmy(1, 1, INT32_MIN));
    EXPECT_EQ(stepDate(dmy(2, 1, INT32_MIN), INT32_MIN), dmy(1, 1, INT32_MIN));
    EXPECT_EQ(stepDate(dmy(2, 1, INT32_MIN), -1), dmy(1, 1, INT32_MIN));
    // Large steps are exact: 365 * 5,000,000 days is five million years.
    EXPECT_EQ(stepDate(dmy(5, 6, 2001), 365 * 5'000'000), dmy(5, 6, 5'002'001));
}

}  // namespace
