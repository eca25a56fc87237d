// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/moon_phase.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

#include "calendar/calendar.h"
#include "calendar/iso_date.h"

namespace orbisca {
namespace {

// The mean lunation and the mean new moon of 6 January 2000 (Julian Ephemeris Date) from which
// lunation k = 0 counts.
constexpr double kMeanLunation = 29.530588861;
constexpr double kEpochNewMoon = 2451550.09766;

// The lunar theory below is kept to the years -4000 to 8000: outside them its polynomials in T
// and the difference between the clock of the sky (TT) and of the earth (UT) grow without limit,
// and nobody can tell the instants of new moon there anyway. Days before the first or after the
// last day of the theory go on from that day's phase (computed by the theory, checked by the
// tests) with the mean lunation.
constexpr std::int64_t kFirstTrueDay = 260'090;   // 1 January -4000
constexpr std::int64_t kLastTrueDay = 4'643'365;  // 31 December 8000
constexpr std::int32_t kPhaseOnFirstTrueDay = 168'968'953;
constexpr std::int32_t kPhaseOnLastTrueDay = 892'337'873;

// An angle in degrees as radians between -2 pi and 2 pi. The angles of the theory stay below
// 10^8 degrees in its years, so whole turns are dropped through a 64-bit integer, which is cheaper
// than fmod or floor and keeps ample precision for the terms they enter.
double radians(double degrees) {
    const double turns = degrees / 360.0;
    return (turns - static_cast<double>(static_cast<std::int64_t>(turns))) * (2 * std::numbers::pi);
}

// TT - UT in seconds for a decimal year: the polynomials of Espenak and Meeus, each given on
// the years up to `untilYear` as a polynomial in u = (year - origin) / scale.
struct DeltaTSegment {
    double untilYear;
    double origin;
    double scale;
    std::array<double, 8> coefficients;
};

constexpr std::array<DeltaTSegment, 15> kDeltaT{{
    {-500, 1820, 100, {-20, 0, 32}},
    {500, 0, 100, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {1600,
     1000,
     100,
     {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1700, 1600, 1, {120, -0.9808, -0.01532, 1 / 7129.0}},
    {1800, 1700, 1, {8.83, 0.1603, -0.0059285, 0.00013336, -1 / 1174000.0}},
    {1860,
     1800,
     1,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699,
      0.000000000875}},
    {1900, 1860, 1, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1 / 233174.0}},
    {1920, 1900, 1, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1941, 1920, 1, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1961, 1950, 1, {29.07, 0.407, -1 / 233.0, 1 / 2547.0}},
    {1986, 1975, 1, {45.45, 1.067, -1 / 260.0, -1 / 718.0}},
    {2005, 2000, 1, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2050, 2000, 1, {62.92, 0.32217, 0.005589}},
    // -20 + 32 u^2 - 0.5628 (2150 - year), written in u = (year - 1820) / 100.
    {2150, 1820, 100, {-205.724, 56.28, 32}},
    {1e9, 1820, 100, {-20, 0, 32}},
}};

double deltaTSeconds(double year) {
    const DeltaTSegment* segment = &kDeltaT.back();
    for (const DeltaTSegment& s : kDeltaT)
        if (year < s.untilYear) {
            segment = &s;
            break;
        }
    const double u = (year - segment->origin) / segment->scale;
    double value = 0;
    for (auto c = segment->coefficients.rbegin(); c != segment->coefficients.rend(); ++c)
        value = value * u + *c;
    return value;
}

// The periodic terms of the new moon: amplitude in days, the power of the eccentricity factor E
// it carries, and the multiples of M (the sun's mean anomaly), M' (the moon's) and F (the moon's
// argument of latitude) whose sum is the sine's argument.
struct PeriodicTerm {
    double amplitude;
    int ePower;
    int m;
    int mp;
    int f;
};

constexpr std::array<PeriodicTerm, 24> kNewMoonTerms{{
    {-0.40720, 0, 0, 1, 0},   {0.17241, 1, 1, 0, 0},   {0.01608, 0, 0, 2, 0},
    {0.01039, 0, 0, 0, 2},    {0.00739, 1, -1, 1, 0},  {-0.00514, 1, 1, 1, 0},
    {0.00208, 2, 2, 0, 0},    {-0.00111, 0, 0, 1, -2}, {-0.00057, 0, 0, 1, 2},
    {0.00056, 1, 1, 2, 0},    {-0.00042, 0, 0, 3, 0},  {0.00042, 1, 1, 0, 2},
    {0.00038, 1, 1, 0, -2},   {-0.00024, 1, -1, 2, 0}, {-0.00007, 0, 2, 1, 0},
    {0.00004, 0, 0, 2, -2},   {0.00004, 0, 3, 0, 0},   {0.00003, 0, 1, 1, -2},
    {0.00003, 0, 0, 2, 2},    {-0.00003, 0, 1, 1, 2},  {0.00003, 0, -1, 1, 2},
    {-0.00002, 0, -1, 1, -2}, {-0.00002, 0, 1, 3, 0},  {0.00002, 0, 0, 4, 0},
}};

// The amplitudes (days) of the 14 planetary arguments A1..A14 and their angles (degrees) as
// base + rate * k + square * T^2.
constexpr std::array<std::array<double, 4>, 14> kPlanetary{{
    {0.000325, 299.77, 0.107408, -0.009173},
    {0.000165, 251.88, 0.016321},
    {0.000164, 251.83, 26.651886},
    {0.000126, 349.42, 36.412478},
    {0.000110, 84.66, 18.206239},
    {0.000062, 141.74, 53.303771},
    {0.000060, 207.14, 2.453732},
    {0.000056, 154.84, 7.306860},
    {0.000047, 34.52, 27.261239},
    {0.000042, 207.19, 0.121824},
    {0.000040, 291.34, 1.844379},
    {0.000037, 161.72, 24.198154},
    {0.000035, 239.56, 25.513099},
    {0.000023, 331.55, 3.592518},
}};

// e^(i n angle) for n = 0..N, so that the sine of any sum of multiples is one product of powers.
template <int N>
std::array<std::complex<double>, N + 1> powersOf(double degrees) {
    std::array<std::complex<double>, N + 1> powers;
    powers[0] = 1;
    powers[1] = std::polar(1.0, radians(degrees));
    for (int n = 2; n <= N; ++n) powers[n] = powers[n - 1] * powers[1];
    return powers;
}

template <std::size_t Size>
std::complex<double> power(const std::array<std::complex<double>, Size>& powers, int n) {
    return n < 0 ? std::conj(powers[static_cast<std::size_t>(-n)])
                 : powers[static_cast<std::size_t>(n)];
}

// The instant of true new moon number k (k = 0: January 2000) as a Julian Date in UT: the mean
// phase with its secular terms, the periodic terms with the eccentricity factor E and the moon's
// node (Omega), the planetary terms, and finally TT - UT.
double trueNewMoon(double k) {
    const double t = k / 1236.85;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    const double jde =
        kEpochNewMoon + kMeanLunation * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;
    const auto m = powersOf<3>(2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3);
    const auto mp = powersOf<4>(201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 -
                                0.000000058 * t4);
    const auto f = powersOf<2>(160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 +
                               0.000000011 * t4);
    const double omega = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;
    const double eFactor[] = {1, e, e * e};
    double correction = -0.00017 * std::sin(radians(omega));
    for (const PeriodicTerm& term : kNewMoonTerms)
        correction += term.amplitude * eFactor[term.ePower] *
                      (power(m, term.m) * power(mp, term.mp) * power(f, term.f)).imag();
    for (const auto& [amplitude, base, rate, square] : kPlanetary)
        correction += amplitude * std::sin(radians(base + rate * k + square * t2));
    const double year = 2000 + (jde - 2451545.0) / 365.25;
    return jde + correction - deltaTSeconds(year) / 86400.0;
}

// One lunation: its new moon and the next (Julian Dates, UT), and the part of it one day makes.
struct Lunation {
    double start;
    double end;
    double perDay;
};

// The lunations of the theory's years, computed on first use a block at a time and kept for the
// process: a date's phase then reads one entry instead of summing some forty sines twice. Each
// block is published once through an atomic pointer, so that threads may share the table; a block
// two threads computed at once holds the same numbers, and the loser's copy is dropped. The whole
// table (about 150,000 lunations) holds 3.6 MB; a run of nearby dates touches one block of 24 KB.
class LunationTable {
public:
    // The lunation whose new moon is at or before `noon` and whose next new moon is after it,
    // for a noon of the theory's days. The mean lunation is off by less than a day in these years
    // (periodic terms below 15 hours, TT - UT below 1.5 days), so the estimate is off by one at
    // most.
    const Lunation& around(double noon) {
        const double estimate = (noon - kEpochNewMoon) * (1 / kMeanLunation);
        std::int64_t k = static_cast<std::int64_t>(estimate) - (estimate < 0 ? 1 : 0);
        const Lunation* l = &at(k);
        while (l->start > noon) l = &at(--k);
        while (l->end <= noon) l = &at(++k);
        return *l;
    }

private:
    // Lunation numbers of the years -4000 to 8000 with a margin of a few on either side.
    static constexpr std::int64_t kFirst = -74'216;
    static constexpr std::int64_t kBlockSize = 1024;
    static constexpr std::int64_t kBlocks = 146;
    static_assert(kFirst * kMeanLunation + kEpochNewMoon < kFirstTrueDay - 2 * kMeanLunation);
    static_assert((kFirst + kBlocks * kBlockSize) * kMeanLunation + kEpochNewMoon >
                  kLastTrueDay + 2 * kMeanLunation);

