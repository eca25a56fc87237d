// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include "data/atomic_file.h"
#include "data/donation_files.h"
#include "data/print_window_file.h"
#include "data/text_file.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

using AtomicFile = WorkingFolderTest;

TEST_F(AtomicFile, AWriteThatFailsHalfWayLeavesTheOldFileIntact) {
    writeFile("conf.dat", "old content\n");
    QString error;
    const auto failing = [](QIODevice& out) { return out.write("new con") < 0; };
    EXPECT_FALSE(writeFileAtomically(home.filePath("conf.dat"), failing, &error));
    EXPECT_FALSE(error.isEmpty());
    const auto throwing = [](QIODevice& out) -> bool {
        out.write("new con");
        throw std::runtime_error("disk full");
    };
    EXPECT_FALSE(writeFileAtomically(home.filePath("conf.dat"), throwing, &error));
    EXPECT_TRUE(error.contains("disk full"));
    EXPECT_EQ(readFile("conf.dat"), "old content\n");
    EXPECT_EQ(QDir(home.path()).entryList({"conf.dat*"}, QDir::Files),
              (QStringList{"conf.dat"}));  // no temporary left
    EXPECT_FALSE(writeFileAtomically(home.filePath("missing/conf.dat"), QByteArray("x"), &error));
    EXPECT_TRUE(error.contains("missing/conf.dat"));
}

class ConfFile : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        for (int page = 1; page <= 4; ++page) writeLines(QString("hlp%1.ktx").arg(page), {"help"});
    }
    const QStringList sample = {"Y", "N", "Y", "N", "Y", "25", "Y", "Glyph Font",
                                "2", "N", "Y", "N", "Y", "3",  "0"};
    // The sample with line `number` (from 1) replaced.
    QStringList sampleWith(int number, const QString& text) const {
        QStringList lines = sample;
        lines[number - 1] = text;
        return lines;
    }
};

TEST_F(ConfFile, ReadsAndWritesBackTheFifteenLines) {
    writeLines("conf.dat", sample, "\r\n");
    EXPECT_EQ(loadSettings(data), ConfigLoad::Loaded);
    const Settings& s = data.settings;
    EXPECT_EQ(s.fadeSteps(), 25);
    EXPECT_TRUE(s.yearShine && !s.yearLine && s.yearDayIcon && !s.castleDayIcon && s.swapDayKeys);
    EXPECT_EQ(s.glyphFont, "Glyph Font");
    EXPECT_EQ(s.helpPages, 2);
    EXPECT_TRUE(!s.gregorianOnKinBook && s.gregorianOnDay && !s.gregorianInViews && s.threeTurtles);
    EXPECT_EQ(s.dateLayout(), 3);
    EXPECT_TRUE(s.showsGregorian() && !s.southernMoon());
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_TRUE(saveSettings(data, s));
    EXPECT_EQ(QString::fromUtf8(readFile("conf.dat")), sample.join('\n') + '\n');
}

// Our own lines follow the fifteen and are written only as far as one is set: a file of an older
// version is written back as it was, and a line 16 written by a newer version is kept.
TEST_F(ConfFile, OurOwnLinesFollowTheFifteenOnlyWhenSet) {
    writeLines("conf.dat", sample);
    ASSERT_EQ(loadSettings(data), ConfigLoad::Loaded);
    EXPECT_FALSE(data.settings.showInTray || data.settings.notifyNewDay ||
                 data.settings.startWithDesktop);
    data.settings.notifyNewDay = true;
    ASSERT_TRUE(saveSettings(data, data.settings));
    EXPECT_EQ(QString::fromUtf8(readFile("conf.dat")),
              (sample + QStringList{"", "N", "Y"}).join('\n') + '\n');
    data.settings = Settings{};
    data.confRead = ConfReadMemory{};
    writeLines("conf.dat", sample + QStringList{"ru"});
    ASSERT_EQ(loadSettings(data), ConfigLoad::Loaded);
    ASSERT_TRUE(saveSettings(data, data.settings));
    EXPECT_EQ(QString::fromUtf8(readFile("conf.dat")),
              (sample + QStringList{"ru"}).join('\n') + '\n');
}

// Help pages are kept to the help files that exist, the fade's steps to 1..99 (no step would
// stop the fade from ever ending).
TEST_F(ConfFile, NumbersOutsideTheirRangeAreKeptInIt) {
    const std::tuple<int, const char*, int> cases[] = {{9, "2", 2},     {9, "0", 0}, {9, "9", 4},
                                                       {9, "-5", 0},    {6, "0", 1}, {6, "150", 99},
                                                       {9, "100000", 4}};
    for (const auto& [number, line, value] : cases) {
        writeLines("conf.dat", sampleWith(number, line));
        loadSettings(data);
        EXPECT_EQ(number == 9 ? data.settings.helpPages : data.settings.fadeSteps(), value)
            << "line " << number << ": " << line;
    }
    ASSERT_TRUE(QFile::remove(home.filePath("hlp3.ktx")));  // pages 1 and 2 only, one after another
    EXPECT_EQ(limitHelpPages(data.folder, 4), 2);
}

