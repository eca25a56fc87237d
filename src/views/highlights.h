// SPDX-License-Identifier: GPL-3.0-or-later
// What the calendar views lay over their elements: the glow that marks the current day and the
// soft lines stamped with a small brush (the pulsars of the wavespell, the year view's line from
// the day to its moon). Both draw pixels only: an export writes no line for them and skips them,
// so that an export never changes what the window shows.
#pragma once

#include <QPoint>
#include <vector>

#include "views/full_mode_frame.h"

namespace orbisca {

// The highlight pictures, by the number the views pass.
enum class Highlight {
    Wavespell = 0,    // shine1
    MonthRed = 1,     // shine2; the month view picks one of four by the day's cromatic
    Zolkin = 2,       // shine3
    Castle = 3,       // shine4
    Year = 4,         // shine5
    Week = 5,         // shine6
    MonthWhite = 6,   // shine7
    MonthBlue = 7,    // shine8
    MonthYellow = 8,  // shine9
};

// The picture and the mask of a highlight, as the program names them ("graphic\shine2.bmp" and
// "graphic\shine2t.bmp"); the four month pictures share one mask.
QString highlightPictureName(Highlight highlight);
QString highlightMaskName(Highlight highlight);

// The month view's highlight for a cromatic 1..4.
Highlight monthHighlight(int cromatic);

// Lays the highlight over the frame with its top left at (x, y) and sets the window's caption
// from the masked drawing's answer: "OK", ">X", ">Y", "<X", "<Y" (a mask of another size leaves
// it). Nothing happens while exporting.
void shine(FullModeFrame& frame, int x, int y, Highlight highlight);

// The pulsar brushes by colour number: 0 violet, 1 white, 2 blue, 3 yellow, 4 light green, 5 red.
inline constexpr int kPulsarColours = 6;

// The place of tone 1..13 on the wavespell board: the point its pulsar lines meet.
QPoint tonePlace(int tone);

// The points a line is stamped at, brush top left on each: from `from` one pixel a step along the
// longer axis to `to`, the other axis rounded to the nearest pixel (halves to even). The line runs
// in the direction given; a shallow line to the left or a steep one upwards has no points.
std::vector<QPoint> pulsarPoints(QPoint from, QPoint to);

// The same line between two free points, put in an order that draws: left to right, and a steep
// line from its upper end.
std::vector<QPoint> pulsarPointsBetween(QPoint a, QPoint b);

// Stamps the brush of `colour` at every point. Nothing while exporting.
void stampPulsar(FullModeFrame& frame, const std::vector<QPoint>& points, int colour);

// One pulsar line as the table names it: between the places of two tones.
struct PulsarLine {
    int fromTone, toTone;
};

// The lines the pulsars view draws for `tone`, in drawing order, each with its colour number.
// mode 0: the tone's own pulsar; mode 1: its second pulsar; any other mode both. The colour
// scheme 0..3 colours the pulsars of tones 2, 3 and 4 and the tones that share them.
struct ColouredPulsarLine {
    PulsarLine line;
    int colour;
};
std::vector<ColouredPulsarLine> pulsarLines(int tone, int mode, int scheme);

// Draws the pulsars of the day's tone.
void drawPulsars(FullModeFrame& frame, int mode, int scheme);

}  // namespace orbisca
