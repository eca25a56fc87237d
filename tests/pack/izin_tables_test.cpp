// The izin tables: "iznum.dat" names the 64 hexagrams, "izinfo.dat" gives one of them to every
// week of the seventeen izin years, in the line format that drawizin and zinnumber read.
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "pack_files.h"

namespace orbisca::packtest {
namespace {

// Six pattern characters, one blank, then a number of one or two digits (characters 8 and 9).
const QRegularExpression kIzinLine(QStringLiteral("^([01]{6}) ([1-9][0-9]?)$"));

std::map<QString, int> hexagramNumbers() {
    std::map<QString, int> numbers;
    for (const QString& line : packLines(QStringLiteral("iznum.dat"))) {
        const auto match = kIzinLine.match(line);
        EXPECT_TRUE(match.hasMatch()) << "iznum.dat: \"" << line.toStdString() << "\"";
        if (match.hasMatch()) numbers[match.captured(1)] = match.captured(2).toInt();
    }
    return numbers;
}

TEST(PackIzinTables, IznumHoldsThe64HexagramsNumberedOneTo64) {
    const QStringList lines = packLines(QStringLiteral("iznum.dat"));
    EXPECT_EQ(lines.size(), 64);
    const auto numbers = hexagramNumbers();
    EXPECT_EQ(numbers.size(), 64u) << "patterns repeat";
    std::set<int> seen;
    for (const auto& [pattern, number] : numbers) seen.insert(number);
    EXPECT_EQ(seen.size(), 64u);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 64);
    // Anchors of the received order: 1 all solid, 2 all broken, 63 and 64 alternating.
    EXPECT_EQ(numbers.at(QStringLiteral("111111")), 1);
    EXPECT_EQ(numbers.at(QStringLiteral("000000")), 2);
    EXPECT_EQ(numbers.at(QStringLiteral("101010")), 63);
    EXPECT_EQ(numbers.at(QStringLiteral("010101")), 64);
}

TEST(PackIzinTables, EveryIzinWeekIsAHexagramWithItsOwnNumber) {
    const auto numbers = hexagramNumbers();
    const QStringList lines = packLines(QStringLiteral("izinfo.dat"));
    ASSERT_EQ(lines.size(), 17 * 52);
    for (int n = 0; n < lines.size(); ++n) {
        const auto match = kIzinLine.match(lines.at(n));
        ASSERT_TRUE(match.hasMatch()) << "izinfo.dat line " << n << ": \"" << lines.at(n).toStdString() << "\"";
        const auto found = numbers.find(match.captured(1));
        ASSERT_NE(found, numbers.end()) << "izinfo.dat line " << n << " is no hexagram of iznum.dat";
        // drawizin shows the number of the line, zinnumber the one found in iznum.dat: they agree.
        EXPECT_EQ(match.captured(2).toInt(), found->second) << "izinfo.dat line " << n;
    }
}

}  // namespace
}  // namespace orbisca::packtest
