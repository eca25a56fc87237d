// SPDX-License-Identifier: GPL-3.0-or-later
// Exports as the print manager runs them in easy mode on the assembled working folder: the view
// written as a script, rewritten for an A4 page at 600 dpi, drawn and softened. Targets: Sign
// under 1.5 s, Year under 2 s, a day step (the date moved and the last export again) the same;
// the element editor's click preview (the element over the script's drawing, which the first
// click keeps) on the Sign page of 4020 x 3300 under 16 ms, the pointer text of a mouse move under
// 1 ms.
#include <benchmark/benchmark.h>

#include "support/pack_home.h"

#include <QDir>
#include <QGuiApplication>

#include "export/export_driver.h"
#include "printing/print_manager_controller.h"
#include "printpage/element_editor.h"

namespace {

using namespace orbisca;

// The frame the views are exported from and the page the exports are drawn on, both of the
// program state on the working folder.
struct ExportBench {
    explicit ExportBench(ProgramState& state)
        : program(state), data(state.data), frame(state.data, state.fonts), page(state.printPage) {}
    ProgramState& program;
    DataState& data;
    FullModeFrame frame;
    PrintPageState& page;
};

ExportBench* prepared(benchmark::State& state) {
    ProgramState* program = bench::packProgram(state);
    if (!program) return nullptr;
    static ExportBench* instance = new ExportBench(*program);
    return instance;
}

void runExport(benchmark::State& state, ExportBench& b, ScriptExport which) {
    ExportOptions options;
    options.printerPage = defaultPrinterPage();
    options.exportAsText = false;
    if (!ExportDriver(b.frame, b.page).run(which, options))
        state.SkipWithError("the exported script did not run");
}

void BM_EasyExport(benchmark::State& state) {
    ExportBench* b = prepared(state);
    if (!b) return;
    const auto which = static_cast<ScriptExport>(state.range(0));
    runExport(state, *b, which);  // warm the caches
    for (auto _ : state) runExport(state, *b, which);
}
BENCHMARK(BM_EasyExport)
    ->ArgName("export")
    ->Arg(int(ScriptExport::Sign))
    ->Arg(int(ScriptExport::Year))
    ->Arg(int(ScriptExport::Day))
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);

// A day step: the date forward, the Sign export again.
// A day step as the print manager takes it in easy mode: the date forward, the last export again
// (the Sign view, optimized for the printer page).
void BM_DayStep(benchmark::State& state) {
    ExportBench* b = prepared(state);
    if (!b) return;
    PrintManagerController controller(b->program);
    controller.setEasyMode(true);
    controller.setExportAsText(false);
    if (!controller.exportScript(ScriptExport::Sign)) state.SkipWithError("the export failed");
    for (auto _ : state) controller.stepDay(1);
}
BENCHMARK(BM_DayStep)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

// Clicks that place a text on the exported Sign page, each with its preview.
void BM_ClickPreview(benchmark::State& state) {
    ExportBench* b = prepared(state);
    if (!b) return;
    PrintManagerController controller(b->program);
    controller.setEasyMode(true);
    controller.setExportAsText(false);
    if (!controller.exportScript(ScriptExport::Sign)) state.SkipWithError("the export failed");
    ElementEditor editor;
    editor.newText();
    editor.add(QStringLiteral("Placed here"), {}, 0, b->page.canvas.size());
    const auto click = [&](double x) {
        editor.place(ElementEditor::canvasPoint(QPointF(x, 50), 6.3));
        controller.redrawWithPreview([&editor](PrintPageState& page) { editor.drawPreview(page); });
        benchmark::DoNotOptimize(b->page.canvas.constBits());
    };
    click(100);  // the first click after the export draws the script; the next ones do not
    double x = 100;
    for (auto _ : state) click(x += 7);
}
BENCHMARK(BM_ClickPreview)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(5);

void BM_PointerText(benchmark::State& state) {
    double x = 0;
    for (auto _ : state) {
        x = x > 600 ? 0 : x + 1;
        benchmark::DoNotOptimize(
            ElementEditor::pointerText(ElementEditor::canvasPoint(QPointF(x, 50), 6.3)));
    }
}
BENCHMARK(BM_PointerText);

}  // namespace

BENCHMARK_MAIN();
