#pragma once

#include <QImage>
#include <QString>
#include <vector>

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
    Izin,
    Print,
    Help,
    Config,
    Compact,
    Exit,
    Expand,
    Close
};

// The order of a glyph's images, left to right. The glyph button cuts its strip in this order.
enum class GlyphState { Normal, Hot, Down, Disabled };
inline constexpr int kGlyphStates = 4;

QImage buttonGlyph(Pictogram icon, int cell, bool round);

}  // namespace orbisca::assets
