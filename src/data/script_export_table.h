// SPDX-License-Identifier: GPL-3.0-or-later
// The nine printing scripts the print manager exports: which full-mode view writes each one,
// under which header line and for which canvas. The views' export (views/export_table.h) and the
// print manager's menu (printpage/script_exports.h) both read this one table.
#pragma once

#include <QSize>
#include <array>
#include <cstddef>
#include <optional>

#include "data/full_mode_view.h"

namespace orbisca {

// The numbers are those the print manager remembers as its last export (0: none).
enum class ScriptExport : int {
    Day = 1,
    Tone = 2,
    Sign = 3,
    Plasm = 4,
    Oracle = 5,
    Wavespell = 6,
    Month = 7,
    Year = 8,
    KinBook = 9,
};

struct ScriptExportPage {
    ScriptExport which;
    const char*
        name;  // "KinBook": its menu item and tool button; in lower case on the command line
    const char* header;  // the script's first line
    QSize canvas;        // the canvas the script is written for
    FullModeView view;   // the full-mode view that writes it
};

// clang-format off
inline constexpr std::array<ScriptExportPage, 9> kScriptExportPages = {{
    {ScriptExport::Day,       "Day",       "[Day info script]",     {380, 380}, FullModeView::Day},
    {ScriptExport::Tone,      "Tone",      "[Tone info script]",    {670, 550}, FullModeView::Tone},
    {ScriptExport::Sign,      "Sign",      "[Sign info script]",    {670, 550}, FullModeView::Sign},
    {ScriptExport::Plasm,     "Plasm",     "[Plasm info script]",   {670, 550}, FullModeView::Plasma},
    {ScriptExport::Oracle,    "Oracle",    "[Oracle script]",       {670, 550}, FullModeView::Oracle},
    {ScriptExport::Wavespell, "Wavespell", "[Wave script]",         {670, 550}, FullModeView::Wavespell},
    {ScriptExport::Month,     "Month",     "[Moon script]",         {670, 550}, FullModeView::Month},
    {ScriptExport::Year,      "Year",      "[Year script]",         {740, 550}, FullModeView::Year},
    {ScriptExport::KinBook,   "KinBook",   "[Book of kins script]", {670, 540}, FullModeView::KinBook},
}};
// clang-format on

inline const ScriptExportPage& scriptExportPage(ScriptExport which) {
    return kScriptExportPages[static_cast<std::size_t>(which) - 1];
}

// The export that opening the print manager from the full-mode window runs for the view it was
// showing; none for the views without one.
inline std::optional<ScriptExport> exportOfView(FullModeView view) {
    for (const ScriptExportPage& page : kScriptExportPages)
        if (page.view == view) return page.which;
    return std::nullopt;
}

}  // namespace orbisca
