// SPDX-License-Identifier: GPL-3.0-or-later
// The state of the full-mode window's frame, in parts by what they serve: the cross-fade, the
// export settings, the year cache, the role flags of the element being drawn, the print manager's
// link and the painters' own; and the pointer, which the window keeps. The error log prints them.
#pragma once

#include <QSet>
#include <QString>
#include <cstdint>

#include "data/error_log.h"
#include "data/full_mode_view.h"

namespace orbisca {

// The cross-fade between two views, run by the fade engine; the painters read the mode shown.
struct FadeState {
    FullModeView mode = FullModeView::Closed;        // the view shown
    FullModeView requestedMode = FullModeView::Day;  // the view asked for
    std::int32_t fadeStepsLeft = 0;                  // cross-fade steps still to run
    std::int32_t fadeLength = 0;    // steps of the running cross-fade, taken when it started
    std::uint8_t fadeOpacity = 0;   // opacity of the incoming frame in the current step
    bool arrivalPending = false;    // the mode made current by the last fade has not been
                                    // painted as its final frame yet (its action is due then)
    bool buttonsEnabled = true;     // the sixteen mode buttons take clicks
    double tickTime = 0.0;          // the time of day x 100 at the last fade tick
    bool paintingIncoming = false;  // the incoming mode of a fade is being painted
};

// How a view is painted: as pixels, or as printing-script lines for the export driver.
struct ExportSettings {
    FullModeView exportMode = FullModeView::Day;  // the view being painted (also on screen)
    bool exporting = false;              // paint as printing-script lines instead of pixels
    std::int32_t exportCanvasWidth = 0;  // canvas width of the export being written
    bool exportAsGlyphText = true;       // export elements as glyph text rather than pictures
    QString exportTextColour = QStringLiteral(" 0 0 0 ");  // colour of exported FONT lines
    std::uint8_t lastExportFont = 0;  // font choice of the last exported font line; 255 none
    QString exportGlyphFont;          // glyph font of the element being exported
};

// The year grid drawn last, kept so that a repaint of the same year draws nothing anew.
struct YearCache {
    std::int32_t cachedYearSign = 0;  // the year sign and tone of the drawn grid
    std::int32_t cachedYearTone = 0;
    std::int32_t yearStartSign = 0;  // sign, tone and cromatic of that year's first day
    std::int32_t yearStartTone = 0;
    std::int32_t yearStartCromatic = 0;
    bool drawIntoYearBuffer = false;  // elements are drawn into the year buffer
};

// Set just before the day's kin, tone, guide ... is drawn, cleared after it.
struct RoleFlags {
    bool drawingKin = false;
    bool drawingTone = false;
    bool drawingGuide = false;
    bool drawingAnalog = false;
    bool drawingAntipode = false;
    bool drawingOccultTeacher = false;
    bool drawingPlasma = false;
};

// The print manager opened from the full-mode window.
struct PrintManagerLink {
    FullModeView printedMode = FullModeView::Day;  // the view shown when it was opened
    bool printFromFullMode = false;                // it was opened from this window
};

// What the painters keep between two elements and two paints.
struct DrawingState {
    bool alignRight = false;   // texts end at their point instead of starting there
    bool boardDrawn = false;   // the telectonon board has been drawn in this mode
    std::int32_t originX = 0;  // drawing origin added to every position
    std::int32_t originY = 0;
    std::int32_t lastFontChoice = -1;  // the font choice texts were drawn in last; -1 none
    QString highlightCaption;          // the window's caption as the last highlight left it:
                                       // "OK", or why the highlight did not fit (">X", "<Y" ...)
    QSet<QString> reportedDataFaults;  // faults of data files already reported, each once
};

// The frame's state, held together because the painters read all of it.
struct FullModeState {
    FadeState fade;
    ExportSettings exports;
    YearCache year;
    RoleFlags roles;
    PrintManagerLink print;
    DrawingState drawing;
};

// The pointer over the full-mode window, its own: where the last press was and the hint shown.
struct FullModePointer {
    std::int32_t pressX = 0;
    std::int32_t pressY = 0;
    QString lastHint;  // the hint text shown last
};

// The values of the state that the error log prints.
LogValues fullModeLogValues(const FullModeState& state, const FullModePointer& pointer);

}  // namespace orbisca
