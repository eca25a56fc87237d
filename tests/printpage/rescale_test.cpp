// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "page_fixture.h"
#include "printpage/image_ops.h"
#include "printpage/script_line.h"
#include "printpage/script_rescale.h"

using namespace orbisca;
using orbisca::testing::PageTest;

namespace {

TEST(RescaledLine, EveryCommandScaledWithWordsAndTextsAsWritten) {
    const std::tuple<const char*, double, const char*> cases[] = {
        {"FONT 12 -16 300 0 7 BLD nrm Times New Roman", 0.5,
         "FONT 6 -8 300 0 7 BLD nrm Times New Roman"},
        {"text 15 -15 CNT 'It''s'  ", 0.5, "TEXT 8 -8 CNT 'It''s'  "},  // halves to even
        {"MOON 3 5 1 150 IMAGE", 0.5, "MOON 2 2 1 150 IMAGE"},  // phase unchanged, side at least 1
        {"MOON 3 5 3000 -3 0 0 300", 2, "MOON 6 10 4096 -3 0 0 300"},
        {"PICT 10 21 0 0 0 rgt 'my pictures\\a b.bmp' 77 30", 2,
         "PICT 20 42 0 0 0 rgt 'my pictures\\a b.bmp' 154 60"},
        {"PICT 10 21 0 0 0 rgt 'a.bmp' 3 1", 0.5, "PICT 5 10 0 0 0 rgt 'a.bmp' 2 1"},
        {"/TEXT 1 1 rgt 'x'", 2, ""},
        // YEAR scales its shift from (53, 12): 50.5 -> 50, 0.5 -> 0, 1.5 -> 2.
        {"YEAR 53 12 1", 2, "YEAR 53 12 2"},
        {"YEAR 154 13 3", 0.5, "YEAR 103 12 2"}};
    for (auto [line, factor, scaled] : cases)
        EXPECT_EQ(rescaledScriptLine(line, factor), scaled) << line;
    EXPECT_THROW(rescaledScriptLine("TEXT 2000000000 1 rgt 'x'", 2), ScriptSyntaxError);
    EXPECT_THROW(rescaledScriptLine("YEAR 53 12 big", 2), ScriptSyntaxError);
}

TEST_F(PageTest, DecreaseResolutionHalvesTheCanvasAndRewritesTheScript) {
    page.canvasWidth = 767;
    page.canvasHeight = 1025;
    page.script = {"[Day info script]", "FONT 12 -16 0 0 0 bld nrm DejaVu Sans",
                   "TEXT 15 15 rgt 'a'", "", "/old comment"};
    ASSERT_TRUE(decreaseResolution(page));
    EXPECT_EQ(page.canvas.size(), QSize(383, 512));
    EXPECT_EQ(page.script,
              (QStringList{"[Day info script]", "/FONT 12 -16 0 0 0 bld nrm DejaVu Sans",
                           "/TEXT 15 15 rgt 'a'", "/", "FONT 6 -8 0 0 0 bld nrm DejaVu Sans",
                           "TEXT 8 8 rgt 'a'"}));
    EXPECT_FALSE(page.interp.rescaleMode);
    EXPECT_GT(ink().first, 0);  // redrawn from the copies
    // A second rescale drops what the first one commented out.
    ASSERT_TRUE(increaseResolution(page));
    EXPECT_EQ(page.canvas.size(), QSize(766, 1024));
    EXPECT_EQ(page.script,
              (QStringList{"[Day info script]", "/FONT 6 -8 0 0 0 bld nrm DejaVu Sans",
                           "/TEXT 8 8 rgt 'a'", "FONT 12 -16 0 0 0 bld nrm DejaVu Sans",
                           "TEXT 16 16 rgt 'a'"}));
}

TEST_F(PageTest, RescaleKeepsPicturesAndMoonsAndWritesTheYearPageInItsOwnList) {
    writePicture("graphic/a.bmp", QSize(6, 6), 0);
    page.script = {"PICT 10 20 255 255 255 cnt 'graphic\\a.bmp'", "MOON 4 4 30 77 255 255 0"};
    ASSERT_TRUE(increaseResolution(page));
    // The picture's copy carries its size, scaled, and the redraw draws it at that size, smoothly
    // (not through the keyed copy, which keeps a picture's own pixels).
    EXPECT_EQ(page.script.mid(2), (QStringList{"PICT 20 40 255 255 255 cnt 'graphic\\a.bmp' 12 12",
                                               "MOON 8 8 60 77 255 255 0"}));
    EXPECT_TRUE(recorder.pictures.empty());
    EXPECT_EQ(page.canvas.pixel(200 + 20 - 6, 51), qRgb(10, 20, 30));
    EXPECT_EQ(page.canvas.pixel(200 + 20 + 5, 51), qRgb(10, 20, 30));
    EXPECT_EQ(page.canvas.pixel(200 + 20 + 6, 52), page.background | 0xff000000u);

    page.yearPage = {"/old", "FONT 10 -20 0 0 0 thn nrm DejaVu Sans", "TEXT 10 30 rgt 'x'",
                     "MOON 4 6 10 50 IMAGE"};
    page.script = {"YEAR 63 22 1"};
    ASSERT_TRUE(rescaleScript(page, 2.0));
    EXPECT_EQ(page.yearPage,
              (QStringList{"/FONT 10 -20 0 0 0 thn nrm DejaVu Sans", "/TEXT 10 30 rgt 'x'",
                           "/MOON 4 6 10 50 IMAGE", "FONT 20 -40 0 0 0 thn nrm DejaVu Sans",
                           "TEXT 20 60 rgt 'x'"}));
    // Moons and pictures are not shifted by the year, so their copies go to the script itself.
    EXPECT_EQ(page.script, (QStringList{"/YEAR 63 22 1", "YEAR 73 32 2", "MOON 8 12 20 50 IMAGE"}));
}

TEST_F(PageTest, ResolutionChangesKeepEverySideWithinTheLimitsAndStopAtAFailingLine) {
    // A side of 1 cannot be halved, and a side of 0 would stop Optimize from ever ending.
    setCanvas(page, 1, 1, true);
    page.script = {"TEXT 3 3 rgt 'a'"};
    EXPECT_FALSE(decreaseResolution(page));
    EXPECT_EQ(page.canvas.size(), QSize(1, 1));
    EXPECT_EQ(page.script, QStringList{"TEXT 3 3 rgt 'a'"});
    page.canvasWidth = 0;
    EXPECT_FALSE(optimizeForPrinter(page, QSize(4958, 7017)));
    setCanvas(page, 9000, 2, true);
    const QStringList before = page.script;
    EXPECT_FALSE(increaseResolution(page));
    EXPECT_EQ(page.canvas.size(), QSize(9000, 2));
    EXPECT_EQ(page.script, before);
    // Within the sides, the canvas as a whole stays within what the picture loader takes back.
    setCanvas(page, 6000, 3000, true);
    EXPECT_FALSE(increaseResolution(page));
    EXPECT_THROW(setCanvas(page, 12000, 6000, true), std::invalid_argument);
    ASSERT_EQ(recorder.messages.size(), 4);
    EXPECT_EQ(recorder.messages[0], "A canvas of 1 x 1 pixels cannot be made smaller.");
    EXPECT_EQ(recorder.messages[2],
              "The canvas cannot grow to 18000 x 4 pixels, more than 16384 on a side.");
    EXPECT_EQ(recorder.messages[3],
              "The canvas cannot grow to 12000 x 6000 pixels, more than the limit of 256 MB.");

    page.script = {"TEXT 2 2 rgt 'a'", "TEXT x 2 rgt 'b'", "TEXT 4 4 rgt 'c'"};
    EXPECT_FALSE(rescaleScript(page, 2.0));
    EXPECT_EQ(page.script,
              (QStringList{"/TEXT 2 2 rgt 'a'", kSyntaxErrorStartMarker, "TEXT x 2 rgt 'b'",
                           kSyntaxErrorEndMarker, "TEXT 4 4 rgt 'c'", "TEXT 4 4 rgt 'a'"}));
    EXPECT_FALSE(page.interp.rescaleMode);
}

}  // namespace
