// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/day_model.h"

namespace orbisca {

DayModel::DayModel(QObject* parent) : QObject(parent) {
    state_.currentPosition = gregorianToMayan(state_.currentDate);
}

void DayModel::start() {
    state_.today = getGregorianDate(state_.clock());
    state_.currentDate = state_.today;
    state_.currentPosition = gregorianToMayan(state_.currentDate);
}

void DayModel::setDate(const GregorianDate& date) {
    state_.currentDate = date;
    state_.currentPosition = gregorianToMayan(date);
    emit dayChanged();
}

void DayModel::setToday(const GregorianDate& day) {
    const bool showedToday = state_.currentDate == state_.today;
    state_.today = day;
    if (showedToday) setDate(day);
}

}  // namespace orbisca
