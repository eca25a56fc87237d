// SPDX-License-Identifier: GPL-3.0-or-later
// Texts must read against what lies under them, measured on the painted pixels: the WCAG contrast
// ratio of a text's colour and every pixel its letters cover, at least 4.5 : 1 (level AA).
#include <QRegularExpression>
#include <cmath>
#include <functional>

#include "support/full_mode_fixture.h"
#include "views/mode_table.h"
#include "views/text_renderer.h"

namespace orbisca::testing {
namespace {

constexpr double kLeastContrast = 4.5;

double channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(QRgb c) {
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast between `colour` and the pixels of `under` where `with` differs from
// `without` (the letters of one text) within `area`; 21 when the text covers nothing.
double lowestContrast(const QImage& without, const QImage& with, QRect area, QRgb colour,
                      const QImage& under) {
    double lowest = 21;
    area &= without.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                lowest = std::min(lowest, contrast(colour, under.pixel(x, y)));
    return lowest;
}

// A text as the frame places it, with the frame as it was before its letters.
struct Seen {
    PlacedText text;
    QImage before;
};

class Legibility : public FullModeTest {
protected:
    // Records the texts that `wanted` picks while a view is painted.
    void recordTexts(std::function<bool(const PlacedText&)> wanted) {
        frame.onTextPlacing = [this, wanted](const PlacedText& t) {
            if (wanted(t)) seen.push_back({t, frame.buffers().frame.copy()});
        };
    }
    double lowestOf(const Seen& s) {
        return lowestContrast(s.before, frame.buffers().frame, s.text.area, s.text.colour.rgb(),
                              s.before);
    }
    std::vector<Seen> seen;
};

const GregorianDate kDates[] = {{7, 12, 0, 2026}, {26, 7, 0, 2026}, {29, 2, 0, 2028},
                                {1, 1, 0, 2027},  {15, 3, 0, 1850}, {9, 10, 0, 2345}};

// The number of each moon day in the month, 13-moon and year views (the year view shows the day's
// figure with its number when its day icon is on).
TEST_F(Legibility, MoonDayNumbersStandOutFromTheirMarks) {
    data.settings.yearDayIcon = true;
    static const QRegularExpression dayNumber(QStringLiteral("^([1-9]|1[0-9]|2[0-8])$"));
    recordTexts([](const PlacedText& t) { return dayNumber.match(t.text).hasMatch(); });
    int measured = 0;
    for (const GregorianDate& date : kDates)
        for (FullModeView mode : {FullModeView::Month, FullModeView::Moons, FullModeView::Year}) {
            data.day.setDate(date);
            seen.clear();
            frame.paintMode(mode);
            for (const Seen& s : seen) {
                EXPECT_GE(lowestOf(s), kLeastContrast)
                    << "mode " << modeNumber(mode) << ", " << int(date.year) << "-"
                    << int(date.month) << "-" << int(date.day) << ": \""
                    << s.text.text.toStdString() << "\"";
                ++measured;
            }
        }
    EXPECT_GT(measured, 200);
}

// The seal and planet names the Zolkin page writes in dark blue stand on the board's light plates.
TEST_F(Legibility, DarkBlueZolkinCaptionsStandOnLightPlates) {
    recordTexts([](const PlacedText& t) { return t.colour.rgb() == qRgb(0, 57, 253); });
    data.day.setDate(kDates[0]);
    frame.paintMode(FullModeView::Zolkin);
    ASSERT_EQ(seen.size(), 10u);
    for (const Seen& s : seen) EXPECT_GE(lowestOf(s), kLeastContrast) << s.text.text.toStdString();
}

// The rainbow title's letters, every colour of its run, read on the frame's night blue.
TEST(RainbowTitle, EveryColourStandsOutFromTheNightBlue) {
    for (int position = 0; position <= 121; ++position)
        EXPECT_GE(contrast(rainbowColour(position).rgb(), qRgb(7, 0, 35)), kLeastContrast)
            << position;
}

// Every text of every export in picture form, run on a white page as the print manager runs it.
// A text's letters are what its line adds to the page drawn without any text.
TEST_F(Legibility, EveryTextOfAPictureFormExportStandsOutFromThePage) {
    const QSize canvas(670, 550);
    auto drawn = [&](const QStringList& script) {
        EXPECT_EQ(runScript(script, canvas), QString());
        return program.printPage.canvas.copy();
    };
    int measured = 0;
    for (const GregorianDate& date : {kDates[0], kDates[2], kDates[4]})
        for (const ExportView& view : exportViews()) {
            if (view.name == u"year") continue;  // its small signs and tones are glyphs only
            data.day.setDate(date);
            const QStringList script = exported(view.name);
            QStringList pictures;
            for (const QString& line : script)
                if (!line.startsWith(u"TEXT", Qt::CaseInsensitive)) pictures << line;
            const QImage page = drawn(pictures);
            QRgb colour = qRgb(0, 0, 0);
            for (const QString& line : script) {
                if (line.startsWith(u"FONT", Qt::CaseInsensitive)) {
                    const QStringList f = line.split(u' ');
                    colour = qRgb(f[3].toInt(), f[4].toInt(), f[5].toInt());
                }
                if (!line.startsWith(u"TEXT", Qt::CaseInsensitive)) continue;
                const QImage with = drawn(pictures + QStringList{line});
                ++measured;
                EXPECT_GE(lowestContrast(page, with, page.rect(), colour, page), kLeastContrast)
                    << view.name.toStdString() << " " << int(date.year) << "-" << int(date.month)
                    << "-" << int(date.day) << ": " << line.toStdString();
            }
        }
    EXPECT_GT(measured, 150);
}

}  // namespace
}  // namespace orbisca::testing
