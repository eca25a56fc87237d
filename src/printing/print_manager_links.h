// What the print manager asks of the code around it. Each hook may be left empty: the print
// manager then says in its status line that the command is not available yet (exports, day
// steps, printing) or does without (the full-mode window), so it works on its own.
#pragma once

#include <QSize>
#include <functional>

#include "printpage/script_exports.h"

namespace orbisca {

// Writing view scripts, filled by the export code. Each hook runs on the user-interface thread
// from a menu, key or tool button of the print manager, never while one of its runs is going on.
struct ScriptExportLink {
    // Writes the script of `which` into the print manager (header, the view's lines, the year
    // page, the canvas size) and, in easy mode, optimizes it. Remembered as the last export.
    std::function<void(ScriptExport which)> exportScript;
    // Moves the current date by `days` (-1 or +1) and, in easy mode, runs the last export again.
    std::function<void(int days)> stepDay;
    // Lets the user pick the current date and, in easy mode, runs the last export again.
    std::function<void()> pickDate;
};

// The printer, filled by the printing code.
struct PrinterLink {
    // The printer's page in device pixels, as Optimize enlarges the canvas for it. Empty: an A4
    // page at 600 dpi (Qt's 4958 x 7017).
    std::function<QSize()> pageSize;
    // "Setup...": the page setup window.
    std::function<void()> setup;
    // "Print..." (withDialog: the print dialog first) and "Print now".
    std::function<void(bool withDialog)> print;
};

// The full-mode window, filled by the program when it wires its windows.
struct FullModeLink {
    // The full-mode window takes no input while the print manager is shown.
    std::function<void(bool enabled)> setEnabled;
    // Asks the full-mode window to show `mode` again when the print manager hides.
    std::function<void(int mode)> requestMode;
    // Ends the full-mode window's export state (its export flags) when the print manager hides.
    std::function<void()> clearExportFlags;
};

// The printer page Optimize uses when no printer says otherwise.
QSize defaultPrinterPage();

}  // namespace orbisca
