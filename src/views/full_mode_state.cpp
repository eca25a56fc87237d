// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/full_mode_state.h"

namespace orbisca {

LogValues fullModeLogValues(const FullModeState& f) {
    using F = LogField;
    return {{F::FullMode, (long long)modeNumber(f.mode)},
            {F::OriginX, (long long)f.originX},
            {F::CachedYearSign, (long long)f.cachedYearSign},
            {F::CachedYearTone, (long long)f.cachedYearTone},
            {F::YearStartSign, (long long)f.yearStartSign},
            {F::YearStartTone, (long long)f.yearStartTone},
            {F::YearStartCromatic, (long long)f.yearStartCromatic},
            {F::DrawIntoYearBuffer, f.drawIntoYearBuffer},
            {F::AlignRight, f.alignRight},
            {F::FadeOpacity, (long long)f.fadeOpacity},
            {F::RequestedMode, (long long)modeNumber(f.requestedMode)},
            {F::FadeStepsLeft, (long long)f.fadeStepsLeft},
            {F::TickTime, f.tickTime},
            {F::LastExportFont, (long long)f.lastExportFont},
            {F::LastHint, f.lastHint},
            {F::Exporting, f.exporting},
            {F::ExportAsGlyphText, f.exportAsGlyphText},
            {F::ExportMode, (long long)modeNumber(f.exportMode)},
            {F::BoardDrawn, f.boardDrawn},
            {F::PressX, (long long)f.pressX},
            {F::PressY, (long long)f.pressY},
            {F::DrawingKin, f.drawingKin},
            {F::DrawingTone, f.drawingTone},
            {F::DrawingGuide, f.drawingGuide},
            {F::DrawingAnalog, f.drawingAnalog},
            {F::DrawingAntipode, f.drawingAntipode},
            {F::DrawingOccultTeacher, f.drawingOccultTeacher},
            {F::DrawingPlasma, f.drawingPlasma}};
}

}  // namespace orbisca
