// SPDX-License-Identifier: GPL-3.0-or-later
// The telectonon board as the pack gives it: its fields, their hints and its picture.
#include <QFontMetrics>
#include <cmath>

#include "data/help_rects.h"
#include "data/text_case.h"
#include "pack_files.h"
#include "views/element_kinds.h"
#include "views/full_mode_frame.h"
#include "views/telectonon_board.h"

namespace orbisca::packtest {
namespace {

class PackBoard : public PackFontsTest {
protected:
    void SetUp() override {
        PackFontsTest::SetUp();
        ASSERT_NO_THROW(data.helpRects = loadHelpFields(data.folder));
        EXPECT_TRUE(data.notifier.messages.isEmpty()) << data.notifier.messages.join('\n');
    }
};

// The hint area is 160 x 80 pixels: lines of at most 160 pixels in font 6, 10 pixels apart.
TEST_P(PackBoard, EveryHintFitsTheHintArea) {
    const QFontMetrics metrics(packFont(6));
    for (int i = 0; i < kHelpRectCount; ++i) {
        const QStringList lines = hintLines(data.helpRects.texts[i]);
        EXPECT_LE(lines.size(), 8) << "hint " << i;
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), 160) << "hint " << i << ": " << line;
    }
}

// The fields tile the board apart from the hint area, and what the board shows at a place (where
// the view puts the yellow piece on each day of the moon, the day sign's field, the pyramid's cell
// of each sign, the cube's columns and the two dials) has its own hint under the pointer: every
// record is met, record i with line i of the hints.
TEST_P(PackBoard, EachPlaceOfTheBoardHasTheHintThatExplainsIt) {
    const auto& rects = data.helpRects.rects;
    const QRect board(0, 0, 670, 550);
    const auto inside = [](const HelpRect& r) {
        return QRect(QPoint(r.left + 1, r.top + 1), QPoint(r.right - 1, r.bottom - 1));
    };
    for (int i = 0; i < kHelpRectCount; ++i) {
        EXPECT_TRUE(board.contains(inside(rects[i]))) << "record " << i;
        EXPECT_FALSE(inside(rects[i]).intersects(kBoardHintArea)) << "record " << i;
        // No two fields share a point, so the order of the records decides nothing.
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(inside(rects[i]).intersects(inside(rects[j])))
                << "records " << j << " and " << i;
    }
    QSet<QString> met;
    const auto expectHint = [&](QPoint at, const QString& start) {
        QString text;
        EXPECT_TRUE(findHelpField(data.helpRects, at.x(), at.y(), text)) << at.x() << "," << at.y();
        EXPECT_TRUE(text.startsWith(start)) << "wants " << start << ", reads " << text;
        met.insert(text);
    };
    const auto cell = [](QPoint c) { return boardCellPoint(c, 16, 16); };
    const auto words = [this](const char* text) { return QString::fromUtf8(text); };
    QList<QPoint> path;
    for (int day = 1; day <= 28; ++day) {
        path << walkPieces(day, false).yellow;
        expectHint(cell(path.last()), words(language().dayHint).arg(day));
    }
    for (int sign = 1; sign <= 20; ++sign) {
        expectHint(cell(signMarkerCell(sign)),
                   words(language().sealHint).arg(sign) + base[80 + sign]);
        if (!path.contains(pyramidCell(sign)))  // else the day's hint names the cell too
            expectHint(cell(pyramidCell(sign)), words(language().pyramidHint).arg(sign));
    }
    for (int column = 3; column <= 6; ++column)  // the cube's captions above it
        expectHint(cell({column, 2}), words(language().cubeHint) + base[620 + 2 * (column - 3)]);
    const QPoint middle(5, 5);  // of a dial marker, at the dial's centre
    expectHint(dialMarkerPoint(BoardDial::Tone, 12) + middle, words(language().signDialHint));
    expectHint(dialMarkerPoint(BoardDial::Month, 12) + middle, words(language().moonDialHint));
    EXPECT_EQ(met.size(), kHelpRectCount);
}

// The board's picture leaves calm ground under the captions as the board view writes them: the
// letters are where the view's static board differs from the picture alone, and around each
// letter pixel the picture's brightness varies by 20 at most. Along an arc the letters are spread
// evenly: a text longer than the line they stand on would run its letters into each other.
TEST_P(PackBoard, TheBoardIsCalmUnderEveryCaption) {
    testing::linkPackPictures(data.folder.path());
    data.day.setDate({21, 8, 0, 2001});
    FullModeFrame frame(data, program.fonts);
    frame.setModePainter(FullModeView::Board, [](FullModeFrame& f) {
        f.drawElement(0, 0, kinds::kTelectononBoard, false);
    });
    frame.paintMode(FullModeView::Board);
    const QImage plain = frame.buffers().frame.copy();
    TelectononBoard board(data.folder);
    frame.setModePainter(FullModeView::Board, [&board](FullModeFrame& f) { board.paint(f); });
    frame.paintMode(FullModeView::Board);
    const QImage& captioned = board.staticBoard();
    int letters = 0, busy = 0;
    for (int y = 1; y < plain.height() - 1; ++y)
        for (int x = 1; x < plain.width() - 1; ++x) {
            if (captioned.pixel(x, y) == plain.pixel(x, y)) continue;
            int low = 255, high = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    low = std::min(low, qGray(plain.pixel(x + dx, y + dy)));
                    high = std::max(high, qGray(plain.pixel(x + dx, y + dy)));
                }
            ++letters;
            if (high - low > 20 && ++busy <= 10)
                ADD_FAILURE() << "busy ground at " << x << "," << y;
        }
    EXPECT_GT(letters, 5000);
    for (const BoardCaption& c : boardCaptions()) {
        const QString text = *c.pattern ? applyCasePattern(base[c.line], c.pattern) : base[c.line];
        if (c.arc > 0) {
            const QFontMetrics metrics(packFont(c.font));
            EXPECT_LE(metrics.horizontalAdvance(text), captionLineLength(c, metrics))
                << "line " << c.line << " is longer than its arc: " << text;
        }
    }
}

ORBISCA_FOR_EACH_PACK_LANGUAGE(PackBoard);

}  // namespace
}  // namespace orbisca::packtest
