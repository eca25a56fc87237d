// SPDX-License-Identifier: GPL-3.0-or-later
// One CSV row per day of a date range, streamed through a fixed buffer.
#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

#include "calendar/calendar.h"

namespace orbisca::cli {

inline constexpr std::string_view kRangeCsvHeader =
    "date,kin,sign,tone,yearSign,yearTone,cromatic,vinal,vinalTone,weekNumber,plasma,monthDay,"
    "month,"
    "moonPhase,guide,analog,antipod,ateacher\n";

// Writes the header and one row per real day from `from` to `to` inclusive (from <= to) through
// `sink`, which receives chunks of at most about 64 KiB and returns false when it could not
// write them. Returns false when a write failed. Memory use does not depend on the range.
bool writeRangeCsv(const GregorianDate& from, const GregorianDate& to,
                   const std::function<bool(std::string_view)>& sink);

// Orders real dates.
bool dateBefore(const GregorianDate& a, const GregorianDate& b);

}  // namespace orbisca::cli
