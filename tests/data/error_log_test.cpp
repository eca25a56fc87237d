// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDateTime>
#include <chrono>
#include <memory>

#include "data/atomic_file.h"
#include "data/attributes.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

class ErrorLog : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        const QDateTime at(QDate(2024, 3, 5), QTime(14, 7, 9));
        const std::chrono::system_clock::time_point point{
            std::chrono::milliseconds(at.toMSecsSinceEpoch())};
        data.day.setClock([point] { return point; });
    }
    QString senderOf(const QString& name) const {
        for (const QString& line : readLines(programFile(name)))
            if (line.startsWith("ERROR SENDER:")) return line;
        return "<no sender in " + name + ">";
    }
    QString programFile(const QString& name) const { return home.filePath("program/" + name); }
};

// The windows' values and the settings in force, off their defaults so that a field printed in
// the wrong place shows; the log must match the checked-in sample byte for byte.
TEST_F(ErrorLog, WritesTheStateOfTheProgramAsTheSampleLog) {
    data.day.setToday({1, 2, 3, 2024});
    data.day.setDate({26, 7, 5, 2013});
    Settings& s = data.settings;
    s.yearShine = true;
    s.castleDayIcon = true;
    s.glyphFont = "Glyphs";
    s.useTransition = true;
    s.transitionSpeed = 10;
    auto source = std::make_unique<ErrorLogSource>(data.errorLog, [] {
        return LogValues{{LogField::CompactPhase, -100LL},
                         {LogField::HintShown, 3LL},
                         {LogField::PressUsed, true},
                         {LogField::FullMode, 9LL},
                         {LogField::OriginX, 12LL},
                         {LogField::DrawIntoYearBuffer, true},
                         {LogField::RequestedMode, 4LL},
                         {LogField::FadeStepsLeft, -1LL},
                         {LogField::TickTime, 5042950.5},
                         {LogField::LastExportFont, 255LL},
                         {LogField::LastHint, QString("last hint")},
                         {LogField::Exporting, true},
                         {LogField::ExportAsGlyphText, true},
                         {LogField::PressX, 330LL},
                         {LogField::DrawingGuide, true}};
    });

    reportError(data, 102, "PAINTALL in orbisca", {"detail one", "", "detail three"},
                "why it failed");
    QFile sample(ORBISCA_SOURCE_DIR "/tests/data/sample_error.log");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    EXPECT_EQ(readFile("program/errorlog1.err"),
              sample.readAll() + " \nWORKING FOLDER:" + data.folder.path().toUtf8() + "\n");
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:102\nwhy it failed"});

    // A window that is gone lends nothing: its lines fall back to 0, N and empty.
    source.reset();
    const QStringList lines = errorLogLines(data, 102, "", {}, QDateTime());
    EXPECT_TRUE(lines.contains("STATE:0") && lines.contains("_GUIDE:N") && lines.contains("t2:0"));
}

// At the edge of a handler: a FatalError keeps its own code and details, any other exception
// takes the handler's; one message each, with the reason, and the program asked to end.
TEST_F(ErrorLog, AFailureAtAHandlersEdgeIsReportedWithItsReasonAndEndsTheProgram) {
    EXPECT_TRUE(reportFailures(data, 102, "PAINTALL in orbisca", [] {}));
    EXPECT_FALSE(reportFailures(data, 102, "PAINTALL in orbisca", [] {
        throw FatalError(101, "readtext in orbisca", {"filename:BASE.KTX"}, "BASE.KTX: missing");
    }));
    EXPECT_FALSE(reportFailures(data, 102, "PAINTALL in orbisca",
                                [] { throw std::runtime_error("the moon does not fit"); }));
    EXPECT_EQ(messages(), (QStringList{"ERROR! ERROR CODE:101\nBASE.KTX: missing",
                                       "ERROR! ERROR CODE:102\nthe moon does not fit"}));
    EXPECT_EQ(data.notifier.exitCode, 1);
    const QStringList log = readLines(programFile("errorlog1.err"));
    EXPECT_TRUE(log.contains("ERROR SENDER:readtext in orbisca"));
    EXPECT_EQ(log.mid(log.indexOf("LOCAL VARIABLES:") + 1, 3),
              (QStringList{"filename:BASE.KTX", "BASE.KTX: missing", ""}));
}

