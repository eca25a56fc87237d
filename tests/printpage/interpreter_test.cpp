#include <gtest/gtest.h>

#include <QFontMetrics>
#include <sys/stat.h>

#include "page_fixture.h"
#include "printpage/script_line.h"

using namespace orbisca;
using orbisca::testing::PageTest;

namespace {

const QString kStart = kSyntaxErrorStartMarker;
const QString kEnd = kSyntaxErrorEndMarker;

TEST(ScriptText, VariablesOfTheDayLiteralsAndPlainTails) {
    ScriptState st;
    st.day = GregorianToMayan(GregorianDate{21, 8, 2, 2001});  // sign 10, tone 9, plasma 6
    st.oracle = MakeOracle(st.day);                             // guide 6, analog 9, antipod 20, ateacher 11
    EXPECT_EQ(ScriptTextContent(st, "KIN"), "J");
    EXPECT_EQ(ScriptTextContent(st, "kin"), "J");
    EXPECT_EQ(ScriptTextContent(st, "Guide"), "F");
    EXPECT_EQ(ScriptTextContent(st, "ANALOG"), "I");
    EXPECT_EQ(ScriptTextContent(st, "antipod"), "T");
    EXPECT_EQ(ScriptTextContent(st, "ATEACHER"), "K");
    EXPECT_EQ(ScriptTextContent(st, "tone"), "i");
    EXPECT_EQ(ScriptTextContent(st, "PLASM"), "6");
    EXPECT_EQ(ScriptTextContent(st, "'It''s'"), "It''s");
    EXPECT_EQ(ScriptTextContent(st, "Hello world"), "Hello world");
    EXPECT_EQ(ScriptTextContent(st, "kin "), "kin ");  // a variable name is matched whole
    EXPECT_EQ(ScriptTextContent(st, "'"), "");
}

TEST_F(PageTest, FontLinesAloneDrawNothingAndTheFontCarriesIntoTheNextRun) {
    ASSERT_TRUE(run({"font 10 -21 0 0 255 BLD ITL DejaVu Serif"}));
    EXPECT_EQ(inkedPixels(), 0);
    EXPECT_EQ(page.interp.font.pixelSize(), 21);
    EXPECT_TRUE(page.interp.font.bold());
    EXPECT_TRUE(page.interp.font.italic());
    EXPECT_EQ(page.interp.font.family(), "DejaVu Serif");
    ASSERT_TRUE(run({"TEXT 5 5 rgt 'Blue'"}));
    bool blue = false;
    for (int y = 0; y < page.canvas.height() && !blue; ++y)
        for (int x = 0; x < page.canvas.width() && !blue; ++x) blue = page.canvas.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue);
}

TEST_F(PageTest, FontsOnlyPassRunsNothingButFontLines) {
    page.interp.fontsOnly = true;
    ASSERT_TRUE(run({"TEXT 5 5 rgt 'x'", "Syntax error:", "TEXT  bad", "FONT 8 -30 0 0 0 thn nrm DejaVu Sans"}));
    EXPECT_EQ(inkedPixels(), 0);
    EXPECT_EQ(page.interp.font.pixelSize(), 30);
    EXPECT_EQ(page.script.size(), 4);  // old error lines are left alone in this pass
}

TEST_F(PageTest, CentredTextStartsHalfItsWidthLeftOfTheMiddle) {
    ASSERT_TRUE(run({"FONT 12 -20 0 0 0 thn nrm DejaVu Sans Mono", "TEXT 0 10 cnt 'MMMM'"}));
    const int width = QFontMetrics(page.interp.font).horizontalAdvance("MMMM");
    EXPECT_NEAR(leftmostInk(), 100 - width / 2, 2);
    page.canvas.fill(page.background);
    ASSERT_TRUE(run({"TEXT 30 10 xyz 'MMMM'"}));  // any other word: x is the left edge
    EXPECT_NEAR(leftmostInk(), 30, 2);
}

