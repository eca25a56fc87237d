// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/day_turn.h"

#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimeZone>
#include <QTimer>
#include <cerrno>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace orbisca {

DayTurnWatcher::DayTurnWatcher(Clock clock, std::unique_ptr<MidnightAlarm> alarm, QObject* parent)
    : QObject(parent), clock_(std::move(clock)), alarm_(std::move(alarm)) {
    const QDateTime now = clock_();
    today_ = now.date();
    alarm_->arm(nextMidnight(now), [this] { check(); });
}

void DayTurnWatcher::check() {
    const QDateTime now = clock_();
    const QDate date = now.date();
    alarm_->arm(nextMidnight(now), [this] { check(); });
    if (date == today_) return;
    today_ = date;
    emit dayTurned(date);
}

QDateTime DayTurnWatcher::nextMidnight(const QDateTime& now) {
    // startOfDay, not "date + 1 at 00:00": where a time-zone change skips midnight the day
    // starts at the first time that exists.
    return now.date().addDays(1).startOfDay(now.timeZone());
}

namespace {

// A QTimer for systems without timerfd: a timer does not count the time the machine slept, so
// it never waits more than a minute before looking at the clock again.
class TimerAlarm : public MidnightAlarm {
public:
    explicit TimerAlarm(QObject* owner) : timer_(owner) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (ring_) ring_();
        });
    }
    void arm(const QDateTime& when, std::function<void()> ring) override {
        ring_ = std::move(ring);
        const qint64 wait = QDateTime::currentDateTime().msecsTo(when);
        timer_.start(int(std::clamp<qint64>(wait, 0, 60'000)));
    }

private:
    QTimer timer_;
    std::function<void()> ring_;
};

#ifdef __linux__
// A timerfd on CLOCK_REALTIME at an absolute time: it rings at that wall-clock time, at once on
// waking when the machine slept past it, and with ECANCELED when the clock is set. A change of
// the time zone moves local midnight without touching that clock, so /etc/localtime is watched
// too.
class TimerFdAlarm : public MidnightAlarm {
public:
    TimerFdAlarm(int fd, QObject* owner) : fd_(fd), notifier_(fd, QSocketNotifier::Read, owner) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { onReadable(); });
        zoneWatcher_.addPath(QStringLiteral("/etc/localtime"));
        QObject::connect(&zoneWatcher_, &QFileSystemWatcher::fileChanged, [this] { rang(); });
    }
    ~TimerFdAlarm() override { ::close(fd_); }

    void arm(const QDateTime& when, std::function<void()> ring) override {
        ring_ = std::move(ring);
        itimerspec alarmTime{};
        const qint64 ms = std::max<qint64>(when.toMSecsSinceEpoch(), 1);
        alarmTime.it_value.tv_sec = ms / 1000;
        alarmTime.it_value.tv_nsec = (ms % 1000) * 1'000'000;
        if (::timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &alarmTime,
                              nullptr) != 0)
            fallback_.arm(when, ring_);
        // A link replaced by a new zone drops out of the watch list: watch it again.
        if (zoneWatcher_.files().isEmpty()) zoneWatcher_.addPath(QStringLiteral("/etc/localtime"));
    }

private:
    void onReadable() {
        std::uint64_t expirations = 0;
        // ECANCELED: the clock was set; either way the day is looked at again.
        if (::read(fd_, &expirations, sizeof expirations) < 0 && errno != ECANCELED) return;
        rang();
    }
    void rang() {
        if (ring_) {
            auto ring = ring_;
            ring();
        }
    }

    int fd_;
    QSocketNotifier notifier_;
    QFileSystemWatcher zoneWatcher_;
    TimerAlarm fallback_{nullptr};
    std::function<void()> ring_;
};
#endif

}  // namespace

std::unique_ptr<MidnightAlarm> makeSystemMidnightAlarm(QObject* owner) {
#ifdef __linux__
    const int fd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd >= 0) return std::make_unique<TimerFdAlarm>(fd, owner);
#endif
    return std::make_unique<TimerAlarm>(owner);
}

}  // namespace orbisca
