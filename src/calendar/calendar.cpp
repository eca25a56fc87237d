// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace orbisca {
namespace {

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t m) {
    std::int64_t q = a / m;
    return (a % m != 0 && (a < 0) != (m < 0)) ? q - 1 : q;
}

// Days before the first of each month in a year of 365 days.
constexpr std::array<int, 13> kDaysBefore{0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Day number in the calendar without 29 February: 365 days per year, 29 February counted as the
// 28th. Year 0, 1 January is day 0. Any 32-bit year fits easily in 64 bits (|n| < 2^40).
constexpr std::int64_t noLeapDayNumber(std::int64_t year, int month, int day) {
    if (month == 2 && day == 29) day = 28;
    return year * 365 + kDaysBefore[month] + day - 1;
}

struct YearMonthDay {
    std::int64_t year;
    int month;
    int day;
};

constexpr YearMonthDay fromNoLeapDayNumber(std::int64_t n) {
    std::int64_t year = floorDiv(n, 365);
    int dayOfYear = static_cast<int>(n - year * 365);
    int month = 12;
    while (kDaysBefore[month] > dayOfYear) --month;
    return {year, month, dayOfYear - kDaysBefore[month] + 1};
}

constexpr std::int64_t kReferenceDayNumber = noLeapDayNumber(2001, 8, 21);
constexpr std::int64_t kFirstDayNumber = noLeapDayNumber(INT32_MIN, 1, 1);
constexpr std::int64_t kLastDayNumber = noLeapDayNumber(INT32_MAX, 12, 31);

// Every counter is a function of the 13-moon year index mod 52 and the day r of that year:
// 52 years of 365 days are a multiple of the periods 260, 20, 13 and 5 * 4 (cromatics), and the
// year bearer and tone have periods 4 and 13. Both are found in 32-bit arithmetic: with
// y = n + 26 = (year + kYearsBefore) * 365 + dayOfYear + kDayShift (see gregorianToMayan), r is
// dayOfYear + kDayShift less 365 when that reaches a year, and the year index is taken mod 52 of
// the year plus 2^31 (the year's bits with the sign bit flipped, an unsigned number), where
// 2^31 = 24 (mod 52).
constexpr std::int64_t kYearsBefore = floorDiv(26 - kReferenceDayNumber, 365);
constexpr std::uint32_t kDayShift =
    static_cast<std::uint32_t>(26 - kReferenceDayNumber - 365 * kYearsBefore);
constexpr std::uint32_t kYearIndexShift =
    static_cast<std::uint32_t>(((kYearsBefore - 24) % 52 + 52) % 52);
static_assert((std::int64_t{1} << 31) % 52 == 24 && kDayShift < 365);

// A position as three 64-bit words laid out as MayanDate is. Each table below holds the fields
// that follow from its index at their places and zeros elsewhere, so that a position is the OR of
// one entry of each and is written with three stores instead of a dozen byte stores.
static_assert(std::endian::native == std::endian::little);
struct PackedFields {
    std::array<std::uint64_t, 3> words{};

    template <typename T>
    constexpr void put(std::size_t offset, T value) {
        const auto bits = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
        words[offset / 8] |= bits << (offset % 8 * 8);
    }
};

// By the year index: entry i holds the year bearer (sign and tone) of the index
// (i + kYearIndexShift) mod 52 and the kin of that year's first day less one; there are 54
// entries, so that a carry from the day of the year and the extra day reached backwards (which
// reads the following year's entry) need no wrap. The kin counts from 230 on the reference date,
// y = 26: the first day of year index j is y = 365 j, whose kin less one is
// (229 - 26 + 365 j) mod 260 = (365 j + 203) mod 260.
struct YearFields {
    std::uint64_t bearer;  // the first word, with yearSign and yearTone set
    std::uint32_t kinBase;
};
constexpr auto kYearFields = [] {
    constexpr std::array<std::uint8_t, 4> kYearSigns{4, 9, 14, 19};
    std::array<YearFields, 54> table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        const std::uint32_t index = (i + kYearIndexShift) % 52;
        PackedFields p;
        p.put(offsetof(MayanDate, yearSign), kYearSigns[index % 4]);
        p.put(offsetof(MayanDate, yearTone), static_cast<std::uint8_t>((8 + index) % 13 + 1));
        table[i] = {p.words[0], (index * 365 + 203) % 260};
    }
    return table;
}();

