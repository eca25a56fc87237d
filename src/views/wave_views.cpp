// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/wave_views.h"

#include <QPainter>

#include "calendar/oracle.h"
#include "views/full_mode_frame.h"
#include "views/highlights.h"
#include "views/izin.h"
#include "views/kin_board_table.h"
#include "views/view_places.h"

namespace orbisca {
namespace {
constexpr int kCaptionFont = 7;

// BASE.KTX lines.
constexpr int kZolkinTitle = 63;
using namespace base_line;

// The Zolkin board's row captions: the fonts of a row (by row mod 4: red, white, blue, yellow)
// and the colour code of its caption line.
struct RowFonts {
    int name, longName;
};
RowFonts rowFonts(int row) {
    switch (row % 4) {
        case 1:
            return {9, 13};
        case 2:
            return {6, 12};
        case 3:
            return {10, 14};
        default:
            return {11, 15};
    }
}
int rowCaptionCode(int row) {
    if (row <= 9) return row + 1;
    if (row == 10) return 10;
    if (row <= 19) return 20 - row;
    return 1;
}

void drawZolkinRows(FullModeFrame& f) {
    for (int row = 1; row <= 20; ++row) {
        const RowFonts fonts = rowFonts(row);
        f.drawText(496, 22 * row + 14, f.baseLine(kFirstRowCaption + rowCaptionCode(row)),
                   fonts.name, false);
        f.state().drawing.alignRight = true;
        f.drawText(141, 22 * row + 8, f.baseLine(row), fonts.name, false);
        f.drawText(141, 22 * row + 19, f.baseLine(kFirstLongSignName + row), fonts.longName, false);
        f.state().drawing.alignRight = false;
    }
}

// The two squares of the legend: the portal days in silver, the central column in dark green.
void drawZolkinLegend(FullModeFrame& f) {
    if (!f.state().exports.exporting) {
        QPainter painter(&f.drawingTarget());
        painter.setPen(Qt::white);
        painter.setBrush(QColor(192, 192, 192));
        painter.drawRect(153, 485, 19, 19);
        painter.setBrush(QColor(0, 64, 0));
        painter.drawRect(310, 485, 19, 19);
    }
    f.drawText(177, 488, f.baseLine(kLegendPortal), kViewSmallFont, false);
    f.drawText(334, 484, f.baseLine(kLegendCentreFirst), kViewSmallFont, false);
    f.drawText(334, 495, f.baseLine(kLegendCentreSecond), kViewSmallFont, false);
}

// The thirteen days of the wavespell along the U, each with its sign, tone and guide.
void drawWavespell(FullModeFrame& f) {
    const MayanDate& m = f.day();
    int firstSign = m.sign - m.tone + 1;
    if (firstSign < 1) firstSign += 20;
    GregorianDate date = stepDate(f.date(), 1 - m.tone);
    f.drawText(240, 20, f.baseLine(kWavespellTitle), kViewTitleFont, false);
    f.drawText(216, 50, f.baseLine(kWavespellSubtitle), kViewTitleFont, false);
    for (int i = 0; i < 13; ++i) {
        MayanDate place{};
        place.tone = std::uint8_t(i + 1);
        place.sign = std::uint8_t((firstSign + i - 1) % 20 + 1);
        const QPoint cell = uPlace(i);
        const int cellX = 102 * cell.x(), cellY = 91 * cell.y();
        f.drawElement(cellX + 79, cellY - 44, kinds::kSigns45.kindOf(place.sign), false);
        f.drawElement(cellX + 79, cellY - 68, kinds::kTones45.kindOf(place.tone), false);
        f.drawElement(cellX + 128, cellY - 35, kinds::kSigns35.kindOf(getGuide(place)), false);
        if (f.showsDatesInViews())
            f.drawText(cellX + 96, cellY + 3, f.viewDateText(date), kViewSmallFont, false);
        date = stepDate(date, 1);
    }
    if (!f.state().exports.exporting) {
        const QPoint at = wavespellHighlightOf(m.tone);
        shine(f, at.x(), at.y(), Highlight::Wavespell);
    }
}

void drawCastleTexts(FullModeFrame& f, int castle, int wavespell) {
    f.drawText(-181, 0, f.baseLine(kCastleTitle), kViewTitleFont, true);
    const int rows[] = {60, 75, 90, 125};
    const int firstLines[] = {kFirstCastleName, kFirstCastleColour, kFirstCastleCourt,
                              kFirstCastleText};
    for (int i = 0; i < 4; ++i)
        f.drawText(-181, rows[i], f.baseLine(firstLines[i] + castle), kViewLabelFont, true);
    f.drawText(182, 1, f.baseLine(kWavespellTitle), kViewLabelFont, true);
    f.drawText(182, 14, f.baseLine(kFirstWavespellName + wavespell), kViewLabelFont, true);
    f.drawText(182, 28, f.baseLine(kFirstWavespellText + 2 * wavespell), kViewLabelFont, true);
    f.drawText(182, 42, f.baseLine(kFirstWavespellText + 2 * wavespell + 1), kViewLabelFont, true);
}

void drawCastleDayIcon(FullModeFrame& f) {
    const MayanDate& m = f.day();
    f.drawElement(445, 75, kinds::kMoonDayMarks.kindOf(m.cromatic), false);
    drawKinMarks(f, m.kin, 457, 98);
    f.drawElement(471, 98, kinds::kSigns35.kindOf(m.sign), false);
    f.drawElement(471, 78, kinds::kTones35.kindOf(m.tone), false);
    f.drawText(164, 83, QString::number(m.monthDay), kViewNumberFont, true);
    if (f.showsDatesInViews()) f.drawText(181, 137, f.viewDateText(f.date()), kViewSmallFont, true);
}

}  // namespace

QPoint zolkinHighlightOf(int kin) {
    return {23 * ((kin - 1) / 20) + 156, 22 * ((kin - 1) % 20) + 16};
}

QPoint wavespellHighlightOf(int tone) {
    const QPoint cell = uPlace(tone - 1);
    return {102 * cell.x() + 50, 91 * cell.y() - 91};
}

void paintZolkinPage(FullModeFrame& f) {
    f.drawElement(20, 30, kinds::kZolkinBoard, true);
    if (!f.state().exports.exporting) {
        const QPoint at = zolkinHighlightOf(f.day().kin);
        shine(f, at.x(), at.y(), Highlight::Zolkin);
    }
    f.drawText(16, 5, f.baseLine(kZolkinTitle), kCaptionFont, true);
    drawZolkinRows(f);
    drawZolkinLegend(f);
}

void paintWavespellPage(FullModeFrame& f) {
    f.drawElement(25, 12, kinds::kWavespellBoard, true);
    drawWavespell(f);
}

void paintPulsarsPage(FullModeFrame& f) {
    paintWavespellPage(f);
    drawPulsars(f, 2, 0);
}

void paintWingsPage(FullModeFrame& f) {
    const MayanDate& m = f.day();
    f.drawElement(0, 10, kinds::kWingsBoard, true);
    if (!f.state().exports.exporting) {
        const Highlight castle = Highlight::Castle;
        const QSize size = f.picture(highlightPictureName(castle)).size();
        const QPoint at = f.kinBoardPoints(size)[std::size_t(m.kin - 1)] + kCastleHighlightOffset;
        shine(f, at.x(), at.y(), castle);
    }
    drawCastleTexts(f, castleOfKin(m.kin), wavespellOfKin(m.kin));
    if (f.settings().castleDayIcon) drawCastleDayIcon(f);
}

}  // namespace orbisca
