// SPDX-License-Identifier: GPL-3.0-or-later
// The lines a compact-window repaint reads from "BASE.KTX": about 35 lines up to line 720.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <array>

#include "data/text_file.h"
#include "data/working_folder.h"

namespace {

constexpr std::array<int, 35> kRepaintLines = {
    29,  34,  52,  59,  60,  61,  70,  84,  108, 121, 133, 137, 156, 165, 166, 168, 174, 192,
    193, 194, 195, 196, 197, 205, 219, 240, 254, 315, 323, 344, 358, 372, 392, 400, 720};

// A working folder of its own that holds a BASE.KTX of 730 lines.
struct BaseFile {
    BaseFile() {
        QFile file(dir.filePath("BASE.KTX"));
        if (!file.open(QIODevice::WriteOnly)) std::abort();
        for (int i = 0; i < 730; ++i)
            file.write(QString::fromUtf8("Строка %1: текст базы с подписью знака и тона\r\n")
                           .arg(i)
                           .toUtf8());
    }
    QTemporaryDir dir;
    orbisca::WorkingFolder folder{dir.path()};
};

// Every repaint, as the compact window does it: one readDatabaseLine per line.
void BM_RepaintLines(benchmark::State& state) {
    static BaseFile base;
    for (auto _ : state)
        for (int line : kRepaintLines)
            benchmark::DoNotOptimize(orbisca::readDatabaseLine(base.folder, line, "BASE.KTX"));
}
BENCHMARK(BM_RepaintLines)->Unit(benchmark::kMicrosecond);

// The same after every cached copy was dropped: the first repaint after an edit.
void BM_RepaintLinesColdCache(benchmark::State& state) {
    static BaseFile base;
    for (auto _ : state) {
        orbisca::clearTextCache(base.folder);
        for (int line : kRepaintLines)
            benchmark::DoNotOptimize(orbisca::readDatabaseLine(base.folder, line, "Base.ktx"));
    }
}
BENCHMARK(BM_RepaintLinesColdCache)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The print manager spells the file "Base.ktx": each read goes through the case-insensitive lookup.
void BM_RepaintLinesOtherCase(benchmark::State& state) {
    static BaseFile base;
    for (auto _ : state)
        for (int line : kRepaintLines)
            benchmark::DoNotOptimize(orbisca::readDatabaseLine(base.folder, line, "Base.ktx"));
}
BENCHMARK(BM_RepaintLinesOtherCase)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// An installed program: the user's empty folder in front of the pack that holds BASE.KTX, so
// each read first misses the user's folder.
void BM_RepaintLinesFromTheInstalledPack(benchmark::State& state) {
    static BaseFile pack;
    static QTemporaryDir own;
    static const orbisca::WorkingFolder installed(own.path(), pack.dir.path());
    for (auto _ : state)
        for (int line : kRepaintLines)
            benchmark::DoNotOptimize(orbisca::readDatabaseLine(installed, line, "BASE.KTX"));
}
BENCHMARK(BM_RepaintLinesFromTheInstalledPack)->Unit(benchmark::kMicrosecond);

}  // namespace