// By kinBase + r, below 259 + 365: the two words with kin, sign, tone and cromatic (one word
// holds no field of these). For k = (kinBase + r) mod 260 the kin is k + 1, sign and tone count
// with periods 20 and 13, and the cromatic advances every 5 days of the 20-day cycle: kin 1 is
// the 3rd day of its period (the reference, kin 230, is the 2nd), hence (k + 12) mod 20 / 5.
struct KinFields {
    std::uint64_t first;
    std::uint64_t second;
};
constexpr auto kKinFields = [] {
    std::array<KinFields, 259 + 365> table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        const std::uint32_t k = i % 260;
        PackedFields p;
        p.put(offsetof(MayanDate, kin), static_cast<std::uint16_t>(k + 1));
        p.put(offsetof(MayanDate, sign), static_cast<std::uint8_t>(k % 20 + 1));
        p.put(offsetof(MayanDate, tone), static_cast<std::uint8_t>(k % 13 + 1));
        p.put(offsetof(MayanDate, cromatic), static_cast<std::uint8_t>((k + 12) % 20 / 5 + 1));
        table[i] = {p.words[0], p.words[1]};
    }
    static_assert(offsetof(MayanDate, kin) < 8 && offsetof(MayanDate, cromatic) < 8 &&
                  offsetof(MayanDate, sign) / 8 == 1 && offsetof(MayanDate, tone) / 8 == 1);
    return table;
}();

// By the day of the 13-moon year r, the fields that follow from it: vinal and vinal tone (20-day
// vinals, the 19th of 5 days), moon and moon day (28 days each), plasma (7 days) and week. r = 364
// is the extra day reached forwards (the 29th day of moon 13, plasma not advanced, week past 52)
// and the entry after it the extra day reached backwards (day 0 of moon 1 of the following year).
constexpr auto kDayFields = [] {
    std::array<PackedFields, 366> table{};
    for (int r = 0; r < 366; ++r) {
        PackedFields& p = table[std::size_t(r)];
        const int vinalDay = r < 365 ? r : 364;
        p.put(offsetof(MayanDate, vinal), static_cast<std::uint8_t>(vinalDay / 20 + 1));
        p.put(offsetof(MayanDate, vinalTone), static_cast<std::uint8_t>(vinalDay % 20));
        if (r < 364) {
            p.put(offsetof(MayanDate, month), static_cast<std::uint8_t>(r / 28 + 1));
            p.put(offsetof(MayanDate, monthDay), static_cast<std::int16_t>(r % 28 + 1));
            p.put(offsetof(MayanDate, plasma), static_cast<std::uint8_t>(r % 7 + 1));
            p.put(offsetof(MayanDate, weekNumber), r / 7 + 1);  // a moon is four weeks
        } else {
            p.put(offsetof(MayanDate, monthDay), static_cast<std::int16_t>(r == 364 ? 29 : 0));
            p.put(offsetof(MayanDate, plasma), static_cast<std::uint8_t>(r == 364 ? 7 : 1));
            p.put(offsetof(MayanDate, weekNumber), r == 364 ? 0 : 1);
        }
    }
    return table;
}();
static_assert(offsetof(MayanDate, moonPhase) == 20, "the phase follows the moon in the last word");

