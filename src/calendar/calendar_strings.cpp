// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_strings.h"

#include <cstdlib>

namespace orbisca {
namespace {

std::string twoDigits(long long v) {
    std::string s = std::to_string(v % 100);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::string glyphLetters(const MayanDate& p) {
    std::string s;
    if (p.sign >= 1 && p.sign <= 20) s += static_cast<char>('A' + p.sign - 1);
    if (p.tone >= 1 && p.tone <= 13) s += static_cast<char>('a' + p.tone - 1);
    return s;
}

std::string formatGregorianDate(const GregorianDate& d, int layout) {
    const std::string day = twoDigits(d.day);
    const std::string month = twoDigits(d.month);
    switch (layout) {
        case 0:
            return day + "." + month + "." + std::to_string(d.year);
        case 1:
            return day + "." + month + "." + twoDigits(std::llabs(static_cast<long long>(d.year)));
        case 2:
            return day + "." + month;
        case 3:
            return month + "." + day;
        case 4:
            return month + "/" + day;
        case 5:
            return day + "/" + month;
        default:
            return {};
    }
}

std::string joinNumber(std::int32_t a, std::int32_t b) {
    return std::to_string(b) + (a >= 10 ? "0" : "00") + std::to_string(a);
}

}  // namespace orbisca
