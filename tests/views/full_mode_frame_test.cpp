// SPDX-License-Identifier: GPL-3.0-or-later
// The full-mode frame painted and exported headless.
#include <QRegularExpression>

#include "support/full_mode_fixture.h"
#include "views/day_pages.h"
#include "views/mode_table.h"

namespace orbisca::testing {
namespace {

using DayPages = FullModeTest;

TEST_F(DayPages, TheDayOverviewPutsTheDaysPicturesMoonAndAffirmationOrTheExtraDaysLineInPlace) {
    frame.paintMode(FullModeView::Day);
    const QImage& f = frame.buffers().frame;
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_TRUE(pictureAt(f, packPicture("10Y.bmp"), 224, 220, black));
    EXPECT_TRUE(pictureAt(f, packPicture("Tone9.bmp"), 226, 182, black));
    EXPECT_TRUE(pictureAt(f, packPicture("6X.bmp"), 150, 216, black));
    EXPECT_TRUE(pictureAt(f, packPicture("6.bmp"), 308, 229, black));
    // The moon stays inside its 60 x 60 square.
    EXPECT_FALSE(paintedRows(f, 390, 449, 216, 275).empty());
    EXPECT_TRUE(paintedRows(f, 450, 669, 216, 275).empty());
    // The first affirmation line's cell starts at y 304: nothing above it below the sign.
    EXPECT_TRUE(paintedRows(f, 0, 669, 297, 303).empty());
    EXPECT_FALSE(paintedRows(f, 0, 669, 304, 310).empty());
    const QStringList day = exported("day");
    // Each line 50 higher on the page than in the frame; the empty sixth line's row also holds
    // the date.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(
            day.filter(QStringLiteral("TEXT 0 %1 cnt '").arg(kDayAffirmationRows[i] - 50)).size(),
            i == 5 ? 2 : 1)
            << kDayAffirmationRows[i];

