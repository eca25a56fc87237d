#include <sys/stat.h>

#include "data/atomic_file.h"
#include "data/donation_files.h"
#include "data/print_window_file.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

using AtomicFile = WorkingFolderTest;

TEST_F(AtomicFile, AWriteThatFailsHalfWayLeavesTheOldFileIntact) {
    writeFile("conf.dat", "old content\n");
    QString error;
    EXPECT_FALSE(writeFileAtomically(
        home.filePath("conf.dat"),
        [](QIODevice& out) {
            out.write("new con");
            return false;
        },
        &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeFileAtomically(
        home.filePath("conf.dat"),
        [](QIODevice& out) -> bool {
            out.write("new con");
            throw std::runtime_error("disk full");
        },
        &error));
    EXPECT_TRUE(error.contains("disk full"));
    EXPECT_EQ(readFile("conf.dat"), "old content\n");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files),
              (QStringList{"conf.dat"}));  // no temporary left
    EXPECT_FALSE(writeFileAtomically(home.filePath("missing/conf.dat"), QByteArray("x"), &error));
    EXPECT_TRUE(error.contains("missing/conf.dat"));
}

TEST_F(AtomicFile, APipeOrDeviceIsRefusedNotReplaced) {
    const QString pipe = home.filePath("feed.ics");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QString error;
    EXPECT_FALSE(writeFileAtomically(pipe, QByteArray("x"), &error));
    EXPECT_TRUE(error.contains("not a regular file")) << error;
    EXPECT_FALSE(QFileInfo(pipe).isFile()) << "the pipe was replaced";
}

TEST_F(AtomicFile, EverySettingsSaveThatFailsSaysSoNamingTheFile) {
    // A folder where the file should be: the rename fails, even for a user who may write anywhere.
    for (const char* name : {"conf.dat", "WindWHP.dat", "~last.spt", "strt.dat"})
        ASSERT_TRUE(QDir(home.path()).mkdir(name));
    EXPECT_FALSE(save(ConfigModel{}));
    EXPECT_FALSE(savefsize(PrintWindowValues{}, {"TEXT 1 1 rgt 'x'"}));
    EXPECT_FALSE(writeLaunchFile("5"));
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 3);
    const std::pair<const char*, const char*> expected[] = {
        {"The configuration could not be saved.", "conf.dat"},
        {"The print manager's settings could not be saved.", "WindWHP.dat"},
        {"The launch counter could not be saved.", "strt.dat"}};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(shown[i].startsWith(expected[i].first) && shown[i].contains(expected[i].second))
            << shown[i];
    EXPECT_FALSE(notifierState().endRequested);
}

class ConfFile : public WorkingFolderTest {
protected:
    const QStringList sample = {"Y", "N", "Y", "N", "Y", "25", "Y", "Glyph Font",
                                "2", "N", "Y", "N", "Y", "3",  "0"};
    // The sample with line `number` (from 1) replaced.
    QStringList sampleWith(int number, const QString& text) const {
        QStringList lines = sample;
        lines[number - 1] = text;
        return lines;
    }
    ConfigModel model;
    Settings applied;
};

TEST_F(ConfFile, ReadsAppliesAndWritesBackTheFifteenLines) {
    writeLines("conf.dat", sample, "\r\n");
    EXPECT_EQ(load(model, applied), ConfigLoad::Loaded);
    EXPECT_EQ(applied._spconst, 25);
    EXPECT_TRUE(applied._Yshine && !applied._Yline && applied._Yfigure && !applied._Sfigure &&
                applied._Swapbtn);
    EXPECT_EQ(applied.glyphFont, "Glyph Font");
    EXPECT_EQ(applied.helppages, 2);
    EXPECT_TRUE(!applied.greg_izin && applied.greg_day && !applied.greg_views &&
                applied.three_turtles);
    EXPECT_EQ(applied.datefmt, 3);
    EXPECT_TRUE(applied.showgreg && applied.moon_flag);
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_TRUE(save(model));
    EXPECT_EQ(QString::fromUtf8(readFile("conf.dat")), sample.join('\n') + '\n');
    EXPECT_TRUE(stob("Y"));
    for (const char* text : {"y", "N", "", "Y ", "yes", "1"}) EXPECT_FALSE(stob(text)) << text;
}

TEST_F(ConfFile, TransitionsOffAndNothingChosenAreSavedReadBackAndApplied) {
    model.cb1 = false;  // transitions off: the speed is kept but the fade stops
    model.sp = 25;
    model.cb2 = true;
    model.com1Index = model.com2Index = -1;  // typed text or nothing chosen
    ASSERT_TRUE(save(model));
    EXPECT_EQ(readLines(home.filePath("conf.dat")).mid(4, 2), (QStringList{"N", "25"}));
    ConfigModel reread;
    EXPECT_EQ(load(reread, applied), ConfigLoad::Loaded);
    EXPECT_EQ(reread, model);
    EXPECT_EQ(applied._spconst, 0);
    EXPECT_TRUE(applied.showgreg && applied._Yshine);
    EXPECT_EQ(applied.datefmt, -1);
    EXPECT_FALSE(applied.moon_flag);
    model.com1Index = 6;  // the seventh entry: no Gregorian date
    assignv(model, applied);
    EXPECT_FALSE(applied.showgreg);
}

