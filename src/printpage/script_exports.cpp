// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/script_exports.h"

namespace orbisca {

const ScriptExportInfo& scriptExportInfo(ScriptExport which) {
    return kScriptExports[static_cast<std::size_t>(which) - 1];
}

std::optional<ScriptExport> exportForFullModeMode(int mode) {
    for (const ScriptExportInfo& info : kScriptExports)
        if (info.view == mode) return info.which;
    return std::nullopt;
}

}  // namespace orbisca
