#include "data/atomic_file.h"
#include "data/conf_file.h"
#include "data/data_error.h"
#include "data/donation_files.h"
#include "data/print_window_file.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

using AtomicFile = WorkingFolderTest;

TEST_F(AtomicFile, AWriteThatFailsHalfWayLeavesTheOldFileIntact) {
    writeFile("conf.dat", "old content\n");
    QString error;
    EXPECT_FALSE(writeFileAtomically(home.filePath("conf.dat"), [](QIODevice& out) {
        out.write("new con");
        return false;
    }, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeFileAtomically(home.filePath("conf.dat"), [](QIODevice& out) -> bool {
        out.write("new con");
        throw std::runtime_error("disk full");
    }, &error));
    EXPECT_TRUE(error.contains("disk full"));
    EXPECT_EQ(readFile("conf.dat"), "old content\n");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), (QStringList{"conf.dat"}));  // no temporary left
    EXPECT_FALSE(writeFileAtomically(home.filePath("missing/conf.dat"), QByteArray("x"), &error));
    EXPECT_TRUE(error.contains("missing/conf.dat"));
    EXPECT_TRUE(writeFileAtomically(home.filePath("conf.dat"), QByteArray("new\n")));
    EXPECT_EQ(readFile("conf.dat"), "new\n");
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
    EXPECT_TRUE(shown[0].startsWith("The configuration could not be saved.") && shown[0].contains("conf.dat"))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith("The print manager's settings could not be saved.") && shown[1].contains("WindWHP.dat"))
        << shown[1].toStdString();
    EXPECT_TRUE(shown[2].startsWith("The launch counter could not be saved.") && shown[2].contains("strt.dat"))
        << shown[2].toStdString();
    EXPECT_FALSE(notifierState().endRequested);
}

class ConfFile : public WorkingFolderTest {
protected:
    QStringList sample() const {
        return {"Y", "N", "Y", "N", "Y", "25", "Y", "Glyph Font", "2", "N", "Y", "N", "Y", "3", "0"};
    }
    ConfigModel model;
    Settings applied;
};

TEST_F(ConfFile, ReadsAndAppliesTheFifteenLines) {
    writeLines("conf.dat", sample(), "\r\n");
    EXPECT_EQ(load(model, applied), ConfigLoad::Loaded);
    EXPECT_TRUE(model.cb2 && !model.cb3 && model.cb4 && !model.cb5 && model.cb1 && model.cb6);
    EXPECT_EQ(model.sp, 25);
    EXPECT_EQ(model.glyphFont, "Glyph Font");
    EXPECT_TRUE(!model.cb7 && model.cb8 && !model.cb9 && model.cb10);
    EXPECT_EQ(applied._spconst, 25);
    EXPECT_TRUE(applied._Yshine && !applied._Yline && applied._Yfigure && !applied._Sfigure && applied._Swapbtn);
    EXPECT_EQ(applied.helppages, 2);
    EXPECT_EQ(applied.datefmt, 3);
    EXPECT_TRUE(applied.showgreg);
    EXPECT_TRUE(applied.moon_flag);
    EXPECT_TRUE(applied.greg_day && applied.three_turtles && !applied.greg_izin && !applied.greg_views);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ConfFile, YesIsExactlyUpperCaseY) {
    EXPECT_TRUE(stob("Y"));
    for (const char* text : {"y", "N", "", "Y ", "yes", "1"}) EXPECT_FALSE(stob(text)) << text;
    EXPECT_EQ(btos(true), "Y");
    EXPECT_EQ(btos(false), "N");
    QStringList lines = sample();
    lines[0] = "y";
    writeLines("conf.dat", lines);
    load(model, applied);
    EXPECT_FALSE(applied._Yshine);
}

TEST_F(ConfFile, TransitionsOffSaveTheSpeedButStopTheFade) {
    model.cb1 = false;
    model.sp = 25;
    assignv(model, applied);
    EXPECT_EQ(applied._spconst, 0);
    ASSERT_TRUE(save(model));
    const QStringList lines = QString::fromUtf8(readFile("conf.dat")).split('\n');
    EXPECT_EQ(lines.value(4), "N");
    EXPECT_EQ(lines.value(5), "25");
    EXPECT_EQ(lines.size(), 16);  // fifteen lines, each ended
}

