#include <gtest/gtest.h>

#include "cli.h"
#include "iso_date.h"
#include "range_csv.h"

using namespace orbisca;
using namespace orbisca::cli;

TEST(IsoDate, ParsesAndFormatsAnyYear) {
    for (const char* text : {"2001-08-21", "-0044-03-15", "12000-01-01", "0000-02-29", "2000-02-29",
                             "-2147483648-01-01", "2147483647-12-31", "0005-06-07"}) {
        EXPECT_EQ(FormatIsoDate(ParseIsoDate(text)), text);
    }
    EXPECT_EQ(ParseIsoDate("+12000-01-01").year, 12000);
    EXPECT_EQ(ParseIsoDate("-0044-03-15").year, -44);
}

TEST(IsoDate, RejectsWhatIsNoDateNamingTheInput) {
    for (const char* text :
         {"2001-02-30", "2001-13-01", "2001-00-10", "2001-04-31", "2001-02-29", "1900-02-29",
          "tomorrow", "", "2001-1-01", "2001-01-1", "20010101", "2001/01/01", "-", "--01-01",
          "2147483648-01-01", "99999999999999999999-01-01", "2001-01-01x", " 2001-01-01"}) {
        try {
            ParseIsoDate(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("\"") + text + "\""),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(IsoDate, NextDayWalksRealDays) {
    GregorianDate d = ParseIsoDate("2004-02-28");
    ASSERT_TRUE(NextGregorianDay(d));
    EXPECT_EQ(FormatIsoDate(d), "2004-02-29");
    ASSERT_TRUE(NextGregorianDay(d));
    EXPECT_EQ(FormatIsoDate(d), "2004-03-01");
    d = ParseIsoDate("1999-12-31");
    ASSERT_TRUE(NextGregorianDay(d));
    EXPECT_EQ(FormatIsoDate(d), "2000-01-01");
    d = ParseIsoDate("2147483647-12-31");
    EXPECT_FALSE(NextGregorianDay(d));
}

TEST(RangeCsv, RowsMatchTheEngineAndStopAtTheLastDay) {
    std::string out;
    auto sink = [&](std::string_view chunk) {
        out.append(chunk);
        return true;
    };
    ASSERT_TRUE(WriteRangeCsv(ParseIsoDate("2001-08-19"), ParseIsoDate("2001-08-21"), sink));
    EXPECT_EQ(out, std::string(kRangeCsvHeader) +
                       "2001-08-19,228,8,7,4,9,4,2,4,4,4,25,1,0,20,11,18,13\n"
                       "2001-08-20,229,9,8,4,9,1,2,5,4,5,26,1,33898305,13,10,19,12\n"
                       "2001-08-21,230,10,9,4,9,1,2,6,4,6,27,1,67796610,6,9,20,11\n");
    out.clear();
    ASSERT_TRUE(
        WriteRangeCsv(ParseIsoDate("2147483647-12-30"), ParseIsoDate("2147483647-12-31"), sink));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
    // A sink that fails is reported.
    EXPECT_FALSE(WriteRangeCsv(ParseIsoDate("2000-01-01"), ParseIsoDate("2010-01-01"),
                               [](std::string_view) { return false; }));
}