TEST_F(ConfFile, SettingsAreSetByNameInTheFilesForm) {
    Settings s;
    EXPECT_TRUE(applySetting(s, "greg_day", "Y"));
    EXPECT_TRUE(applySetting(s, "transition", "N"));
    EXPECT_TRUE(applySetting(s, "speed", "500"));
    EXPECT_TRUE(s.gregorianOnDay && !s.useTransition);
    EXPECT_EQ(s.transitionSpeed, 99);
    QString error;
    EXPECT_FALSE(applySetting(s, "speed", "fast", &error));
    EXPECT_EQ(error, "speed: \"fast\" is not a whole number");
    EXPECT_FALSE(applySetting(s, "date_format", "9"));
}

using PrintWindowFile = WorkingFolderTest;

// (Round trips and every range are checked on any content by the WindWHP.dat fuzz target.)
TEST_F(PrintWindowFile, ABadLineIsNamedAndTakesItsDefaultWhileTheOthersAreKept) {
    PrintWindowValues stored;
    stored.width = 1200;
    stored.backRed = 10;
    stored.canvasWidth = 2000;
    QStringList lines = windowValueLines(stored);
    lines[2] = "left\x1b]0;T\x07";  // shown escaped, line breaks of the message kept
    lines[15] = "300";
    writeLines("WindWHP.dat", lines, "\r\n");
    writeLines("~last.spt", {"FONT 12 -16 0 0 0 bld nrm Arial"}, "\r\n");
    const PrintWindowFiles read = loadPrintWindowFiles(data);
    PrintWindowValues expected = stored;
    expected.backGreen = PrintWindowValues{}.backGreen;  // line 16; line 3 is the default already
    EXPECT_EQ(read.values, expected);
    EXPECT_EQ(read.problem,
              "WindWHP.dat line 3: \"left\x1b]0;T\x07\" is not a whole number\n"
              "WindWHP.dat line 16: 300 is not a colour value from 0 to 255\n"
              "The other lines are kept; the lines named take their defaults.");
    EXPECT_EQ(messages(), QStringList{escapeControlCharacters(read.problem, true)});
    EXPECT_TRUE(messages()[0].contains("\"left\\x1b]0;T\\x07\" is not a whole number\nWindWHP"));
    EXPECT_EQ(read.lastScript, QStringList{"FONT 12 -16 0 0 0 bld nrm Arial"});
    writeLines("WindWHP.dat", lines.mid(0, 2));
    const PrintWindowFiles shortFile = loadPrintWindowFiles(data);
    EXPECT_TRUE(shortFile.problem.startsWith("WindWHP.dat line 3: the line is missing"));
    EXPECT_EQ(shortFile.values.width, 1200);
}

using DetailsFile = WorkingFolderTest;

TEST_F(DetailsFile, EncodedEntriesDecodeToTheSameList) {
    const QStringList entries = {"Account 40817 810", "",
                                 QString::fromUtf8("Получатель: ООО «Орбиска»"),
                                 QString::fromUtf8("Straße ÄÖÜ")};
    const QByteArray content = encodeDetails(entries);
    EXPECT_FALSE(content.contains("Account"));  // stored substituted
    writeFile("print.dat", content);
    EXPECT_EQ(readDonationDetails(data.folder), entries);
    // A case mark upper-cases the character read last.
    const QString plain = substituteDetails("ab", 'E');
    EXPECT_EQ(decodeDetails(printValues({plain[0].unicode(), -7, plain[1].unicode(), -1, -1})),
              (QStringList{"Ab", ""}));
    EXPECT_EQ(upperCaseMarked("abcd", "UaU"), "AbCd");
    // Characters beyond U+FFFF are characters too, stored whole or as two halves.
    const QString wide = QString::fromUcs4(U"\U0001F319 moon");
    EXPECT_EQ(decodeDetails(encodeDetails({wide})), QStringList{wide});
    const DetailsReading whole = readDetailsAsFarAsValid(
        printValues({std::int32_t(U'\U0001F319' ^ 0x15), 0x78 ^ 0x15, -2, -1}));
    EXPECT_EQ(whole.entries, QStringList{wide.left(2) + "X"});
    EXPECT_TRUE(whole.problem.isEmpty());
}

}  // namespace
}  // namespace orbisca::testing