TEST_F(ConfFile, DateFormatEntriesAndNothingChosen) {
    model.com1Index = 6;  // the seventh entry: no Gregorian date
    assignv(model, applied);
    EXPECT_FALSE(applied.showgreg);
    model.com1Index = -1;  // typed text or nothing chosen
    model.com2Index = -1;
    assignv(model, applied);
    EXPECT_TRUE(applied.showgreg);
    EXPECT_EQ(applied.datefmt, -1);
    EXPECT_FALSE(applied.moon_flag);

    model.com1Index = 6;
    ASSERT_TRUE(save(model));
    ConfigModel reread;
    EXPECT_EQ(load(reread, applied), ConfigLoad::Loaded);
    EXPECT_EQ(reread.com1Index, 6);
    EXPECT_EQ(reread.com2Index, -1);
    EXPECT_FALSE(applied.showgreg);

    // A file with -1 in both entry lines (as save writes it for typed texts) applies everything.
    QStringList lines = sample();
    lines[13] = "-1";
    lines[14] = "-1";
    writeLines("conf.dat", lines, "\r\n");
    Settings fresh;
    EXPECT_EQ(load(reread, fresh), ConfigLoad::Loaded);
    EXPECT_EQ(fresh.datefmt, -1);
    EXPECT_FALSE(fresh.moon_flag);
    EXPECT_EQ(fresh._spconst, 25);
    EXPECT_TRUE(fresh._Yshine && fresh.three_turtles);
    lines[14] = "-2";
    writeLines("conf.dat", lines);
    EXPECT_EQ(load(reread, fresh), ConfigLoad::Malformed);
    EXPECT_EQ(messages().last(), "conf.dat line 15: entry -2 is not in the list of 2");
}

TEST_F(ConfFile, SaveAndLoadRoundTrip) {
    writeLines("conf.dat", sample());
    load(model, applied);
    ASSERT_TRUE(save(model));
    EXPECT_EQ(QString::fromUtf8(readFile("conf.dat")), sample().join('\n') + '\n');
}

TEST_F(ConfFile, AMissingFileIsReportedAndTheModelApplied) {
    model.cb2 = true;
    EXPECT_EQ(load(model, applied), ConfigLoad::Missing);
    EXPECT_EQ(messages(), QStringList{"Error. Configuration file not exists!"});
    EXPECT_TRUE(applied._Yshine);
    EXPECT_EQ(model.sp, 10);
}

TEST_F(ConfFile, ABadNumberStopsTheReadingAndKeepsTheSettingsInForce) {
    applied._spconst = 7;
    applied.helppages = 4;
    QStringList lines = sample();
    lines[8] = "two";
    writeLines("conf.dat", lines);
    EXPECT_EQ(load(model, applied), ConfigLoad::Malformed);
    EXPECT_EQ(messages(), QStringList{"conf.dat line 9: \"two\" is not a whole number"});
    EXPECT_EQ(model.sp, 25);           // read before the bad line
    EXPECT_EQ(model.glyphFont, "Glyph Font");
    EXPECT_FALSE(model.cb8);           // after it: untouched
    EXPECT_EQ(applied._spconst, 7);    // assignv did not run
    EXPECT_EQ(applied.helppages, 4);

    lines = sample();
    lines[13] = "7";  // beyond the seven entries
    writeLines("conf.dat", lines);
    EXPECT_EQ(load(model, applied), ConfigLoad::Malformed);
    EXPECT_EQ(messages().last(), "conf.dat line 14: entry 7 is not in the list of 7");

    writeLines("conf.dat", sample().mid(0, 10));  // cut short: line 14 is empty
    EXPECT_EQ(load(model, applied), ConfigLoad::Malformed);
    EXPECT_EQ(messages().last(), "conf.dat line 14: \"\" is not a whole number");
}

TEST_F(ConfFile, ASpeedOutsideTheSpinRangeIsClamped) {
    QStringList lines = sample();
    lines[5] = "150";
    writeLines("conf.dat", lines);
    load(model, applied);
    EXPECT_EQ(model.sp, 99);
    lines[5] = "0";  // would stop the fade from ever ending
    writeLines("conf.dat", lines);
    load(model, applied);
    EXPECT_EQ(model.sp, 1);
    EXPECT_EQ(applied._spconst, 1);
}

using PrintWindowFile = WorkingFolderTest;

TEST_F(PrintWindowFile, RoundTripsTheValuesAndTheLastScript) {
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
    EXPECT_EQ(windowValueLines(values).size(), 22);
}

