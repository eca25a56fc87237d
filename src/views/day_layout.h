// SPDX-License-Identifier: GPL-3.0-or-later
// What the compact window's panel and the full-mode day pages share in laying out a day: the
// centre line of centred items and the rule that splits the tone and sign line.
#pragma once

#include <QString>
#include <QStringList>

namespace orbisca {

struct FontTable;

// Centred texts and pictures are centred on this x (plus their own x).
inline constexpr int kViewCentreX = 299;
// The tone word and the sign name share one line up to this width, in pixels of font 2.
inline constexpr int kToneSignLineWidth = 217;
inline constexpr int kToneSignFont = 2;

// "tone sign" as one line when it is at most 217 pixels wide in font 2 (the font it is drawn in),
// else the tone word and the sign name as two lines.
QStringList toneSignLines(const FontTable& fonts, const QString& tone, const QString& sign);

}  // namespace orbisca
