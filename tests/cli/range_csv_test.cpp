// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "calendar/iso_date.h"
#include "range_csv.h"

using namespace orbisca;
using namespace orbisca::cli;

TEST(RangeCsv, RowsMatchTheEngineAndStopAtTheLastDay) {
    std::string out;
    auto sink = [&](std::string_view chunk) {
        out.append(chunk);
        return true;
    };
    ASSERT_TRUE(writeRangeCsv(parseIsoDate("2001-08-19"), parseIsoDate("2001-08-21"), sink));
    EXPECT_EQ(out, std::string(kRangeCsvHeader) +
                       "2001-08-19,228,8,7,4,9,4,2,4,4,4,25,1,12907988,20,11,18,13\n"
                       "2001-08-20,229,9,8,4,9,1,2,5,4,5,26,1,47021373,13,10,19,12\n"
                       "2001-08-21,230,10,9,4,9,1,2,6,4,6,27,1,81134758,6,9,20,11\n");
    out.clear();
    ASSERT_TRUE(
        writeRangeCsv(parseIsoDate("2147483647-12-30"), parseIsoDate("2147483647-12-31"), sink));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
    // A sink that fails is reported.
    EXPECT_FALSE(writeRangeCsv(parseIsoDate("2000-01-01"), parseIsoDate("2010-01-01"),
                               [](std::string_view) { return false; }));
}