    // The extra day shows its line instead of the month, and no plasma.
    data.day.setDate({25, 7, 0, 2001});
    frame.paintMode(FullModeView::Day);
    EXPECT_TRUE(paintedRows(frame.buffers().frame, 150, 208, 216, 274).empty());
    const QStringList extra = exported("day");
    EXPECT_TRUE(
        extra.contains("TEXT 0 67 cnt '" + readDatabaseLine(data.folder, 419, "BASE.KTX") + "'"));
    EXPECT_TRUE(extra.filter("X.bmp'").isEmpty());
}

// The Gregorian date goes below the affirmation (50 higher on the exported page): on the sixth
// row when the sixth line is empty, below it on a marked kin's day (kin 1), never over a line.
TEST_F(DayPages, TheDateStandsBelowTheAffirmation) {
    EXPECT_TRUE(exported("day").contains("TEXT 0 336 cnt '21.08.2001'"));
    data.day.setDate({27, 8, 0, 2026});
    const QStringList kinOne = exported("day");
    EXPECT_FALSE(kinOne.filter(QRegularExpression("^TEXT 0 336 cnt '.+'$")).isEmpty());
    EXPECT_TRUE(kinOne.contains("TEXT 0 352 cnt '27.08.2026'"));
    EXPECT_EQ(dayDateRow({"a", "b", "c"}), kDayAffirmationRows[3]);
}

TEST_F(DayPages, ExportsPlaceThePicturesAndTheMoonFromThePageOrigin) {
    const QStringList day = exported("day");
    EXPECT_EQ(day.first(), "[Day info script]");
    for (const char* line :
         {"PICT 114 170 0 0 0 rgt 'graphic\\10Y.bmp'",
          "PICT 116 132 0 0 0 rgt 'graphic\\Tone9.bmp'", "PICT 40 166 0 0 0 rgt 'graphic\\6X.bmp'",
          "PICT 198 179 0 0 0 rgt 'graphic\\6.bmp'", "MOON 281 166 60 8 IMAGE"})
        EXPECT_TRUE(day.contains(line)) << line;
    EXPECT_TRUE(exported("sign").contains("PICT 2 105 0 0 0 cnt 'graphic\\10Y.bmp'"));
    // Any page but the Day export's 380-pixel one keeps the frame's places for the moon.
    ScriptLines script;
    frame.setScriptSink(script);
    frame.state().exports.exportCanvasWidth = 670;
    frame.state().exports.exporting = true;
    frame.paintMode(FullModeView::Day);
    EXPECT_TRUE(script.lines.contains("MOON 430 218 60 8 IMAGE"));
}

TEST_F(DayPages, AnExportLeavesEveryFrameBufferAsItWas) {
    frame.paintMode(FullModeView::Day);
    const QImage shown = frame.buffers().frame.copy();
    for (const char* view : {"day", "tone", "sign", "plasm", "oracle"}) exported(view);
    EXPECT_EQ(frame.buffers().frame, shown);
    EXPECT_FALSE(frame.state().exports.exporting);
    // A view that draws pixels of its own draws them aside while exporting.
    frame.setModePainter(FullModeView::Zolkin,
                         [](FullModeFrame& f) { f.drawingTarget().fill(Qt::white); });
    frame.state().exports.exporting = true;
    frame.paintMode(FullModeView::Zolkin);
    EXPECT_EQ(frame.buffers().frame, shown);
    frame.paintMode(FullModeView::Zolkin);
    EXPECT_EQ(frame.buffers().frame.pixel(0, 0), qRgb(255, 255, 255));
}

using Renderers = FullModeTest;

// The leftmost column that differs from the background, -1 for none.
int leftmostInk(const QImage& image) {
    for (int x = 0; x < image.width(); ++x)
        if (!paintedRows(image, x, x, 0, image.height() - 1).empty()) return x;
    return -1;
}

TEST_F(Renderers, TextsStandLeftCentredOrRightOfTheirPointWithTheCellTopAtY) {
    const QString text = QStringLiteral("Harmonic Hand");
    const int width = frame.textWidth(text, 5);
    auto leftAt = [&](int x, bool centred, bool right, FullModeView mode) {
        clearFrame(frame.buffers().frame);
        frame.state().exports.exportMode = mode;
        frame.state().drawing.alignRight = right;
        frame.drawText(x, 100, text, 5, centred);
        frame.state().drawing.alignRight = false;
        return leftmostInk(frame.buffers().frame);
    };
    const int plain =
        leftAt(200, false, false, FullModeView::Day);  // 200 plus the first letter's bearing
    EXPECT_EQ(leftAt(0, true, false, FullModeView::Day) - plain, 299 - width / 2 - 200);
    EXPECT_EQ(leftAt(0, true, false, FullModeView::Year) - plain,
              335 - width / 2 - 200);  // the year view
    EXPECT_EQ(leftAt(400, false, true, FullModeView::Day) - plain, 400 - width - 200);
    // (x, y) is the top-left of the text's cell, not its baseline.
    const std::vector<int> rows = paintedRows(frame.buffers().frame, 0, 669, 0, 549);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), 100);
    EXPECT_LT(rows.back(), 100 + QFontMetrics(program.fonts.font(5).font).height());
}

// (That every export writes its own font line first, the glyph export's test of every view
// checks.)
TEST_F(Renderers, ExportedTextsShareTheirFontLine) {
    ScriptLines script;
    frame.setScriptSink(script);
    frame.state().exports.exporting = true;
    frame.state().exports.exportMode = FullModeView::Tone;
    frame.drawText(145, 10, "one", 3, false);
    frame.drawText(0, 30, "two", 3, true);
    frame.state().exports.exportMode =
        FullModeView::Day;  // the day overview moves items to the page origin
    frame.drawText(145, 60, "three", 3, false);
    ASSERT_EQ(script.lines.size(), 4);
    EXPECT_TRUE(script.lines[0].startsWith("FONT "));
    EXPECT_TRUE(script.lines[0].endsWith(" 0 0 0 thn nrm " + program.fonts.font(3).font.family()));
    EXPECT_EQ(script.lines.mid(1), QStringList({"TEXT 182 10 rgt 'one'", "TEXT 0 30 cnt 'two'",
                                                "TEXT 37 10 rgt 'three'"}));
}

