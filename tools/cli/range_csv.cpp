// SPDX-License-Identifier: GPL-3.0-or-later
#include "range_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "calendar/iso_date.h"
#include "calendar/oracle.h"
#include "digit_pairs.h"

namespace orbisca::cli {
namespace {

// ",0" to ",999", each in four bytes with its length in the last unused one: a field is one
// four-byte copy from this table.
struct SmallField {
    char text[4];
    std::uint8_t length;
};

constexpr auto kSmallFields = [] {
    std::array<SmallField, 1000> fields{};
    for (int i = 0; i < 1000; ++i) {
        SmallField& f = fields[std::size_t(i)];
        f.text[0] = ',';
        const int digits = i >= 100 ? 3 : i >= 10 ? 2 : 1;
        for (int d = digits, v = i; d >= 1; --d, v /= 10)
            f.text[d] = static_cast<char>('0' + v % 10);
        f.length = static_cast<std::uint8_t>(digits + 1);
    }
    return fields;
}();

// "000" to "999", each in four bytes.
constexpr auto kDigitTriples = [] {
    std::array<char, 4000> triples{};
    for (int i = 0; i < 1000; ++i) {
        triples[std::size_t(4 * i)] = static_cast<char>('0' + i / 100);
        triples[std::size_t(4 * i + 1)] = static_cast<char>('0' + i / 10 % 10);
        triples[std::size_t(4 * i + 2)] = static_cast<char>('0' + i % 10);
    }
    return triples;
}();

// Any other value: its digits written from the right, two at a time.
char* appendLargeField(char* out, int value) {
    *out++ = ',';
    if (value < 0) return std::to_chars(out, out + 16, value).ptr;
    auto v = static_cast<unsigned>(value);
    int digits = 1;
    for (unsigned above = 10; digits < 10 && v >= above; above *= 10) ++digits;
    char* const end = out + digits;
    char* at = end;
    while (v >= 100) {
        at -= 2;
        std::memcpy(at, kDigitPairs.data() + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10)
        std::memcpy(at - 2, kDigitPairs.data() + 2 * v, 2);
    else
        at[-1] = static_cast<char>('0' + v);
    return end;
}

// Every field but the moon phase is a count below 1000 and comes from the table of small fields
// (the buffer has room for the fourth byte written).
inline char* appendField(char* out, int value) {
    if (value < 0 || value >= 1000) return appendLargeField(out, value);
    const SmallField& f = kSmallFields[std::size_t(value)];
    std::memcpy(out, f.text, 4);
    return out + f.length;
}

// The moon phase. Nine digits, as nine in ten phases have, are three independent groups of three
// (the buffer has room for the fourth byte each group writes).
inline char* appendPhaseField(char* out, int value) {
    if (value < 100'000'000 || value >= 1'000'000'000) return appendLargeField(out, value);
    const auto v = static_cast<unsigned>(value);
    const unsigned rest = v % 1'000'000;
    *out = ',';
    std::memcpy(out + 1, kDigitTriples.data() + 4 * (v / 1'000'000), 4);
    std::memcpy(out + 4, kDigitTriples.data() + 4 * (rest / 1000), 4);
    std::memcpy(out + 7, kDigitTriples.data() + 4 * (rest % 1000), 4);
    return out + 10;
}

// A run of fields ready to copy, such as ",230,10,9": one copy of the whole array however many
// fields it holds (the buffer has room for the bytes past its length).
template <std::size_t kBytes>
struct FieldText {
    char text[kBytes - 1];
    std::uint8_t length;
};

template <std::size_t kBytes>
FieldText<kBytes> fieldText(std::initializer_list<int> values) {
    char buffer[96];
    char* end = buffer;
    for (const int value : values) end = appendField(end, value);
    FieldText<kBytes> f{};
    f.length = static_cast<std::uint8_t>(end - buffer);
    std::memcpy(f.text, buffer, std::min<std::size_t>(f.length, sizeof f.text));
    return f;
}

template <std::size_t kBytes>
inline char* appendFieldText(char* out, const FieldText<kBytes>& f) {
    std::memcpy(out, f.text, sizeof f.text);
    return out + f.length;
}

// ",vinal,vinalTone,weekNumber,plasma,monthDay,month": all follow from the day of the 13-moon
// year, which the moon and its day name; looked up by month * 32 + monthDay.
inline std::size_t dayIndex(const MayanDate& m) { return std::size_t(m.month) * 32 + m.monthDay; }

// The runs of fields that depend on the kin alone (its sign and tone, and the four oracle signs),
// on the year bearer and cromatic, and on the day of the 13-moon year, prepared once.
struct RowTexts {
    std::array<FieldText<16>, 261> kin;            // ",kin,sign,tone"
    std::array<FieldText<16>, 261> oracle;         // ",guide,analog,antipode,hidden teacher"
    std::array<FieldText<16>, 4 * 14 * 5> bearer;  // ",yearSign,yearTone,cromatic" by bearerIndex
    std::array<FieldText<24>, 14 * 32> day;        // by dayIndex; length 0 where never seen

    static std::size_t bearerIndex(int yearSign, int yearTone, int cromatic) {
        return std::size_t((yearSign / 5 * 14 + yearTone) * 5 + cromatic);
    }
};

const RowTexts& rowTexts() {
    static const RowTexts texts = [] {
        RowTexts t{};
        for (int kin = 1; kin <= 260; ++kin) {
            const MayanDate m = positionOfKin(kin);
            t.kin[std::size_t(kin)] = fieldText<16>({m.kin, m.sign, m.tone});
            t.oracle[std::size_t(kin)] =
                fieldText<16>({getGuide(m), getAnalog(m), getAntipode(m), getOccultTeacher(m)});
        }
        for (const int sign : {4, 9, 14, 19})
            for (int tone = 1; tone <= 13; ++tone)
                for (int cromatic = 1; cromatic <= 4; ++cromatic)
                    t.bearer[RowTexts::bearerIndex(sign, tone, cromatic)] =
                        fieldText<16>({sign, tone, cromatic});
        // A 13-moon year and a few days, with the extra day reached both ways (25 July 2001
        // backwards from the reference date, 25 July 2002 forwards).
        GregorianDate date{20, 7, 0, 2001};
        for (int i = 0; i < 380; ++i, nextGregorianDay(date)) {
            const MayanDate m = gregorianToMayan(date);
            t.day[dayIndex(m)] =
                fieldText<24>({m.vinal, m.vinalTone, m.weekNumber, m.plasma, m.monthDay, m.month});
        }
        return t;
    }();
    return texts;
}

// "MM-DD" by month * 32 + day, in eight bytes.
constexpr auto kMonthDayTexts = [] {
    std::array<std::array<char, 8>, 13 * 32> texts{};
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 31; ++day)
            texts[std::size_t(month * 32 + day)] = {
                static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10), '-',
                static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
    return texts;
}();

// The date column: the year's text up to its last dash, kept while the year lasts, then the
// month and day from the table.
class DateColumn {
public:
    char* append(char* out, const GregorianDate& date) {
        if (date.year != year_ || length_ == 0) {
            char text[32];
            length_ = std::uint8_t(appendIsoDate(text, {1, 1, 0, date.year}) - text - 5);
            std::memcpy(yearText_, text, sizeof yearText_);
            year_ = date.year;
        }
        std::memcpy(out, yearText_, sizeof yearText_);
        out += length_;
        std::memcpy(out, kMonthDayTexts[std::size_t(date.month) * 32 + date.day].data(), 8);
        return out + 5;
    }

private:
    char yearText_[16] = {};
    std::int32_t year_ = 0;
    std::uint8_t length_ = 0;
};

// The longest row is well below this: "-2147483648-12-31" and 17 fields of at most ten bytes;
// the copies of whole table entries write up to 23 bytes past its end.
constexpr std::size_t kRowMax = 256;

// One row; needs at most kRowMax bytes. `lunation` carries the new moons from one row to the next.
char* appendRow(char* out, const GregorianDate& date, LunationCache& lunation, DateColumn& column) {
    const RowTexts& texts = rowTexts();
    const MayanDate m = gregorianToMayan(date, lunation);
    out = column.append(out, date);
    out = appendFieldText(out, texts.kin[m.kin]);
    out = appendFieldText(out,
                          texts.bearer[RowTexts::bearerIndex(m.yearSign, m.yearTone, m.cromatic)]);
    const FieldText<24>& day = texts.day[dayIndex(m)];
    if (day.length != 0) [[likely]] {
        out = appendFieldText(out, day);
    } else {
        out = appendField(out, m.vinal);
        out = appendField(out, m.vinalTone);
        out = appendField(out, m.weekNumber);
        out = appendField(out, m.plasma);
        out = appendField(out, m.monthDay);
        out = appendField(out, m.month);
    }
    out = appendPhaseField(out, m.moonPhase);
    out = appendFieldText(out, texts.oracle[m.kin]);
    *out++ = '\n';
    return out;
}

}  // namespace

bool dateBefore(const GregorianDate& a, const GregorianDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

bool writeRangeCsv(const GregorianDate& from, const GregorianDate& to,
                   const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 64 * 1024;
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
    DateColumn column;
    while (true) {
        out = appendRow(out, day, lunation, column);
        if (static_cast<std::size_t>(out - begin) >= kChunk && !flush()) return false;
        if (day == to || !nextGregorianDay(day)) break;
    }
    return flush();
}

}  // namespace orbisca::cli
