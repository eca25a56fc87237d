// SPDX-License-Identifier: GPL-3.0-or-later
// The state of the full-mode window that its views, its window and the print manager share:
// the mode shown and asked for, the cross-fade, the export flags, the drawing origin, the year
// cache and the role flags of the element being drawn. One plain struct; the full-mode window
// owns the instance and lends it to the error log.
#pragma once

#include <QSet>
#include <QString>
#include <cstdint>

#include "data/error_log.h"
#include "data/full_mode_view.h"

namespace orbisca {

struct FullModeState {
    FullModeView mode = FullModeView::Closed;        // the view shown
    FullModeView requestedMode = FullModeView::Day;  // the view asked for
    std::int32_t fadeStepsLeft = 0;                  // cross-fade steps still to run
    std::int32_t fadeLength = 0;   // steps of the running cross-fade, taken when it started
    std::uint8_t fadeOpacity = 0;  // opacity of the incoming frame in the current step
    bool arrivalPending = false;   // the mode made current by the last fade has not been
                                   // painted as its final frame yet (its action is due then)
    bool buttonsEnabled = true;    // the sixteen mode buttons take clicks
    FullModeView exportMode = FullModeView::Day;  // the view being painted (also on screen)
    bool exporting = false;              // paint as printing-script lines instead of pixels
    std::int32_t exportCanvasWidth = 0;  // canvas width of the export being written
    bool exportAsGlyphText = true;       // export elements as glyph text rather than pictures
    QString exportTextColour = QStringLiteral(" 0 0 0 ");  // colour of exported FONT lines
    bool alignRight = false;  // texts end at their point instead of starting there
    bool boardDrawn = false;  // the telectonon board has been drawn in this mode
    std::int32_t pressX = 0;  // where the last mouse press on the view was
    std::int32_t pressY = 0;
    double tickTime = 0.0;     // the time of day x 100 at the last fade tick
    std::int32_t originX = 0;  // drawing origin added to every position
    std::int32_t originY = 0;
    std::uint8_t lastExportFont = 0;   // font choice of the last exported font line; 255 none
    std::int32_t lastFontChoice = -1;  // the font choice texts were drawn in last; -1 none
    std::int32_t cachedYearSign = 0;   // year cache: the year sign and tone of the drawn grid
    std::int32_t cachedYearTone = 0;
    std::int32_t yearStartSign = 0;  // sign, tone and cromatic of that year's first day
    std::int32_t yearStartTone = 0;
    std::int32_t yearStartCromatic = 0;
    bool drawIntoYearBuffer = false;   // elements are drawn into the year buffer
    bool paintingIncoming = false;     // the incoming mode of a fade is being painted
    QString lastHint;                  // the hint text shown last
    QString highlightCaption;          // the window's caption as the last highlight left it:
                                       // "OK", or why the highlight did not fit (">X", "<Y" ...)
    QSet<QString> reportedDataFaults;  // faults of data files already reported, each once
    QString exportGlyphFont;           // glyph font of the element being exported
    FullModeView printedMode = FullModeView::Day;  // the view shown when the print manager was
                                                   // opened here
    bool printFromFullMode = false;                // the print manager was opened from this window
    // Role flags: set just before the day's kin, tone, guide ... is drawn, cleared after it.
    bool drawingKin = false;
    bool drawingTone = false;
    bool drawingGuide = false;
    bool drawingAnalog = false;
    bool drawingAntipode = false;
    bool drawingOccultTeacher = false;
    bool drawingPlasma = false;
};

// The values of the state that the error log prints.
LogValues fullModeLogValues(const FullModeState& state);

}  // namespace orbisca
