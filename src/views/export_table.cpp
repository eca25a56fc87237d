// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/export_table.h"

#include <algorithm>

namespace orbisca {

const std::vector<ExportView>& exportViews() {
    static const std::vector<ExportView> views = [] {
        std::vector<ExportView> out;
        for (const ScriptExportPage& page : kScriptExportPages)
            out.push_back({page.which, QString::fromLatin1(page.name).toLower(),
                           QString::fromLatin1(page.header), page.canvas, page.view});
        return out;
    }();
    return views;
}

const ExportView& exportViewOf(ScriptExport which) {
    return exportViews().at(static_cast<std::size_t>(which) - 1);  // throws for no export
}

std::optional<ExportView> findExportView(const QString& nameOrMode) {
    bool isNumber = false;
    const int mode = nameOrMode.toInt(&isNumber);
    for (const ExportView& view : exportViews())
        if (isNumber ? modeNumber(view.view) == mode
                     : view.name.compare(nameOrMode, Qt::CaseInsensitive) == 0)
            return view;
    return std::nullopt;
}

namespace {

// The year page's lines that belong to the script instead: the first day's small sign (four
// lines) and small tone (two lines), drawn beside the grid.
constexpr int kYearLinesMovedToScript = 6;

void moveLastYearLines(ScriptLines& yearLines, ScriptSink& script) {
    QStringList& lines = yearLines.lines;
    const qsizetype first = std::max<qsizetype>(0, lines.size() - kYearLinesMovedToScript);
    for (qsizetype i = first; i < lines.size(); ++i) script.append(lines[i]);
    lines.erase(lines.begin() + first, lines.end());
}

}  // namespace

void exportView(FullModeFrame& frame, const ExportView& view, ScriptSink& script,
                ScriptLines& yearLines) {
    struct SinkGuard {
        FullModeFrame& frame;
        ~SinkGuard() { frame.resetSinks(); }
    } guard{frame};
    const bool yearPage = view.view == FullModeView::Year;
    if (yearPage) yearLines.lines.clear();
    script.append(view.header);
    frame.setScriptSink(script);
    frame.setYearSink(yearLines);
    frame.state().exports.exportCanvasWidth = view.canvas.width();
    frame.state().exports.exporting = true;
    frame.paintMode(view.view);
    if (!yearPage) return;
    if (frame.state().exports.exportAsGlyphText) script.append(QStringLiteral("YEAR 53 12 1"));
    moveLastYearLines(yearLines, script);
}

}  // namespace orbisca
