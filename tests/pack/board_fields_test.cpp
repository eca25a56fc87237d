// The telectonon board as the pack gives it: the 70 fields of "HRCT.dat" with the hints of
// "Fieldhlp.ktx" (record i with line i), and the board picture with calm ground wherever the
// board view writes a caption.
#include <QFontMetrics>
#include <QImage>
#include <QTransform>
#include <cmath>

#include "data/help_rects.h"
#include "data/text_case.h"
#include "pack_files.h"

namespace orbisca::packtest {
namespace {

class PackBoard : public PackFontsTest {
protected:
    void SetUp() override {
        PackFontsTest::SetUp();
        ASSERT_NO_THROW(loadHelpFields());
        EXPECT_TRUE(notifierState().messages.isEmpty()) << notifierState().messages.join('\n');
    }
    void TearDown() override {
        resetHelpRectsState();
        PackFontsTest::TearDown();
    }
};

// The hint area is 160 x 80 pixels: lines of at most 160 pixels in font 6, 10 pixels apart.
TEST_F(PackBoard, EveryHintFitsTheHintArea) {
    const QFontMetrics metrics(packFont(6));
    for (int i = 0; i < kHelpRectCount; ++i) {
        const QStringList lines = hintLines(helpRectsState().texts[i]);
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
QString expectedHintStart(const HelpRect& r, const QStringList& base) {
    const int column = int(std::lround((r.left - 133) / 33.5));
    const int row = int(std::lround((r.top - 133) / 33.5));
    const QPoint cell(column, row);
    if (r.right - r.left <= 34 && r.bottom - r.top <= 34) {
        for (int day = 1; day <= 28; ++day)
            if (yellowCell(day) == cell) return QStringLiteral("Day %1 of the moon").arg(day);
        for (int sign = 1; sign <= 20; ++sign)
            if (cell == (sign == 20 ? QPoint(8, 2) : QPoint(8 + sign % 5, 2 + sign / 5)))
                return QStringLiteral("Seal %1: ").arg(sign) + base[80 + sign];
        for (int sign = 1; sign <= 20; ++sign)
            if (cell == (sign % 20 < 10 ? QPoint(2, sign % 20 - 1) : QPoint(7, 18 - sign)))
                return QStringLiteral("Oracle pyramid: seal %1,").arg(sign);
        return "?";
    }
    if (r.right - r.left <= 34 && row == 2 && column >= 3 && column <= 6)
        return "Cube of " + base[620 + 2 * (column - 3)];  // the cube's captions above it
    if (r.left < 76 && 76 < r.right && r.top < 108 && 108 < r.bottom)
        return "Dial of sign and tone";
    if (r.left < 76 && 76 < r.right && r.top < 421 && 421 < r.bottom) return "Dial of day and moon";
    return "?";
}

TEST_F(PackBoard, EachHintExplainsTheFieldOfItsRecord) {
    const auto& rects = helpRectsState().rects;
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
        const QString hint = helpRectsState().texts[i];
        EXPECT_TRUE(hint.startsWith(expectedHintStart(r, base)))
            << "record " << i << " wants " << expectedHintStart(r, base) << ", line reads " << hint;
    }
    // Every day of the path has its field: the piece's cell is found under the pointer.
    for (int day = 1; day <= 28; ++day) {
        QString text;
        const QPoint cell = yellowCell(day);
        EXPECT_TRUE(
            findHelpField(int(133 + 33.5 * cell.x() + 16), int(133 + 33.5 * cell.y() + 16), text));
        EXPECT_TRUE(text.startsWith(QStringLiteral("Day %1 ").arg(day))) << text;
    }
}

// The captions of the board view, which the board's picture must leave calm and the frame must
// hold: line, x, y, font, centred, mode (0 drawtxt, -1 across, -2 up,
// above 0 an arc of that radius), start and end angle, letter case, right-aligned.
struct Caption {
    int line, x, y, font;
    bool centred;
    int mode, start, end;
    const char* pattern;
    bool right;
};
const Caption kCaptions[] = {
    {579, 285, 518, 6, false, 0, 0, 0, "", true},
    {577, 285, 508, 6, false, 0, 0, 0, "", true},
    {583, 303, 16, 2, true, -1, 0, 0, "", false},
    {583, 50, 269, 2, true, -2, 0, 0, "", false},
    {581, 235, 28, 2, true, 0, 0, 0, "", false},
    {580, 531, 4, 7, true, -1, 0, 0, "", false},
    {592, 303, 132, 6, true, -1, 0, 0, "", false},
    {591, 303, 398, 6, true, -1, 0, 0, "", false},
    {595, 335, 444, 0, false, 60, 265, 345, "", false},
    {596, 335, 444, 0, false, 80, 270, 350, "", false},
    {597, 335, 444, 0, false, 92, 295, 328, "", false},
    {590, 73, 269, 6, true, -2, 0, 0, "aaaaaaaa", false},
    {587, 100, 269, 2, true, -2, 0, 0, "", false},
    {605, 114, 269, 2, true, -2, 0, 0, "", false},
    {588, 143, 303, 6, true, -2, 0, 0, "Aaaaaaaa", false},
    {589, 143, 236, 6, true, -2, 0, 0, "Aaaaaaaa", false},
    {607, 155, 303, 6, true, -2, 0, 0, "aaaaaaaa", false},
    {607, 155, 236, 6, true, -2, 0, 0, "aaaaaaaaa", false},
    {598, 139, 100, 0, false, 94, 90, 0, "", false},
    {599, 139, 100, 0, false, 80, 80, 1, "", false},
    {597, 139, 100, 0, false, 60, 66, 15, "", false},
    {585, 81, 109, 0, false, 80, 160, 20, "", false},
    {586, 81, 113, 0, false, 71, 200, 340, "", false},
    {584, 81, 425, 0, false, 84, 150, 30, "", false},
    {604, 81, 426, 0, false, 71, 205, 335, "", false},
    {600, -50, 447, 6, true, 0, 0, 0, "Aaaaa", false},
    {601, -50, 456, 6, true, 0, 0, 0, "aaaaa", false},
    {602, 59, 447, 6, true, 0, 0, 0, "Aaaaa", false},
    {603, 59, 456, 6, true, 0, 0, 0, "aaaaaa", false},
    {613, 231, 104, 6, true, 0, 0, 0, "AAAAAAAAAA", false},
    {614, 231, 424, 6, true, 0, 0, 0, "AaAAAAAAAA", false},
    {611, 231, 137, 6, true, 0, 0, 0, "AAAAAAAAA", false},
    {612, 231, 155, 6, true, 0, 0, 0, "aaaaaa", false},
    {615, 231, 391, 6, true, 0, 0, 0, "AAaaaaaa", false},
    {616, 628, 189, 6, true, -2, 0, 0, "Aaaaaa", false},
    {617, 628, 350, 6, true, -2, 0, 0, "Aaaaaa", false},
    {594, 605, 269, 6, true, -2, 0, 0, "Aaaaaa", false},
    {608, 345, 258, 6, true, 0, 0, 0, "Aaaaaa", false},
    {610, 345, 268, 6, true, 0, 0, 0, "aaaaaaa", false},
    {608, 294, 451, 6, true, -2, 0, 0, "Aaaaaa", false},
    {609, 302, 451, 6, true, -2, 0, 0, "aaaaaa", false},
    {619, 244, 78, 6, true, -2, 0, 0, "Aaaaaa", false},
    {620, 254, 78, 6, true, -2, 0, 0, "aaaaaa", false},
    {621, 277, 78, 6, true, -2, 0, 0, "Aaaaaa", false},
    {622, 287, 78, 6, true, -2, 0, 0, "aaaaaa", false},
    {623, 309, 78, 6, true, -2, 0, 0, "Aaaaaa", false},
    {624, 319, 78, 6, true, -2, 0, 0, "aaaaaa", false},
    {625, 342, 78, 6, true, -2, 0, 0, "Aaaaaa", false},
    {626, 352, 78, 6, true, -2, 0, 0, "aaaaaa", false},
};

// The cell of each written character: its top left point and the turn of its text (degrees,
// counter-clockwise), width and height.
struct Glyph {
    QPointF at;
    double turn;
    QSizeF size;
};

std::vector<Glyph> captionGlyphs(const Caption& c, const QString& text, const QFontMetrics& m) {
    std::vector<Glyph> glyphs;
    const int width = m.horizontalAdvance(text), half = c.centred ? width / 2 : 0;
    const double height = m.height();
    if (c.mode == 0) {
        const int left = c.right ? c.x - width : c.centred ? 299 + c.x - width / 2 : c.x;
        glyphs.push_back({QPointF(left, c.y), 0, QSizeF(width, height)});
    } else if (c.mode == -1) {
        glyphs.push_back({QPointF(c.x - half, c.y), 0, QSizeF(width, height)});
    } else if (c.mode == -2) {
        glyphs.push_back({QPointF(c.x, c.y + width - half), 90, QSizeF(width, height)});
    } else {
        double a = c.start;
        const double step = double(c.end - c.start) / text.size();
        for (const QChar ch : text) {
            const QPointF at(c.x + std::lround(std::cos(a * M_PI / 180) * c.mode),
                             c.y + std::lround(-std::sin(a * M_PI / 180) * c.mode));
            a += step;
            const double escapement = a <= 180 ? 10 * a - 900 : 10 * a + 900;
            glyphs.push_back({at, escapement / 10, QSizeF(m.horizontalAdvance(ch), height)});
        }
    }
    return glyphs;
}

TEST_F(PackBoard, TheBoardIsCalmUnderEveryCaption) {
    const QImage board(QStringLiteral(ORBISCA_HOME_DIR "/graphic/telectonon.bmp"));
    ASSERT_EQ(board.size(), QSize(670, 550));
    for (const Caption& c : kCaptions) {
        const QString text = *c.pattern ? applyCasePattern(base[c.line], c.pattern) : base[c.line];
        int low = 255, high = 0, outside = 0;
        for (const Glyph& g : captionGlyphs(c, text, QFontMetrics(packFont(c.font)))) {
            const QTransform turn = QTransform().translate(g.at.x(), g.at.y()).rotate(-g.turn);
            for (double v = 0.5; v < g.size.height(); v += 1)
                for (double u = 0.5; u < g.size.width(); u += 1) {
                    const QPoint p = turn.map(QPointF(u, v)).toPoint();
                    if (!board.rect().contains(p)) {
                        ++outside;
                        continue;
                    }
                    const QRgb px = board.pixel(p);
                    const int lum = (299 * qRed(px) + 587 * qGreen(px) + 114 * qBlue(px)) / 1000;
                    low = std::min(low, lum);
                    high = std::max(high, lum);
                }
        }
        EXPECT_LE(high - low, 20) << "line " << c.line << " at " << c.x << "," << c.y << ": "
                                  << text;
        EXPECT_EQ(outside, 0) << "line " << c.line << " leaves the frame: " << text;
        // Along an arc the letters are spread evenly: a text longer than its arc runs its letters
        // into each other.
        if (c.mode > 0) {
            EXPECT_LE(QFontMetrics(packFont(c.font)).horizontalAdvance(text),
                      c.mode * std::abs(c.end - c.start) * M_PI / 180.0)
                << "line " << c.line << " is longer than its arc: " << text;
        }
    }
}

}  // namespace
}  // namespace orbisca::packtest
