// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <new>

#include <sys/stat.h>
#include <QFontDatabase>
#include <QFontMetrics>

#include "page_fixture.h"
#include "printpage/script_line.h"

using namespace orbisca;
using orbisca::testing::PageTest;

namespace {

const QString kStart = kSyntaxErrorStartMarker;
const QString kEnd = kSyntaxErrorEndMarker;

TEST_F(PageTest, FontLinesAloneDrawNothingAndTheFontCarriesIntoTheNextRun) {
    ASSERT_TRUE(run({"font 10 -21 0 0 255 BLD ITL DejaVu Serif"}));
    EXPECT_EQ(ink().first, 0);
    EXPECT_EQ(page.interp.font.pixelSize(), 21);
    EXPECT_TRUE(page.interp.font.bold() && page.interp.font.italic());
    EXPECT_EQ(page.interp.font.family(), "DejaVu Serif");
    ASSERT_TRUE(run({"TEXT 5 5 rgt 'Blue'"}));
    bool blue = false;
    for (int y = 0; y < page.canvas.height(); ++y)
        for (int x = 0; x < page.canvas.width(); ++x)
            blue = blue || page.canvas.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue);
    // The fonts-only pass runs nothing else and leaves old error lines alone.
    page.canvas.fill(page.background);
    page.interp.fontsOnly = true;
    ASSERT_TRUE(run({"TEXT 5 5 rgt 'x'", "Syntax error:", "TEXT  bad",
                     "FONT 8 -30 0 0 0 thn nrm DejaVu Sans"}));
    EXPECT_EQ(ink().first, 0);
    EXPECT_EQ(page.interp.font.pixelSize(), 30);
    EXPECT_EQ(page.script.size(), 4);
}

// Fonts and texts kept between runs are made again when the application gains a face: the next
// run draws what a page that never ran before draws.
TEST_F(PageTest, AFaceAddedBetweenRunsIsDrawnByTheNextRun) {
    const QStringList script{"FONT 10 -30 0 0 0 thn nrm URRUNE", "TEXT 5 5 rgt 'abc'"};
    ASSERT_TRUE(run(script));
    const QImage before = page.canvas.copy();
    const int id = QFontDatabase::addApplicationFont(ORBISCA_HOME_DIR "/fonts/Urrune.ttf");
    ASSERT_GE(id, 0);
    setCanvas(page, 200, 120, true);
    ASSERT_TRUE(run(script));
    PrintPageState fresh;
    fresh.services = page.services;
    fresh.script = script;
    setCanvas(fresh, 200, 120, true);
    ASSERT_TRUE(runScriptLines(fresh, fresh.script));
    QFontDatabase::removeApplicationFont(id);
    EXPECT_EQ(page.canvas, fresh.canvas);
    EXPECT_NE(page.canvas, before);
}

TEST_F(PageTest, CentredTextStartsHalfItsWidthLeftOfTheMiddle) {
    ASSERT_TRUE(run({"FONT 12 -20 0 0 0 thn nrm DejaVu Sans Mono", "TEXT 0 10 cnt 'MMMM'"}));
    EXPECT_NEAR(ink().second, 100 - QFontMetrics(page.interp.font).horizontalAdvance("MMMM") / 2,
                2);
    page.canvas.fill(page.background);
    ASSERT_TRUE(run({"TEXT 30 10 xyz 'MMMM'"}));  // any other word: x is the left edge
    EXPECT_NEAR(ink().second, 30, 2);
}