TEST_F(PrintWindowFile, FlagsAreTrueOnlyForExactlyOne) {
    QStringList lines = windowValueLines(PrintWindowValues{});
    lines[8] = "1 ";
    lines[9] = "Y";
    lines[11] = "1";
    lines[12] = "0";
    const PrintWindowValues v = parseWindowValues(lines);
    EXPECT_FALSE(v.easyMode);
    EXPECT_FALSE(v.textGraphic);
    EXPECT_TRUE(v.autoOptimize);
    EXPECT_FALSE(v.autoblur);
}

TEST_F(PrintWindowFile, AMissingFileGivesTheDefaultsSilently) {
    const PrintWindowFiles read = loadfsize();
    EXPECT_EQ(read.values, PrintWindowValues{});
    EXPECT_FALSE(read.lastScript.has_value());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PrintWindowFile, AMalformedFileNamesTheLineAndKeepsTheDefaults) {
    QStringList lines = windowValueLines(PrintWindowValues{});
    lines[0] = "1200";
    lines[2] = "left";
    writeLines("WindWHP.dat", lines, "\r\n");
    writeLines("~last.spt", {"FONT 12 -16 0 0 0 bld nrm Arial"}, "\r\n");
    PrintWindowFiles read = loadfsize();
    EXPECT_EQ(read.values, PrintWindowValues{});
    EXPECT_EQ(read.problem, "WindWHP.dat line 3: \"left\" is not a whole number; the default window settings are used");
    EXPECT_EQ(messages(), QStringList{read.problem});
    EXPECT_EQ(read.lastScript, QStringList{"FONT 12 -16 0 0 0 bld nrm Arial"});

    lines[2] = "10";
    lines[16] = "256";  // background blue
    writeLines("WindWHP.dat", lines);
    EXPECT_EQ(loadfsize().problem,
              "WindWHP.dat line 17: 256 is not a colour value from 0 to 255; the default window settings are used");
    lines[16] = "0";
    lines[21] = "0";  // canvas height
    writeLines("WindWHP.dat", lines);
    EXPECT_EQ(loadfsize().problem,
              "WindWHP.dat line 22: 0 is not a canvas side from 1 to 16384; the default window settings are used");
    lines[21] = "16385";  // a canvas no picture may have
    writeLines("WindWHP.dat", lines);
    EXPECT_TRUE(loadfsize().problem.startsWith("WindWHP.dat line 22: 16385 is not a canvas side"));
    lines[21] = "1024";
    lines[13] = "-2147483648";  // sample height
    writeLines("WindWHP.dat", lines);
    EXPECT_TRUE(loadfsize().problem.startsWith("WindWHP.dat line 14: -2147483648 is not a font height"));
    lines[13] = "16";

    writeLines("WindWHP.dat", lines.mid(0, 2));
    read = loadfsize();
    EXPECT_TRUE(read.problem.startsWith("WindWHP.dat line 3: the line is missing")) << read.problem.toStdString();
}

class LaunchFile : public WorkingFolderTest {
protected:
    QStringList counter() const {
        QStringList lines = QString::fromUtf8(readFile("strt.dat")).split('\n');
        if (lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
};

TEST_F(LaunchFile, TheFirstLaunchRemindsAndWritesNothing) {
    EXPECT_TRUE(countLaunch());
    EXPECT_TRUE(countLaunch());
    EXPECT_FALSE(QFile::exists(home.filePath("strt.dat")));
}

TEST_F(LaunchFile, RemindMeAfterFiveIsDueAtTheFifthLaunch) {
    ASSERT_TRUE(writeLaunchFile("5"));
    EXPECT_EQ(counter(), (QStringList{"1", "5"}));
    for (int launch = 1; launch <= 4; ++launch) {
        EXPECT_FALSE(countLaunch()) << launch;
        EXPECT_EQ(counter(), (QStringList{QString::number(1 + launch), QString::number(5 - launch)}));
    }
    EXPECT_TRUE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"6", "-1"}));
    EXPECT_FALSE(countLaunch());  // never again
    EXPECT_EQ(counter(), (QStringList{"7", "-1"}));
}

TEST_F(LaunchFile, ACountAbove20000RestartsAtTwo) {
    writeLines("strt.dat", {"20001", "-1"}, "\r\n");
    EXPECT_FALSE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"2", "-1"}));
    writeLines("strt.dat", {"20000", "3"});
    EXPECT_FALSE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"20001", "2"}));
}

