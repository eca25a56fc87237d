// SPDX-License-Identifier: GPL-3.0-or-later
// The nine exports of the print manager: which full-mode view each one writes as a script, under
// which header and on which canvas, and the key, text and tool button that start it.
#pragma once

#include <QSize>
#include <QString>
#include <array>
#include <optional>

#include "printpage/caption_table.h"

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

struct ScriptExportInfo {
    ScriptExport which;
    const char* name;    // names its menu item and tool button ("KinBook")
    Caption caption;     // menu item text and tool button hint
    Qt::Key key;         // its shortcut (F4 .. F12)
    const char* header;  // the script's first line
    QSize canvas;        // the canvas the script is written for
    int view;            // the full-mode view that writes it
};

// clang-format off
inline constexpr std::array<ScriptExportInfo, 9> kScriptExports = {{
    {ScriptExport::Day,       "Day",       Caption::ExportDay,       Qt::Key_F4,  "[Day info script]",     {380, 380}, 0},
    {ScriptExport::Tone,      "Tone",      Caption::ExportTone,      Qt::Key_F6,  "[Tone info script]",    {670, 550}, 1},
    {ScriptExport::Sign,      "Sign",      Caption::ExportSign,      Qt::Key_F5,  "[Sign info script]",    {670, 550}, 2},
    {ScriptExport::Plasm,     "Plasm",     Caption::ExportPlasm,     Qt::Key_F7,  "[Plasm info script]",   {670, 550}, 3},
    {ScriptExport::Oracle,    "Oracle",    Caption::ExportOracle,    Qt::Key_F8,  "[Oracle script]",       {670, 550}, 4},
    {ScriptExport::Wavespell, "Wavespell", Caption::ExportWavespell, Qt::Key_F9,  "[Wave script]",         {670, 550}, 6},
    {ScriptExport::Month,     "Month",     Caption::ExportMonth,     Qt::Key_F10, "[Moon script]",         {670, 550}, 7},
    {ScriptExport::Year,      "Year",      Caption::ExportYear,      Qt::Key_F11, "[Year script]",         {740, 550}, 9},
    {ScriptExport::KinBook,   "KinBook",   Caption::ExportKinBook,   Qt::Key_F12, "[Book of kins script]", {670, 540}, 14},
}};
// clang-format on

const ScriptExportInfo& scriptExportInfo(ScriptExport which);

// The export that opening the print manager from the full-mode window runs for the mode it was
// showing; none for the modes without one.
std::optional<ScriptExport> exportForFullModeMode(int mode);

}  // namespace orbisca
