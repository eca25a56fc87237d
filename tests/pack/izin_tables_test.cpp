// The izin tables: "iznum.dat" numbers the 64 hexagrams, "izinfo.dat" gives one of them to every
// week of the seventeen izin years, in the line format that drawizin and zinnumber read.
#include <QRegularExpression>
#include <map>
#include <set>

#include "pack_files.h"

namespace orbisca::packtest {
namespace {

TEST(PackIzinTables, EveryIzinWeekIsOneOfThe64HexagramsWithItsNumber) {
    // Six pattern characters, one blank, then a number of one or two digits (characters 8 and 9).
    const QRegularExpression izinLine("^([01]{6}) ([1-9][0-9]?)$");
    std::map<QString, int> numbers;
    std::set<int> seen;
    const QStringList hexagrams = packLines("iznum.dat");
    EXPECT_EQ(hexagrams.size(), 64);
    for (const QString& line : hexagrams) {
        const auto match = izinLine.match(line);
        ASSERT_TRUE(match.hasMatch()) << "iznum.dat: " << line;
        numbers[match.captured(1)] = match.captured(2).toInt();
        seen.insert(match.captured(2).toInt());
    }
    EXPECT_EQ(numbers.size(), 64u) << "patterns repeat";
    EXPECT_EQ(seen.size(), 64u);
    EXPECT_EQ(*seen.rbegin(), 64);
    // Anchors of the received order: 1 all solid, 2 all broken, 63 and 64 alternating.
    EXPECT_EQ(numbers["111111"], 1);
    EXPECT_EQ(numbers["000000"], 2);
    EXPECT_EQ(numbers["101010"], 63);
    EXPECT_EQ(numbers["010101"], 64);

    const QStringList weeks = packLines("izinfo.dat");
    ASSERT_EQ(weeks.size(), 17 * 52);
    for (int n = 0; n < weeks.size(); ++n) {
        const auto match = izinLine.match(weeks[n]);
        ASSERT_TRUE(match.hasMatch()) << "izinfo.dat line " << n << ": " << weeks[n];
        // drawizin shows the number of the line, zinnumber the one found in iznum.dat: they agree.
        EXPECT_EQ(match.captured(2).toInt(), numbers[match.captured(1)]) << "izinfo.dat line " << n;
    }
}

}  // namespace
}  // namespace orbisca::packtest
