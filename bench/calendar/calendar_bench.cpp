// SPDX-License-Identifier: GPL-3.0-or-later
// The closed-form conversion against the day-by-day walk, and the CSV range throughput.
#include <benchmark/benchmark.h>

#include "calendar/calendar.h"
#include "calendar/iso_date.h"
#include "range_csv.h"

using namespace orbisca;

namespace {

// Targets `years` years after the reference date, spread over a few days so no single date is
// special.
GregorianDate target(int years, int i) { return stepDate(kReferenceDate, years * 365 + i % 7); }

void BM_GregorianToMayan(benchmark::State& state) {
    const int years = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(gregorianToMayan(target(years, i++)));
}
BENCHMARK(BM_GregorianToMayan)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Arg(1'000'000);

// The conversion alone, without the date stepping the loop above includes.
void BM_GregorianToMayanOnly(benchmark::State& state) {
    const GregorianDate d = target(static_cast<int>(state.range(0)), 3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(d);
        benchmark::DoNotOptimize(gregorianToMayan(d));
    }
}
BENCHMARK(BM_GregorianToMayanOnly)->Arg(1)->Arg(1000);

void BM_Walk(benchmark::State& state) {
    const int years = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(walkGregorianToMayan(target(years, i++)));
}
BENCHMARK(BM_Walk)->Arg(1)->Arg(10)->Arg(100)->Arg(1000);

void BM_RangeCsvRows(benchmark::State& state) {
    const GregorianDate from = parseIsoDate("1900-01-01");
    const GregorianDate to = parseIsoDate("2099-12-31");  // 73,049 rows
    std::size_t bytes = 0;
    for (auto _ : state) {
        cli::writeRangeCsv(from, to, [&](std::string_view chunk) {
            bytes += chunk.size();
            benchmark::DoNotOptimize(chunk.data());
            return true;
        });
    }
    state.SetItemsProcessed(state.iterations() * 73'049);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_RangeCsvRows)->Unit(benchmark::kMillisecond);

}  // namespace
