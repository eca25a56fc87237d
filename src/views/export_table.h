// SPDX-License-Identifier: GPL-3.0-or-later
// The views the print manager exports as printing scripts (data/script_export_table.h) as the
// export names them, and the export itself.
#pragma once

#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "data/script_export_table.h"
#include "views/full_mode_frame.h"
#include "views/script_sink.h"

namespace orbisca {

struct ExportView {
    ScriptExport which;
    QString name;       // "day", "tone", "sign", "plasm", "oracle", "wavespell", "month", "year",
                        // "kinbook"
    QString header;     // the script's first line, "[Day info script]"
    QSize canvas;       // the page the script is written for
    FullModeView view;  // the full-mode view painted
};

// In the order of kScriptExportPages.
const std::vector<ExportView>& exportViews();
const ExportView& exportViewOf(ScriptExport which);
// By name (as above, without regard to case) or by mode number ("0", "14").
std::optional<ExportView> findExportView(const QString& nameOrMode);

// Writes the script of a view: the header into `script`, then the lines that painting the view
// with the export switch on writes (the year page's into `yearLines`). The frame's buffers are
// left as they were and its sinks are its own again afterwards. Elements take the glyph form when
// state().exports.exportAsGlyphText is set and the frame has a glyph writer, the picture form
// otherwise.
//
// The year view writes a page of its own: `yearLines` is emptied first; afterwards, with the
// glyph form chosen, the script gets the line "YEAR 53 12 1" that draws the year page in place,
// and the last six lines of the year page (the first day's cell beside the grid) move to the end
// of the script, so that they are drawn where they stand rather than shifted with the grid.
void exportView(FullModeFrame& frame, const ExportView& view, ScriptSink& script,
                ScriptLines& yearLines);

}  // namespace orbisca
