// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar views against the places their pictures must land on.
#include <QRegularExpression>

#include "calendar/calendar_state.h"
#include "data/data_error.h"
#include "data/notifier.h"
#include "data/text_file.h"
#include "support/full_mode_fixture.h"
#include "views/highlights.h"
#include "views/izin.h"
#include "views/kin_board_table.h"
#include "views/mode_table.h"
#include "views/moon_views.h"
#include "views/view_places.h"
#include "views/wave_views.h"

namespace orbisca::testing {
namespace {

// Remembers every picture the frame puts down.
class CalendarViews : public FullModeTest {
protected:
    void SetUp() override {
        FullModeTest::SetUp();
        frame.onPicturePlaced = [this](const PlacedPicture& p) { placed.push_back(p); };
        data.notifier.show = [this](const QString& text) { notices << text; };
    }
    std::vector<PlacedPicture> paint(FullModeView mode, GregorianDate date = kWorkedDate) {
        data.day.setDate(date);
        placed.clear();
        frame.paintMode(mode);
        return placed;
    }
    // How many pictures put down so far `match`.
    template <class Match>
    int countIf(Match match) const {
        return int(std::count_if(placed.begin(), placed.end(), match));
    }
    // How often the picture `file` (its name under graphic\) was put with its top left at (x, y).
    int countAt(const QString& file, int x, int y) const {
        return countIf([&](const PlacedPicture& p) {
            return p.file == "graphic\\" + file && p.area.topLeft() == QPoint(x, y);
        });
    }
    int count(const QString& file) const {
        return countIf([&](const PlacedPicture& p) { return p.file == "graphic\\" + file; });
    }
    // The year grid's day frames (any of the four) with their top left at `at`.
    int framesAt(QPoint at) const {
        return countIf([&](const PlacedPicture& p) {
            return p.file.contains(QRegularExpression("^graphic\\\\fr[1-4]\\.bmp$")) &&
                   p.area.topLeft() == at;
        });
    }
    // The script lines of any mode painted with the export switch on.
    QStringList exportedMode(FullModeView mode) {
        ScriptLines script;
        frame.setScriptSink(script);
        frame.state().exports.exportAsGlyphText = false;
        frame.state().exports.exporting = true;
        frame.paintMode(mode);
        frame.resetSinks();
        return script.lines;
    }
    std::vector<PlacedPicture> placed;
    QStringList notices;
};

TEST_F(CalendarViews, TheYearPutsTheDayItsBearerAndItsLineInPlace) {
    data.settings.yearShine = data.settings.yearLine = true;
    paint(FullModeView::Year);
    EXPECT_EQ(countAt("shine5.bmp", 92, 72), 1);  // the day at (105, 91)
    EXPECT_EQ(countAt("zc350003.bmp", 236, 22), 1);
    EXPECT_EQ(countAt("tn350008.bmp", 236, 2), 1);
    EXPECT_EQ(framesAt({19, 15}), 1);
    EXPECT_EQ(framesAt({403, 115}), 1);  // the first day of moon 13
    // The line: a brush for each column from the day at (105, 91) to the marker of moon 1.
    EXPECT_EQ(count("PulsV.bmp"), 284 - 105 + 1);
    EXPECT_EQ(countAt("PulsV.bmp", 105, 91) + countAt("PulsV.bmp", 284, 221), 2);
}

TEST_F(CalendarViews, TheYearGridIsDrawnOncePerYearAndAgainAfterTheExtraDay) {
    auto gridDays = [this] { return count("zcs150000.bmp") + count("zcs150009.bmp"); };
    paint(FullModeView::Year);
    const int drawn = gridDays();
    ASSERT_GT(drawn, 10);
    const QImage first = frame.buffers().frame.copy();
    // Another day of the same year: the grid comes from the cache, the highlight moves (10
    // January 2002 is day 169 of the year: the first day of moon 7, at column 2 of the bottom row).
    data.settings.yearShine = true;
    paint(FullModeView::Year, {10, 1, 0, 2002});
    EXPECT_EQ(gridDays(), 0);
    EXPECT_EQ(countAt("shine5.bmp", 276 - 13, 422 - 19), 1);
    // The next year draws its own grid.
    paint(FullModeView::Year, {21, 8, 0, 2002});
    EXPECT_GT(gridDays(), 0);
    EXPECT_NE(frame.buffers().frame, first);
    // 25 July closes the year that began on 26 July before it: its dot, and no key kept, so
    // that another day of that year draws the grid again, without the dot.
    paint(FullModeView::Year, {25, 7, 0, 2004});
    EXPECT_GT(gridDays(), 0);
    EXPECT_EQ(countAt("DOT1.bmp", 143, 46), 1);
    EXPECT_EQ(frame.state().year.cachedYearSign, 0);
    EXPECT_EQ(count("shine5.bmp"), 0);
    paint(FullModeView::Year, {24, 7, 0, 2004});
    EXPECT_GT(gridDays(), 0);
    EXPECT_EQ(count("DOT1.bmp"), 0);
    EXPECT_EQ(count("shine5.bmp"), 1);
}

TEST_F(CalendarViews, AGridThatFailedHalfWayIsNeverTakenFromTheCache) {
    paint(FullModeView::Year);
    const QImage whole = frame.buffers().frame.copy();
    // The next year needs a small tone that is missing: its grid fails part of the way through.
    linkPictures("tn6h0000.bmp");
    EXPECT_ANY_THROW(paint(FullModeView::Year, {21, 8, 0, 2002}));
    EXPECT_FALSE(frame.state().year.drawIntoYearBuffer);
    linkPictures();
    paint(FullModeView::Year);
    EXPECT_GT(count("zcs150009.bmp"), 0);  // drawn again
    EXPECT_EQ(frame.buffers().frame, whole);
}

TEST_F(CalendarViews, AYearExportWritesTheWholeGridAndLeavesTheCacheAlone) {
    paint(FullModeView::Year);
    const FullModeState before = frame.state();
    const QImage grid = frame.buffers().second.copy();
    data.day.setDate({1, 3, 0, 1999});
    const QStringList script = exported("year");
    EXPECT_EQ(script.filter("'graphic\\zcs15").size(), 364 + 1);  // and the first day beside it
    EXPECT_EQ(script.filter("'graphic\\tn6h").size(), 364 + 1);
    EXPECT_EQ(frame.state().year.cachedYearSign, before.year.cachedYearSign);
    EXPECT_EQ(frame.state().year.cachedYearTone, before.year.cachedYearTone);
    EXPECT_EQ(frame.buffers().second, grid);
}

TEST_F(CalendarViews, TheMonthShowsItsTwentyEightDaysAndTheHighlightByColour) {
    paint(FullModeView::Month);
    EXPECT_EQ(countAt("Tone1.bmp", 272, 3), 1);
    EXPECT_EQ(countAt("shine2.bmp", 416, 384), 1);
    EXPECT_EQ(countAt("zc350009.bmp", 452, 417), 1);  // day 27
    EXPECT_EQ(countIf([](auto& p) { return p.file.contains("pl35") && p.area.y() == 95; }),
              28);  // seven a row, drawn four times over
    // A white day takes the white highlight (day 28 of the same moon: cromatic 2).
    paint(FullModeView::Month, {22, 8, 0, 2001});
    EXPECT_EQ(count("shine2.bmp") + count("shine7.bmp") + count("shine8.bmp") + count("shine9.bmp"),
              1);
    EXPECT_EQ(count(highlightPictureName(monthHighlight(data.day.position().cromatic)).mid(8)), 1);
}

TEST_F(CalendarViews, TheExtraDayPageReplacesMonthAndWeek) {
    for (FullModeView mode : {FullModeView::Month, FullModeView::Moons}) {
        paint(mode, {25, 7, 0, 2005});
        EXPECT_EQ(count("DOT1.bmp"), 1) << modeNumber(mode);
        EXPECT_EQ(count("shine2.bmp") + count("shine6.bmp"), 0) << modeNumber(mode);
        EXPECT_EQ(placed.size(), 3u) << modeNumber(mode);
    }
}

TEST_F(CalendarViews, TheWeekShowsItsLinesLabelIzinAndHighlight) {
    paint(FullModeView::Moons);
    EXPECT_EQ(countAt("shine6.bmp", 416, 119), 1);
    EXPECT_EQ(countAt("LNY1.bmp", 27, 72), 1);
    EXPECT_EQ(countAt("LNY3.bmp", 582, 100), 1);
    EXPECT_EQ(countAt("LNY3.bmp", 27, 100), 1);
    EXPECT_EQ(countAt("LNY2.bmp", 27, 424), 1);
    // Week 4 of izin year 4: line 211; column c stacks the figure's first c lines.
    const IzinFigure figure = *parseIzinLine(readDatabaseLine(data.folder, 211, "izinfo.dat"));
    for (int line = 0; line < 6; ++line) {
        const QString mark = figure.pattern[line] == '1' ? "izin9.bmp" : "izin6.bmp";
        EXPECT_EQ(countAt(mark, 76 * 6 - 14, 220 + 42 - 7 * line), 1) << line;
        EXPECT_EQ(countAt(mark, 76 * 1 - 14, 220 + 42 - 7 * line), line == 0 ? 1 : 0) << line;
    }
    EXPECT_EQ(count(QString("sgn%1%2.bmp")
                        .arg((figure.number - 1) / 8)
                        .arg((figure.number - 1) % 8, 3, 10, QChar('0'))),
              1);
    const QStringList script = exportedMode(FullModeView::Moons);
    EXPECT_TRUE(script.contains("TEXT 10 35 cnt '" +
                                readDatabaseLine(data.folder, 566, "BASE.KTX") + " 4'"));
}

// Measured on the painted week: what each row of a day's column shows (plasma, izin lines, rune,
// quarter, vinal) is centred under the column's sign, and a week without izin lines still shows
// their sockets between the dates and the runes.
TEST_F(CalendarViews, TheWeeksRowsStandCentredUnderTheirSignsWithTheIzinSocketsBetween) {
    // The middle of the lit pixels' extent across [left, 76c + 50) in rows [top, bottom).
    const auto middle = [this](int c, int left, int top, int bottom) {
        const QImage& page = frame.buffers().frame;
        int first = page.width(), last = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < 76 * c + 50; ++x)
                if (page.pixel(x, y) != kFrameBackground)
                    first = std::min(first, x), last = std::max(last, x);
        return last < 0 ? -100.0 : (first + last) / 2.0;
    };
    // The first day of a week, so that the highlight stays off the columns measured; one week
    // with izin lines and one without.
    for (const GregorianDate date :
         {GregorianDate{30, 8, 0, 2001}, GregorianDate{6, 12, 0, 2026}}) {
        paint(FullModeView::Moons, date);
        const bool izin = count("izin9.bmp") + count("izin6.bmp") > 0;
        EXPECT_EQ(izin, date.year == 2001);
        for (int c = 3; c <= 6; ++c) {
            // The sign from its left edge: the kin marks stand left of it.
            const double sign = middle(c, 76 * c - 4, 162, 192);
            const std::pair<const char*, std::pair<int, int>> rows[] = {{"plasma", {92, 123}},
                                                                        {"izin", {226, 268}},
                                                                        {"rune", {282, 318}},
                                                                        {"quarter", {327, 364}},
                                                                        {"vinal", {372, 418}}};
            for (const auto& [row, band] : rows)
                EXPECT_NEAR(middle(c, 76 * c - 24, band.first, band.second), sign, 2)
                    << row << ", column " << c << ", " << describeDate(date);
        }
    }
}

TEST_F(CalendarViews, TheFirstWeekOfAYearShowsItsOwnNumberAndIzinYear) {
    // Reached forwards (2003) and backwards (1999) from the reference day, the day before the
    // first week is 25 July in different years; the week must not depend on it.
    for (GregorianDate date : {GregorianDate{29, 7, 0, 2003}, GregorianDate{29, 7, 0, 1999}}) {
        paint(FullModeView::Moons, date);
        const MayanDate m = data.day.position();
        ASSERT_EQ(m.weekNumber, 1);
        EXPECT_EQ(countAt("LNR1.bmp", 27, 72), 1) << date.year;
        const std::optional<int> year = izinYear(m.yearSign, m.yearTone);
        ASSERT_TRUE(year);
        const IzinFigure figure =
            *parseIzinLine(readDatabaseLine(data.folder, 52 * *year, "izinfo.dat"));
        const QString first = figure.pattern[0] == '1' ? "izin9.bmp" : "izin6.bmp";
        EXPECT_EQ(countAt(first, 76 - 14, 262), 1) << date.year;
        paint(FullModeView::KinBook, date);  // the same figure, four days of it
        EXPECT_EQ(countAt(first, 190, 188), 1) << date.year;
        EXPECT_EQ(count("izin9.bmp") + count("izin6.bmp"), 4) << date.year;
        const QStringList script = exportedMode(FullModeView::Moons);
        EXPECT_EQ(script.filter("TEXT 10 35 cnt '").value(0),
                  "TEXT 10 35 cnt '" + readDatabaseLine(data.folder, 566, "BASE.KTX") + " 1'");
    }
}

TEST_F(CalendarViews, ZolkinWavespellAndWingsMarkTheKin) {
    paint(FullModeView::Zolkin);
    EXPECT_EQ(countAt("shine3.bmp", 409, 214), 1);  // kin 230
    paint(FullModeView::Wavespell);
    EXPECT_EQ(countAt("shine1.bmp", 458, 364), 1);
    EXPECT_EQ(countAt("zc450009.bmp", 487, 411), 1);
    EXPECT_EQ(countAt("tn450008.bmp", 487, 387), 1);
    EXPECT_EQ(countAt("zc350005.bmp", 536, 420), 1);
    EXPECT_EQ(countIf([](auto& p) {
                  return p.file.contains("zc45") && p.area.topLeft() == QPoint(385, 138);
              }),
              1);
    // Sign 3, tone 5 (kin 83) starts its wavespell at sign 19.
    paint(FullModeView::Wavespell, stepDate(kWorkedDate, 83 - 230));
    EXPECT_EQ(countAt("zc450018.bmp", 79, 91 - 44), 1);
    paint(FullModeView::Wings);
    const QPoint kin230 = frame.kinBoardPoints(packPicture("shine4.bmp").size())[229];
    EXPECT_EQ(countAt("shine4.bmp", kin230.x() - 7, kin230.y() - 14), 1);
}

TEST_F(CalendarViews, PulsarsStampTheirLinesBetweenTheTonePlaces) {
    const std::vector<QPoint> level = pulsarPoints(tonePlace(5), tonePlace(9));
    ASSERT_EQ(level.size(), 409u);
    for (const QPoint& p : level) EXPECT_EQ(p.y(), 425);
    EXPECT_EQ(pulsarPoints(tonePlace(1), tonePlace(5)).size(), 365u);
    // Drawn the other way round, a shallow line to the left or a steep one upwards is empty.
    EXPECT_TRUE(pulsarPoints(tonePlace(9), tonePlace(5)).empty());
    EXPECT_TRUE(pulsarPoints(tonePlace(9), tonePlace(13)).empty());
    // Halves go to the even pixel: a rise of 1 over 2 puts the middle point on its row.
    const std::vector<QPoint> half = pulsarPoints({0, 0}, {2, 1});
    EXPECT_EQ(half[1], QPoint(1, 0));
    const std::vector<QPoint> steep = pulsarPoints({0, 0}, {3, 6});
    EXPECT_EQ(steep[1], QPoint(0, 1));  // 0.5 -> 0
    EXPECT_EQ(steep[3], QPoint(2, 3));  // 1.5 -> 2
    // Every line of the table draws: tone 9 has the 1-5-9-13 set and its second pulsar 4-9.
    for (int tone = 1; tone <= 13; ++tone)
        for (const ColouredPulsarLine& l : pulsarLines(tone, 2, 0))
            EXPECT_FALSE(pulsarPoints(tonePlace(l.line.fromTone), tonePlace(l.line.toTone)).empty())
                << l.line.fromTone << "-" << l.line.toTone;
    paint(FullModeView::Pulsars);
    EXPECT_EQ(countAt("PulsV.bmp", 117, 425), 3);  // where 1-5, 5-9 and 5-13 meet
    EXPECT_GT(count("PulsL.bmp"), 300);
    EXPECT_TRUE(frame.state().drawing.highlightCaption == "OK");
}

TEST_F(CalendarViews, IzinFiguresAreReadStrictlyAndReportedOnce) {
    const std::optional<IzinFigure> figure = parseIzinLine("101000 12");
    ASSERT_TRUE(figure);
    EXPECT_EQ(drawIzinStack(frame, *figure, 100, 200, 3), 12);
    QStringList stack;
    for (const PlacedPicture& p : placed) stack << p.file + " " + QString::number(p.area.y());
    EXPECT_EQ(stack, QStringList({"graphic\\izin9.bmp 242", "graphic\\izin6.bmp 235",
                                  "graphic\\izin9.bmp 228"}));
    for (const char* bad : {"", "101000", "10100 12", "101000 65", "101000 0", "101000 1x",
                            "101000 123", "1 1000 12"})
        EXPECT_FALSE(parseIzinLine(bad)) << bad;
    // A malformed line of week 4 is an empty figure, told once however often the week is shown.
    QStringList lines = requireTextLines(data.folder, "izinfo.dat");
    lines[211] = "10100";
    writeLines("izinfo.dat", lines);
    clearTextCache(data.folder);
    paint(FullModeView::Moons);
    paint(FullModeView::Moons);
    EXPECT_EQ(count("izin9.bmp") + count("izin6.bmp"), 0);
    EXPECT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices.value(0).contains("line 212")) << notices.value(0).toStdString();
    EXPECT_EQ(izinNumberText(frame, {"xxxxxx", 1}), "Error1");
}

