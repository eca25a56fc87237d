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

// "00" to "99".
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[std::size_t(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[std::size_t(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
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

// Any other value, such as the moon phase: its digits written from the right, two at a time.
// Nine digits, as nine in ten moon phases have, are three independent groups of three (the
// buffer has room for the fourth byte each group writes).
char* appendLargeField(char* out, int value) {
    *out++ = ',';
    if (value >= 100'000'000 && value < 1'000'000'000) {
        const auto v = static_cast<unsigned>(value);
        const unsigned rest = v % 1'000'000;
        std::memcpy(out, kDigitTriples.data() + 4 * (v / 1'000'000), 4);
        std::memcpy(out + 3, kDigitTriples.data() + 4 * (rest / 1000), 4);
        std::memcpy(out + 6, kDigitTriples.data() + 4 * (rest % 1000), 4);
        return out + 9;
    }
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

// A run of fields ready to copy, such as ",230,10,9": one 16-byte copy however many fields it
// holds (the buffer has room for the bytes past its length).
struct FieldText {
    char text[15];
    std::uint8_t length;
};

FieldText fieldText(std::initializer_list<int> values) {
    char buffer[64];
    char* end = buffer;
    for (const int value : values) end = appendField(end, value);
    FieldText f{};
    f.length = static_cast<std::uint8_t>(end - buffer);
    std::memcpy(f.text, buffer, std::min<std::size_t>(f.length, sizeof f.text));
    return f;
}

inline char* appendFieldText(char* out, const FieldText& f) {
    std::memcpy(out, f.text, sizeof f.text);
    return out + f.length;
}

// The runs of fields that depend on the kin alone (its sign and tone, and the four oracle signs)
// and on the year bearer and cromatic, prepared once.
struct RowTexts {
    std::array<FieldText, 261> kin;            // ",kin,sign,tone"
    std::array<FieldText, 261> oracle;         // ",guide,analog,antipode,hidden teacher"
    std::array<FieldText, 4 * 14 * 5> bearer;  // ",yearSign,yearTone,cromatic" by bearerIndex

    static std::size_t bearerIndex(int yearSign, int yearTone, int cromatic) {
        return std::size_t((yearSign / 5 * 14 + yearTone) * 5 + cromatic);
    }
};

const RowTexts& rowTexts() {
    static const RowTexts texts = [] {
        RowTexts t{};
        for (int kin = 1; kin <= 260; ++kin) {
            const MayanDate m = positionOfKin(kin);
            t.kin[std::size_t(kin)] = fieldText({m.kin, m.sign, m.tone});
            t.oracle[std::size_t(kin)] =
                fieldText({getGuide(m), getAnalog(m), getAntipode(m), getOccultTeacher(m)});
        }
        for (const int sign : {4, 9, 14, 19})
            for (int tone = 1; tone <= 13; ++tone)
                for (int cromatic = 1; cromatic <= 4; ++cromatic)
                    t.bearer[RowTexts::bearerIndex(sign, tone, cromatic)] =
                        fieldText({sign, tone, cromatic});
        return t;
    }();
    return texts;
}

}  // namespace

bool dateBefore(const GregorianDate& a, const GregorianDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

char* appendRangeCsvRow(char* out, const GregorianDate& date, LunationCache& lunation) {
    const RowTexts& texts = rowTexts();
    const MayanDate m = gregorianToMayan(date, lunation);
    out = appendIsoDate(out, date);
    out = appendFieldText(out, texts.kin[m.kin]);
    out = appendFieldText(out,
                          texts.bearer[RowTexts::bearerIndex(m.yearSign, m.yearTone, m.cromatic)]);
    out = appendField(out, m.vinal);
    out = appendField(out, m.vinalTone);
    out = appendField(out, m.weekNumber);
    out = appendField(out, m.plasma);
    out = appendField(out, m.monthDay);
    out = appendField(out, m.month);
    out = appendField(out, m.moonPhase);
    out = appendFieldText(out, texts.oracle[m.kin]);
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
