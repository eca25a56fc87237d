// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/start_phases.h"

#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <ctime>
#include <mutex>
#include <optional>
#include <vector>

namespace orbisca {
namespace {

// The process's age now, from field 22 of /proc/self/stat (clock ticks since boot) against the
// boot-time clock.
std::optional<double> processAgeMs() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray line = stat.readAll();
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) return std::nullopt;
    // The command name in parentheses may hold spaces: the fields are counted after it.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    constexpr qsizetype kStartTimeAfterName = 22 - 3;  // field 3 is the first after the name
    if (fields.size() <= kStartTimeAfterName) return std::nullopt;
    bool number = false;
    const qulonglong ticks = fields[kStartTimeAfterName].toULongLong(&number);
    // /proc counts in the kernel's user-visible tick, 100 a second on every PC.
    constexpr double kTicksPerSecond = 100;
    if (!number) return std::nullopt;
    const double started = double(ticks) * 1000.0 / kTicksPerSecond;
    const double current = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return current >= started ? std::optional<double>(current - started) : std::nullopt;
}

}  // namespace

struct StartPhases::Record {
    struct Mark {
        const char* phase;
        qint64 nsecs;
    };
    std::mutex mutex;
    QElapsedTimer clock;
    std::vector<Mark> marks;
    std::optional<double> processAge;
};

StartPhases::StartPhases() = default;
StartPhases::~StartPhases() = default;
StartPhases::StartPhases(StartPhases&&) noexcept = default;
StartPhases& StartPhases::operator=(StartPhases&&) noexcept = default;

StartPhases StartPhases::started() {
    StartPhases phases;
    phases.record_ = std::make_unique<Record>();
    phases.record_->clock.start();
    phases.record_->processAge = processAgeMs();
    return phases;
}

void StartPhases::mark(const char* phase) {
    if (!record_) return;
    Record& r = *record_;
    std::lock_guard lock(r.mutex);
    for (const Record::Mark& m : r.marks)
        if (qstrcmp(m.phase, phase) == 0) return;
    r.marks.push_back({phase, r.clock.nsecsElapsed()});
}

QString StartPhases::report() const {
    if (!record_) return {};
    Record& r = *record_;
    std::lock_guard lock(r.mutex);
    QString text;
    if (r.processAge)
        text += QStringLiteral("  %1 %2 ms\n")
                    .arg(QStringLiteral("process start to main:"), -28)
                    .arg(*r.processAge, 6, 'f', 1);
    qint64 previous = 0;
    for (const Record::Mark& m : r.marks) {
        text += QStringLiteral("  %1 %2 ms  (at %3 ms)\n")
                    .arg(QString::fromLatin1(m.phase) + u':', -28)
                    .arg(double(m.nsecs - previous) / 1e6, 6, 'f', 1)
                    .arg(double(m.nsecs) / 1e6, 6, 'f', 1);
        previous = m.nsecs;
    }
    return text;
}

}  // namespace orbisca