TEST_F(LaunchFile, ADamagedCounterCountsAsAFirstLaunch) {
    writeLines("strt.dat", {"many", "-1"});
    EXPECT_TRUE(countLaunch());
    EXPECT_EQ(counter(), (QStringList{"many", "-1"}));
    writeFile("strt.dat", "");
    EXPECT_TRUE(countLaunch());
    EXPECT_TRUE(messages().isEmpty());
}

using DetailsFile = WorkingFolderTest;

TEST_F(DetailsFile, EncodedEntriesDecodeToTheSameList) {
    const QStringList entries = {"Account 40817 810", "", QString::fromUtf8("Получатель: ООО «Орбиска»"),
                                 "IBAN DE89 3704", QString::fromUtf8("Straße ÄÖÜ")};
    const QByteArray content = encodeDetails(entries);
    EXPECT_EQ(decodeDetails(content), entries);
    EXPECT_FALSE(content.contains("Account"));  // stored substituted
    writeFile("print.dat", content);
    EXPECT_EQ(readinfo(), entries);
}

QByteArray values(std::initializer_list<std::int32_t> list) {
    QByteArray bytes;
    for (std::int32_t v : list)
        for (int i = 0; i < 4; ++i) bytes += char((std::uint32_t(v) >> (8 * i)) & 0xFF);
    return bytes;
}

TEST_F(DetailsFile, MarksUpperCaseTheCharacterReadLast) {
    const QString plain = substituteDetails("ab", 'E');
    const QByteArray content = values({plain[0].unicode(), -7, plain[1].unicode(), -1, -1});
    EXPECT_EQ(decodeDetails(content), (QStringList{"Ab", ""}));
    EXPECT_EQ(decodeDetails(QByteArray()), QStringList{});
    EXPECT_EQ(substituteDetails(substituteDetails("xyz 1", 'E'), 'D'), "xyz 1");
    EXPECT_EQ(makecase("abcd", "UaU"), "AbCd");
}

TEST_F(DetailsFile, MalformedContentNamesTheFileAndTheByte) {
    auto errorOf = [](const QByteArray& content) {
        try {
            decodeDetails(content);
        } catch (const DataFileError& e) {
            return e.message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(errorOf(values({65, -1}) + QByteArray("\x01\x00\x00", 3)),
              "print.dat: the value at byte 8 is cut short (11 bytes are not a whole number of 4-byte values)");
    EXPECT_EQ(errorOf(values({65, 0x10000, -1})), "print.dat: value 65536 at byte 4 is not a character");
    EXPECT_EQ(errorOf(values({65, -1, -2, 66, -1})), "print.dat: the case mark at byte 8 follows no character of its entry");
    EXPECT_EQ(errorOf(values({-5})), "print.dat: the case mark at byte 0 follows no character of its entry");
    EXPECT_EQ(errorOf(values({65, -1, 66, 67})),
              "print.dat: the entry at byte 8 is not ended by -1 at the end of the file (byte 16)");
    writeFile("print.dat", values({65}));
    EXPECT_THROW(readinfo(), DataFileError);
    QDir(home.path()).remove("print.dat");
    try {
        readinfo();
        FAIL() << "no error for a missing file";
    } catch (const DataFileError& e) {
        EXPECT_TRUE(e.message().startsWith("print.dat: ")) << e.what();
    }
}

TEST_F(DetailsFile, ViewsReadEmptyTextWhereTheEntriesEnd) {
    QStringList entries;
    for (int i = 0; i < 60; ++i) entries << QString::number(i);
    EXPECT_EQ(detailEntry(entries, 0, 0), "0");
    EXPECT_EQ(detailEntry(entries, 1, 3), "23");
    EXPECT_EQ(detailEntry(entries, 3, 3), "59");
    EXPECT_EQ(detailEntry(entries, 3, 4), "");   // entry 60 is not there
    EXPECT_EQ(detailEntry(entries, 6, 0), "");   // base 65
    EXPECT_EQ(detailEntry(entries, 0, -1), "");
    EXPECT_EQ(detailEntry(entries, 7, 0), "");
    EXPECT_EQ(detailEntry({}, 2, 0), "");
    EXPECT_EQ(detailsBaseIndex(5), 62);
}

}  // namespace
}  // namespace orbisca::testing