// That each kind's picture is in the pack, with the key the renderer takes out, the pack's own
// tests check.
TEST_F(Renderers, KindsWithoutAPictureDrawNothing) {
    const QImage before = frame.buffers().frame.copy();
    ScriptLines script;
    frame.setScriptSink(script);
    for (bool exporting : {false, true}) {
        frame.state().exports.exporting = exporting;
        frame.drawElement(0, 0, 25, true, ElementRole::Kin);
        EXPECT_FALSE(frame.state().roles.drawingKin);
    }
    EXPECT_EQ(frame.buffers().frame, before);
    EXPECT_TRUE(script.lines.isEmpty());
}

TEST_F(Renderers, AnElementIsCentredOnItsWidthClippedAtTheFrameAndDrawnAfreshWhenItsFileChanges) {
    const QImage sign = packPicture("10Y.bmp");
    frame.drawElement(0, 10, 10, true, ElementRole::Kin);
    EXPECT_FALSE(frame.state().roles.drawingKin);
    EXPECT_TRUE(pictureAt(frame.buffers().frame, sign, 299 - sign.width() / 2, 10, 0));
    // Reaching past the corner: what lies on the frame is drawn, nothing else changes.
    frame.drawElement(640, 530, 10, false);
    EXPECT_EQ(frame.buffers().frame.size(), QSize(670, 550));
    EXPECT_EQ(frame.buffers().frame.pixel(660, 540), sign.pixel(20, 10));

    QImage red(sign.size(), QImage::Format_RGB888);
    red.fill(Qt::red);
    const QString file = home.filePath("graphic/10Y.bmp");
    QFile::remove(file);
    gfx::saveImage(red, file, "bmp");
    clearFrame(frame.buffers().frame);
    frame.drawElement(0, 10, 10, false);
    EXPECT_EQ(frame.buffers().frame.pixel(5, 15), qRgb(255, 0, 0));
}

TEST_F(Renderers, HelpPagesShowTheirLinesAndClicksWrapAfterTheLastPage) {
    const QStringList help = [&] {
        ScriptLines script;
        frame.setScriptSink(script);
        frame.state().exports.exporting = true;
        frame.paintMode(FullModeView::FirstHelpPage);
        return script.lines.filter(QRegularExpression("^TEXT "));
    }();
    ASSERT_EQ(help.size(), 32);
    for (int i = 0; i < 32; ++i)
        EXPECT_TRUE(help[i].startsWith(QStringLiteral("TEXT 37 %1 rgt '").arg(19 + 16 * i)));

    // (Clicks through the four pages and back: the full-mode window's test.)
    data.settings.helpPages = 40;  // a struct set by hand: still 17 pages at most
    for (int page = 5; page <= 17; ++page)
        writeLines(helpFileName(page), {"page " + QString::number(page)});
    EXPECT_EQ(nextHelpView(data, viewOfHelpPage(16)), viewOfHelpPage(17));
    EXPECT_EQ(nextHelpView(data, viewOfHelpPage(17)), FullModeView::FirstHelpPage);
    QFile::remove(home.filePath("hlp3.ktx"));  // the first missing file ends the help
    clearTextCache(data.folder);
    EXPECT_EQ(nextHelpView(data, viewOfHelpPage(2)), FullModeView::FirstHelpPage);
}

// A painter that leaves every per-paint flag set and fails half-way.
void failHalfWay(FullModeFrame& f) {
    f.state().drawing.alignRight = true;
    f.state().year.drawIntoYearBuffer = true;
    f.state().roles.drawingGuide = true;
    throw std::runtime_error("picture missing");
}

TEST_F(Renderers, APaintThatFailsLeavesNoExportAlignmentOrRoleFlagBehind) {
    frame.setModePainter(FullModeView::Zolkin, failHalfWay);
    frame.state().exports.exporting = true;
    EXPECT_THROW(frame.paintMode(FullModeView::Zolkin), std::runtime_error);
    const FullModeState& s = frame.state();
    EXPECT_FALSE(s.exports.exporting || s.drawing.alignRight || s.year.drawIntoYearBuffer ||
                 s.roles.drawingGuide);
    ScriptLines script;
    frame.setScriptSink(script);
    frame.paintMode(FullModeView::Day);  // a screen paint writes no script line
    EXPECT_TRUE(script.lines.isEmpty());
}

}  // namespace
}  // namespace orbisca::testing
