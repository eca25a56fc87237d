// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/export_driver.h"

#include "calendar/calendar_state.h"
#include "printpage/image_ops.h"
#include "views/export_table.h"

namespace orbisca {
namespace {

constexpr int kGaugeAfterCanvas = 10;

}  // namespace

QString exportColourText(int red, int green, int blue) {
    return QStringLiteral(" %1 %2 %3 ").arg(red).arg(green).arg(blue);
}

bool ExportDriver::run(ScriptExport which, const ExportOptions& options) {
    const ExportView& view = exportViewOf(which);
    setScriptDay(page_, frame_.data().day.position());

    FullModeState& state = frame_.state();
    state.exports.exportAsGlyphText = options.exportAsText;
    state.exports.exportTextColour = options.textColour;
    ScriptLines script;
    ScriptLines yearLines;  // the year export fills it; any other view leaves no year page
    exportView(frame_, view, script, yearLines);  // leaves the frame's export state cleared
    page_.script = script.lines;
    page_.yearPage = yearLines.lines;

    if (options.optimize && page_.autoOptimize) {
        // The optimization makes the canvas at the printer's size and draws it: a canvas of the
        // view's size in between would only be allocated and cleared to be dropped.
        page_.canvasWidth = view.canvas.width();
        page_.canvasHeight = view.canvas.height();
        page_.displayedSize = view.canvas;
    } else {
        setCanvas(page_, view.canvas.width(), view.canvas.height(), true);
    }
    setGauge(page_, kGaugeAfterCanvas);
    if (!options.optimize) return true;
    return optimizeForPrinter(page_, options.printerPage);
}

}  // namespace orbisca
