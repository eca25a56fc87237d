// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager window: repainting the canvas view at each zoom step of an optimized page,
// the first paint after a zoom step, and a 2000-line script shown through the window (its editor,
// its progress bar and the event processing while it runs).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <cmath>

#include "printing/canvas_view.h"
#include "printing/print_manager_window.h"
#include "printpage/image_ops.h"
#include "state/program_state.h"
#include "support/export_script.h"

using namespace orbisca;

namespace {

// The application, and a working folder of our own for the window's files.
QString prepareProgram() {
    static int argc = 1;
    static char name[] = "bench_printing";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    static QTemporaryDir home;
    return home.path();
}

// The page an optimized export leaves: 4020 x 3300 with texts and shapes all over it.
PrintPageState& optimizedPage() {
    static PrintPageState page;
    if (!page.canvas.isNull()) return page;
    setCanvas(page, 4020, 3300, true);
    QPainter painter(&page.canvas);
    for (int i = 0; i < 400; ++i) {
        const int x = (i * 397) % 3900, y = (i * 211) % 3200;
        painter.setPen(QColor(i % 256, 80, 160));
        painter.setFont(QFont("DejaVu Sans", 12 + i % 40));
        painter.drawText(x, y + 60, QStringLiteral("Kin %1").arg(i));
        painter.fillRect(x, y + 70, 90, 40, QColor(30, i % 256, 90));
    }
    return page;
}

// The exposed rectangle of one repaint: a viewport of 1000 x 700 in the middle of the view.
QRect middleViewport(QSize view) {
    const QSize shown = view.boundedTo(QSize(1000, 700));
    return QRect(QPoint((view.width() - shown.width()) / 2, (view.height() - shown.height()) / 2),
                 shown);
}

// The work of Qt's image routines may run on other threads: all of the process's time counts.
void inMilliseconds(benchmark::internal::Benchmark* b) {
    b->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
}

// Paints the middle viewport of the view into `target`.
void paintMiddle(CanvasView& view, QImage& target) {
    view.render(&target, QPoint(), QRegion(middleViewport(view.size())));
    benchmark::DoNotOptimize(target.constBits());
}

// Zoom steps from -4 (zoomed out four times) to +3 (zoomed in three times).
void atZoomStep(PrintPageState& page, int step) {
    page.viewScale = std::pow(kZoomStep, -step);
    showAtViewScale(page);
}

void BM_CanvasRepaint4020x3300(benchmark::State& state) {
    prepareProgram();
    PrintPageState& page = optimizedPage();
    atZoomStep(page, int(state.range(0)));
    QScrollArea scroller;
    CanvasView view(page, scroller);
    view.canvasChanged();
    const QRect exposed = middleViewport(view.size());
    QImage target(exposed.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&target, QPoint(), QRegion(exposed));  // the picture for this zoom step
    for (auto _ : state) {
        view.render(&target, QPoint(), QRegion(exposed));
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["cached"] = view.paintsFromCache();
    state.SetLabel(
        QStringLiteral("view %1 x %2").arg(view.width()).arg(view.height()).toStdString());
}
BENCHMARK(BM_CanvasRepaint4020x3300)->DenseRange(-4, 3)->Apply(inMilliseconds);

// The optimized page in a view zoomed out four steps, and a viewport to paint it into.
struct ZoomedOutView {
    QScrollArea scroller;
    CanvasView view;
    QImage target{1000, 700, QImage::Format_ARGB32_Premultiplied};
    explicit ZoomedOutView(PrintPageState& page) : view(page, scroller) {
        atZoomStep(page, -4);
        view.canvasChanged();
    }
};

// A zoom step: the view takes its new size and paints once, making its cached picture from the
// halvings of the canvas made before.
void BM_CanvasZoomStep4020x3300(benchmark::State& state) {
    prepareProgram();
    PrintPageState& page = optimizedPage();
    ZoomedOutView zoomed(page);
    paintMiddle(zoomed.view, zoomed.target);  // all the halvings
    atZoomStep(page, int(state.range(0)));
    for (auto _ : state) {
        zoomed.view.viewScaleChanged();
        paintMiddle(zoomed.view, zoomed.target);
    }
}

// The first paint after the canvas changed (a run ended): the halvings are made afresh.
void BM_CanvasFirstPaintZoomedOut4020x3300(benchmark::State& state) {
    prepareProgram();
    ZoomedOutView zoomed(optimizedPage());
    for (auto _ : state) {
        zoomed.view.canvasChanged();
        paintMiddle(zoomed.view, zoomed.target);
    }
}
BENCHMARK(BM_CanvasFirstPaintZoomedOut4020x3300)->Apply(inMilliseconds);
BENCHMARK(BM_CanvasZoomStep4020x3300)->DenseRange(-4, 3)->Apply(inMilliseconds);

// Show in the window: the editor's lines read, the script run with its progress bar moving and
// events handled, the canvas view told.
void BM_Show2000LinesThroughTheWindow(benchmark::State& state) {
    ProgramState program(prepareProgram());
    PrintManagerWindow window(program);
    window.setScriptLines(bench::exportScript(2000, false));
    window.findChild<QSpinBox*>("canvasWidthSpin")->setValue(670);
    window.findChild<QSpinBox*>("canvasHeightSpin")->setValue(550);
    for (auto _ : state)
        if (!window.controller().showImage()) state.SkipWithError("the script failed");
    state.counters["eventPasses"] = window.state().eventPasses;
}
BENCHMARK(BM_Show2000LinesThroughTheWindow)->Apply(inMilliseconds);

}  // namespace