TEST_F(ConfFile, AMissingFileIsReportedAndABadLineKeepsTheSettingsInForce) {
    model.cb2 = true;
    EXPECT_EQ(load(model, applied), ConfigLoad::Missing);
    EXPECT_EQ(messages(), QStringList{"Error. Configuration file not exists!"});
    EXPECT_TRUE(applied._Yshine);  // the model applied as it stands

    applied._spconst = 7;
    writeLines("conf.dat", sampleWith(9, "two"));
    EXPECT_EQ(load(model, applied), ConfigLoad::Malformed);
    EXPECT_EQ(messages().last(), "conf.dat line 9: \"two\" is not a whole number");
    EXPECT_EQ(model.glyphFont, "Glyph Font");  // read before the bad line
    EXPECT_FALSE(model.cb8);                   // after it: untouched
    EXPECT_EQ(applied._spconst, 7);            // assignv did not run

    const std::pair<QStringList, const char*> cases[] = {
        {sampleWith(14, "7"), "conf.dat line 14: entry 7 is not in the list of 7"},
        {sampleWith(15, "-2"), "conf.dat line 15: entry -2 is not in the list of 2"},
        {sample.mid(0, 10), "conf.dat line 14: \"\" is not a whole number"}};  // cut short
    for (const auto& [lines, message] : cases) {
        writeLines("conf.dat", lines);
        EXPECT_EQ(load(model, applied), ConfigLoad::Malformed) << message;
        EXPECT_EQ(messages().last(), message);
    }
}

TEST_F(ConfFile, ASpeedOutsideTheSpinRangeIsClamped) {
    writeLines("conf.dat", sampleWith(6, "150"));
    load(model, applied);
    EXPECT_EQ(model.sp, 99);
    writeLines("conf.dat", sampleWith(6, "0"));  // would stop the fade from ever ending
    load(model, applied);
    EXPECT_EQ(applied._spconst, 1);
}

using PrintWindowFile = WorkingFolderTest;

TEST_F(PrintWindowFile, RoundTripsTheValuesAndTheLastScript) {
    EXPECT_EQ(loadfsize().values, PrintWindowValues{});  // missing files: the defaults, silently
    EXPECT_TRUE(messages().isEmpty());
    PrintWindowValues values;
    values.width = 1024;
    values.top = -5;
    values.easyMode = false;
    values.blackWhite = true;
    values.backGreen = 12;
    values.canvasHeight = 7016;
    const QStringList script = {"[Sign info script]", "TEXT 20 0 rgt 'x'", ""};
    ASSERT_TRUE(savefsize(values, script));
    const PrintWindowFiles read = loadfsize();
    EXPECT_EQ(read.values, values);
    EXPECT_EQ(read.lastScript, script);
    EXPECT_TRUE(read.problem.isEmpty());

    QStringList lines =
        windowValueLines(PrintWindowValues{});  // flags are true only for exactly "1"
    lines[8] = "1 ";
    lines[9] = "Y";
    lines[11] = "1";
    lines[12] = "0";
    const PrintWindowValues v = parseWindowValues(lines);
    EXPECT_FALSE(v.easyMode || v.textGraphic || v.autoblur);
    EXPECT_TRUE(v.autoOptimize);
}

TEST_F(PrintWindowFile, AMalformedFileNamesTheLineAndKeepsTheDefaults) {
    QStringList lines = windowValueLines(PrintWindowValues{});
    lines[0] = "1200";
    lines[2] = "left";
    writeLines("WindWHP.dat", lines, "\r\n");
    writeLines("~last.spt", {"FONT 12 -16 0 0 0 bld nrm Arial"}, "\r\n");
    const PrintWindowFiles read = loadfsize();
    EXPECT_EQ(read.values, PrintWindowValues{});
    EXPECT_EQ(
        read.problem,
        "WindWHP.dat line 3: \"left\" is not a whole number; the default window settings are used");
    EXPECT_EQ(messages(), QStringList{read.problem});
    EXPECT_EQ(read.lastScript, QStringList{"FONT 12 -16 0 0 0 bld nrm Arial"});

    const struct {
        int line;
        const char* value;
        const char* problem;
    } cases[] = {
        {17, "256",
         "WindWHP.dat line 17: 256 is not a colour value from 0 to 255; the default"},  // background
                                                                                        // blue
        {22, "0", "WindWHP.dat line 22: 0 is not a canvas side from 1 to 16384; the default"},
        {22, "16385",
         "WindWHP.dat line 22: 16385 is not a canvas side"},  // a canvas no picture may have
        {14, "-2147483648",
         "WindWHP.dat line 14: -2147483648 is not a font height"}};  // sample height
    for (const auto& c : cases) {
        QStringList bad = windowValueLines(PrintWindowValues{});
        bad[c.line - 1] = c.value;
        writeLines("WindWHP.dat", bad);
        const QString problem = loadfsize().problem;
        EXPECT_TRUE(problem.startsWith(c.problem)) << problem;
    }
    writeLines("WindWHP.dat", lines.mid(0, 2));
    EXPECT_TRUE(loadfsize().problem.startsWith("WindWHP.dat line 3: the line is missing"));
}