TEST_F(PageTest, FailureInTheFirstLineIsMarkedAndStopsTheRun) {
    const QString bad = "TEXT  10 10 rgt 'x'";
    EXPECT_FALSE(run({bad, "FONT 8 -30 0 0 0 thn nrm DejaVu Sans", "TEXT 1 1 rgt 'never'"}));
    EXPECT_EQ(recorder.messages, QStringList{"Syntax error at line 0"});
    EXPECT_EQ(page.script, (QStringList{kStart, bad, kEnd, "FONT 8 -30 0 0 0 thn nrm DejaVu Sans", "TEXT 1 1 rgt 'never'"}));
    EXPECT_EQ(page.interp.errorLine, 0);
    EXPECT_EQ(page.interp.errorCaret, bad.size());
    EXPECT_NE(page.interp.font.pixelSize(), 30);
    EXPECT_EQ(inkedPixels(), 0);
}

TEST_F(PageTest, WhatWasDrawnBeforeTheFailingLineStaysAndTheCaretCountsTheLinesRead) {
    EXPECT_FALSE(run({"[Header]", "TEXT 5 5 rgt 'ink'", "MOON 1 2 3 4 IMAGE x", "PICT 1 2 3"}));
    EXPECT_GT(inkedPixels(), 0);
    EXPECT_EQ(recorder.messages, QStringList{"Syntax error at line 3"});
    EXPECT_EQ(page.interp.errorCaret, 8 + 18 + 20 + 10);
    EXPECT_EQ(page.script.mid(3), (QStringList{kStart, "PICT 1 2 3", kEnd}));
    // The markers are comments: once the line is mended, the script runs and keeps them.
    page.script[4] = "TEXT 1 1 rgt 'ok'";
    EXPECT_TRUE(drawimage(page, page.script));
    EXPECT_EQ(page.script.size(), 6);
}

TEST_F(PageTest, OldErrorLinesAreDeletedBeforeTheyRun) {
    ASSERT_TRUE(run({"Syntax error:", "TEXT 1 1 rgt 'a'", "///Syntax error\\\\\\", "Syntax error: ", "short"}));
    EXPECT_EQ(page.script, (QStringList{"TEXT 1 1 rgt 'a'", "Syntax error: ", "short"}));
}

TEST_F(PageTest, FlatMoonsAreShiftedByHalfALunationAndPhasesClampedForDrawing) {
    ASSERT_TRUE(run({"MOON 0 0 20 60 255 0 0", "MOON 0 0 20 40 255 0 0", "MOON 0 0 20 150 255 0 0",
                     "MOON 0 0 20 -7 255 0 0", "MOON 0 0 21 0 0 0 300"}));
    // 150 is drawn as 100 and -7 as 0, both shifted to 50: one disc drawing serves both.
    ASSERT_EQ(recorder.moons.size(), 4u);
    EXPECT_EQ(recorder.moons[0].phase, 10);
    EXPECT_EQ(recorder.moons[1].phase, 90);
    EXPECT_EQ(recorder.moons[2].phase, 50);
    EXPECT_EQ(recorder.moons[3].phase, 50);
    EXPECT_EQ(recorder.moons[3].size, 21);
    EXPECT_EQ(page.canvas.pixel(10, 10), qRgb(0, 0, 44));  // only the low byte of 300
}

TEST_F(PageTest, MoonPicturePhaseAsGivenAndOneDrawingPerSizeAndPhase) {
    writePicture("graphic/moon2.bmp", QSize(40, 40), qRgb(1, 2, 3));
    ASSERT_TRUE(run({"MOON 0 0 30 60 IMAGE", "MOON 50 0 30 60 image", "MOON 100 0 30 130 IMAGE"}));
    ASSERT_EQ(recorder.moons.size(), 2u);
    EXPECT_EQ(recorder.moons[0].phase, 60);
    EXPECT_EQ(recorder.moons[1].phase, 100);
    EXPECT_EQ(page.canvas.pixel(60, 10), qRgb(10, 20, 30));
}

