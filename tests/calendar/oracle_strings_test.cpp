// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "calendar/calendar.h"
#include "calendar/calendar_strings.h"
#include "calendar/oracle.h"

using namespace orbisca;

namespace {

MayanDate signTone(int sign, int tone, int kin = 0) {
    MayanDate m;
    m.sign = static_cast<std::uint8_t>(sign);
    m.tone = static_cast<std::uint8_t>(tone);
    m.kin = static_cast<std::uint16_t>(kin);
    return m;
}

TEST(Oracle, WorkedExamplesSignTwentyAndTheWrapAround) {
    // kin, sign, tone, plasma, antipode, analog, occult teacher, guide, day and month of the moon,
    // colour, sign group, sign flag, marked, central.
    EXPECT_EQ(makeOracle(gregorianToMayan({21, 8, 0, 2001})),
              (OracleInfo{230, 10, 9, 6, 20, 9, 11, 6, 27, 1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(makeOracle(signTone(1, 1, 1)),
              (OracleInfo{1, 1, 1, 0, 11, 18, 20, 1, 0, 0, 1, 1, 1, 1, 0}));
    EXPECT_EQ(getAnalog(signTone(20, 1)), 19);
    EXPECT_EQ(getAntipode(signTone(20, 1)), 10);
    EXPECT_EQ(getAnalog(signTone(19, 1)), 20);
    EXPECT_EQ(getAntipode(signTone(10, 1)), 20);
    EXPECT_EQ(getGuide(signTone(2, 2)), 14);
    EXPECT_EQ(getGuide(signTone(19, 5)), 7);
    for (int sign = 1; sign <= 20; ++sign) {
        EXPECT_EQ(getAntipode(signTone(getAntipode(signTone(sign, 1)), 1)), sign);
        for (int tone = 1; tone <= 13; ++tone) {
            // The guide is a sign of the day's colour, the day's own sign at tones 1, 6 and 11.
            const int guide = getGuide(signTone(sign, tone));
            EXPECT_TRUE(guide >= 1 && guide <= 20 && signColour(guide) == signColour(sign))
                << sign << "/" << tone << ": " << guide;
            EXPECT_TRUE(tone % 5 != 1 || guide == sign) << sign << "/" << tone;
        }
    }
}

TEST(Oracle, KinMarks) {
    std::set<int> marked;
    for (int kin = 1; kin <= 260; ++kin) {
        const bool m = isMarkedKin(kin), c = isCentralKin(kin);
        EXPECT_FALSE(m && c) << kin;
        EXPECT_EQ(m, isMarkedKin(261 - kin)) << kin;
        if (m) marked.insert(kin);
    }
    EXPECT_EQ(marked.size(), 52u);
    EXPECT_TRUE(isMarkedKin(1) && isMarkedKin(260));
    EXPECT_TRUE(isCentralKin(121) && isCentralKin(140));
    EXPECT_FALSE(isCentralKin(120) || isCentralKin(141) || isMarkedKin(120) || isMarkedKin(141));
    const OracleInfo o = makeOracle(signTone(1, 4, 121));
    EXPECT_EQ(o.centralKin, 1);
    EXPECT_EQ(o.markedKin, 0);
}

TEST(CalendarStrings, DateLayouts) {
    const GregorianDate march{5, 3, 0, 2004};
    const char* expected[] = {"05.03.2004", "05.03.04", "05.03", "03.05", "03/05", "05/03"};
    for (int layout = 0; layout <= 5; ++layout)
        EXPECT_EQ(formatGregorianDate(march, layout), expected[layout]);
    EXPECT_EQ(formatGregorianDate(march, 6) + formatGregorianDate(march, -1), "");
    // Short years outside 1000..9999: the last two digits of the absolute value.
    for (auto [year, text] : {std::pair{12345, "01.01.45"},
                              {5, "01.01.05"},
                              {-44, "01.01.44"},
                              {INT32_MIN, "01.01.48"}})
        EXPECT_EQ(formatGregorianDate({1, 1, 0, year}, 1), text);
    EXPECT_EQ(formatGregorianDate({15, 3, 0, -44}, 0), "15.03.-44");
}

}  // namespace
