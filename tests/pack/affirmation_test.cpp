// The affirmation of every kin, shaped by the letter-case patterns of
// the compact window, the day overview and the izin page, must read as finished sentences.
#include <QRegularExpression>
#include <array>
#include <gtest/gtest.h>
#include <set>

#include "calendar/calendar.h"
#include "calendar/oracle.h"
#include "data/affirmation.h"
#include "data/text_case.h"
#include "pack_files.h"

namespace orbisca::packtest {
namespace {

using Patterns = std::array<const char*, 6>;

constexpr Patterns kCompactPatterns{"Aaaaaaaaaa", "aaaaaaaaa", "Aaaaaaaaaa", "aaaaaaaaaaa",
                                    "Aaaaaaaaaaaa", "AaaaaAaaaaaaa"};
constexpr Patterns kDayViewPatterns{"Aaaaaaaaaaaa", "aaaaaaaaaaaa", "Aaaaaaaaaaaa",
                                    "aaaaaaaaaaaa", "Aaaaaaaaaaaa", "AaaaaAaaaaaaa"};
constexpr Patterns kIzinPatterns{"Aaaaaaaaaaaa", "aaaaaaaaaaaa", "Aaaaaaaaaaaa", "aaaaaaaaaaaa",
                                 "Aaaaaaaaaaaa", "AaaaaAaaaaaa"};

// Problems of one shaped line; empty when it reads well. `index` is the line number 0..5.
QStringList problemsOf(const QString& text, int index, const QString& pattern) {
    QStringList problems;
    if (index == 5 && text.isEmpty()) return problems;
    if (text.isEmpty()) return {QStringLiteral("empty")};
    if (text.contains(QStringLiteral("  "))) problems << "double blank";
    if (text.front() == u' ' || text.back() == u' ') problems << "blank at an end";
    if (text.contains(QRegularExpression(QStringLiteral(" [,.;:!?]")))) problems << "blank before punctuation";
    if (text.contains(QRegularExpression(QStringLiteral("[,.;:!?][^ ]")))) problems << "no blank after punctuation";
    const QStringList words = text.split(u' ');
    if (words.size() > pattern.size()) problems << "more words than the pattern shapes";
    // Lines 1, 3, 5 and 6 open a sentence; 2 and 4 go on with the one before.
    const bool opens = index != 1 && index != 3;
    if (opens != text.front().isUpper()) problems << (opens ? "starts in lower case" : "starts in upper case");
    const QChar last = text.back();
    const QChar wantedEnd = index == 0 ? u',' : index == 2 ? QChar() : u'.';
    if (wantedEnd.isNull() ? !last.isLetter() : last != wantedEnd) problems << "ends wrongly";
    for (int w = 1; w < words.size(); ++w) {
        if (words.at(w - 1).endsWith(u'.') && !words.at(w).front().isUpper()) problems << "sentence starts in lower case";
        if (words.at(w) == QStringLiteral("i")) problems << "the pronoun I in lower case";
    }
    return problems;
}

// The affirmation depends on the kin alone (its sign, tone, guide and mark), and a 52-year cycle
// of 18,980 days passes every kin 73 times: the 260 kins are the whole cycle.
TEST(PackAffirmation, EveryKinReadsWellInEveryView) {
    const PackWorkingFolder folder;
    std::set<int> kins;
    std::set<std::array<int, 4>> cases;  // sign, tone, guide, marked
    int reported = 0;
    for (int kin = 1; kin <= 260; ++kin) {
        const MayanDate p = positionOfKin(kin);
        const OracleInfo o = MakeOracle(p);
        kins.insert(p.kin);
        cases.insert({p.sign, p.tone, o.guide, o.markedKin});
        const Affirmation raw = loadaffirmation(p);
        for (const Patterns& patterns : {kCompactPatterns, kDayViewPatterns, kIzinPatterns}) {
            for (int i = 0; i < 6; ++i) {
                const QString pattern = QString::fromLatin1(patterns[i]);
                const QString shaped = CasePattern(raw[i], pattern);
                const QStringList problems = problemsOf(shaped, i, pattern);
                if (!problems.isEmpty() && ++reported <= 20)
                    ADD_FAILURE() << "kin " << p.kin << " line " << i + 1 << " \"" << shaped.toStdString()
                                  << "\": " << problems.join(", ").toStdString();
            }
        }
    }
    EXPECT_EQ(reported, 0);
    EXPECT_EQ(kins.size(), 260u);
    EXPECT_EQ(cases.size(), 260u);  // each kin is one combination of sign, tone, guide and mark
}

}  // namespace
}  // namespace orbisca::packtest
