// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "gfx/glyph_states.h"

namespace orbisca::assets {

// Pictograms of the window buttons. A glyph holds four images of one button side by side.
enum class Pictogram {
    Day,
    Tone,
    Sign,
    Plasma,
    Oracle,
    Month,
    Zolkin,
    Wavespell,
    Pulsars,
    Year,
    Moons,
    Castle,
    Telectonon,
    KinBook,
    Print,
    Help,
    Config,
    Compact,
    Exit,
    Expand,
    Close
};

// The order of a glyph's images, shared with the glyph button.
using gfx::GlyphState;
using gfx::kGlyphStates;

QImage buttonGlyph(Pictogram icon, int cell, bool round);

}  // namespace orbisca::assets