TEST_F(CalendarViews, TheKinBoardTableIsCheckedOnceWithAClearError) {
    const QSize shine = packPicture("shine4.bmp").size();
    QStringList lines = requireTextLines(data.folder, "tech.dat");
    EXPECT_EQ(parseKinBoardTable(lines, shine).size(), 260u);
    auto refused = [&](const QStringList& table) {
        return errorOf([&] { parseKinBoardTable(table, shine); });
    };
    QStringList bad = lines;
    bad[7] = "12a";
    EXPECT_TRUE(refused(bad).contains("line 8")) << refused(bad);
    bad = lines;
    bad[0] = "665";
    EXPECT_TRUE(refused(bad).contains("kin 1")) << refused(bad);
    EXPECT_TRUE(refused(lines.mid(0, 519)).contains("519"));
    // The view reports it as a paint failure, never by drawing somewhere outside.
    writeLines("tech.dat", bad);
    clearTextCache(data.folder);
    EXPECT_THROW(paint(FullModeView::Wings), DataFileError);
}

TEST_F(CalendarViews, TheKinBookPutsTheDaysTabletsInPlace) {
    paint(FullModeView::KinBook);
    EXPECT_EQ(countAt("vnl400002.bmp", 383, 145), 1);
    EXPECT_EQ(countAt("vnt400005.bmp", 366, 150), 1);
    EXPECT_EQ(countAt("rns0026.bmp", 184, 316), 1);
    EXPECT_EQ(countAt("qnty0005.bmp", 370, 316), 1);
    // The moon of the day inside its square at (428, 229). (Its week figure: the first week's
    // test; that the exports run: the glyph export's test of every view.)
    EXPECT_FALSE(paintedRows(frame.buffers().frame, 428, 487, 229, 288).empty());
    EXPECT_EQ(exported("kinbook").filter(QRegularExpression("^MOON ")).size(), 1);
}

// Every view on every day of two whole years (before and after the reference day, each with its
// 25 July): every picture lies inside the frame and no highlight is refused.
TEST_F(CalendarViews, EveryPictureOfEveryViewFitsTheFrameAllYear) {
    data.settings.yearShine = data.settings.yearLine = data.settings.yearDayIcon = true;
    data.settings.castleDayIcon = true;
    const QRect inside(0, 0, kFrameWidth, kFrameHeight);
    for (GregorianDate start : {GregorianDate{26, 7, 0, 1998}, GregorianDate{26, 7, 0, 2010}}) {
        for (int day = 0; day < 365; ++day) {
            const GregorianDate date = stepDate(start, day);
            for (int number : {5, 6, 7, 8, 9, 11, 12, 14}) {
                const FullModeView mode = viewOfModeNumber(number);
                paint(mode, date);
                for (const PlacedPicture& p : placed)
                    ASSERT_TRUE(inside.contains(p.area) && p.maskCode == 0)
                        << modeNumber(mode) << " " << describeDate(date) << " "
                        << p.file.toStdString() << " mask code " << p.maskCode;
            }
        }
    }
}

}  // namespace
}  // namespace orbisca::testing