TEST_F(PageTest, AFailingLineIsMarkedAndStopsTheRun) {
    const QString bad = "TEXT  10 10 rgt 'x'";
    EXPECT_FALSE(run({bad, "FONT 8 -30 0 0 0 thn nrm DejaVu Sans"}));
    EXPECT_EQ(recorder.errorLines(), QStringList{"Syntax error at line 1"});
    EXPECT_EQ(page.script,
              (QStringList{kStart, bad, kEnd, "FONT 8 -30 0 0 0 thn nrm DejaVu Sans"}));
    EXPECT_EQ(page.interp.errorCaret, bad.size());
    EXPECT_NE(page.interp.font.pixelSize(), 30);

    // What was drawn before the failing line stays; the caret counts the lines read.
    recorder.messages.clear();
    EXPECT_FALSE(run({"[Header]", "TEXT 5 5 rgt 'ink'", "MOON 1 2 3 4 IMAGE x", "PICT 1 2 3"}));
    EXPECT_GT(ink().first, 0);
    EXPECT_EQ(recorder.errorLines(), QStringList{"Syntax error at line 4"});
    EXPECT_EQ(page.interp.errorCaret, 8 + 18 + 20 + 10);
    EXPECT_EQ(page.script.mid(3), (QStringList{kStart, "PICT 1 2 3", kEnd}));
    // The markers are comments: once the line is mended, the script runs and keeps them; error
    // lines of older versions go before they run.
    page.script[4] = "TEXT 1 1 rgt 'ok'";
    page.script.prepend("Syntax error:");
    EXPECT_TRUE(runScriptLines(page, page.script));
    EXPECT_EQ(page.script.size(), 6);

    // Memory that runs out is no fault of the line: the script stays as written and the run
    // says why it stopped.
    recorder.messages.clear();
    page.services.moonShape = [](int, int) -> QImage { throw std::bad_alloc(); };
    const QStringList moon = {"TEXT 5 5 rgt 'ink'", "MOON 0 0 20 60 255 0 0"};
    EXPECT_FALSE(run(moon));
    EXPECT_EQ(page.script, moon);
    EXPECT_EQ(page.interp.errorLine, -1);
    EXPECT_EQ(recorder.messages,
              QStringList{"The page could not be drawn: not enough memory to draw line 2."});
}

TEST_F(PageTest, MoonPhasesSizesAndFills) {
    // Flat moons are drawn half a lunation on, phases clamped to 0..100 first; 150 and -7 both
    // end at 50, so one drawing serves both.
    ASSERT_TRUE(run({"MOON 0 0 20 60 255 0 0", "MOON 0 0 20 40 255 0 0", "MOON 0 0 20 150 255 0 0",
                     "MOON 0 0 20 -7 255 0 0", "MOON 0 0 21 0 0 0 300"}));
    EXPECT_EQ(recorder.moons,
              (std::vector<std::pair<int, int>>{{10, 20}, {90, 20}, {50, 20}, {50, 21}}));
    EXPECT_EQ(page.canvas.pixel(10, 10), qRgb(0, 0, 44));  // only the low byte of 300
    // The picture moon takes the phase as given.
    recorder.moons.clear();
    writePicture("graphic/moon2.bmp", QSize(40, 40), qRgb(1, 2, 3));
    ASSERT_TRUE(run({"MOON 0 0 30 60 IMAGE", "MOON 50 0 30 60 image", "MOON 100 0 30 130 IMAGE"}));
    EXPECT_EQ(recorder.moons, (std::vector<std::pair<int, int>>{{60, 30}, {100, 30}}));
    EXPECT_EQ(page.canvas.pixel(60, 10), qRgb(10, 20, 30));

    EXPECT_TRUE(run({"MOON 0 0 1 50 0 0 0"}));  // a moon of one pixel
    for (const char* bad :
         {"MOONS", "MOON 0 0 0 50 IMAGE", "MOON 0 0 -4 50 IMAGE", "MOON 0 0 4097 50 0 0 0"}) {
        recorder.messages.clear();
        EXPECT_FALSE(run({bad})) << bad;
        EXPECT_EQ(recorder.errorLines(), QStringList{"Syntax error at line 1"});
    }
}

TEST_F(PageTest, YearShiftsTheTextsOfTheYearPageButNotItsPicturesAndMoons) {
    writePicture("p.bmp", QSize(4, 4), qRgb(9, 9, 9));
    page.yearPage = {"FONT 10 -20 0 0 0 thn nrm DejaVu Sans", "TEXT 10 80 rgt 'I'",
                     "PICT 5 6 0 0 0 rgt 'p.bmp'", "MOON 170 8 10 50 255 0 0"};
    ASSERT_TRUE(run({"YEAR 153 12 1"}));
    EXPECT_NEAR(ink().second, 110, 3);
    ASSERT_EQ(recorder.pictures.size(), 1u);
    EXPECT_EQ(std::get<0>(recorder.pictures[0]), QPoint(5, 6));
    EXPECT_EQ(page.canvas.pixel(175, 13), qRgb(255, 0, 0));
    EXPECT_TRUE(page.interp.yearDrawn);
    EXPECT_EQ(page.interp.yearOffsetX, 0);
}