TEST_F(ErrorLog, TakesTheSmallestFreeNumberAndWritesOneLogPerRun) {
    writeFile("program/errorlog1.err", "old");
    writeFile("program/errorlog2.err", "old");
    // The second error comes while the first message is shown (a message box runs a nested event
    // loop, in which a timer may fail once more): it gives a message, no log.
    int shown = 0;
    data.notifier.show = [&](const QString&) {
        if (++shown == 1) reportFatal(data, 101, kSenderPanelPicture, {}, "");
    };
    reportFatal(data, 103, kSenderPanelFace, {}, "");
    EXPECT_EQ(senderOf("errorlog3.err"), QStringLiteral("ERROR SENDER:") + kSenderPanelFace);
    EXPECT_FALSE(QFile::exists(programFile("errorlog4.err")));
    EXPECT_EQ(messages(), (QStringList{"ERROR! ERROR CODE:103", "ERROR! ERROR CODE:101"}));

    data.errorLog.logWritten = false;  // the next run
    data.errorLog.programFolder = home.filePath("program");
    QFile::remove(programFile("errorlog1.err"));
    reportError(data, 104, "orbisca window", {}, "");
    EXPECT_EQ(senderOf("errorlog1.err"), "ERROR SENDER:orbisca window");
}

// An installed program (no build tree around its folder) writes no log into its own folder, even
// when it may (as root): the working folder takes it, else the user's state folder.
TEST_F(ErrorLog, AnInstalledProgramLogsIntoTheWorkingFolderOrTheStateFolderOnly) {
    QFile::remove(home.filePath("CMakeCache.txt"));
    qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
    reportError(data, 102, "PAINTALL in orbisca", {}, "");
    EXPECT_EQ(readLines(home.filePath("errorlog1.err")).value(0), "ERROR LOG");
    EXPECT_TRUE(QDir(home.filePath("program")).isEmpty());
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:102"});
    EXPECT_FALSE(data.notifier.endRequested);

    data.errorLog.logWritten = false;  // the next run, on a working folder that is gone
    data.errorLog.programFolder = home.filePath("program");
    data.folder.set(home.filePath("gone"));
    reportError(data, 101, "readtext in orbisca", {}, "");
    EXPECT_EQ(readLines(home.filePath("state/orbisca/errorlog1.err")).last(),
              "WORKING FOLDER:" + home.filePath("gone"));

    data.errorLog.logWritten = false;  // and with no writable folder at all
    data.errorLog.programFolder = home.filePath("program");
    qputenv("XDG_STATE_HOME", "/proc/no-state");
    int endedWith = 0;
    data.notifier.endProgram = [&](int code) { endedWith = code; };
    reportError(data, 101, "readtext in orbisca", {}, "");
    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(messages().last(), "FATAL ERROR! FILE ACCESS LOCKED! PROGRAMM WILL BE CLOSED.");
    EXPECT_EQ(endedWith, 1);
}

// (What the loading log holds, and its end after a failure, the compact window's tests check.)
TEST_F(ErrorLog, EachLogLineReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    writeFile("Loading.log", "a previous start\nERROR!!!\n");
    LineLog log;
    log.start(home.filePath("Loading.log"));
    log.append("StartTime=10:00:00");
    log.flush();
    EXPECT_EQ(readFile("Loading.log"),
              "StartTime=10:00:00\n");  // the previous start's log is gone at the first line
    log.append("ControlsStyle=ok");
    log.flush();
    EXPECT_EQ(readFile("Loading.log"), "StartTime=10:00:00\nControlsStyle=ok\n");
    // Lines that come quicker than the file system takes them are all written, in their order.
    QByteArray many = "StartTime=10:00:00\nControlsStyle=ok\n";
    for (int i = 0; i < 200; ++i) {
        log.append(QString::number(i));
        many += QByteArray::number(i) + '\n';
    }
    log.flush();
    EXPECT_EQ(readFile("Loading.log"), many);
    log.close();
    log.append("after closing");
    EXPECT_EQ(readFile("Loading.log"), many);
    EXPECT_EQ(QDir(home.path()).entryList({"Loading.log*"}, QDir::Files),
              QStringList{"Loading.log"});
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
    EXPECT_TRUE(makeSettingsFilesWritable(data));
    for (const QString& name : names)
        EXPECT_TRUE(QFile::permissions(home.filePath(name)) & QFile::WriteOwner);
    EXPECT_TRUE(messages().isEmpty());

    markReadOnly();
    QStringList asked;
    EXPECT_FALSE(makeSettingsFilesWritable(data, [&](const QString& path) {
        asked << QFileInfo(path).fileName();
        return false;
    }));
    EXPECT_EQ(asked, names);  // RGNS.dat is writable already: never asked
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:114"});
    EXPECT_TRUE(QDir(home.filePath("program")).isEmpty());  // no log
    EXPECT_FALSE(data.notifier.endRequested);
}

}  // namespace
}  // namespace orbisca::testing
