// SPDX-License-Identifier: GPL-3.0-or-later
// Strings built from calendar values: the two glyph letters of a day, Gregorian date texts and
// the number joining used to form picture names.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/calendar.h"

namespace orbisca {

// Sign letter "A".."T" then tone letter "a".."m"; a field out of range contributes nothing.
std::string glyphLetters(const MayanDate& position);

// The date in layout 0..5 (dd.MM.yyyy, dd.MM.yy, dd.MM, MM.dd, MM/dd, dd/MM); "" for other layouts.
// The short year is the last two digits of the year's absolute value, zero-padded.
std::string formatGregorianDate(const GregorianDate& date, int layout);

// Decimal b, then "0" if a >= 10 or "00" if a <= 9, then decimal a: (5, 1) gives "1005".
std::string joinNumber(std::int32_t a, std::int32_t b);

}  // namespace orbisca
