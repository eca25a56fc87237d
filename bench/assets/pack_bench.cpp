// SPDX-License-Identifier: GPL-3.0-or-later
// The whole picture pack, drawn and written as the build does it (target: under 10 s), and the
// heaviest single picture, the compact face.
#include "face.h"
#include "generator.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

void DrawWholePack(benchmark::State& state) {
    QTemporaryDir dir;
    for (auto _ : state) {
        const QStringList problems = orbisca::assets::writePack(dir.path());
        if (!problems.isEmpty()) state.SkipWithError("the pack was not written");
    }
}
BENCHMARK(DrawWholePack)->Unit(benchmark::kMillisecond)->Iterations(3);

void DrawCompactFace(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(orbisca::assets::facePicture());
}
BENCHMARK(DrawCompactFace)->Unit(benchmark::kMillisecond);

}  // namespace
