// SPDX-License-Identifier: GPL-3.0-or-later
// The page setup: a preview redraw after a drag step (the canvas is shrunk once per show, never
// per step) and Print now of an optimized 4020 x 3300 canvas into a PDF file, with its size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include "data/data_state.h"
#include "printing/canvas_printer.h"
#include "printing/page_preview_widget.h"

using namespace orbisca;

namespace {

// The application, and the working folder a print into a file would land in.
QString prepareProgram() {
    static int argc = 1;
    static char name[] = "bench_page_setup";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    static QTemporaryDir home;
    return home.path();
}

// A page like an optimized export: texts and shapes on white.
const QImage& exportedCanvas() {
    static QImage canvas;
    if (!canvas.isNull()) return canvas;
    canvas = QImage(4020, 3300, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    QFont font = painter.font();
    font.setPixelSize(60);
    painter.setFont(font);
    for (int row = 0; row < 40; ++row)
        painter.drawText(
            200, 200 + row * 75,
            QStringLiteral("Line %1 of the day's text, as an export writes it").arg(row));
    painter.setBrush(QColor(200, 60, 40));
    for (int i = 0; i < 20; ++i)
        painter.drawEllipse(2400 + (i % 5) * 300, 300 + (i / 5) * 300, 250, 250);
    return canvas;
}

void inMilliseconds(benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); }

void BM_PreviewDragStep4020x3300(benchmark::State& state) {
    prepareProgram();
    PageGeometry geometry;
    geometry.centre = false;
    const QSize page(4958, 7017);
    PagePreviewWidget preview;
    preview.setPageGeometry(&geometry);
    preview.setCanvas(exportedCanvas());
    preview.setPage(page);
    placeOnPage(geometry, page, exportedCanvas().size());
    const std::optional<PreviewDrag> drag =
        startPreviewDrag(geometry, preview.layout(), preview.layout().picture.bottomRight());
    QImage target(preview.layout().size, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        dragPreview(geometry, *drag, drag->press + QPoint(step % 40, step % 40),
                    preview.layout().ratio, page, exportedCanvas().size());
        preview.render(target);
        ++step;
    }
}
BENCHMARK(BM_PreviewDragStep4020x3300)->Unit(benchmark::kMicrosecond);

void BM_PrintNowToPdf4020x3300(benchmark::State& state) {
    DataState data;
    data.folder.set(prepareProgram());
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("print.pdf"));
    qputenv("ORBISCA_PRINT_TO", file.toLocal8Bit());
    CanvasPrinter printer(data);
    printer.printer();  // made before the timing, as at the program's first print
    for (auto _ : state)
        if (!printer.print(true, exportedCanvas(), nullptr))
            state.SkipWithError(data.notifier.messages.value(0).toUtf8().constData());
    state.counters["pdf_bytes"] = double(QFileInfo(file).size());
    qunsetenv("ORBISCA_PRINT_TO");
}
BENCHMARK(BM_PrintNowToPdf4020x3300)->Apply(inMilliseconds);

}  // namespace
