// SPDX-License-Identifier: GPL-3.0-or-later
// The views of the 260-day count: the Zolkin board with the current kin marked and its row
// captions (mode 5), the thirteen days of the current wavespell on their board (mode 6), the same
// with the pulsars of the day's tone over it (mode 8), and the wings board of the five castles
// (mode 12).
#pragma once

#include <QPoint>

namespace orbisca {

class FullModeFrame;

void paintZolkinPage(FullModeFrame& frame);
void paintWavespellPage(FullModeFrame& frame);
void paintPulsarsPage(FullModeFrame& frame);
void paintWingsPage(FullModeFrame& frame);

// Where the Zolkin view lays its highlight for kin 1..260: 13 columns of 20 kins.
QPoint zolkinHighlightOf(int kin);

// The wavespell view's place of tone 1..13 as the top left of the highlight.
QPoint wavespellHighlightOf(int tone);

}  // namespace orbisca
