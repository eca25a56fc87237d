// SPDX-License-Identifier: GPL-3.0-or-later
// The main text database against the map of the lines that the program reads.
#include <QRegularExpression>
#include <map>

#include "pack_files.h"

namespace orbisca::packtest {
namespace {

using PackBaseKtx = PackTest;

TEST_P(PackBaseKtx, EveryMappedLineHoldsTextAndNoOtherLineIsNeeded) {
    const QStringList lines = textOf("BASE.KTX");
    std::map<int, bool> endings;  // mapped line -> it is an ending
    for (const MappedLine& entry : baseLineMap()) endings[entry.line] = entry.ending;
    ASSERT_GT(endings.size(), 600u);
    EXPECT_EQ(lines.size(), endings.rbegin()->first + 1) << "the file ends with its last read line";
    for (int n = 0; n < lines.size(); ++n) {
        const QString& text = lines[n];
        const auto mapped = endings.find(n);
        if (mapped == endings.end())
            EXPECT_TRUE(text.isEmpty()) << "unread line " << n << " holds text";
        else if (mapped->second)
            EXPECT_FALSE(text.startsWith(u' ')) << "ending " << n << " starts with a blank";
        else
            EXPECT_FALSE(text.trimmed().isEmpty()) << "line " << n << " is empty";
        // Blanks before punctuation or doubled read badly in any caption.
        EXPECT_FALSE(text.contains(QRegularExpression("[\\r\\t]|  | [,.:;!?]")))
            << "line " << n << ": " << text;
    }
}

ORBISCA_FOR_EACH_PACK_LANGUAGE(PackBaseKtx);

}  // namespace
}  // namespace orbisca::packtest
