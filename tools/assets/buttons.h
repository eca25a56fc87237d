#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace orbisca::assets {

// Pictograms of the window buttons. A glyph holds four images of one button side by side, in the
// order normal, under the mouse, pressed, disabled.
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
    Izin,
    Print,
    Help,
    Config,
    Compact,
    Exit,
    Expand,
    Close
};

inline constexpr int kGlyphStates = 4;

QImage buttonGlyph(Pictogram icon, int cell, bool round);

}  // namespace orbisca::assets
