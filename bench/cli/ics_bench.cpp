// SPDX-License-Identifier: GPL-3.0-or-later
// The iCalendar feed: events written per second for a century, texts from the bundled pack.
#include <benchmark/benchmark.h>

#include <QFile>

#include "calendar/iso_date.h"
#include "data/text_file.h"
#include "ics_feed.h"

using namespace orbisca;

namespace {

cli::IcsFeed packFeed(int alarmMinutes) {
    QFile file(QStringLiteral(ORBISCA_SOURCE_DIR "/share/BASE.KTX"));
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    return cli::IcsFeed(baseLinesFrom(splitTextLines(decodeText(file.readAll()))),
                        {alarmMinutes, "20240101T000000Z"});
}

void BM_IcsCentury(benchmark::State& state) {
    const cli::IcsFeed feed = packFeed(static_cast<int>(state.range(0)));
    const GregorianDate from = parseIsoDate("1950-01-01");
    const GregorianDate to = parseIsoDate("2049-12-31");  // 36,525 days
    std::size_t bytes = 0;
    for (auto _ : state) {
        cli::writeIcsFeed(feed, from, to, [&](std::string_view chunk) {
            bytes += chunk.size();
            benchmark::DoNotOptimize(chunk.data());
            return true;
        });
    }
    state.SetItemsProcessed(state.iterations() * 36'525);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
// Without an alarm, and with one at 09:30.
BENCHMARK(BM_IcsCentury)->Arg(-1)->Arg(570)->Unit(benchmark::kMillisecond);

// Preparing the texts of every kin, moon and year bearer, paid once per run.
void BM_IcsFeedSetUp(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(packFeed(-1));
}
BENCHMARK(BM_IcsFeedSetUp)->Unit(benchmark::kMillisecond);

}  // namespace
