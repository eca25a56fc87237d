// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/day_step.h"

#include <Qt>

namespace orbisca {

std::optional<DayStep> dayStepOfKey(int key) {
    switch (key) {
        case Qt::Key_Right:
        case Qt::Key_PageUp:
            return DayStep::NextDay;
        case Qt::Key_Left:
        case Qt::Key_PageDown:
            return DayStep::PreviousDay;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return DayStep::NextMoon;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return DayStep::PreviousMoon;
        default:
            return std::nullopt;
    }
}

int daysOfStep(DayStep step, bool swapDayKeys) {
    const int forward = swapDayKeys ? -1 : 1;
    switch (step) {
        case DayStep::NextDay:
            return forward;
        case DayStep::PreviousDay:
            return -forward;
        case DayStep::NextMoon:
            return 28;
        case DayStep::PreviousMoon:
            return -28;
    }
    return 0;
}

}  // namespace orbisca
