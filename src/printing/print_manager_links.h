// SPDX-License-Identifier: GPL-3.0-or-later
// What the print manager asks of the code around it and must have an answer for (what it only
// announces are its signals). Each hook may be left empty: the print manager then says in its
// status line that the command is not available yet (the date button) or takes a default (the
// printer's page), so it works on its own.
#pragma once

#include <QSize>
#include <functional>

#include "printpage/script_exports.h"

namespace orbisca {

// The date, filled by the program when it wires its windows. The print manager writes the view
// scripts itself; these hooks only reach the windows it cannot know.
struct ScriptExportLink {
    // Lets the user pick the current date in the date dialog, modally; true when it closed with
    // OK (the other windows have then followed). Empty: the date button is not available.
    std::function<bool()> pickDate;
};

// The printer, filled by the printing code.
struct PrinterLink {
    // The printer's page in device pixels, as Optimize enlarges the canvas for it. Empty: an A4
    // page at 600 dpi (Qt's 4958 x 7017).
    std::function<QSize()> pageSize;
};

// The printer page Optimize uses when no printer says otherwise.
QSize defaultPrinterPage();

}  // namespace orbisca