TEST_F(PageTest, MoonSidesBeyondTheLimitsAreSyntaxErrors) {
    EXPECT_TRUE(run({"MOON", "PRINT 1 2", "/MOON  broken", "[MOON broken"}));
    for (const char* bad : {"MOONS", "MOON 0 0 0 50 IMAGE", "MOON 0 0 -4 50 IMAGE", "MOON 0 0 16385 50 0 0 0"}) {
        recorder.messages.clear();
        EXPECT_FALSE(run({bad})) << bad;
        EXPECT_EQ(recorder.messages, QStringList{"Syntax error at line 0"});
    }
    EXPECT_TRUE(run({"MOON 0 0 1 50 0 0 0"}));
}

TEST_F(PageTest, BlackAndWhiteColours) {
    page.interp.blackAndWhite = true;
    ASSERT_TRUE(run({"FONT 10 -13 255 0 0 thn nrm Arial"}));
    EXPECT_EQ(page.interp.fontColour, qRgb(255, 255, 255));
    ASSERT_TRUE(run({"FONT 10 -13 255 0 0 thn nrm URRUNE"}));
    EXPECT_EQ(page.interp.fontColour, qRgb(0, 0, 0));
    ASSERT_TRUE(run({"FONT 10 -13 128 128 128 thn nrm Arial"}));
    EXPECT_EQ(page.interp.fontColour, qRgb(128, 128, 128));
    ASSERT_TRUE(run({"MOON 0 0 20 50 255 0 0"}));
    EXPECT_EQ(page.canvas.pixel(10, 10), qRgb(0xc0, 0xc0, 0xc0));
    writePicture("graphic/moon2.bmp", QSize(8, 8), 0);
    EXPECT_FALSE(run({"MOON 0 0 20 50 IMAGE"}));  // black-and-white takes moon3.bmp, missing here
    page.interp.blackAndWhite = false;
    ASSERT_TRUE(run({"FONT 10 -13 255 0 0 thn nrm Arial"}));
    EXPECT_EQ(page.interp.fontColour, qRgb(255, 0, 0));
}

TEST_F(PageTest, YearShiftsTheTextsOfTheYearPageButNotItsPicturesAndMoons) {
    writePicture("p.bmp", QSize(4, 4), qRgb(9, 9, 9));
    page.yearlines = {"FONT 10 -20 0 0 0 thn nrm DejaVu Sans", "TEXT 10 80 rgt 'I'", "PICT 5 6 0 0 0 rgt 'p.bmp'",
                      "MOON 170 8 10 50 255 0 0"};
    ASSERT_TRUE(run({"YEAR 153 12 1"}));
    EXPECT_NEAR(leftmostInk(), 110, 3);
    ASSERT_EQ(recorder.pictures.size(), 1u);
    EXPECT_EQ(recorder.pictures[0].at, QPoint(5, 6));
    EXPECT_EQ(page.canvas.pixel(175, 13), qRgb(255, 0, 0));
    EXPECT_TRUE(page.interp.yearDrawn);
    EXPECT_EQ(page.interp.yearOffsetX, 0);
    EXPECT_EQ(page.interp.progressMode, 2);
}

TEST_F(PageTest, YearInsideTheYearPageFailsInsteadOfRunningForEver) {
    page.yearlines = {"YEAR 53 12 1"};
    EXPECT_FALSE(run({"TEXT 1 1 rgt 'a'", "YEAR 53 12 1"}));
    EXPECT_EQ(recorder.messages, (QStringList{"Syntax error at line 0", "Syntax error at line 1"}));
    EXPECT_EQ(page.yearlines, (QStringList{kStart, "YEAR 53 12 1", kEnd}));
    EXPECT_EQ(page.script, (QStringList{"TEXT 1 1 rgt 'a'", kStart, "YEAR 53 12 1", kEnd}));
    EXPECT_FALSE(page.interp.insideYear);
}

