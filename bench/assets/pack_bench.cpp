// SPDX-License-Identifier: GPL-3.0-or-later
// The whole picture pack, drawn and written as the build does it (target: under 10 s), and the
// heaviest single picture, the compact face.
#include "face.h"
#include "generator.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

// The pictures' captions are drawn with fonts, which need a GUI application.
void prepareApplication() {
    static int argc = 1;
    static char name[] = "bench_assets";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

void drawWholePack(benchmark::State& state) {
    prepareApplication();
    QTemporaryDir dir;
    for (auto _ : state) {
        const QStringList problems = orbisca::assets::writePack(dir.path());
        if (!problems.isEmpty()) state.SkipWithError("the pack was not written");
    }
}
BENCHMARK(drawWholePack)->Unit(benchmark::kMillisecond)->Iterations(3);

void drawCompactFace(benchmark::State& state) {
    prepareApplication();
    for (auto _ : state) benchmark::DoNotOptimize(orbisca::assets::facePicture());
}
BENCHMARK(drawCompactFace)->Unit(benchmark::kMillisecond);

}  // namespace