class LaunchFile : public WorkingFolderTest {
protected:
    QStringList counter() const { return readLines(home.filePath("strt.dat")); }
};

TEST_F(LaunchFile, RemindMeAfterFiveIsDueAtTheFifthLaunchAndTheCountWraps) {
    ASSERT_TRUE(writeLaunchFile("5"));
    EXPECT_EQ(counter(), (QStringList{"1", "5"}));
    for (int launch = 1; launch <= 4; ++launch) {
        EXPECT_FALSE(countLaunch()) << launch;
        EXPECT_EQ(counter(),
                  (QStringList{QString::number(1 + launch), QString::number(5 - launch)}));
    }
    EXPECT_TRUE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"6", "-1"}));
    EXPECT_FALSE(countLaunch());  // never again
    EXPECT_EQ(counter(), (QStringList{"7", "-1"}));

    writeLines("strt.dat", {"20001", "-1"}, "\r\n");  // a count above 20000 restarts at two
    EXPECT_FALSE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"2", "-1"}));
    writeLines("strt.dat", {"20000", "3"});
    EXPECT_FALSE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"20001", "2"}));
}

TEST_F(LaunchFile, NoOrADamagedCounterIsAFirstLaunch) {
    EXPECT_TRUE(countLaunch());
    EXPECT_FALSE(QFile::exists(home.filePath("strt.dat")));  // written only by "Remind me after"
    writeLines("strt.dat", {"many", "-1"});
    EXPECT_TRUE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"many", "-1"}));
    writeFile("strt.dat", "");
    EXPECT_TRUE(countLaunch());
    EXPECT_TRUE(messages().isEmpty());
}

// Signed 32-bit little-endian values, as "print.dat" holds them.
QByteArray values(std::initializer_list<std::int32_t> list) {
    QByteArray bytes;
    for (std::int32_t v : list)
        for (int i = 0; i < 4; ++i) bytes += char((std::uint32_t(v) >> (8 * i)) & 0xFF);
    return bytes;
}

using DetailsFile = WorkingFolderTest;

TEST_F(DetailsFile, EncodedEntriesDecodeToTheSameList) {
    const QStringList entries = {"Account 40817 810", "",
                                 QString::fromUtf8("Получатель: ООО «Орбиска»"),
                                 QString::fromUtf8("Straße ÄÖÜ")};
    const QByteArray content = encodeDetails(entries);
    EXPECT_FALSE(content.contains("Account"));  // stored substituted
    writeFile("print.dat", content);
    EXPECT_EQ(readinfo(), entries);
    // A case mark upper-cases the character read last.
    const QString plain = substituteDetails("ab", 'E');
    EXPECT_EQ(decodeDetails(values({plain[0].unicode(), -7, plain[1].unicode(), -1, -1})),
              (QStringList{"Ab", ""}));
    EXPECT_EQ(makecase("abcd", "UaU"), "AbCd");
}

TEST_F(DetailsFile, MalformedContentNamesTheFileAndTheByte) {
    const std::pair<QByteArray, const char*> cases[] = {
        {values({65, -1}) + QByteArray("\x01\x00\x00", 3),
         "print.dat: the value at byte 8 is cut short (11 bytes are not a whole number of 4-byte "
         "values)"},
        {values({65, 0x10000, -1}), "print.dat: value 65536 at byte 4 is not a character"},
        {values({65, -1, -2, 66, -1}),
         "print.dat: the case mark at byte 8 follows no character of its entry"},
        {values({-5}), "print.dat: the case mark at byte 0 follows no character of its entry"},
        {values({65, -1, 66, 67}),
         "print.dat: the entry at byte 8 is not ended by -1 at the end of the file (byte 16)"}};
    for (const auto& [content, message] : cases)
        EXPECT_EQ(errorOf([&] { decodeDetails(content); }), message);
    EXPECT_TRUE(errorOf(readinfo).startsWith("print.dat: "));  // missing
}

TEST(DetailEntries, ViewsReadEmptyTextWhereTheEntriesEnd) {
    QStringList entries;
    for (int i = 0; i < 60; ++i) entries << QString::number(i);
    const struct {
        int option, line;
        const char* text;
    } cases[] = {{0, 0, "0"}, {1, 3, "23"}, {3, 3, "59"}, {3, 4, ""} /* entry 60 */,
                 {6, 0, ""},  {0, -1, ""},  {7, 0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(detailEntry(entries, c.option, c.line), c.text) << c.option << " " << c.line;
    EXPECT_EQ(detailEntry({}, 2, 0), "");
}

}  // namespace
}  // namespace orbisca::testing
