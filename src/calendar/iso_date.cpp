// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/iso_date.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace orbisca {

bool isLeapYear(long long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInGregorianMonth(long long year, int month) {
    return month == 2 && isLeapYear(year) ? 29 : daysInMonth(static_cast<std::uint8_t>(month));
}

namespace {
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

bool allDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}
}  // namespace

GregorianDate parseIsoDate(const std::string& text) {
    auto notADate = [&](const std::string& why) {
        return InvalidDate("\"" + text + "\" is not a date" + (why.empty() ? "" : ": " + why) +
                           " (expected YYYY-MM-DD)");
    };
    std::size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    const std::size_t dayDash = text.rfind('-');
    if (dayDash == std::string::npos || dayDash < start + 1) throw notADate("");
    const std::size_t monthDash = text.rfind('-', dayDash - 1);
    if (monthDash == std::string::npos || monthDash < start + 1) throw notADate("");
    const std::string yearText = text.substr(start, monthDash - start);
    const std::string monthText = text.substr(monthDash + 1, dayDash - monthDash - 1);
    const std::string dayText = text.substr(dayDash + 1);
    if (!allDigits(yearText) || monthText.size() != 2 || !allDigits(monthText) ||
        dayText.size() != 2 || !allDigits(dayText))
        throw notADate("");

    long long year = 0;
    auto [p, ec] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    (void)p;
    if (text[0] == '-') year = -year;
    if (ec != std::errc() || year < INT32_MIN || year > INT32_MAX)
        throw notADate("the year is outside " + std::to_string(INT32_MIN) + ".." +
                       std::to_string(INT32_MAX));
    const int month = std::stoi(monthText);
    const int day = std::stoi(dayText);
    if (month < 1 || month > 12) throw notADate("there is no month " + monthText);
    const int days = daysInGregorianMonth(year, month);
    if (day < 1 || day > days)
        throw notADate(std::string(kMonthNames[month - 1]) + " " + std::to_string(year) + " has " +
                       std::to_string(days) + " days");
    return {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month), 0,
            static_cast<std::int32_t>(year)};
}

char* appendIsoDate(char* out, const GregorianDate& d) {
    if (d.year >= 0 && d.year <= 9999) {  // the common case, in fixed width
        const auto y = static_cast<unsigned>(d.year);
        const char text[10] = {static_cast<char>('0' + y / 1000),
                               static_cast<char>('0' + y / 100 % 10),
                               static_cast<char>('0' + y / 10 % 10),
                               static_cast<char>('0' + y % 10),
                               '-',
                               static_cast<char>('0' + d.month / 10),
                               static_cast<char>('0' + d.month % 10),
                               '-',
                               static_cast<char>('0' + d.day / 10),
                               static_cast<char>('0' + d.day % 10)};
        std::memcpy(out, text, sizeof text);
        return out + sizeof text;
    }
    long long year = d.year;
    if (year < 0) {
        *out++ = '-';
        year = -year;
    }
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, year);
    (void)ec;
    for (auto n = end - digits; n < 4; ++n) *out++ = '0';
    std::memcpy(out, digits, static_cast<std::size_t>(end - digits));
    out += end - digits;
    *out++ = '-';
    *out++ = static_cast<char>('0' + d.month / 10);
    *out++ = static_cast<char>('0' + d.month % 10);
    *out++ = '-';
    *out++ = static_cast<char>('0' + d.day / 10);
    *out++ = static_cast<char>('0' + d.day % 10);
    return out;
}

std::string formatIsoDate(const GregorianDate& date) {
    char buffer[24];
    return std::string(buffer, appendIsoDate(buffer, date));
}

bool nextGregorianDay(GregorianDate& d) {
    GregorianDate next = d;
    if (next.day < 28 || next.day < daysInGregorianMonth(next.year, next.month)) {
        ++next.day;
    } else if (next.month < 12) {
        next.day = 1;
        ++next.month;
    } else {
        if (next.year == INT32_MAX) return false;
        next = {1, 1, next.weekDay, next.year + 1};
    }
    // The whole date in one store: a reader that loads day and month together (as a compiler may
    // merge two byte comparisons) gets it forwarded, where a byte store would stall that load.
    const auto bits = std::bit_cast<std::uint64_t>(next);
    std::memcpy(static_cast<void*>(&d), &bits, sizeof bits);
    return true;
}

}  // namespace orbisca
