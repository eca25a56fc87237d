// SPDX-License-Identifier: GPL-3.0-or-later
// ISO 8601 calendar dates as the command lines write them: [+-]YYYY-MM-DD with any number of year
// digits, so -0044-03-15 and 12000-01-01 work. Dates are real (proleptic Gregorian) days: 29
// February exists only in leap years.
#pragma once

#include <string>

#include "calendar/calendar.h"

namespace orbisca {

bool isLeapYear(long long year);
int daysInGregorianMonth(long long year, int month);

// Throws InvalidDate naming the text and what is wrong with it.
GregorianDate parseIsoDate(const std::string& text);
std::string formatIsoDate(const GregorianDate& date);
// Appends the ISO text to a buffer; returns the position after it. Needs 16 bytes.
char* appendIsoDate(char* out, const GregorianDate& date);

// The next real day; false at the last representable day.
bool nextGregorianDay(GregorianDate& date);

}  // namespace orbisca