TEST_F(PageTest, YearInsideTheYearPageFailsInsteadOfRunningForEver) {
    page.yearPage = {"YEAR 53 12 1"};
    EXPECT_FALSE(run({"TEXT 1 1 rgt 'a'", "YEAR 53 12 1"}));
    EXPECT_EQ(recorder.errorLines(),
              (QStringList{"Syntax error at line 1", "Syntax error at line 2"}));
    EXPECT_EQ(page.yearPage, (QStringList{kStart, "YEAR 53 12 1", kEnd}));
    EXPECT_EQ(page.script, (QStringList{"TEXT 1 1 rgt 'a'", kStart, "YEAR 53 12 1", kEnd}));
    EXPECT_FALSE(page.interp.insideYear);
}

TEST_F(PageTest, PicturesAtTheOriginWithTheirKeyAndOnlyFromRegularFilesOfAllowedSize) {
    writePicture("graphic/Pic.bmp", QSize(30, 10), qRgb(7, 8, 9));
    page.services.drawingOrigin = [] { return QPoint(3, 4); };
    ASSERT_TRUE(run(
        {"PICT 0 5 255 0 255 cnt 'graphic\\Pic.bmp'", "PICT 10 5 1 2 3 rgt 'graphic/Pic.bmp'"}));
    using Call = std::tuple<QPoint, QRgb, QSize>;
    EXPECT_EQ(recorder.pictures,
              (std::vector<Call>{{QPoint(100 - 15 + 3, 9), qRgb(255, 0, 255), QSize(30, 10)},
                                 {QPoint(13, 9), qRgb(1, 2, 3), QSize(30, 10)}}));
    EXPECT_EQ(page.interp.lastPictureKey, qRgb(7, 8, 9));

    recorder.pictures.clear();
    ASSERT_EQ(mkfifo(QDir(folder.path()).filePath("pipe.bmp").toLocal8Bit().constData(), 0600), 0);
    QDir(folder.path()).mkdir("dir.bmp");
    writePicture("wide.bmp", QSize(16385, 1), 0);
    for (const QString& name : {QString("pipe.bmp"), QString("dir.bmp"), QString("missing.bmp"),
                                QString("wide.bmp"), QString("pic") + QChar(0) + ".bmp"}) {
        recorder.messages.clear();
        EXPECT_FALSE(run({QString("PICT 0 0 0 0 0 rgt '%1'").arg(name)})) << name.toStdString();
        EXPECT_EQ(recorder.errorLines(), QStringList{"Syntax error at line 1"})
            << name.toStdString();
    }
    EXPECT_TRUE(recorder.pictures.empty());
}

TEST_F(PageTest, ShowimageStartsFromThePlainBackgroundAndMovesTheGauge) {
    page.interp.progressMode = ProgressMode::WholeGauge;
    ASSERT_TRUE(run({"", "", "", ""}));
    EXPECT_EQ(recorder.gauges, (std::vector<int>{0, 25, 50, 75}));
    page.script.clear();
    page.canvas.fill(qRgb(1, 1, 1));
    ASSERT_TRUE(redrawPage(page));
    EXPECT_EQ(ink().first, 0);
    page.script = {"year 53 12 1"};  // a year page runs in mode 4, then 2 once the year has run
    ASSERT_TRUE(redrawPage(page));
    EXPECT_EQ(page.interp.progressMode, ProgressMode::AfterYear);
}

TEST_F(PageTest, CanvasSidesStayWithinTheLimits) {
    EXPECT_THROW(setCanvas(page, 0, 10, true), std::invalid_argument);
    EXPECT_THROW(setCanvas(page, 10, 16385, true), std::invalid_argument);
    setCanvas(page, 1, 1, true);
    EXPECT_TRUE(
        run({"TEXT 0 0 cnt 'x'", "MOON -5 -5 20 50 0 0 0", "TEXT 2147483647 2147483647 cnt 'y'"}));
}

}  // namespace
