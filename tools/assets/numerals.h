// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

namespace orbisca::assets {

// The bar-and-dot numeral of a tone 1..13: a dot is one, a bar five; the dots sit above the bars.
// Every tone uses the scale of the tallest numeral (three rows), so tones of one size match.
QPainterPath toneNumeralPath(int tone, const QRectF& box);

// The same numeral laid sideways for the 15 x 6 year-grid tones: dots on the left, upright bars
// on the right, set pixel by pixel so the tiny picture stays sharp. Transparent elsewhere.
void drawTinyToneNumeral(QImage& canvas, int tone, QColor colour);

// A bar-and-dot numeral of up to three bars and four dots drawn to fixed pixel measures, for the
// small cells of the boards and tablets: dots of `dot` pixels, `pitch` apart, bars of the box's
// width and `bar` pixels high, rows `gap` apart, centred in the box.
struct NumeralMeasures {
    double dot, pitch, bar, gap;
};
QPainterPath compactNumeralPath(int value, const QRectF& box, NumeralMeasures m);

}  // namespace orbisca::assets