    const Lunation& at(std::int64_t k) {
        const auto index = static_cast<std::size_t>((k - kFirst) / kBlockSize);
        const Lunation* block = blocks_[index].load(std::memory_order_acquire);
        if (!block) block = fill(index);
        return block[(k - kFirst) % kBlockSize];
    }

    const Lunation* fill(std::size_t index) {
        auto block = std::make_unique<Lunation[]>(kBlockSize);
        const std::int64_t first = kFirst + std::int64_t(index) * kBlockSize;
        double start = trueNewMoon(double(first));
        for (std::int64_t i = 0; i < kBlockSize; ++i) {
            const double end = trueNewMoon(double(first + i + 1));
            block[i] = {start, end, 1 / (end - start)};
            start = end;
        }
        const Lunation* expected = nullptr;
        if (blocks_[index].compare_exchange_strong(expected, block.get(),
                                                   std::memory_order_acq_rel))
            return block.release();
        return expected;
    }

    std::array<std::atomic<const Lunation*>, std::size_t(kBlocks)> blocks_{};
};

LunationTable& lunations() {
    static LunationTable table;
    return table;
}

// std::fmod(days, kMeanLunation) for a whole number of days, without its slow general loop: the
// remainder d - n L is a double (a remainder of fmod always is), so one fused multiply-add gives it
// exactly once the quotient n is the right one, which the rounded division misses by one at most.
double remainderOfLunations(double days) {
    const double d = std::fabs(days);
    const double n = std::trunc(d / kMeanLunation);
    double r = std::fma(-n, kMeanLunation, d);
    if (r < 0)
        r = std::fma(-(n - 1), kMeanLunation, d);
    else if (r >= kMeanLunation)
        r = std::fma(-(n + 1), kMeanLunation, d);
    return std::copysign(r, days);
}

// The phase on the mean lunation from the nearer end of the theory's days. Exact in its
// arithmetic for every 32-bit year: the day count stays far below 2^53 and the remainder is exact.
std::int32_t meanPhase(std::int64_t julianDay) {
    const bool after = julianDay > kLastTrueDay;
    const double days = static_cast<double>(julianDay - (after ? kLastTrueDay : kFirstTrueDay));
    double lunations = double(after ? kPhaseOnLastTrueDay : kPhaseOnFirstTrueDay) / kMoonModulus +
                       remainderOfLunations(days) / kMeanLunation;
    return LunationCache::billionths(lunations - std::floor(lunations));
}

}  // namespace

// Counted from 1 March, so that a leap day ends its year, of a year shifted by a whole number of
// 400-year eras (146,097 days each) so that it is never negative and every quotient is an
// unsigned one.
std::int64_t julianDayNumber(const GregorianDate& date) {
    constexpr std::int64_t kEras = 5'368'710;  // 400 kEras > 2^31
    const auto year = static_cast<std::uint64_t>(std::int64_t{date.year} + 400 * kEras -
                                                 (date.month <= 2 ? 1 : 0));
    const std::uint64_t dayOfYear =
        (153u * unsigned(date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
    const std::uint64_t days = year * 365 + year / 4 - year / 100 + year / 400 + dayOfYear;
    // 1 March of the year 0 is day 1,721,120.
    return static_cast<std::int64_t>(days) - kEras * 146097 + 1721120;
}

std::int32_t LunationCache::phaseElsewhere(std::int64_t julianDay) {
    if (julianDay < kFirstTrueDay || julianDay > kLastTrueDay) return meanPhase(julianDay);
    const double noon = static_cast<double>(julianDay);
    const Lunation& l = lunations().around(noon);
    // Noons are whole Julian Dates: those from ceil(start) up to ceil(end) - 1 lie in the lunation.
    firstDay_ = std::max(static_cast<std::int64_t>(std::ceil(l.start)), kFirstTrueDay);
    const std::int64_t lastDay =
        std::min(static_cast<std::int64_t>(std::ceil(l.end)) - 1, kLastTrueDay);
    daysCached_ = static_cast<std::uint64_t>(std::max<std::int64_t>(lastDay - firstDay_ + 1, 0));
    newMoon_ = l.start;
    perDay_ = l.perDay;
    return billionths((noon - newMoon_) * perDay_);
}

std::int32_t LunationCache::phaseOn(const GregorianDate& date) {
    return phaseOn(date.year, date.month, date.day);
}

std::int32_t LunationCache::phaseInOtherMonth(std::int32_t year, std::uint8_t month,
                                              std::uint8_t day) {
    if (month < 1 || month > 12)
        return phaseAt(julianDayNumber(GregorianDate{day, month, 0, year}));
    monthYear_ = year;
    month_ = month;
    monthLast_ = month == 2 && !isLeapYear(year) ? 28 : 31;
    monthStart_ = julianDayNumber(GregorianDate{1, month, 0, year}) - 1;
    return phaseOn(year, month, day);
}

std::int32_t moonPhaseOn(const GregorianDate& date) {
    LunationCache cache;
    return cache.phaseOn(date);
}

}  // namespace orbisca
