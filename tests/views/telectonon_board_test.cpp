// SPDX-License-Identifier: GPL-3.0-or-later
// The telectonon board view.
#include "views/telectonon_board.h"

#include <QPainter>

#include "gfx/mask_draw.h"
#include "support/full_mode_fixture.h"
#include "views/mode_table.h"

namespace orbisca::testing {
namespace {

class Board : public FullModeTest {
protected:
    void SetUp() override {
        FullModeTest::SetUp();
        data.settings.threeTurtles = false;
    }
    // The frame painted by `board` for `date`.
    QImage paintOn(TelectononBoard& b, const GregorianDate& date) {
        data.day.setDate(date);
        frame.setModePainter(FullModeView::Board, [&b](FullModeFrame& f) { b.paint(f); });
        frame.paintMode(FullModeView::Board);
        return frame.buffers().frame.copy();
    }
    TelectononBoard board{data.folder};
};

// The markers of a day from the `first` on, each as "picture x,y" without the picture's folder.
QStringList markersOf(const GregorianDate& date, qsizetype first = 0) {
    const MayanDate day = gregorianToMayan(date);
    QStringList found;
    for (const BoardMarker& m : boardMarkers(day, makeOracle(day), false))
        found << QStringLiteral("%1 %2,%3")
                     .arg(m.picture.startsWith("graphic\\") ? m.picture.mid(8) : "?" + m.picture)
                     .arg(m.at.x())
                     .arg(m.at.y());
    return found.mid(first);
}

// 21 August 2001: day 27 of moon 1, sign 10, tone 9, guide 6 (white), oracle partners 9 (red),
// 11 (blue) and 20 (yellow).
TEST_F(Board, TheWorkedDatePutsEachMarkerOnItsCell) {
    EXPECT_EQ(
        markersOf(kWorkedDate),
        QStringList({"tlcr.bmp 401,267", "tlstB.bmp 79,154", "tlstB.bmp 89,367", "tlstW.bmp 89,79",
                     "tlstW.bmp 53,392", "trW2.bmp 234,158", "trY2.bmp 234,178", "trG2.bmp 282,248",
                     "tlpyrG.bmp 368,401", "tlpyrR.bmp 200,401", "tlpyrW.bmp 200,300",
                     "tlpyrB.bmp 368,368", "tlpyrY.bmp 200,100"}));
}

// The two turning days, where pieces keep their own offsets: 31 July 2001 (day 6, kin 209: sign
// 9, tone 1; partners 9, 10, 19 and 12) and 17 August 2001 (day 23). On day 6 the yellow pyramid
// gem stands on the cell of the yellow and green pieces, which stand aside.
TEST_F(Board, OnTheTurningDaysThePiecesKeepTheirOwnOffsets) {
    EXPECT_EQ(markersOf({31, 7, 0, 2001}, 5),
              QStringList({"trW3.bmp 368,168", "trY1.bmp 382,335", "trG1.bmp 358,334",
                           "tlpyrG.bmp 185,401", "tlpyrR.bmp 215,401", "tlpyrW.bmp 368,401",
                           "tlpyrB.bmp 368,100", "tlpyrY.bmp 368,334"}));
    EXPECT_EQ(markersOf({17, 8, 0, 2001}, 5).mid(0, 3),
              QStringList({"trW0.bmp 350,152", "trY2.bmp 386,152", "trG1.bmp 368,176"}));
}

// With three turtles the green piece ends the moon elsewhere. (Every day's cell and every sign's
// field against the board's hints: the pack's board test; the cells' pixels, halves among them:
// the marker tests above.)
TEST_F(Board, ThreeTurtlesMoveTheGreenPiecesEnd) {
    EXPECT_EQ(walkPieces(28, false).green, QPoint(4, 3));
    EXPECT_EQ(walkPieces(28, true).green, QPoint(2, 1));
}

TEST_F(Board, TheExtraDayShowsOnlyItsOwnPageAndTheSecondPaintKeepsTheBoard) {
    const QImage extra = paintOn(board, {25, 7, 0, 2001});
    EXPECT_TRUE(paintedRows(extra, 0, 150, 0, 549).empty());  // no dials, no board
    EXPECT_FALSE(paintedRows(extra, 200, 400, 140, 300).empty());

    const QImage first = paintOn(board, kWorkedDate);
    frame.state().drawing.boardDrawn = true;
    EXPECT_TRUE(paintOn(board, kWorkedDate) == first);
    // A later day, painted from the kept board, moves the markers and nothing else.
    const GregorianDate later = stepDate(kWorkedDate, 3);
    QImage moved = paintOn(board, later);
    QImage kept = first.copy();
    for (const GregorianDate& date : {kWorkedDate, later}) {
        const MayanDate day = gregorianToMayan(date);
        for (const BoardMarker& m : boardMarkers(day, makeOracle(day), false))
            for (QImage* image : {&kept, &moved})
                QPainter(image).fillRect(QRect(m.at, QSize(34, 34)), Qt::black);
    }
    EXPECT_TRUE(kept == moved);
}

// A sprite that cannot be read is an ImageError, which the fade engine reports once, keeping the
// last good frame (its own tests show how).
TEST_F(Board, AMissingSpriteIsAnImageError) {
    linkPictures(QStringLiteral("tlcr.bmp"));
    EXPECT_THROW(paintOn(board, kWorkedDate), gfx::ImageError);
}

TEST_F(Board, HintsBreakAtDoubleBlanksTenPixelsApartAndStayInTheirArea) {
    QImage image(670, 550, QImage::Format_RGB888);
    image.fill(Qt::white);
    drawBoardHint(program.fonts, image, QStringLiteral("ab  cd"));
    const std::vector<int> rows = paintedRows(image, 505, 664, 455, 534);
    ASSERT_FALSE(rows.empty());
    // Two bands of ink: the second starts ten rows below the first.
    std::vector<int> starts{rows.front()};
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i] != rows[i - 1] + 1) starts.push_back(rows[i]);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1] - starts[0], 10);

    // A hint of twenty long lines writes nothing outside the area, which it cleared first.
    QString tall;
    for (int i = 0; i < 20; ++i) tall += QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW  ");
    image.fill(Qt::white);
    drawBoardHint(program.fonts, image, tall);
    int outside = 0;
    for (int y = 0; y < 550; ++y)
        for (int x = 0; x < 670; ++x)
            outside += !kBoardHintArea.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_EQ(outside, 0);
    drawBoardHint(program.fonts, image, QString());
    EXPECT_TRUE(paintedRows(image, 505, 664, 455, 534).empty());
}

}  // namespace
}  // namespace orbisca::testing
