// SPDX-License-Identifier: GPL-3.0-or-later
// The affirmation of every kin, shaped by the letter-case patterns of
// the compact window, the day overview and the kin book page, must read as finished sentences.
#include <QRegularExpression>
#include <array>

#include "data/affirmation.h"
#include "data/text_case.h"
#include "pack_files.h"
#include "views/day_pages.h"
#include "views/kin_book.h"

namespace orbisca::packtest {
namespace {

using Patterns = std::array<const char*, 6>;

// Problems of one shaped line; empty when it reads well. `index` is the line number 0..5.
QStringList problemsOf(const QString& text, int index, const QString& pattern) {
    QStringList problems;
    if (index == 5 && text.isEmpty()) return problems;
    if (text.isEmpty()) return {QStringLiteral("empty")};
    if (text.contains(QStringLiteral("  "))) problems << "double blank";
    if (text.front() == u' ' || text.back() == u' ') problems << "blank at an end";
    if (text.contains(QRegularExpression(QStringLiteral(" [,.;:!?]"))))
        problems << "blank before punctuation";
    if (text.contains(QRegularExpression(QStringLiteral("[,.;:!?][^ ]"))))
        problems << "no blank after punctuation";
    const QStringList words = text.split(u' ');
    if (words.size() > pattern.size()) problems << "more words than the pattern shapes";
    // Lines 1, 3, 5 and 6 open a sentence; 2 and 4 go on with the one before.
    const bool opens = index != 1 && index != 3;
    if (opens != text.front().isUpper())
        problems << (opens ? "starts in lower case" : "starts in upper case");
    const QChar last = text.back();
    const QChar wantedEnd = index == 0 ? u',' : index == 2 ? QChar() : u'.';
    if (wantedEnd.isNull() ? !last.isLetter() : last != wantedEnd) problems << "ends wrongly";
    for (int w = 1; w < words.size(); ++w) {
        if (words.at(w - 1).endsWith(u'.') && !words.at(w).front().isUpper())
            problems << "sentence starts in lower case";
        if (words.at(w) == QStringLiteral("i")) problems << "the pronoun I in lower case";
    }
    return problems;
}

// The affirmation depends on the kin alone (its sign, tone, guide and mark), so the 260 kins stand
// for every day of a 52-year cycle.
using PackAffirmation = PackTest;

TEST_P(PackAffirmation, EveryKinReadsWellInEveryView) {
    PackWorkingFolder pack(language());
    DataState& data = pack.data;
    int reported = 0;
    for (int kin = 1; kin <= 260; ++kin) {
        const Affirmation raw =
            buildAffirmation(positionOfKin(kin), readBaseLineEachTime(data.folder));
        for (const Patterns& patterns :
             {kAffirmationCasePatterns, kDayAffirmationPatterns, kIzinAffirmationPatterns}) {
            for (int i = 0; i < 6; ++i) {
                const QString shaped = applyCasePattern(raw[i], patterns[i]);
                const QStringList problems = problemsOf(shaped, i, patterns[i]);
                if (!problems.isEmpty() && ++reported <= 20)
                    ADD_FAILURE() << "kin " << kin << " line " << i + 1 << " " << shaped << ": "
                                  << problems.join(", ");
            }
        }
    }
    EXPECT_EQ(reported, 0);
}

ORBISCA_FOR_EACH_PACK_LANGUAGE(PackAffirmation);

}  // namespace
}  // namespace orbisca::packtest
