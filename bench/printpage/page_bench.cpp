// SPDX-License-Identifier: GPL-3.0-or-later
// Script runs and the page optimization at the sizes the print manager meets.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include "printpage/image_ops.h"
#include "printpage/page_services.h"
#include "printpage/print_page.h"
#include "state/program_state.h"
#include "support/export_script.h"

using namespace orbisca;

namespace {

// Fonts need a GUI application; the moon picture comes from a working folder of our own, which a
// program state works in (one for the process, its folder's spellings found once).
ProgramState& prepareProgram() {
    static int argc = 1;
    static char name[] = "bench_printpage";
    static char* argv[] = {name, nullptr};
    static ProgramState* program = nullptr;
    if (program) return *program;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
    static QTemporaryDir home;
    QDir(home.path()).mkpath("graphic");
    QImage moon(120, 120, QImage::Format_RGB888);
    moon.fill(qRgb(230, 220, 150));
    moon.save(QDir(home.path()).filePath("graphic/moon2.bmp"), "BMP");
    program = new ProgramState(home.path());
    return *program;
}

// The program's page, started afresh.
PrintPageState& freshPage(ProgramState& program, const QStringList& script, int width, int height) {
    PrintPageState& page = program.printPage;
    page = PrintPageState();
    page.services = programPageServices(program.data, program.glyphFonts);
    page.script = script;
    page.canvasWidth = width;
    page.canvasHeight = height;
    setScriptDay(page, gregorianToMayan(GregorianDate{21, 8, 2, 2001}));
    return page;
}

void BM_Script2000LinesOnto670x550(benchmark::State& state) {
    ProgramState& program = prepareProgram();
    const QStringList script = bench::exportScript(2000, true);
    PrintPageState& page = freshPage(program, script, 670, 550);
    for (auto _ : state) {
        page.interp.progressMode = ProgressMode::Idle;
        if (!redrawPage(page)) state.SkipWithError("the script failed");
        benchmark::DoNotOptimize(page.canvas.constBits());
    }
}
BENCHMARK(BM_Script2000LinesOnto670x550)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Optimize for an A4 page at 600 dpi: the canvas grows to 4020 x 3300, the script is rewritten
// and redrawn, and the page is blurred.
void BM_Optimize670x550ForA4At600Dpi(benchmark::State& state) {
    ProgramState& program = prepareProgram();
    const QStringList script = bench::exportScript(120, true);
    for (auto _ : state) {
        state.PauseTiming();
        PrintPageState& page = freshPage(program, script, 670, 550);
        setCanvas(page, 670, 550, true);
        page.interp.progressMode = ProgressMode::ExportShare;
        state.ResumeTiming();
        if (!optimizeForPrinter(page, QSize(4960, 7016))) state.SkipWithError("the script failed");
        benchmark::DoNotOptimize(page.canvas.constBits());
        if (page.canvas.size() != QSize(4020, 3300)) state.SkipWithError("unexpected canvas size");
    }
}
BENCHMARK(BM_Optimize670x550ForA4At600Dpi)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(5);

}  // namespace
