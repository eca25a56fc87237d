#include <QDateTime>
#include <chrono>

#include "data/atomic_file.h"
#include "data/attributes.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

class ErrorLog : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        const QDateTime at(QDate(2024, 3, 5), QTime(14, 7, 9));
        const std::chrono::system_clock::time_point point{
            std::chrono::milliseconds(at.toMSecsSinceEpoch())};
        calendarState().clock = [point] { return point; };
    }
    QString senderOf(const QString& name) const {
        for (const QString& line : readLines(programFile(name)))
            if (line.startsWith("ERROR SENDER:")) return line;
        return "<no sender in " + name + ">";
    }
    QString programFile(const QString& name) const { return home.filePath("program/" + name); }
};

TEST_F(ErrorLog, PrintsTheWholeStateLineByLine) {
    // Values off their defaults, so that a field printed in the wrong place shows.
    CalendarState& calendar = calendarState();
    calendar.currentDate = {26, 7, 5, 2013};
    calendar.today = {1, 2, 3, 2024};
    calendar.currentPosition = GregorianToMayan(calendar.currentDate);
    CompactState& compact = compactState();
    compact.STATE = -100;
    compact.sym = 3;
    compact.moved = true;
    FullModeState& full = fullModeState();
    full.fmstate = 9;
    full.rx = 12;
    full.USEPB2 = true;
    full._newstate = 4;
    full.spin = -1;
    full.t2 = 5042950.5;
    full._pfont = 255;
    full.lasthint = "last hint";
    full._Export = true;
    full.phx = 330;
    full._GUIDE = true;
    Settings& s = settings();
    s._Yshine = true;
    s._Sfigure = true;
    s.glyphFont = "Glyphs";
    s._SFX = true;
    s._spconst = 10;

    EXPECT_TRUE(writeerror(102, "PAINTALL in orbisca", {"detail one", "", "detail three"}));
    const MayanDate& m = calendar.currentPosition;
    const QStringList expected = {"ERROR LOG",
                                  " ",
                                  "DATE & TIME:",
                                  "05.03.2024",
                                  "14:07:09",
                                  " ",
                                  "GREGORIAN SYSTEM:",
                                  "DAY:26",
                                  "MONTH:7",
                                  "YEAR:2013",
                                  "WEEK DAY:5",
                                  " ",
                                  "GREGORIAN TODAY:",
                                  "DAY:1",
                                  "MONTH:2",
                                  "YEAR:2024",
                                  "WEEK DAY:3",
                                  " ",
                                  "MAYAN SYSTEM:",
                                  QString("KIN:%1").arg(m.kin),
                                  QString("YEAR SIGN:%1").arg(m.yearSign),
                                  QString("YEAR TONE:%1").arg(m.yearTone),
                                  QString("CROMATIC:%1").arg(m.cromatic),
                                  QString("VINAL:%1").arg(m.vinal),
                                  QString("VINAL TONE:%1").arg(m.vinalTone),
                                  QString("WEEK NUMBER:%1").arg(m.weekNumber),
                                  "SIGN:4",
                                  "TONE:8",
                                  QString("PLASMA:%1").arg(m.plasma),
                                  "MONTH DAY:1",
                                  "MONTH:1",
                                  QString("MOON PHASE:%1").arg(m.moonPhase),
                                  " ",
                                  "ERROR SENDER:PAINTALL in orbisca",
                                  "ERROR CODE:102",
                                  " ",
                                  "SYSTEM VARIABLES:",
                                  "STATE:-100",
                                  "modeF:0",
                                  "xm:0",
                                  "ym:0",
                                  "sym:3",
                                  "move:N",
                                  "moved:Y",
                                  "closed:N",
                                  " ",
                                  "FULLMODE PARAMETERS:",
                                  "FULLMODE STATE:9",
                                  "rx:12",
                                  "pb2ys:0",
                                  "pb2yt:0",
                                  "DOTS:0",
                                  "DOTT:0",
                                  "DOTC:0",
                                  "USEPB2:Y",
                                  "rightallign:N",
                                  "_trc:0",
                                  "_newstate:4",
                                  "spin:-1",
                                  "t1:0",
                                  "t2:5042950.5",
                                  "_pfont:255",
                                  "_Yline:N",
                                  "_Yshine:Y",
                                  "_Yfigure:N",
                                  "_Sfigure:Y",
                                  "Glyphs",
                                  "_SFX:Y",
                                  "last hint",
                                  "_spconst:10",
                                  "_Swapbtn:N",
                                  "_Export:Y",
                                  "_TEXTGRAPHIC:Y",
                                  "_expstate:0",
                                  "_teldrawed:N",
                                  "phx:330",
                                  "phy:0",
                                  "_KIN:N",
                                  "_TONE:N",
                                  "_GUIDE:Y",
                                  "_ANALOG:N",
                                  "_ANTIPOD:N",
                                  "_ATEACHER:N",
                                  "_PLASM:N",
                                  " ",
                                  "LOCAL VARIABLES:",
                                  "detail one",
                                  "",
                                  "detail three",
                                  "",
                                  "",
                                  "",
                                  "",
                                  "",
                                  "",
                                  ""};
    const QStringList actual = readLines(programFile("errorlog1.err"));
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:102"});
}

