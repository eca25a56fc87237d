// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/full_mode_state.h"

namespace orbisca {

LogValues fullModeLogValues(const FullModeState& f, const FullModePointer& pointer) {
    using F = LogField;
    return {{F::FullMode, (long long)modeNumber(f.fade.mode)},
            {F::OriginX, (long long)f.drawing.originX},
            {F::CachedYearSign, (long long)f.year.cachedYearSign},
            {F::CachedYearTone, (long long)f.year.cachedYearTone},
            {F::YearStartSign, (long long)f.year.yearStartSign},
            {F::YearStartTone, (long long)f.year.yearStartTone},
            {F::YearStartCromatic, (long long)f.year.yearStartCromatic},
            {F::DrawIntoYearBuffer, f.year.drawIntoYearBuffer},
            {F::AlignRight, f.drawing.alignRight},
            {F::FadeOpacity, (long long)f.fade.fadeOpacity},
            {F::RequestedMode, (long long)modeNumber(f.fade.requestedMode)},
            {F::FadeStepsLeft, (long long)f.fade.fadeStepsLeft},
            {F::TickTime, f.fade.tickTime},
            {F::LastExportFont, (long long)f.exports.lastExportFont},
            {F::LastHint, pointer.lastHint},
            {F::Exporting, f.exports.exporting},
            {F::ExportAsGlyphText, f.exports.exportAsGlyphText},
            {F::ExportMode, (long long)modeNumber(f.exports.exportMode)},
            {F::BoardDrawn, f.drawing.boardDrawn},
            {F::PressX, (long long)pointer.pressX},
            {F::PressY, (long long)pointer.pressY},
            {F::DrawingKin, f.roles.drawingKin},
            {F::DrawingTone, f.roles.drawingTone},
            {F::DrawingGuide, f.roles.drawingGuide},
            {F::DrawingAnalog, f.roles.drawingAnalog},
            {F::DrawingAntipode, f.roles.drawingAntipode},
            {F::DrawingOccultTeacher, f.roles.drawingOccultTeacher},
            {F::DrawingPlasma, f.roles.drawingPlasma}};
}

}  // namespace orbisca
