// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's nine exports as it offers them: the text and the key of each one's menu
// item and tool button. What each export writes is in data/script_export_table.h.
#pragma once

#include <array>

#include "data/script_export_table.h"
#include "printpage/caption_table.h"

namespace orbisca {

struct ScriptExportInfo {
    ScriptExport which;
    Caption caption;  // menu item text and tool button hint
    Qt::Key key;      // its shortcut (F4 .. F12)
    const char* name() const { return scriptExportPage(which).name; }
};

// In the order of kScriptExportPages.
inline constexpr std::array<ScriptExportInfo, kScriptExportPages.size()> kScriptExports = {{
    {ScriptExport::Day, Caption::ExportDay, Qt::Key_F4},
    {ScriptExport::Tone, Caption::ExportTone, Qt::Key_F6},
    {ScriptExport::Sign, Caption::ExportSign, Qt::Key_F5},
    {ScriptExport::Plasm, Caption::ExportPlasm, Qt::Key_F7},
    {ScriptExport::Oracle, Caption::ExportOracle, Qt::Key_F8},
    {ScriptExport::Wavespell, Caption::ExportWavespell, Qt::Key_F9},
    {ScriptExport::Month, Caption::ExportMonth, Qt::Key_F10},
    {ScriptExport::Year, Caption::ExportYear, Qt::Key_F11},
    {ScriptExport::KinBook, Caption::ExportKinBook, Qt::Key_F12},
}};

}  // namespace orbisca