// By 32 * month + day of an existing date (29 February as the 28th): the day of the 13-moon year
// r and whether it lies in the Gregorian year's following 13-moon year. With y = n + 26 =
// (year + kYearsBefore) * 365 + dayOfYear + kDayShift (see gregorianToMayan), r is
// dayOfYear + kDayShift less 365 when that reaches a year, and then the year index carries one.
struct DayOfYear {
    std::uint16_t r;
    std::uint16_t carry;
};
constexpr auto kDaysOfYear = [] {
    std::array<DayOfYear, 13 * 32> table{};
    for (std::size_t month = 1; month <= 12; ++month)
        for (std::size_t day = 1; day < 32; ++day) {
            const std::uint32_t dayOfYear = static_cast<std::uint32_t>(kDaysBefore[month]) +
                                            std::uint32_t(month == 2 && day == 29 ? 28 : day) - 1;
            const std::uint32_t shifted = dayOfYear + kDayShift;
            const bool carry = shifted >= 365;
            table[month * 32 + day] = {static_cast<std::uint16_t>(shifted - (carry ? 365 : 0)),
                                       static_cast<std::uint16_t>(carry)};
        }
    return table;
}();

// The last day of each month value that isExistingDate accepts (0: no day of that month value
// exists), so that a date is checked with one comparison.
constexpr auto kLastExistingDay = [] {
    std::array<std::uint8_t, 256> table{};
    for (int month = 0; month < 256; ++month)
        for (int day = 1; day < 256; ++day)
            if (isExistingDate(
                    {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month), 0, 2001}))
                table[std::size_t(month)] = static_cast<std::uint8_t>(day);
    return table;
}();

[[noreturn]] void throwNoSuchDate(const GregorianDate& date) {
    throw InvalidDate("the date " + describeDate(date) + " does not exist");
}

// One day of the literal stepping rule (used for dates that are not plain days of a month, such
// as 29 February, and by the walk). The year is 64-bit so that stepping past the largest 32-bit
// year can be detected and stopped by the caller.
constexpr void stepOneDay(YearMonthDay& d, int direction) {
    d.day += direction;
    if (d.day > daysInMonth(static_cast<std::uint8_t>(d.month))) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    if (d.day < 1) {
        --d.month;
        d.day = daysInMonth(static_cast<std::uint8_t>(d.month < 0 ? 0 : d.month));
        if (d.month < 1) {
            d.month = 12;
            --d.year;
        }
    }
}

constexpr bool isPlainDay(const YearMonthDay& d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(static_cast<std::uint8_t>(d.month));
}

}  // namespace

std::string describeDate(const GregorianDate& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%02u.%02u.%d", unsigned(d.day), unsigned(d.month),
                  int(d.year));
    return text;
}

GregorianDate stepDate(GregorianDate source, std::int32_t days) {
    if (days == 0) return source;
    const int direction = days > 0 ? 1 : -1;
    YearMonthDay d{source.year, source.month, source.day};
    std::int64_t remaining = days;
    // A date that is no plain day (29 February, day 0, a month out of range) follows the literal
    // rule until it becomes one; that takes at most a few hundred steps (day 255 of month 13).
    while (remaining != 0 && !isPlainDay(d)) {
        stepOneDay(d, direction);
        remaining -= direction;
    }
    // Only a plain day can be stepped in closed form; a date left odd has not moved its year.
    if (!isPlainDay(d))
        return {static_cast<std::uint8_t>(d.day), static_cast<std::uint8_t>(d.month),
                source.weekDay, static_cast<std::int32_t>(d.year)};
    std::int64_t n = noLeapDayNumber(d.year, d.month, d.day) + remaining;
    if (n < kFirstDayNumber) n = kFirstDayNumber;
    if (n > kLastDayNumber) n = kLastDayNumber;
    const YearMonthDay r = fromNoLeapDayNumber(n);
    return {static_cast<std::uint8_t>(r.day), static_cast<std::uint8_t>(r.month), source.weekDay,
            static_cast<std::int32_t>(r.year)};
}

