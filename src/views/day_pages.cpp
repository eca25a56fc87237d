// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/day_pages.h"

#include "calendar/calendar_strings.h"
#include "data/affirmation.h"
#include "data/conf_file.h"
#include "data/day_words.h"
#include "data/text_case.h"
#include "data/text_file.h"
#include "views/full_mode_frame.h"
#include "views/mode_table.h"

namespace orbisca {
namespace {

// Fonts of the day pages (font choices).
constexpr int kCaptionFont = 2;
constexpr int kLabelFont = 3;
constexpr int kHeadingFont = 4;
constexpr int kPageTextFont = 5;
constexpr int kDateFont = 6;
constexpr int kTitleFont = 8;
constexpr int kHelpFont = 1;

// A block of text lines of a page: its file, where it starts, how many lines and how far apart.
struct PageText {
    const char* file;
    int firstLine, lines, step, y;
};

void drawPageText(FullModeFrame& f, const PageText& t) {
    f.drawTextBlock(0, t.y, t.firstLine, t.step, t.lines, kPageTextFont, true,
                    QLatin1String(t.file));
}

void drawMonthItems(FullModeFrame& f, const DayCaptions& c) {
    const MayanDate& m = f.day();
    f.drawText(0, 84, c.moonTitle, kTitleFont, true);
    f.drawText(0, 104, c.moonName, kTitleFont, true);
    f.drawText(0, 126, c.dayOfMoon, kLabelFont, true);
    f.drawText(170, 186, c.plasmaLabel, kLabelFont, false);
    f.drawText(170, 198, c.plasmaName, kLabelFont, false);
    f.drawElement(150, 216, kinds::kLargePlasmas.kindOf(m.plasma), false, ElementRole::Plasma);
}

}  // namespace

int dayDateRow(const Affirmation& lines) {
    std::size_t used = lines.size();
    while (used > 0 && lines[used - 1].isEmpty()) --used;
    if (used < kDayAffirmationRows.size()) return kDayAffirmationRows[used];
    const int step = kDayAffirmationRows[5] - kDayAffirmationRows[4];
    return kDayAffirmationRows[5] + step;
}

void paintDayOverview(FullModeFrame& f) {
    const MayanDate& m = f.day();
    const Settings& s = f.settings();
    const DayCaptions c = dayCaptions(m, readBaseLineEachTime(f.data().folder));
    const Affirmation lines = buildAffirmation(m, readBaseLineEachTime(f.data().folder));
    if (s.showsGregorian() && s.gregorianOnDay)
        f.drawText(0, dayDateRow(lines),
                   QString::fromStdString(formatGregorianDate(f.date(), s.dateLayout())), kDateFont,
                   true);
    if (m.month > 0)
        drawMonthItems(f, c);
    else
        f.drawText(0, 117, c.extraDay, kPageTextFont, true);
    f.drawElement(226, 182, kinds::kLargeTones.kindOf(m.tone), false, ElementRole::Tone);
    f.drawText(0, 140, c.colourLine, kLabelFont, true);
    f.drawDayMoon(m.moonPhase, 390, 216);
    const QStringList toneSign = toneSignLines(f.fontTable(), c.tone, c.sign);
    for (int i = 0; i < toneSign.size(); ++i)
        f.drawText(0, 155 + 12 * i, toneSign[i], kToneSignFont, true);
    f.drawText(304, 210, c.longSign, kLabelFont, false);
    f.drawText(304, 184, c.kinLine, kLabelFont, false);
    f.drawText(304, 198, c.toneLine, kLabelFont, false);
    f.drawText(396, 186, c.phaseOf, kLabelFont, false);
    f.drawText(400, 198, c.theMoon, kLabelFont, false);
    f.drawElement(224, 220, kinds::kLargeSignsY.kindOf(m.sign), false, ElementRole::Kin);
    f.drawElement(308, 229, kinds::kLargeSigns.kindOf(f.oracle().guide), false, ElementRole::Guide);
    for (int i = 0; i < 6; ++i)
        f.drawText(0, kDayAffirmationRows[i],
                   applyCasePattern(lines[i], QLatin1String(kDayAffirmationPatterns[i])),
                   kPageTextFont, true);
}

void paintTonePage(FullModeFrame& f) {
    const int tone = f.day().tone;
    const QString blank = QStringLiteral(" ");
    f.drawElement(0, 90, kinds::kLargeTones.kindOf(tone), true, ElementRole::Tone);
    f.drawText(0, 140, f.baseLine(base_line::kToneLabel) + blank + f.baseLine(toneNumberLine(tone)),
               kCaptionFont, true);
    // "Magnetic Tone of the Bat": the thirteen tones share their names with the thirteen moons.
    f.drawText(0, 162,
               f.baseLine(moonNameLine(tone)) + f.baseLine(toneTextsEnd(tone)) + blank +
                   f.baseLine(base_line::kToneLabel) + blank + f.baseLine(moonSecondNameLine(tone)),
               kHeadingFont, true);
    drawPageText(f, {"TONEINFO.ktx", (tone - 1) * 17, 17, 19, 196});
}

void paintSignPage(FullModeFrame& f) {
    const int sign = f.day().sign;
    const QString blank = QStringLiteral(" ");
    f.drawElement(0, 105, kinds::kLargeSignsY.kindOf(sign), true, ElementRole::Kin);
    f.drawText(0, 195,
               f.baseLine(base_line::kSealLabel) + blank +
                   colourWord(f.oracle(), readBaseLineEachTime(f.data().folder)) + blank +
                   f.baseLine(signNameLine(sign)),
               kCaptionFont, true);
    drawPageText(f, {"DAYINFO.ktx", (sign - 1) * 17, 17, 18, 233});
}

void paintPlasmaPage(FullModeFrame& f) {
    const int plasma = f.day().plasma;
    f.drawElement(0, 105, kinds::kLargePlasmas.kindOf(plasma), true, ElementRole::Plasma);
    f.drawText(0, 195,
               f.baseLine(base_line::kPlasmaLabel) + QStringLiteral(" ") +
                   f.baseLine(plasmaNameLine(plasma)),
               kCaptionFont, true);
    drawPageText(f, {"PLASMINFO.ktx", (plasma - 1) * 5, 5, 19, 233});
}

void paintOraclePage(FullModeFrame& f) {
    const MayanDate& m = f.day();
    const OracleInfo& o = f.oracle();
    f.drawText(0, 85, f.baseLine(base_line::kOracleTitle), kHeadingFont, true);
    f.drawText(0, 111, f.baseLine(base_line::kGuideLabel), kLabelFont, true);
    f.drawText(-80, 220, f.baseLine(base_line::kAntipodeLabel), kLabelFont, true);
    f.drawText(85, 220, f.baseLine(base_line::kAnalogLabel), kLabelFont, true);
    f.drawText(0, 385,
               f.baseLine(base_line::kOccultTeacherFirst) + QStringLiteral(" ") +
                   f.baseLine(base_line::kOccultTeacherSecond),
               kLabelFont, true);
    f.drawElement(0, 233, kinds::kLargeSignsY.kindOf(m.sign), true, ElementRole::Kin);
    f.drawElement(0, 130, kinds::kLargeSigns.kindOf(o.guide), true, ElementRole::Guide);
    f.drawElement(0, 195, kinds::kLargeTones.kindOf(m.tone), true, ElementRole::Tone);
    f.drawElement(-82, 242, kinds::kLargeSigns.kindOf(o.antipode), true, ElementRole::Antipode);
    f.drawElement(82, 242, kinds::kLargeSigns.kindOf(o.analog), true, ElementRole::Analog);
    f.drawElement(0, 314, kinds::kLargeSigns.kindOf(o.occultTeacher), true,
                  ElementRole::OccultTeacher);
}

void paintHelpPage(FullModeFrame& f) {
    FullModeState& s = f.state();
    const int page = helpPageOfView(s.exports.exportMode);
    if (!helpPageExists(f.data(), page)) {
        // Past the help's end (fewer pages set, or a file missing): back to page 1, as a click on
        // the last page goes.
        if (page > 1 && !s.exports.exporting) {
            s.fade.requestedMode = FullModeView::FirstHelpPage;
            s.fade.fadeStepsLeft = 0;
        }
        return;
    }
    f.drawTextBlock(0, 19, 0, 16, 32, kHelpFont, false, helpFileName(page));
}

}  // namespace orbisca
