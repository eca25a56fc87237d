// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration and the donation reminder on a copy of the assembled working folder:
// reading and applying "conf.dat" (target: under 1 ms), showing each dialog (under 50 ms) and the
// launch bookkeeping of "strt.dat" that runs at every start (under 1 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "config/config_dialog.h"
#include "data/conf_file.h"
#include "data/data_state.h"
#include "data/donation_files.h"
#include "donation/donation_dialog.h"

namespace {

using namespace orbisca;

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_dialogs";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A working folder of its own: the benchmarks write conf.dat, strt.dat and Donation info.txt.
const QTemporaryDir& home() {
    static QTemporaryDir dir;
    static const bool filled = [] {
        for (const QFileInfo& file :
             QDir(QStringLiteral(ORBISCA_HOME_DIR)).entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), dir.filePath(file.fileName()));
        return true;
    }();
    (void)filled;
    return dir;
}

// Each benchmark works with a data state of its own in that folder.
void useHome(DataState& data) {
    application();
    data.folder.set(home().path());
}

// What the compact and full-mode windows do at each showing: read conf.dat and put it in force.
void BM_LoadSettings(benchmark::State& state) {
    DataState data;
    useHome(data);
    for (auto _ : state) benchmark::DoNotOptimize(loadSettings(data));
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

// The dialog's own load: conf.dat into the controls, then applied.
void BM_ConfigDialogLoadAndApply(benchmark::State& state) {
    DataState data;
    useHome(data);
    ConfigDialog dialog(data);
    dialog.load();
    for (auto _ : state) dialog.load();
}
BENCHMARK(BM_ConfigDialogLoadAndApply)->Unit(benchmark::kMicrosecond);

// Shown (captions, load) and hidden again (apply), with its first paint.
void BM_ConfigDialogShown(benchmark::State& state) {
    DataState data;
    useHome(data);
    ConfigDialog dialog(data);
    for (auto _ : state) {
        dialog.show();
        benchmark::DoNotOptimize(dialog.grab());
        dialog.hide();
    }
}
BENCHMARK(BM_ConfigDialogShown)->Unit(benchmark::kMillisecond);

// Prepared, shown modally with its first paint, and closed.
void BM_ReminderShown(benchmark::State& state) {
    DataState data;
    useHome(data);
    writeLaunchFile(data, QStringLiteral("-1"));
    DonationDialog dialog(data);
    for (auto _ : state) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            benchmark::DoNotOptimize(dialog.grab());
            dialog.reject();
        });
        dialog.runReminder();
    }
}
BENCHMARK(BM_ReminderShown)->Unit(benchmark::kMillisecond);

// One start's count: strt.dat read, counted and replaced.
void BM_CountLaunch(benchmark::State& state) {
    DataState data;
    useHome(data);
    writeLaunchFile(data, QStringLiteral("-1"));
    for (auto _ : state) benchmark::DoNotOptimize(countLaunch(data));
}
BENCHMARK(BM_CountLaunch)->Unit(benchmark::kMicrosecond);

}  // namespace
