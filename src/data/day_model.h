// SPDX-License-Identifier: GPL-3.0-or-later
// The current day of the program: the date the windows show, today and the position of the
// current date in the count. Every change goes through here and is announced by `dayChanged`,
// which each window subscribes to; nobody tells the other windows by hand.
#pragma once

#include <QObject>

#include "calendar/calendar_state.h"

namespace orbisca {

class DayModel : public QObject {
    Q_OBJECT
public:
    explicit DayModel(QObject* parent = nullptr);

    const GregorianDate& date() const { return state_.currentDate; }
    const MayanDate& position() const { return state_.currentPosition; }
    const GregorianDate& today() const { return state_.today; }
    const CalendarState& calendar() const { return state_; }

    // The clock that "today" comes from (tests and --today set their own).
    void setClock(Clock clock) { state_.clock = std::move(clock); }
    std::chrono::system_clock::time_point now() const { return state_.clock(); }

    // Today from the clock, made the current date too.
    void start();
    // Makes `date` the current date and announces it, also when it is the same date: a repaint
    // after the settings changed goes the same way.
    void setDate(const GregorianDate& date);
    // Today becomes `day` (the local day turned); the current date follows when it showed today.
    void setToday(const GregorianDate& day);
    // The current date back to today.
    void showToday() { setDate(state_.today); }

signals:
    void dayChanged();

private:
    CalendarState state_;
};

}  // namespace orbisca
