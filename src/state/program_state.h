// SPDX-License-Identifier: GPL-3.0-or-later
// The program's state: one object made in main (or in a test or a benchmark) and lent by
// reference to the painters, the interpreter and the windows. It owns everything that lasts
// between two events: the settings, the current day, the working folder with its texts, the
// messages and the error log, the fonts, and the page the interpreter draws on. Nothing else in
// the program keeps state of its own across calls, so two of these in one process (two working
// folders, two languages) work side by side.
#pragma once

#include <QString>
#include <utility>

#include "data/data_state.h"
#include "gfx/font_table.h"
#include "gfx/glyph_fonts.h"
#include "printpage/page_services.h"
#include "printpage/print_page.h"

namespace orbisca {

struct ProgramState {
    DataState data;
    FontTable fonts;
    gfx::GlyphFonts glyphFonts;
    PrintPageState printPage;      // the page the print manager and `script run` draw on
    bool glyphFontsTried = false;  // registerGlyphFonts() has run

    ProgramState() { printPage.services = programPageServices(data, glyphFonts); }
    // A state working in `folder` (with `pack` behind it).
    explicit ProgramState(const QString& folder, const QString& pack = QString()) : ProgramState() {
        data.folder.set(folder, pack);
    }
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;
};

// Registers the working folder's glyph fonts with the application, once a run; each failure is
// told through the notifier. Needs a QGuiApplication.
inline void registerGlyphFonts(ProgramState& program) {
    if (std::exchange(program.glyphFontsTried, true)) return;
    Notifier& notifier = program.data.notifier;
    program.glyphFonts.registerFolder(program.data.folder,
                                      [&notifier](const QString& text) { notifier.notify(text); });
    program.data.startPhases.mark("glyph fonts");
}

}  // namespace orbisca
