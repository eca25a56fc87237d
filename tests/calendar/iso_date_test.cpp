// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "calendar/iso_date.h"

using namespace orbisca;

TEST(IsoDate, ParsesAndFormatsAnyYear) {
    for (const char* text : {"2001-08-21", "-0044-03-15", "12000-01-01", "0000-02-29", "2000-02-29",
                             "-2147483648-01-01", "2147483647-12-31", "0005-06-07"}) {
        EXPECT_EQ(formatIsoDate(parseIsoDate(text)), text);
    }
    EXPECT_EQ(parseIsoDate("+12000-01-01").year, 12000);
    EXPECT_EQ(parseIsoDate("-0044-03-15").year, -44);
}

TEST(IsoDate, RejectsWhatIsNoDateNamingTheInput) {
    for (const char* text :
         {"2001-02-30", "2001-13-01", "2001-00-10", "2001-04-31", "2001-02-29", "1900-02-29",
          "tomorrow", "", "2001-1-01", "2001-01-1", "20010101", "2001/01/01", "-", "--01-01",
          "2147483648-01-01", "99999999999999999999-01-01", "2001-01-01x", " 2001-01-01"}) {
        try {
            parseIsoDate(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const InvalidDate& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("\"") + text + "\""),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(IsoDate, NextDayWalksRealDays) {
    for (auto [from, to] : {std::pair{"2004-02-28", "2004-02-29"},
                            {"2004-02-29", "2004-03-01"},
                            {"1999-12-31", "2000-01-01"}}) {
        GregorianDate d = parseIsoDate(from);
        ASSERT_TRUE(nextGregorianDay(d)) << from;
        EXPECT_EQ(formatIsoDate(d), to);
    }
    GregorianDate last = parseIsoDate("2147483647-12-31");
    EXPECT_FALSE(nextGregorianDay(last));
}
