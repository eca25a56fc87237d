// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/export_table.h"

#include <algorithm>

#include "views/mode_table.h"

namespace orbisca {

const std::vector<ExportView>& exportViews() {
    static const std::vector<ExportView> views = {
        {1, QStringLiteral("day"), QStringLiteral("[Day info script]"), {380, 380}, 0},
        {2, QStringLiteral("tone"), QStringLiteral("[Tone info script]"), {670, 550}, 1},
        {3, QStringLiteral("sign"), QStringLiteral("[Sign info script]"), {670, 550}, 2},
        {4, QStringLiteral("plasm"), QStringLiteral("[Plasm info script]"), {670, 550}, 3},
        {5, QStringLiteral("oracle"), QStringLiteral("[Oracle script]"), {670, 550}, 4},
        {6, QStringLiteral("wavespell"), QStringLiteral("[Wave script]"), {670, 550}, 6},
        {7, QStringLiteral("month"), QStringLiteral("[Moon script]"), {670, 550}, 7},
        {8, QStringLiteral("year"), QStringLiteral("[Year script]"), {740, 550}, 9},
        {9, QStringLiteral("kinbook"), QStringLiteral("[Book of kins script]"), {670, 540}, 14},
    };
    return views;
}

std::optional<ExportView> findExportView(const QString& nameOrMode) {
    bool isNumber = false;
    const int mode = nameOrMode.toInt(&isNumber);
    for (const ExportView& view : exportViews())
        if (isNumber ? view.mode == mode : view.name.compare(nameOrMode, Qt::CaseInsensitive) == 0)
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
    const bool yearPage = view.mode == kYearMode;
    if (yearPage) yearLines.lines.clear();
    script.append(view.header);
    frame.setScriptSink(script);
    frame.setYearSink(yearLines);
    frame.state().exportCanvasWidth = view.canvas.width();
    frame.state().exporting = true;
    frame.paintMode(view.mode);
    if (!yearPage) return;
    if (frame.state().exportAsGlyphText) script.append(QStringLiteral("YEAR 53 12 1"));
    moveLastYearLines(yearLines, script);
}

}  // namespace orbisca
