// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_mode.h"

#include <QEvent>
#include <QWidget>
#include <cstdio>

#include "app/program_windows.h"
#include "compact/compact_window.h"
#include "data/affirmation.h"
#include "data/conf_file.h"
#include "data/day_words.h"
#include "data/desktop_entries.h"
#include "data/error_log.h"
#include "printing/print_manager_window.h"
#include "state/program_state.h"
#include "views/mode_table.h"
#include "views/tray_picture.h"
#include "views/view_places.h"
#include "widgets/about_box.h"

namespace orbisca {

namespace {

// Turns a close of the compact window into a hide, so that the tray can show it again.
class CloseToHide : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close) return false;
        static_cast<QWidget*>(watched)->hide();
        event->ignore();
        return true;
    }
};

GregorianDate gregorianOf(const QDate& d) {
    return GregorianDate{std::uint8_t(d.day()), std::uint8_t(d.month()), 0, d.year()};
}

}  // namespace

TrayMode::TrayMode(ProgramState& program, ProgramWindows& windows, DayTurnWatcher::Clock clock,
                   std::unique_ptr<MidnightAlarm> alarm, QObject* parent)
    : QObject(parent),
      program_(program),
      windows_(windows),
      tray_(program.data.folder),
      watcher_(std::move(clock), std::move(alarm)),
      closeToHide_(std::make_unique<CloseToHide>()) {
    connect(&watcher_, &DayTurnWatcher::dayTurned, this, &TrayMode::onDayTurned);
    connect(&tray_, &TrayIcon::compactToggled, this, &TrayMode::toggleCompact);
    connect(&tray_, &TrayIcon::compactWindowAsked, this, [this] { windows_.compact().show(); });
    connect(&tray_, &TrayIcon::fullCalendarAsked, this,
            [this] { windows_.openFullMode(FullModeView::Day); });
    connect(&tray_, &TrayIcon::printManagerAsked, this,
            [this] { windows_.printManager().openOnItsOwn(); });
    connect(&tray_, &TrayIcon::configurationAsked, this, [this] { windows_.showConfiguration(); });
    connect(&tray_, &TrayIcon::aboutAsked, this,
            [this] { showAboutBox(program_.data.folder, nullptr); });
    connect(&tray_, &TrayIcon::quitAsked, this, &TrayMode::quit);
    connect(&program_.data.texts, &TextsModel::textsChanged, this, [this] {
        reportFailures(program_.data, kErrorReadText, kSenderReadText, [this] {
            tray_.readMenu();
            showToday();
        });
    });
    connect(&notifier_, &DesktopNotifier::clicked, this,
            [this] { windows_.openFullMode(FullModeView::Day); });
}

TrayMode::~TrayMode() {
    if (closeToHide_) windows_.compact().removeEventFilter(closeToHide_.get());
}

bool TrayMode::start() {
    if (!TrayIcon::desktopHasTray()) {
        std::fprintf(stderr, "orbisca: %s\n",
                     qPrintable(baseLine(program_.data.folder, base_line::kNoTrayOnDesktop)));
        windows_.compact().show();
        return false;
    }
    windows_.compact().installEventFilter(closeToHide_.get());
    showToday();
    tray_.show();
    return true;
}

void TrayMode::showToday() {
    const GregorianDate today = program_.data.day.today();
    tray_.showDay(gregorianToMayan(today), viewDateText(program_.data.settings, today));
}

// The new day becomes today; every window that showed the old today moves with it.
void TrayMode::onDayTurned(QDate day) {
    program_.data.day.setToday(gregorianOf(day));
    showToday();
    noticeNewDay();
}

void TrayMode::noticeNewDay() {
    if (!program_.data.settings.notifyNewDay) return;
    const QString path =
        program_.data.folder.path() + QLatin1Char('/') + QString::fromLatin1(kNoticeFileName);
    const QDate today = watcher_.today();
    if (!newDayNoticeDue(path, today)) return;
    const MayanDate day = gregorianToMayan(program_.data.day.today());
    const BaseLineReader line = readBaseLineEachTime(program_.data.folder);
    const QString summary = trayToolTip(day, {}, line)
                                .section(QLatin1Char('\n'), 0, 1)
                                .replace(QLatin1Char('\n'), QStringLiteral(" · "));
    if (notifier_.notify(summary, buildAffirmation(day, line)[0]))
        rememberNewDayNotice(path, today);
}

void TrayMode::toggleCompact() {
    CompactWindow& compact = windows_.compact();
    if (compact.isVisible())
        compact.hide();
    else
        compact.show();
}

void TrayMode::quit() {
    windows_.compact().removeEventFilter(closeToHide_.get());
    tray_.hide();
    program_.data.notifier.requestProgramEnd(0);
}

}  // namespace orbisca