TEST_F(ErrorLog, TakesTheSmallestFreeNumberAndWritesOneLogPerRun) {
    writeFile("program/errorlog1.err", "old");
    writeFile("program/errorlog2.err", "old");
    // The second error comes while the first message is shown (a message box runs a nested event
    // loop, in which a timer may fail once more): it gives a message, no log.
    int shown = 0;
    notifierState().show = [&](const QString&) {
        if (++shown == 1) writeerror(101, "DRAWSIGNP in orbisca");
    };
    EXPECT_TRUE(writeerror(103, "FILLPYR in orbisca"));
    EXPECT_EQ(senderOf("errorlog3.err"), "ERROR SENDER:FILLPYR in orbisca");
    EXPECT_FALSE(QFile::exists(programFile("errorlog4.err")));
    EXPECT_EQ(messages(), (QStringList{"ERROR! ERROR CODE:103", "ERROR! ERROR CODE:101"}));

    resetErrorLogState();  // the next run
    errorLogState().programFolder = home.filePath("program");
    QFile::remove(programFile("errorlog1.err"));
    EXPECT_TRUE(writeerror(104, "orbisca window"));
    EXPECT_EQ(senderOf("errorlog1.err"), "ERROR SENDER:orbisca window");
}

TEST_F(ErrorLog, FallsBackToTheWorkingFolderAndEndsOnlyWhenNoFolderTakesTheLog) {
    errorLogState().programFolder = home.filePath("no/such/folder");
    EXPECT_TRUE(writeerror(102, "PAINTALL in orbisca"));
    EXPECT_EQ(readLines(home.filePath("errorlog1.err")).value(0), "ERROR LOG");
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:102"});
    EXPECT_FALSE(notifierState().endRequested);

    resetErrorLogState();  // the next run, with no writable folder at all
    errorLogState().programFolder = home.filePath("no/such/folder");
    setWorkingFolder(home.filePath("gone"));
    int endedWith = 0;
    notifierState().endProgram = [&](int code) { endedWith = code; };
    EXPECT_FALSE(writeerror(101, "readtext in orbisca"));
    EXPECT_EQ(messages().last(), "FATAL ERROR! FILE ACCESS LOCKED! PROGRAMM WILL BE CLOSED.");
    EXPECT_EQ(endedWith, 1);
}

TEST_F(ErrorLog, LoadingLogListsTheCompletedSteps) {
    LoadingLog log;
    log.start(QDateTime(QDate(2024, 1, 1), QTime(9, 0, 1)));
    for (const char* step : kLoadingSteps) log.stepDone(step);
    log.finish(QDateTime(QDate(2024, 1, 1), QTime(9, 0, 2)));
    const QStringList lines = readLines(home.filePath("Loading.log"));
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines.first(), "StartTime=09:00:01");
    EXPECT_EQ(lines.last(), "EndTime=09:00:02");

    LoadingLog failed;  // the next start replaces the file
    failed.start(QDateTime(QDate(2024, 1, 1), QTime(9, 5, 0)));
    failed.stepDone("ControlsStyle");
    EXPECT_TRUE(failed.fail());
    EXPECT_EQ(readLines(home.filePath("Loading.log")),
              (QStringList{"StartTime=09:05:00", "ControlsStyle=ok", "ERROR!!!"}));
    EXPECT_EQ(senderOf("errorlog1.err"), "ERROR SENDER:orbisca window");
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:104"});
}

TEST_F(ErrorLog, EachLogLineReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    writeFile("Loading.log", "a previous start\nERROR!!!\n");
    LineLog log;
    log.start(home.filePath("Loading.log"));
    log.append("StartTime=10:00:00");
    EXPECT_EQ(readFile("Loading.log"),
              "StartTime=10:00:00\n");  // the previous start's log is gone at the first line
    log.append("ControlsStyle=ok");
    EXPECT_EQ(readFile("Loading.log"), "StartTime=10:00:00\nControlsStyle=ok\n");
    log.close();
    log.append("after closing");
    EXPECT_EQ(readFile("Loading.log"), "StartTime=10:00:00\nControlsStyle=ok\n");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList{"Loading.log"});

    LineLog nowhere;  // a folder that does not exist: skipped quietly
    nowhere.start(home.filePath("missing/Loading.log"));
    nowhere.append("StartTime=10:00:00");
    EXPECT_FALSE(QFile::exists(home.filePath("missing/Loading.log")));
}

using Attributes = WorkingFolderTest;

TEST_F(Attributes, ClearsTheReadOnlyMarkAndGivesOneMessage114WhenRefused) {
    const QStringList names = {"conf.dat", "HRCT.dat", "tech.dat"};
    auto markReadOnly = [&] {
        for (const QString& name : names)
            QFile::setPermissions(home.filePath(name), QFile::ReadOwner);
    };
    for (const QString& name : names + QStringList{"RGNS.dat"}) writeFile(name, "x");
    markReadOnly();
    EXPECT_TRUE(setattributes());
    for (const QString& name : names)
        EXPECT_TRUE(QFile::permissions(home.filePath(name)) & QFile::WriteOwner);
    EXPECT_TRUE(messages().isEmpty());

    markReadOnly();
    QStringList asked;
    EXPECT_FALSE(setattributes([&](const QString& path) {
        asked << QFileInfo(path).fileName();
        return false;
    }));
    EXPECT_EQ(asked, names);  // RGNS.dat is writable already: never asked
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:114"});
    EXPECT_FALSE(errorLogState().logWritten);
    EXPECT_TRUE(QDir(home.filePath("program")).isEmpty());
    EXPECT_FALSE(notifierState().endRequested);
}

}  // namespace
}  // namespace orbisca::testing
