// SPDX-License-Identifier: GPL-3.0-or-later
// Noticing that the local day has changed: at midnight, after a suspend, after the clock was set
// and after the time zone changed. One alarm stands at the next local midnight; it is set again
// whenever the watcher looks at the clock, so nothing polls.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>

namespace orbisca {

// Where the watcher's alarm is kept. The real one is a Linux timerfd on the wall clock, which
// fires at the wall-clock time even when the machine slept through it and reports a change of
// the clock at once; tests use one that only records the time asked for.
class MidnightAlarm {
public:
    virtual ~MidnightAlarm() = default;
    // Rings `ring` once at `when` (a wall-clock instant), or as soon as the clock is set or the
    // time zone changes; a new call replaces the previous one.
    virtual void arm(const QDateTime& when, std::function<void()> ring) = 0;
};

// The alarm on this machine's clock; a system without timerfd falls back to a QTimer, re-armed
// at least every minute so that a clock change is seen within a minute.
std::unique_ptr<MidnightAlarm> makeSystemMidnightAlarm(QObject* owner);

class DayTurnWatcher : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;  // the local date and time now

    DayTurnWatcher(Clock clock, std::unique_ptr<MidnightAlarm> alarm, QObject* parent = nullptr);

    // The local date the watcher last saw.
    QDate today() const { return today_; }

    // Looks at the clock: announces a new day when the date differs from the one last seen (a
    // day later, days later or earlier), then sets the alarm at the next local midnight.
    void check();

    // The first instant of the local day after `now`'s day.
    static QDateTime nextMidnight(const QDateTime& now);

signals:
    void dayTurned(QDate newDay);

private:
    Clock clock_;
    std::unique_ptr<MidnightAlarm> alarm_;
    QDate today_;
};

}  // namespace orbisca
