// SPDX-License-Identifier: GPL-3.0-or-later
// The four images of a button's glyph strip, left to right: the picture pack draws the strips in
// this order and the glyph button cuts them in it.
#pragma once

namespace orbisca::gfx {

enum class GlyphState { Normal = 0, Hot = 1, Down = 2, Disabled = 3 };
inline constexpr int kGlyphStates = 4;

}  // namespace orbisca::gfx
