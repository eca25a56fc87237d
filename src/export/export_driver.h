// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's exports without a window: a full-mode view written as a printing script onto
// a page (header, the view's lines, the year page, the canvas) and, in easy mode, fitted to the
// printer page. The print manager window, orbisca-cli and the benchmarks all run exports here.
#pragma once

#include <QSize>

#include "printpage/print_page.h"
#include "printpage/script_exports.h"
#include "views/full_mode_frame.h"

namespace orbisca {

struct ExportOptions {
    bool optimize = true;      // easy mode: enlarge for the printer page, redraw, soften
    QSize printerPage;         // the printer's page in device pixels (Optimize's target)
    bool exportAsText = true;  // elements as glyph text where the frame can write them
    // The colour the FONT lines of exported texts carry, " r g b " as WindWHP.dat keeps it.
    QString textColour = QStringLiteral(" 0 0 0 ");
};

// The FONT-line colour text of a colour: a blank, red, a blank, green, a blank, blue, a blank.
QString exportColourText(int red, int green, int blue);

class ExportDriver {
public:
    ExportDriver(FullModeFrame& frame, PrintPageState& page) : frame_(frame), page_(page) {}

    // Replaces the page's script with the export of `which` for the current date and sets the
    // canvas to the export's size (cleared, nothing drawn); with options.optimize the page is then
    // optimized for options.printerPage. The year export replaces the year page as well. The
    // frame's export state is cleared on every path; a failure propagates as an exception, a
    // failing script line returns false (marked in the script, said by the page's notifier).
    bool run(ScriptExport which, const ExportOptions& options);

private:
    FullModeFrame& frame_;
    PrintPageState& page_;
};

}  // namespace orbisca
