// SPDX-License-Identifier: GPL-3.0-or-later
#include "range_csv.h"

#include <array>
#include <charconv>
#include <cstring>
#include <vector>

#include "calendar/iso_date.h"
#include "calendar/oracle.h"

namespace orbisca::cli {
namespace {

// "00" to "99".
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[std::size_t(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[std::size_t(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Every field but the moon phase is a count below 1000: written from the table of digit pairs,
// which is most of what makes a long range fast; the phase and anything else go through to_chars.
char* appendField(char* out, long long value) {
    *out++ = ',';
    if (value < 0 || value >= 1000) return std::to_chars(out, out + 24, value).ptr;
    auto small = static_cast<unsigned>(value);
    if (small >= 100) {
        *out++ = static_cast<char>('0' + small / 100);
        small %= 100;
    } else if (small < 10) {
        *out++ = static_cast<char>('0' + small);
        return out;
    }
    std::memcpy(out, kDigitPairs.data() + 2 * small, 2);
    return out + 2;
}

}  // namespace

bool dateBefore(const GregorianDate& a, const GregorianDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

char* appendRangeCsvRow(char* out, const GregorianDate& date, LunationCache& lunation) {
    const MayanDate m = gregorianToMayan(date, lunation);
    out = appendIsoDate(out, date);
    for (long long v :
         {(long long)m.kin, (long long)m.sign, (long long)m.tone, (long long)m.yearSign,
          (long long)m.yearTone, (long long)m.cromatic, (long long)m.vinal, (long long)m.vinalTone,
          (long long)m.weekNumber, (long long)m.plasma, (long long)m.monthDay, (long long)m.month,
          (long long)m.moonPhase, (long long)getGuide(m), (long long)getAnalog(m),
          (long long)getAntipode(m), (long long)getOccultTeacher(m)})
        out = appendField(out, v);
    *out++ = '\n';
    return out;
}

bool writeRangeCsv(const GregorianDate& from, const GregorianDate& to,
                   const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 64 * 1024;
    constexpr std::size_t kRowMax = 160;
    std::vector<char> buffer(kChunk + kRowMax);
    char* const begin = buffer.data();
    char* out = begin;
    auto flush = [&] {
        const bool ok = sink(std::string_view(begin, static_cast<std::size_t>(out - begin)));
        out = begin;
        return ok;
    };
    for (char c : kRangeCsvHeader) *out++ = c;
    GregorianDate day = from;
    LunationCache lunation;
    while (true) {
        out = appendRangeCsvRow(out, day, lunation);
        if (static_cast<std::size_t>(out - begin) >= kChunk && !flush()) return false;
        if (day == to || !nextGregorianDay(day)) break;
    }
    return flush();
}

}  // namespace orbisca::cli
