// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/kin_book.h"

#include <array>

#include "data/affirmation.h"
#include "data/day_words.h"
#include "data/text_case.h"
#include "views/day_layout.h"
#include "views/full_mode_frame.h"
#include "views/izin.h"
#include "views/view_places.h"

namespace orbisca {
namespace {

constexpr int kPageTextFont = 5;

constexpr std::array<int, 6> kAffirmationRows = {422, 437, 452, 466, 480, 494};

void drawCastleAndWavespell(FullModeFrame& f, int kin) {
    const int castle = castleOfKin(kin);
    const int wavespell = wavespellOfKin(kin);
    f.drawText(-201, 60, f.baseLine(base_line::kFirstCastleName + castle), kViewLabelFont, true);
    f.drawText(-201, 75, f.baseLine(base_line::kFirstCastleColour + castle), kViewLabelFont, true);
    f.drawText(-201, 90, f.baseLine(base_line::kFirstCastleCourt + castle), kViewLabelFont, true);
    f.drawText(-201, 125, f.baseLine(base_line::kFirstCastleText + castle), kViewLabelFont, true);
    f.drawText(202, 60, f.baseLine(base_line::kWavespellTitle), kViewLabelFont, true);
    f.drawText(202, 75, f.baseLine(base_line::kFirstWavespellName + wavespell), kViewLabelFont,
               true);
    f.drawText(200, 110, f.baseLine(base_line::kFirstWavespellText + 2 * wavespell), kViewLabelFont,
               true);
    f.drawText(200, 125, f.baseLine(base_line::kFirstWavespellText + 2 * wavespell + 1),
               kViewLabelFont, true);
}

// The week's izin figure, one line for each day of the week gone by; on the seventh day the whole
// figure as its sgn picture.
void drawWeekIzin(FullModeFrame& f) {
    const MayanDate& m = f.day();
    if (f.date().year < kFirstIzinYear) return;
    const std::optional<IzinFigure> figure =
        izinFigureOfWeek(f, izinYear(m.yearSign, m.yearTone), m.weekNumber - 1);
    if (!figure) return;
    const int daysDone = m.monthDay % 7;
    const int number = drawIzinStack(f, *figure, 190, 146, daysDone);
    if (daysDone == 0) f.drawElement(190, 145, kinds::kIzinFigures.kindOf(number), false);
    f.drawText(-88, 136, izinNumberText(f, *figure), kViewNumberFont, true);
}

void drawDayTablets(FullModeFrame& f) {
    const MayanDate& m = f.day();
    drawWeekIzin(f);
    if (m.kin == 78) f.drawElement(0, 365, kinds::kKin78Mark, true);
    if (hasPvsign(m.kin)) f.drawElement(0, 365, kinds::kPvsignMark, true);
    if (m.vinalTone == 0) {
        f.drawElement(367, 145, kinds::kVinals50.kindOf(m.vinal), false);
    } else {
        f.drawElement(383, 145, kinds::kVinals40.kindOf(m.vinal), false);
        f.drawElement(366, 150, kinds::kVinalTones40.kindOf(m.vinalTone), false);
    }
    f.drawElement(184, 316, kinds::kRunes.kindOf(m.monthDay), false);
    f.drawElement(370, 316, kinds::kQuarters.kindOf(m.monthDay), false);
}

void drawOracle(FullModeFrame& f) {
    const OracleInfo& o = f.oracle();
    f.drawElement(0, 232, kinds::kLargeSigns.kindOf(o.sign), true, ElementRole::Kin);
    f.drawElement(0, 142, kinds::kSigns45.kindOf(o.guide), true, ElementRole::Guide);
    f.drawElement(-82, 242, kinds::kSigns45.kindOf(o.antipode), true, ElementRole::Antipode);
    f.drawElement(82, 242, kinds::kSigns45.kindOf(o.analog), true, ElementRole::Analog);
    f.drawElement(0, 314, kinds::kSigns45.kindOf(o.occultTeacher), true,
                  ElementRole::OccultTeacher);
}

void drawMoonItems(FullModeFrame& f, const DayCaptions& c) {
    const MayanDate& m = f.day();
    if (m.month == 0) {
        f.drawText(0, 117, c.extraDay, kPageTextFont, true);
        return;
    }
    f.drawText(0, 29, c.moonTitle, kViewTitleFont, true);
    f.drawText(0, 49, c.moonName, kViewTitleFont, true);
    f.drawText(0, 71, c.dayOfMoon, kViewLabelFont, true);
    f.drawText(-160, 198, c.plasmaLabel, kViewLabelFont, true);
    f.drawText(-160, 210, c.plasmaName, kViewLabelFont, true);
    f.drawElement(-160, 230, kinds::kLargePlasmas.kindOf(m.plasma), true, ElementRole::Plasma);
}

void drawNamesAndAffirmation(FullModeFrame& f, const DayCaptions& c) {
    const MayanDate& m = f.day();
    const QStringList toneSign = toneSignLines(f.fontTable(), c.tone, c.sign);
    for (int i = 0; i < toneSign.size(); ++i)
        f.drawText(0, 100 + 12 * i, toneSign[i], kToneSignFont, true);
    f.drawText(0, 405, c.longSign, kViewLabelFont, true);
    f.drawText(
        0, 392,
        applyCasePattern(f.baseLine(base_line::kKinLabel) + ": " + QString::number(m.kin) + "  " +
                             f.baseLine(base_line::kToneLabel) + ": " + QString::number(m.tone),
                         QStringLiteral("AAAAAAAA")),
        kViewLabelFont, true);
    f.drawText(160, 198, c.phaseOf, kViewLabelFont, true);
    f.drawText(160, 210, c.theMoon, kViewLabelFont, true);
    const Affirmation lines = buildAffirmation(m, readBaseLineEachTime(f.data().folder));
    for (std::size_t i = 0; i < lines.size(); ++i)
        f.drawText(0, kAffirmationRows[i],
                   applyCasePattern(lines[i], QLatin1String(kIzinAffirmationPatterns[i])),
                   kViewNumberFont, true);
}

}  // namespace

void paintKinBookPage(FullModeFrame& f) {
    const MayanDate& m = f.day();
    const Settings& s = f.settings();
    const DayCaptions c = dayCaptions(m, readBaseLineEachTime(f.data().folder));
    drawCastleAndWavespell(f, m.kin);
    if (s.showsGregorian() && s.gregorianOnKinBook)
        f.drawText(0, 379, QString::fromStdString(formatGregorianDate(f.date(), s.dateLayout())),
                   kViewSmallFont, true);
    if (!isExtraDay(f.date())) drawDayTablets(f);
    drawOracle(f);
    drawMoonItems(f, c);
    f.drawElement(0, 194, kinds::kLargeTones.kindOf(f.oracle().tone), true, ElementRole::Tone);
    f.drawText(0, 85, c.colourLine, kViewLabelFont, true);
    f.drawDayMoon(m.moonPhase, 428, 229);
    drawNamesAndAffirmation(f, c);
}

}  // namespace orbisca
