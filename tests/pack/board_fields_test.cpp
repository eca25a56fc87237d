// SPDX-License-Identifier: GPL-3.0-or-later
// The telectonon board as the pack gives it: the 70 fields of "HRCT.dat" with the hints of
// "Fieldhlp.ktx" (record i with line i), and the board picture with calm ground wherever the
// board view writes a caption.
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

QPoint yellowCell(int day) {
    QPoint cell(1, 6);
    for (int d = 1; d <= day; ++d)
        cell += d <= 12 ? QPoint(1, 0) : d <= 17 ? QPoint(0, -1) : QPoint(-1, 0);
    return cell;
}

// What a field covers, found from its place on the board alone, and the words its hint must
// start with: a cell of the path, of the day sign's fields or of the pyramid, a column of the
// cube, or a dial.
QString expectedHintStart(const HelpRect& r, const QStringList& base, const PackLanguage& words) {
    const int column = int(std::lround((r.left - 133) / 33.5));
    const int row = int(std::lround((r.top - 133) / 33.5));
    const QPoint cell(column, row);
    if (r.right - r.left <= 34 && r.bottom - r.top <= 34) {
        for (int day = 1; day <= 28; ++day)
            if (yellowCell(day) == cell) return QString::fromUtf8(words.dayHint).arg(day);
        for (int sign = 1; sign <= 20; ++sign)
            if (cell == (sign == 20 ? QPoint(8, 2) : QPoint(8 + sign % 5, 2 + sign / 5)))
                return QString::fromUtf8(words.sealHint).arg(sign) + base[80 + sign];
        for (int sign = 1; sign <= 20; ++sign)
            if (cell == (sign % 20 < 10 ? QPoint(2, sign % 20 - 1) : QPoint(7, 18 - sign)))
                return QString::fromUtf8(words.pyramidHint).arg(sign);
        return "?";
    }
    if (r.right - r.left <= 34 && row == 2 && column >= 3 && column <= 6)
        return QString::fromUtf8(words.cubeHint) +
               base[620 + 2 * (column - 3)];  // the cube's captions above it
    if (r.left < 76 && 76 < r.right && r.top < 108 && 108 < r.bottom)
        return QString::fromUtf8(words.signDialHint);
    if (r.left < 76 && 76 < r.right && r.top < 421 && 421 < r.bottom)
        return QString::fromUtf8(words.moonDialHint);
    return "?";
}

TEST_P(PackBoard, EachHintExplainsTheFieldOfItsRecord) {
    const auto& rects = data.helpRects.rects;
    const QRect board(0, 0, 670, 550), hintArea(505, 455, 160, 80);
    for (int i = 0; i < kHelpRectCount; ++i) {
        const HelpRect& r = rects[i];
        const QRect inside(QPoint(r.left + 1, r.top + 1), QPoint(r.right - 1, r.bottom - 1));
        EXPECT_TRUE(board.contains(inside)) << "record " << i;
        EXPECT_FALSE(inside.intersects(hintArea)) << "record " << i;
        // No two fields share a point, so the order of the records decides nothing.
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(inside.intersects(QRect(QPoint(rects[j].left + 1, rects[j].top + 1),
                                                 QPoint(rects[j].right - 1, rects[j].bottom - 1))))
                << "records " << j << " and " << i;
        const QString hint = data.helpRects.texts[i];
        EXPECT_TRUE(hint.startsWith(expectedHintStart(r, base, language())))
            << "record " << i << " wants " << expectedHintStart(r, base, language())
            << ", line reads " << hint;
    }
    // Every day of the path has its field: the piece's cell is found under the pointer.
    for (int day = 1; day <= 28; ++day) {
        QString text;
        const QPoint cell = yellowCell(day);
        EXPECT_TRUE(findHelpField(data.helpRects, int(133 + 33.5 * cell.x() + 16),
                                  int(133 + 33.5 * cell.y() + 16), text));
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(language().dayHint).arg(day))) << text;
    }
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
