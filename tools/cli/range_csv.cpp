// SPDX-License-Identifier: GPL-3.0-or-later
#include "range_csv.h"

#include <charconv>
#include <vector>

#include "calendar/iso_date.h"
#include "calendar/oracle.h"

namespace orbisca::cli {
namespace {

char* appendField(char* out, long long value) {
    *out++ = ',';
    return std::to_chars(out, out + 24, value).ptr;
}

}  // namespace

bool DateBefore(const GregorianDate& a, const GregorianDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

char* AppendRangeCsvRow(char* out, const GregorianDate& date, LunationCache& lunation) {
    const MayanDate m = GregorianToMayan(date, lunation);
    out = AppendIsoDate(out, date);
    for (long long v :
         {(long long)m.kin, (long long)m.sign, (long long)m.tone, (long long)m.yearSign,
          (long long)m.yearTone, (long long)m.cromatic, (long long)m.vinal, (long long)m.vinalTone,
          (long long)m.weekNumber, (long long)m.plasma, (long long)m.monthDay, (long long)m.month,
          (long long)m.moonPhase, (long long)GetGuide(m), (long long)GetAnalog(m),
          (long long)GetAntipod(m), (long long)GetAteacher(m)})
        out = appendField(out, v);
    *out++ = '\n';
    return out;
}

bool WriteRangeCsv(const GregorianDate& from, const GregorianDate& to,
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
        out = AppendRangeCsvRow(out, day, lunation);
        if (static_cast<std::size_t>(out - begin) >= kChunk && !flush()) return false;
        if (day == to || !NextGregorianDay(day)) break;
    }
    return flush();
}

}  // namespace orbisca::cli
