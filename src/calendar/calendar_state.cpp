// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_state.h"

#include <ctime>

namespace orbisca {

GregorianDate getGregorianDate(std::chrono::system_clock::time_point now) {
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return {static_cast<std::uint8_t>(local.tm_mday), static_cast<std::uint8_t>(local.tm_mon + 1),
            0, local.tm_year + 1900};
}

}  // namespace orbisca
