// SPDX-License-Identifier: GPL-3.0-or-later
// The pack's texts: the lines the program reads, no unfilled placeholder, whole affirmations.
#include <QRegularExpression>
#include <array>
#include <map>

#include "calendar/oracle.h"
#include "data/affirmation.h"
#include "data/day_words.h"
#include "data/text_case.h"
#include "pack_files.h"
#include "views/day_pages.h"
#include "views/kin_book.h"

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

// Every text file the working folder gets: share/ and its language packs as committed (the
// donation details in their text form included) and the tables the build makes; binary tables
// (holding NUL bytes) have no text to check.
QStringList textFilePaths() {
    QStringList paths;
    for (const PackLanguage& language : packLanguages()) {
        const QDir share = QFileInfo(packPath("BASE.KTX", language)).dir();
        for (const QString& name : share.entryList(QDir::Files, QDir::Name))
            if (name != QStringLiteral("README.md") && name != QStringLiteral("CMakeLists.txt"))
                paths << share.filePath(name);
    }
    for (const QString& name : generatedFileNames()) paths << ORBISCA_HOME_DIR "/" + name;
    return paths;
}

TEST(PackTexts, HoldNoTemplatePlaceholder) {
    const QRegularExpression placeholder(
        QStringLiteral(R"([{}]|%[-+#0]*\d*(\.\d+)?(l|ll|h)?[sdiufxXcgeEp]|%\d)"));
    int checked = 0;
    for (const QString& path : textFilePaths()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        if (bytes.contains('\0')) continue;
        ++checked;
        const QStringList lines = decodeText(bytes).split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QRegularExpressionMatch found = placeholder.match(lines[i]);
            EXPECT_FALSE(found.hasMatch())
                << QFileInfo(path).fileName().toStdString() << " line " << i + 1 << ": \""
                << found.captured().toStdString() << "\" in " << lines[i].toStdString();
        }
    }
    EXPECT_GE(checked, 15);  // the texts, tables and settings files were all found
}

// The colour and tone words agree with the seal: the sign's flag chooses between the first two
// forms, and the seals the pack names take its third (the neuter seals in Russian).
TEST(PackWords, ColourAndToneAgreeWithTheSeal) {
    const auto phrase = [](const PackLanguage& language, int kin) {
        PackWorkingFolder pack(language);
        const BaseLineReader line = readBaseLineEachTime(pack.data.folder);
        const OracleInfo o = makeOracle(positionOfKin(kin));
        return colourWord(o, line) + ' ' + toneWord(o, line) + ' ' + line(signNameLine(o.sign));
    };
    const PackLanguage& english = packLanguages().at(0);
    const PackLanguage& russian = packLanguages().at(1);
    EXPECT_EQ(phrase(english, 4), "Yellow Self-Existing Seed");
    EXPECT_EQ(phrase(english, 3), "Blue Electric Night");
    EXPECT_EQ(phrase(russian, 1), QString::fromUtf8("Красный Магнитный Дракон"));
    EXPECT_EQ(phrase(russian, 3), QString::fromUtf8("Синяя Электрическая Ночь"));
    EXPECT_EQ(phrase(russian, 4), QString::fromUtf8("Жёлтое Самосуществующее Семя"));
    EXPECT_EQ(phrase(russian, 18), QString::fromUtf8("Белое Обертонное Зеркало"));
    EXPECT_EQ(phrase(russian, 260), QString::fromUtf8("Жёлтое Космическое Солнце"));
    // The tone page's heading joins the moon's stem and an ending: each tone's word, whole.
    for (const PackLanguage& language : {english, russian}) {
        PackWorkingFolder pack(language);
        const BaseLineReader line = readBaseLineEachTime(pack.data.folder);
        for (int tone = 1; tone <= 13; ++tone)
            EXPECT_EQ(line(moonNameLine(tone)) + line(toneTextsEnd(tone)), line(103 + tone))
                << language.code << " tone " << tone;
    }
}

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
