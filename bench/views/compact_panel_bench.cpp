// SPDX-License-Identifier: GPL-3.0-or-later
// The compact window's panel: one paint on the assembled working folder (target: under 15 ms),
// and the whole program from process start to the painted panel (target: under 400 ms).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>

#include "calendar/calendar.h"
#include "data/working_folder.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "views/compact_panel.h"

namespace {

using namespace orbisca;

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "bench_compact";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

bool homeHasPictures() { return QDir(QStringLiteral(ORBISCA_HOME_DIR "/graphic")).exists(); }

void BM_PaintPanel(benchmark::State& state) {
    application();
    if (!homeHasPictures()) return state.SkipWithError("the working folder has no graphic/ yet");
    const WorkingFolder folder(QStringLiteral(ORBISCA_HOME_DIR));
    FontTable fonts;
    fonts.load(folder);
    const PanelPictures pictures{gfx::loadBitmap(folder.resolve("graphic\\pyr0.bmp")),
                                 gfx::loadBitmap(folder.resolve("graphic\\moon.bmp"))};
    GregorianDate date{1, 1, 0, 2026};
    QImage face;
    for (auto _ : state) {
        paintPanel({folder, fonts}, face, pictures, gregorianToMayan(date));
        date = stepDate(date, 1);
        benchmark::DoNotOptimize(face.constBits());
    }
}
BENCHMARK(BM_PaintPanel)->Unit(benchmark::kMillisecond);

// Starts the real program offscreen and waits for its report that the panel is painted.
void BM_StartToPanel(benchmark::State& state) {
    if (!homeHasPictures()) return state.SkipWithError("the working folder has no graphic/ yet");
    for (auto _ : state) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        program.start(QStringLiteral(ORBISCA_BIN),
                      {"--home", ORBISCA_HOME_DIR, "--report-start-time"});
        QByteArray err;
        while (!err.contains("painted after") && clock.elapsed() < 10000) {
            program.waitForReadyRead(20);
            err += program.readAllStandardError();
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        program.kill();
        program.waitForFinished(3000);
        if (!err.contains("painted after"))
            return state.SkipWithError("the program did not paint its panel");
    }
}
BENCHMARK(BM_StartToPanel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