TEST_F(PageTest, PicturesAreDrawnAtTheOriginWithTheirKeyAndCentred) {
    writePicture("graphic/Pic.bmp", QSize(30, 10), qRgb(7, 8, 9));
    page.services.drawingOrigin = [] { return QPoint(3, 4); };
    ASSERT_TRUE(run({"PICT 0 5 255 0 255 cnt 'graphic\\Pic.bmp'", "PICT 10 5 1 2 3 rgt 'graphic/Pic.bmp'"}));
    ASSERT_EQ(recorder.pictures.size(), 2u);
    EXPECT_EQ(recorder.pictures[0].at, QPoint(100 - 15 + 3, 9));
    EXPECT_EQ(recorder.pictures[0].key, qRgb(255, 0, 255));
    EXPECT_EQ(recorder.pictures[1].at, QPoint(13, 9));
    EXPECT_EQ(page.interp.lastPictureKey, qRgb(7, 8, 9));
}

TEST_F(PageTest, PicturesMustBeRegularFilesOfAllowedSize) {
    const QString fifo = QDir(folder.path()).filePath("pipe.bmp");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QDir(folder.path()).mkdir("dir.bmp");
    writePicture("wide.bmp", QSize(16385, 1), 0);
    const QString withNul = QString("pic") + QChar(0) + ".bmp";
    for (const QString& name : QStringList{"pipe.bmp", "dir.bmp", "missing.bmp", "wide.bmp", withNul}) {
        recorder.messages.clear();
        EXPECT_FALSE(run({QString("PICT 0 0 0 0 0 rgt '%1'").arg(name)})) << name.toStdString();
        EXPECT_EQ(recorder.messages, QStringList{"Syntax error at line 0"}) << name.toStdString();
    }
    EXPECT_TRUE(recorder.pictures.empty());
}

TEST_F(PageTest, TheGaugeFollowsTheProgressMode) {
    page.interp.progressMode = 0;
    ASSERT_TRUE(run({"", "", "", ""}));
    EXPECT_EQ(recorder.gauges, (std::vector<int>{0, 25, 50, 75}));
    recorder.gauges.clear();
    page.interp.progressMode = 1;
    page.gauge = 10;
    ASSERT_TRUE(run({"", "", "", ""}));
    EXPECT_EQ(recorder.gauges, (std::vector<int>{10, 16, 22, 29}));  // round(6.25) = 6, round(18.75) = 19
}

TEST_F(PageTest, ShowimageOfAnEmptyScriptIsThePlainBackground) {
    page.background = qRgb(7, 0, 35);
    page.script.clear();
    page.canvas.fill(qRgb(1, 1, 1));
    ASSERT_TRUE(showimage(page));
    EXPECT_EQ(inkedPixels(), 0);
    EXPECT_EQ(page.interp.progressMode, 0);
    page.interp.progressMode = -1;
    page.script = {"year 53 12 1"};
    ASSERT_TRUE(showimage(page));
    EXPECT_EQ(page.interp.progressMode, 2);  // 4 for a year page, then 2 once the year has run
}

TEST_F(PageTest, CanvasSidesStayWithinTheLimits) {
    EXPECT_THROW(setcanvas(page, 0, 10, true), std::invalid_argument);
    EXPECT_THROW(setcanvas(page, 10, 16385, true), std::invalid_argument);
    setcanvas(page, 1, 1, true);
    EXPECT_EQ(page.canvas.size(), QSize(1, 1));
    EXPECT_TRUE(run({"TEXT 0 0 cnt 'x'", "MOON -5 -5 20 50 0 0 0", "TEXT 2147483647 2147483647 cnt 'y'"}));
}

}  // namespace
