// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/moon_views.h"

#include <algorithm>
#include <array>

#include "calendar/oracle.h"
#include "data/day_words.h"
#include "views/full_mode_frame.h"
#include "views/highlights.h"
#include "views/izin.h"
#include "views/view_places.h"

namespace orbisca {
namespace {

// Font choices of these views.
constexpr int kBearerFont = 5;
constexpr int kWeekFont = 7;

// BASE.KTX lines.
using namespace base_line;

constexpr int kWeeksPerMoon = 4;
constexpr int kDaysPerWeek = 7;
constexpr int kMoons = 13;

GregorianDate stepped(const GregorianDate& d, int days) { return stepDate(d, days); }

// A day of the year grid: its frame, its small sign at `at`, its small tone above the sign.
void drawSmallDay(FullModeFrame& f, QPoint at, int sign, int tone, int cromatic) {
    f.drawElement(at.x() - 1, at.y() - 7, kinds::kFrames.kindOf(cromatic), false);
    f.drawElement(at.x(), at.y(), kinds::kSmallSigns.kindOf(sign), false);
    f.drawElement(at.x(), at.y() - 7, kinds::kSmallTones.kindOf(tone + 13 * (cromatic - 1)), false);
}

// The page of 25 July in the month and week views.
void paintExtraDay(FullModeFrame& f) {
    const MayanDate& m = f.day();
    f.drawElement(6, 146, kinds::kExtraDayDot, true);
    f.drawElement(0, 218, kinds::kSigns35.kindOf(m.sign), true);
    f.drawElement(0, 198, kinds::kTones35.kindOf(m.tone), true);
    f.drawText(0, 280, f.baseLine(kExtraDayFirst), kViewNumberFont, true);
    f.drawText(0, 295, f.baseLine(kExtraDaySecond), kViewNumberFont, true);
}

// The 364 days of the year starting at `start` into the year buffer (on screen) or as script
// lines (while exporting); returns the highlight point of the current day's kin: its first
// occurrence in the first half of the year, its last one later.
std::optional<QPoint> drawYearGrid(FullModeFrame& f, const GregorianDate& start,
                                   const MayanDate& first, bool extraDay) {
    FullModeState& s = f.state();
    const bool exporting = s.exports.exporting;
    if (!exporting) {
        // The buffer is about to change: no key may vouch for it until the grid is whole (a
        // picture that fails to load leaves it half drawn).
        s.year.cachedYearSign = s.year.cachedYearTone = 0;
        clearFrame(f.buffers().second);
        s.year.drawIntoYearBuffer = true;
    }
    if (extraDay) f.drawElement(143, 46, kinds::kExtraDayDot, false);
    const MayanDate& today = f.day();
    std::optional<QPoint> highlight;
    bool fixed = false;
    GregorianDate date = start;
    MayanDate day = first;
    for (int moon = 1; moon <= kMoons; ++moon)
        for (int week = 0; week < kWeeksPerMoon; ++week)
            for (int weekday = 0; weekday < kDaysPerWeek; ++weekday) {
                const QPoint at = yearDayPoint(moon, week, weekday);
                drawSmallDay(f, at, day.sign, day.tone, day.cromatic);
                if (!fixed && day.sign == today.sign && day.tone == today.tone) {
                    highlight = at;
                    fixed = today.weekNumber < 25;
                }
                if (moon == kMoons && week == kWeeksPerMoon - 1 && weekday == kDaysPerWeek - 1)
                    break;
                date = stepped(date, 1);
                day = gregorianToMayan(date);
            }
    if (exporting) return highlight;  // an export leaves the cache and the buffers alone
    // 25 July keeps no key, so that the next day draws the grid again (without the dot).
    s.year.cachedYearSign = extraDay ? 0 : first.yearSign;
    s.year.cachedYearTone = first.yearTone;
    s.year.yearStartSign = first.sign;
    s.year.yearStartTone = first.tone;
    s.year.yearStartCromatic = first.cromatic;
    s.year.drawIntoYearBuffer = false;
    copyFrame(f.buffers().second, f.buffers().frame);
    return highlight;
}

// The grid from the cache, or drawn afresh; the current day's highlight point.
std::optional<QPoint> yearGrid(FullModeFrame& f, const MayanDate& first, bool extraDay) {
    FullModeState& s = f.state();
    const bool cached = !s.exports.exporting && s.year.cachedYearSign == first.yearSign &&
                        s.year.cachedYearTone == first.yearTone;
    if (!cached) return drawYearGrid(f, yearStartOf(f.date()), first, extraDay);
    copyFrame(f.buffers().second, f.buffers().frame);
    if (extraDay) f.drawElement(143, 46, kinds::kExtraDayDot, false);
    return yearHighlightOf(f.day());
}

// The day's own icon beside the grid.
void drawYearDayFigure(FullModeFrame& f) {
    const MayanDate& m = f.day();
    f.drawElement(315, 240, kinds::kSigns35.kindOf(m.sign), false);
    drawKinMarks(f, m.kin, 301, 240);
    f.drawElement(315, 220, kinds::kTones35.kindOf(m.tone), false);
    f.drawText(-12, 275, QString::fromStdString(formatGregorianDate(f.date(), 4)), kViewNumberFont,
               true);
    f.drawElement(289, 217, kinds::kMoonDayMarks.kindOf(m.cromatic), false);
    f.drawText(-29, 225, QString::number(m.monthDay), kViewNumberFont, true);
}

void drawYear(FullModeFrame& f) {
    const MayanDate& m = f.day();
    const bool extraDay = isExtraDay(f.date());
    const MayanDate first = gregorianToMayan(yearStartOf(f.date()));
    const std::optional<QPoint> highlight = yearGrid(f, first, extraDay);
    f.drawElement(236, 22, kinds::kSigns35.kindOf(m.yearSign), false);
    f.drawElement(236, 2, kinds::kTones35.kindOf(m.yearTone), false);
    if (extraDay) {
        f.drawElement(236, 118, kinds::kSigns35.kindOf(first.sign), false);
        f.drawElement(236, 98, kinds::kTones35.kindOf(first.tone), false);
        f.drawText(-82, 180, f.baseLine(kExtraDayFirst), kViewNumberFont, true);
        f.drawText(-82, 195, f.baseLine(kExtraDaySecond), kViewNumberFont, true);
        return;
    }
    const Settings& s = f.settings();
    if (s.yearDayIcon) drawYearDayFigure(f);
    f.drawElement(167, 62, kinds::kYearDot, false);
    drawSmallDay(f, {245, 122}, first.sign, first.tone, first.cromatic);
    f.drawText(-82, 163, f.baseLine(kExtraDayFirst), kViewSmallFont, true);
    f.drawText(-82, 173, f.baseLine(kExtraDaySecond), kViewSmallFont, true);
    if (f.state().exports.exporting || !highlight || m.month < 1) return;
    if (s.yearShine) shine(f, highlight->x() - 13, highlight->y() - 19, Highlight::Year);
    if (s.yearLine) stampPulsar(f, pulsarPointsBetween(*highlight, yearMoonMarker(m.month)), 0);
}

// The four runes of the year bearers of 2000 to 2004 (base 0, 7, 14, 21), rising to the middle
// moon and falling again.
std::optional<int> yearRuneKind(const GregorianDate& moonStart, const MayanDate& m) {
    if (moonStart.year < 2000 || moonStart.year > 2004) return std::nullopt;
    static constexpr std::array<std::array<int, 2>, 4> kBearers = {
        {{19, 8}, {4, 9}, {9, 10}, {14, 11}}};
    static constexpr std::array<int, kMoons> kMoonStep = {1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
        if (kBearers[std::size_t(i)][0] == m.yearSign && kBearers[std::size_t(i)][1] == m.yearTone)
            return kinds::kRunes.kindOf(7 * i + kMoonStep[std::size_t(m.month - 1)]);
    return std::nullopt;
}

void drawMonthCell(FullModeFrame& f, const GregorianDate& date, const MayanDate& d, int row,
                   int column) {
    const int x = 76 * column, y = 86 * row;
    f.drawElement(x - 13, 95, kinds::kPlasmas35.kindOf(d.plasma), false);
    f.drawElement(x - 30, y + 50, kinds::kMoonDayMarks.kindOf(d.cromatic), false);
    if (column == 1) f.drawText(6, y + 80, QString::number(d.weekNumber), kWeekFont, false);
    drawKinMarks(f, d.kin, x - 18, y + 73);
    f.drawElement(x - 4, y + 73, kinds::kSigns35.kindOf(d.sign), false);
    f.drawElement(x - 4, y + 53, kinds::kTones35.kindOf(d.tone), false);
    f.drawText(x - 312, y + 58, QString::number(d.monthDay), kViewNumberFont, true);
    if (f.showsDatesInViews())
        f.drawText(x - 295, y + 112, f.viewDateText(date), kViewSmallFont, true);
}

void drawIzinFigure(FullModeFrame& f, const IzinFigure& figure, int number) {
    f.drawElement(517, 222, kinds::kIzinFigures.kindOf(number), false);
    f.drawText(-236, 234, izinNumberText(f, figure), kViewNumberFont, true);
}

}  // namespace

GregorianDate yearStartOf(const GregorianDate& date) {
    const bool beforeStart = date.month < 7 || (date.month == 7 && date.day < 26);
    GregorianDate start = date;
    start.day = 26;
    start.month = 7;
    if (beforeStart) --start.year;
    return start;
}

QPoint yearDayPoint(int moon, int week, int weekday) {
    const QPoint cell = uPlace(moon - 1);
    return {128 * cell.x() + 17 * weekday + 20, 100 * cell.y() + 23 * week - 78};
}

QPoint yearMoonMarker(int moon) {
    static constexpr std::array<QPoint, kMoons> kMarkers = {{{284, 221},
                                                             {284, 235},
                                                             {284, 248},
                                                             {284, 262},
                                                             {284, 275},
                                                             {293, 287},
                                                             {319, 287},
                                                             {340, 287},
                                                             {350, 275},
                                                             {350, 262},
                                                             {350, 248},
                                                             {350, 235},
                                                             {350, 221}}};
    return kMarkers[std::size_t(std::clamp(moon, 1, kMoons) - 1)];
}

std::optional<QPoint> yearHighlightOf(const MayanDate& day) {
    if (day.month < 1 || day.month > kMoons) return std::nullopt;
    const int week = day.weekNumber - kWeeksPerMoon * (day.month - 1) - 1;
    const int weekday = day.monthDay - kDaysPerWeek * week - 1;
    return yearDayPoint(day.month, week, weekday);
}

void paintYearPage(FullModeFrame& f) {
    drawYear(f);
    const MayanDate& m = f.day();
    MayanDate bearer{};
    bearer.sign = m.yearSign;
    bearer.tone = m.yearTone;
    const OracleInfo o = makeOracle(bearer);
    const BaseLineReader line = readBaseLineEachTime(f.data().folder);
    f.drawText(126, 8, f.baseLine(base_line::kBearerLabel), kViewLabelFont, true);
    f.drawText(126, 27, f.baseLine(base_line::kYearLabel), kViewLabelFont, true);
    f.drawText(
        126, 40,
        colourWord(o, line) + ' ' + toneWord(o, line) + ' ' + f.baseLine(signNameLine(m.yearSign)),
        kBearerFont, true);
}

void paintMonth(FullModeFrame& f) {
    if (isExtraDay(f.date())) return paintExtraDay(f);
    const MayanDate& m = f.day();
    f.drawElement(272, 3, kinds::kLargeTones.kindOf(m.month), false);
    f.drawText(8, 43, f.baseLine(moonNameLine(m.month)) + f.baseLine(base_line::kMoonTitleEnding),
               kViewTitleFont, true);
    f.drawText(8, 63,
               f.baseLine(base_line::kMoonLabel) + ' ' + f.baseLine(moonSecondNameLine(m.month)),
               kViewTitleFont, true);
    f.drawText(200, 47, f.baseLine(kMonthLabel), kViewSmallFont, true);
    f.drawText(200, 63, f.baseLine(kMonthLabel + m.month), kViewTitleFont, true);
    GregorianDate date = stepped(f.date(), -m.monthDay);
    if (const std::optional<int> rune = yearRuneKind(date, m)) f.drawElement(100, 30, *rune, false);
    std::optional<QPoint> highlight;
    for (int row = 1; row <= kWeeksPerMoon; ++row)
        for (int column = 1; column <= kDaysPerWeek; ++column) {
            date = stepped(date, 1);
            const MayanDate d = gregorianToMayan(date);
            drawMonthCell(f, date, d, row, column);
            if (kDaysPerWeek * (row - 1) + column == m.monthDay)
                highlight = QPoint(76 * column - 40, 86 * row + 40);
        }
    if (highlight && !f.state().exports.exporting)
        shine(f, highlight->x(), highlight->y(), monthHighlight(m.cromatic));
}

void paintThirteenMoons(FullModeFrame& f) {
    if (isExtraDay(f.date())) return paintExtraDay(f);
    const MayanDate& m = f.day();
    const int dayOfWeek = (m.monthDay - 1) % kDaysPerWeek;  // 0..6
    // The week's number and izin year are the current day's. The week's first day would do for the
    // number but for the first week of the year, whose day before is 25 July, counted either in
    // the old year or in the new one depending on the side the date was reached from.
    const int week = m.weekNumber - 1;
    const int colour = week % 4;
    const std::optional<IzinFigure> figure =
        izinFigureOfWeek(f, izinYear(m.yearSign, m.yearTone), week);
    f.drawElement(27, 72, kinds::kWeekLines.kindOf(3 * colour), false);
    f.drawElement(582, 100, kinds::kWeekLines.kindOf(3 * colour + 2), false);
    f.drawElement(27, 100, kinds::kWeekLines.kindOf(3 * colour + 2), false);
    f.drawElement(27, 424, kinds::kWeekLines.kindOf(3 * colour + 1), false);
    f.drawText(10, 35, f.baseLine(base_line::kWeekLabel) + ' ' + QString::number(week + 1),
               kWeekFont, true);
    GregorianDate date = stepped(f.date(), -dayOfWeek - 1);
    int figureNumber = 0;
    for (int c = 1; c <= kDaysPerWeek; ++c) {
        date = stepped(date, 1);
        const MayanDate d = gregorianToMayan(date);
        const int x = 76 * c;
        if (c < kDaysPerWeek && date.year >= kFirstIzinYear && figure)
            figureNumber = drawIzinStack(f, *figure, x - 14, 220, c);
        drawKinMarks(f, d.kin, x - 18, 159);
        f.drawElement(x - 20, 370, kinds::kVinals50.kindOf(d.vinal), false);
        f.drawElement(x - 4, 375, kinds::kVinals40.kindOf(d.vinal), false);
        f.drawElement(x - 21, 380, kinds::kVinalTones40.kindOf(d.vinalTone), false);
        f.drawElement(x - 15, 280, kinds::kRunes.kindOf(d.monthDay), false);
        f.drawElement(x - 20, 325, kinds::kQuarters.kindOf(d.monthDay), false);
        f.drawElement(x - 13, 90, kinds::kPlasmas35.kindOf(d.plasma), false);
        f.drawElement(x - 30, 129, kinds::kWeekMoonDayMarks.kindOf(d.cromatic), false);
        f.drawElement(x - 4, 159, kinds::kSigns35.kindOf(d.sign), false);
        f.drawElement(x - 4, 139, kinds::kTones35.kindOf(d.tone), false);
        f.drawText(x - 312, 144, QString::number(d.monthDay), kViewNumberFont, true);
        if (f.showsDatesInViews())
            f.drawText(x - 295, 198, f.viewDateText(date), kViewSmallFont, true);
    }
    if (figure && figureNumber > 0) drawIzinFigure(f, *figure, figureNumber);
    if (!f.state().exports.exporting) shine(f, 76 * (dayOfWeek + 1) - 40, 119, Highlight::Week);
}

}  // namespace orbisca