// Closed forms of the walk. Let n be the signed number of days from the reference date
// (21.08.2001) to the target in the calendar without 29 February. Every counter of the walk is a
// residue of n: the kin, sign and tone counters cycle with periods 260, 20 and 13 from their
// reference values 230, 10 and 9; the cromatic advances every 5 days (the reference is day 2 of
// its period, hence n + 1). The 13-moon year starts on 26 July, 26 days before the reference,
// so y = n + 26 counts days since 26.07.2001: the year index is floor(y / 365) and r = y mod 365
// the day of the year, from which moon, moon day, plasma and vinal follow by division. Only the
// extra day (r = 364) depends on the direction of the walk: walking forwards it is the 29th day of
// moon 13 (plasma not advanced, week past 52), walking backwards it is day 0 of moon 1 of the
// following year. The moon phase is no counter: it comes from the sky (moon_phase.h).
namespace {

// The position of an existing date with the given moon phase.
inline MayanDate positionOf(const GregorianDate& date, std::uint32_t phase) {
    const DayOfYear day = kDaysOfYear[date.month * 32u + date.day];
    const std::uint32_t year =
        (static_cast<std::uint32_t>(date.year) ^ 0x8000'0000u) % 52 + day.carry;
    const KinFields& k = kKinFields[kYearFields[year].kinBase + day.r];
    std::uint32_t dayEntry = day.r, bearerEntry = year;
    // The extra day (25 July) reached backwards: the one before 21.08.2001 is in 2001.
    if (day.r == 364 && date.year <= 2001) [[unlikely]] {
        ++dayEntry;
        ++bearerEntry;
    }
    const auto& fields = kDayFields[dayEntry].words;
    std::uint64_t first = fields[0] | k.first | kYearFields[bearerEntry].bearer;
    std::uint64_t second = fields[1] | k.second;
    // The moon day and moon without the phase: a reader of them need not wait for the phase.
    const auto third = static_cast<std::uint32_t>(fields[2]);
    // Kept in general registers and stored from there (an empty asm statement that claims to
    // change them): the compiler would merge the first two words in a vector register, and a
    // reader of one field (the next row of a range) would wait several cycles longer for its store.
    asm("" : "+r"(first), "+r"(second));
    MayanDate m;
    std::memcpy(reinterpret_cast<char*>(&m), &first, 8);
    std::memcpy(reinterpret_cast<char*>(&m) + 8, &second, 8);
    std::memcpy(reinterpret_cast<char*>(&m) + 16, &third, 4);
    m.moonPhase = static_cast<std::int32_t>(phase);
    return m;
}

void checkExists(const GregorianDate& date) {
    if (static_cast<unsigned>(date.day - 1) >= kLastExistingDay[date.month]) [[unlikely]]
        throwNoSuchDate(date);
}

}  // namespace

MayanDate gregorianToMayan(const GregorianDate& date) {
    // The dates a thread asks for lie mostly in one lunation (a day, a week, a month on screen).
    thread_local LunationCache recent;
    return gregorianToMayan(date, recent);
}

MayanDate gregorianToMayan(const GregorianDate& date, LunationCache& lunation) {
    checkExists(date);
    return positionOf(
        date, static_cast<std::uint32_t>(lunation.phaseOn(date.year, date.month, date.day)));
}

PositionWalk::PositionWalk() : cursor_(kReferenceDate), cromaticDay_(2) {
    counters_.kin = 230;
    counters_.yearSign = 4;
    counters_.yearTone = 9;
    counters_.cromatic = 1;
    counters_.vinal = 2;
    counters_.vinalTone = 6;
    counters_.sign = 10;
    counters_.tone = 9;
    counters_.plasma = 6;
    counters_.monthDay = 27;
    counters_.month = 1;
}

namespace {
void moveCursor(GregorianDate& c, int direction) {
    YearMonthDay d{c.year, c.month, c.day};
    stepOneDay(d, direction);
    c.day = static_cast<std::uint8_t>(d.day);
    c.month = static_cast<std::uint8_t>(d.month);
    c.year = static_cast<std::int32_t>(d.year);
    c.weekDay =
        direction > 0 ? (c.weekDay == 7 ? 1 : c.weekDay + 1) : (c.weekDay == 1 ? 7 : c.weekDay - 1);
}
}  // namespace

void PositionWalk::stepForward() {
    MayanDate& m = counters_;
    if (++m.kin == 261) m.kin = 1;
    m.vinalTone = m.vinalTone == 19 ? 0 : m.vinalTone + 1;
    if (m.vinal == 19 && m.vinalTone == 5) m.vinalTone = 0;
    if (m.vinalTone == 0) m.vinal = m.vinal == 19 ? 1 : m.vinal + 1;
    if (++m.sign == 21) m.sign = 1;
    if (++m.tone == 14) m.tone = 1;
    ++m.monthDay;
    if (!(m.month == 13 && m.monthDay == 29) && m.monthDay > 28) {
        m.monthDay = 1;
        if (++m.month == 14) {
            m.month = 1;
            m.yearSign = m.yearSign == 19 ? 4 : m.yearSign + 5;
            m.yearTone = m.yearTone == 13 ? 1 : m.yearTone + 1;
        }
    }
    if (++cromaticDay_ == 6) {
        cromaticDay_ = 1;
        m.cromatic = m.cromatic == 4 ? 1 : m.cromatic + 1;
    }
    if (m.monthDay < 29 && ++m.plasma == 8) m.plasma = 1;
    moveCursor(cursor_, +1);
}

void PositionWalk::stepBackward() {
    MayanDate& m = counters_;
    if (--m.kin == 0) m.kin = 260;
    if (m.vinalTone == 0) {
        m.vinalTone = 19;
        m.vinal = m.vinal == 1 ? 19 : m.vinal - 1;
        if (m.vinal == 19) m.vinalTone = 4;
    } else {
        --m.vinalTone;
    }
    if (--m.sign == 0) m.sign = 20;
    if (--m.tone == 0) m.tone = 13;
    if (--cromaticDay_ == 0) {
        cromaticDay_ = 5;
        m.cromatic = m.cromatic == 1 ? 4 : m.cromatic - 1;
    }
    --m.monthDay;
    if ((m.month > 1 && m.monthDay <= 0) || (m.month == 1 && m.monthDay == -1)) {
        m.monthDay = 28;
        if (--m.month == 0) {
            m.month = 13;
            m.yearSign = m.yearSign == 4 ? 19 : m.yearSign - 5;
            m.yearTone = m.yearTone == 1 ? 13 : m.yearTone - 1;
        }
    }
    if (m.monthDay > 0 && --m.plasma == 0) m.plasma = 7;
    moveCursor(cursor_, -1);
}

MayanDate PositionWalk::position() const {
    MayanDate m = counters_;
    m.weekNumber = (m.monthDay - 1) / 7 + 1 + (m.month - 1) * 4;
    if (m.weekNumber > 52) m.weekNumber = 0;
    if (cursor_.day == 25 && cursor_.month == 7) m.month = 0;
    return m;
}

MayanDate walkGregorianToMayan(const GregorianDate& date) {
    if (!isExistingDate(date)) throwNoSuchDate(date);
    GregorianDate target = date;
    if (target.month == 2 && target.day == 29) target.day = 28;
    const bool before = date.year < 2001 || (date.year == 2001 && date.month < 8) ||
                        (date.year == 2001 && date.month == 8 && date.day < 21);
    PositionWalk walk;
    auto reached = [&] {
        const GregorianDate& c = walk.cursor();
        return c.day == target.day && c.month == target.month && c.year == target.year;
    };
    while (!reached()) {
        if (before)
            walk.stepBackward();
        else
            walk.stepForward();
    }
    MayanDate m = walk.position();
    m.moonPhase = moonPhaseOn(date);
    return m;
}

}  // namespace orbisca
