// SPDX-License-Identifier: GPL-3.0-or-later
// The views of the 13-moon year: the whole year as thirteen moons of four weeks (mode 9, with its
// bearer's caption), the current moon as a 4 x 7 grid (mode 7), and the current week with its
// vinals, runes, quarters and izin figure (mode 11). On 25 July, which belongs to no moon, the
// month and week views show the extra day's page instead.
#pragma once

#include <QPoint>
#include <optional>

#include "calendar/calendar.h"

namespace orbisca {

class FullModeFrame;

void paintYearPage(FullModeFrame& frame);
void paintMonth(FullModeFrame& frame);
void paintThirteenMoons(FullModeFrame& frame);

// The first day of the 13-moon year that holds `date`: 26 July of its year, or of the year before
// for a date up to 25 July (so 25 July closes the year it ends).
GregorianDate yearStartOf(const GregorianDate& date);

// Where the year grid puts a day given by moon 1..13, week 0..3 of the moon and day 0..6 of the
// week: the top left of its small sign, which is also the highlight's point.
QPoint yearDayPoint(int moon, int week, int weekday);

// The point the year view's line runs to from the day: the marker of moon 1..13.
QPoint yearMoonMarker(int moon);

// The year view's highlight point of a day (nothing on 25 July): from its moon, week number and
// day of the moon.
std::optional<QPoint> yearHighlightOf(const MayanDate& day);

}  // namespace orbisca
