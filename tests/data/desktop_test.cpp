// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "data/day_turn.h"
#include "data/desktop_entries.h"
#include "support/folder_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <memory>
#include <vector>

using namespace orbisca;

namespace {

// The alarm a test holds: it records when the watcher asked to be woken and rings on demand.
class RecordingAlarm : public MidnightAlarm {
public:
    explicit RecordingAlarm(std::vector<QDateTime>& armed) : armed_(armed) {}
    void arm(const QDateTime& when, std::function<void()> ring) override {
        armed_.push_back(when);
        ring_ = std::move(ring);
    }

private:
    std::vector<QDateTime>& armed_;
    std::function<void()> ring_;
};

struct Watched {
    QDateTime now;
    std::vector<QDateTime> armed;
    std::vector<QDate> turns;
    DayTurnWatcher watcher;

    explicit Watched(const QDateTime& start)
        : now(start), watcher([this] { return now; }, std::make_unique<RecordingAlarm>(armed)) {
        QObject::connect(&watcher, &DayTurnWatcher::dayTurned,
                         [this](QDate day) { turns.push_back(day); });
    }
    void at(const QDateTime& time) {
        now = time;
        watcher.check();
    }
};

QDateTime utc(int y, int m, int d, int h = 12, int min = 0, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), QTimeZone::utc());
}

}  // namespace

TEST(DayTurn, TurnsOnceForEachChangeOfDateWhicheverWayTheClockMoves) {
    Watched w(utc(2026, 12, 7, 23, 59, 59));
    EXPECT_EQ(w.watcher.today(), QDate(2026, 12, 7));
    ASSERT_EQ(w.armed.size(), 1u);
    EXPECT_EQ(w.armed.back(), utc(2026, 12, 8, 0, 0, 0));

    w.at(utc(2026, 12, 7, 23, 59, 59));  // a ring before the day is over changes nothing
    w.at(utc(2026, 12, 8, 0, 0, 0));
    w.at(utc(2026, 12, 11, 9, 30));  // woken three days later
    w.at(utc(2026, 12, 10, 9, 30));  // the clock set back a day
    w.at(utc(2026, 12, 10, 9, 31));
    const std::vector<QDate> expected = {QDate(2026, 12, 8), QDate(2026, 12, 11),
                                         QDate(2026, 12, 10)};
    EXPECT_EQ(w.turns, expected);
    // Every look at the clock sets the alarm again, at the midnight after the day it saw.
    EXPECT_EQ(w.armed.size(), 6u);
    EXPECT_EQ(w.armed.back(), utc(2026, 12, 11, 0, 0, 0));
}

TEST(DayTurn, NextMidnightIsTheFirstInstantOfTheNextLocalDay) {
    // Sao Paulo began summer time at midnight on 4 November 2018: that day began at 01:00.
    const QTimeZone saoPaulo("America/Sao_Paulo");
    ASSERT_TRUE(saoPaulo.isValid());
    const QDateTime evening(QDate(2018, 11, 3), QTime(22, 0), saoPaulo);
    const QDateTime next = DayTurnWatcher::nextMidnight(evening);
    EXPECT_EQ(next.date(), QDate(2018, 11, 4));
    EXPECT_EQ(next.time(), QTime(1, 0));
}

TEST(DayTurn, SystemAlarmRingsAtTheWallClockTimeAskedFor) {
    orbisca::testing::ensureGuiApplication();
    QObject owner;
    const std::unique_ptr<MidnightAlarm> alarm = makeSystemMidnightAlarm(&owner);
    QElapsedTimer waited;
    waited.start();
    bool rang = false;
    const QDateTime when = QDateTime::currentDateTime().addMSecs(150);
    // A change of the wall clock rings at once too (the watcher then looks at the clock again):
    // on a machine whose clock is being set, the alarm is set again until its time has come.
    while (QDateTime::currentDateTime() < when && waited.elapsed() < 5000) {
        rang = false;
        alarm->arm(when, [&] { rang = true; });
        while (!rang && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_TRUE(rang);
    EXPECT_GE(waited.elapsed(), 100);
}

TEST(DesktopEntries, AutostartEntryIsWrittenValidAndRemoved) {
    QTemporaryDir dir;
    const QString path =
        dir.filePath(QStringLiteral("config/autostart/org.orbisca.Orbisca.desktop"));
    EXPECT_FALSE(startsWithDesktop(path));
    ASSERT_TRUE(setStartWithDesktop(path, true));
    EXPECT_TRUE(startsWithDesktop(path));
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {path});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    EXPECT_TRUE(orbisca::testing::fileBytes(path).contains("\nExec=orbisca --tray\n"));
    ASSERT_TRUE(setStartWithDesktop(path, false));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(setStartWithDesktop(path, false));  // already gone: nothing to do
}

TEST(DesktopEntries, OneNoticeADayRememberedInAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(kNoticeFileName));
    const QDate today(2026, 12, 7);
    EXPECT_TRUE(newDayNoticeDue(path, today));
    ASSERT_TRUE(rememberNewDayNotice(path, today));
    EXPECT_FALSE(newDayNoticeDue(path, today));
    EXPECT_TRUE(newDayNoticeDue(path, today.addDays(1)));
    ASSERT_TRUE(orbisca::testing::writeBytes(path, "\x1b]0;junk\x07"));
    EXPECT_TRUE(newDayNoticeDue(path, today));  // a damaged file means no notice was given today
}
