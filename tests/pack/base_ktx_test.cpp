// The main text database against the map of the lines that the program reads.
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

#include "pack_files.h"

namespace orbisca::packtest {
namespace {

TEST(PackBaseKtx, EveryMappedLineHoldsText) {
    const QStringList lines = packLines(QStringLiteral("BASE.KTX"));
    const auto map = baseLineMap();
    ASSERT_GT(map.size(), 600u);
    for (const MappedLine& entry : map) {
        const QString text = lines.value(entry.line);
        if (entry.ending) {
            // An ending is glued to the word before it: it may be empty, never a bare blank.
            EXPECT_FALSE(text.startsWith(u' ')) << "line " << entry.line;
            continue;
        }
        EXPECT_FALSE(text.trimmed().isEmpty()) << "line " << entry.line << " is empty";
        EXPECT_FALSE(text.contains(QStringLiteral("  "))) << "line " << entry.line;
    }
}

TEST(PackBaseKtx, NoLineOutsideTheMapIsNeeded) {
    const QStringList lines = packLines(QStringLiteral("BASE.KTX"));
    std::set<int> mapped;
    for (const MappedLine& entry : baseLineMap()) mapped.insert(entry.line);
    for (int n = 0; n < lines.size(); ++n) {
        if (mapped.count(n)) continue;
        EXPECT_TRUE(lines.at(n).isEmpty()) << "unread line " << n << " holds text";
    }
    EXPECT_EQ(lines.size(), *mapped.rbegin() + 1) << "the file ends with its last read line";
}

TEST(PackBaseKtx, LinesAreCleanText) {
    const QStringList lines = packLines(QStringLiteral("BASE.KTX"));
    for (int n = 0; n < lines.size(); ++n) {
        const QString& text = lines.at(n);
        EXPECT_FALSE(text.contains(u'\r')) << "line " << n;
        EXPECT_FALSE(text.contains(u'\t')) << "line " << n;
        // Blanks before punctuation read badly in any caption.
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral(" [,.:;!?]")))) << "line " << n;
    }
}

}  // namespace
}  // namespace orbisca::packtest
