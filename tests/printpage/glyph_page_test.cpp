// SPDX-License-Identifier: GPL-3.0-or-later
// Glyph pages against picture pages: an element written as glyph lines lands where its picture
// lands. The lines are those the glyph export writes for an element at (x, y), run through the
// interpreter with the working folder the build assembled (pictures, fonts and sgn.dat).
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

#include "data/sgn_table.h"
#include "page_fixture.h"
#include "printpage/page_services.h"
#include "support/built_glyph_fonts.h"

using namespace orbisca;

namespace {

constexpr int kX = 25, kY = 60;  // where the view places each element
const QSize kCanvas(200, 200);
const QString kSignFace = QStringLiteral("Orbisca Glyphs");

int even(double v) { return static_cast<int>(std::nearbyint(v)); }

QString coded(int index, int variant = 0) {
    return QStringLiteral("%1%2").arg(variant).arg(index, 3, 10, QLatin1Char('0'));
}

// One element in both forms: its picture line and its glyph lines; `tolerance` is how far each
// edge of the glyphs may lie from the picture's (one glyph serves pictures of several sizes).
struct Element {
    QString pictureLine;
    QStringList lines;
    int tolerance = 3;
};

QString pict(const QString& file) {
    return QStringLiteral("PICT %1 %2 0 0 0 rgt 'graphic\\%3'").arg(kX + 35).arg(kY).arg(file);
}
QString font(const QString& pair, const QString& colour, const QString& face) {
    return "FONT " + pair + colour + "thn nrm " + face;
}
QString text(int x, int y, const QString& glyph) {
    return QStringLiteral("TEXT %1 %2 rgt '%3'").arg(x).arg(y).arg(glyph);
}

const QString kColours[] = {" 255 0 0 ", " 255 255 255 ", " 0 0 255 ", " 255 255 0 "};

// The large signs (kinds 1..20) and the guide's size (kinds 31..50), sign s = 1..20: the coloured
// underlay, then the black sign.
Element sign(int s, bool large) {
    const QString pair = large ? "72 -96" : "62 -83";
    const double size = large ? 72 : 62;
    const int x = even(kX + 35 - (large ? 0 : 2) - size * 0.05), y = even(kY - size * 0.22);
    return {pict(QString(large ? "%1Y.bmp" : "%1.bmp").arg(s % 20)),
            {font(pair, kColours[(s + 3) % 4], kSignFace), text(x, y, "W"),
             font(pair, " 0 0 0 ", kSignFace), text(x, y, QChar(u'A' + s - 1))}};
}

Element tone(int n) {  // kinds 118..130, the tones over size-45 signs, n = 0..12
    return {pict("tn45" + coded(n) + ".bmp"),
            {font("42 -56", " 0 0 0 ", kSignFace),
             text(even(kX + 30 + 6 - 42 * 0.05), even(kY - 42 * 0.22), QChar(u'a' + n))},
            4};
}

Element plasma(int n) {  // kinds 71..77, n = 0..6
    const int x = even(kX + 35 - 4 - 50 * 0.045);
    return {pict(QStringLiteral("%1X.bmp").arg(n + 1)),
            {font("50 -67", kColours[(n + 3) % 4], kSignFace), text(x, kY, "X"),
             font("50 -67", " 0 0 0 ", kSignFace), text(x, kY, QString::number(n + 1))}};
}

Element rune(int n) {  // kinds 315..343
    const int x = even(kX + 46 - 24 * 0.05), y = even(kY + 4 - 24 * 0.22);
    const QString black = font("24 -32", " 0 0 0 ", "RUNES2");
    const QString letter = QChar(u'A' + n);
    const QString colours[] = {" 255 0 0 ", " 180 180 180 ", " 0 0 255 ", " 255 255 0 "};
    if ((n + 1) % 7 == 0)
        return {
            pict("rns" + coded(n) + ".bmp"),
            {black, text(x, y, ":"), font("24 -32", colours[n / 7], "RUNES2"), text(x, y, letter)}};
    return {pict("rns" + coded(n) + ".bmp"), {black, text(x, y, letter), text(x, y, "0")}};
}

Element sgnFigure(int m, const SgnTable& table) {  // kinds 251..314
    const int x = even(kX + 35 - 34 * 0.05), y = even(kY + 19 - 34 * 0.22);
    QStringList lines{font("34 -45", " 128 128 128 ", "RUNES2"),
                      text(x, even(kY + 19 - 13 - 34 * 0.22), ";"),
                      font("34 -45", table.colourOf(m).scriptText(), "URRUNE")};
    for (QChar c : table.glyphsOf(m)) lines << text(x, y, c);
    return {pict("sgn" + coded(m % 8, m / 8) + ".bmp"), lines};
}

Element vinal(int n) {  // kinds 393..411, the small tablet
    return {pict("vnl40" + coded(n) + ".bmp"),
            {font("32 -43", " 0 0 0 ", "MAYANVINALS"),
             text(even(kX + 38 - 32 * 0.05), even(kY + 11 - 32 * 0.22), QChar(u'A' + n - 1))}};
}

Element quarter(int week, int day) {  // kinds 344..371: the lit sectors, then the dark ones
    const QString groups[] = {" 255 128 128 ", " 255 255 255 ", " 128 128 255 ", " 255 255 128 "};
    const int x = even(kX + 43 - 26 * 0.05), y = even(kY + 8 - 26 * 0.22);
    const QString face = QStringLiteral("The 7777 game");
    const char* files[] = {"qntr", "qntw", "qntb", "qnty"};
    return {pict(files[week] + coded(day - 1) + ".bmp"),
            {font("26 -35", day == 4 ? " 128 128 255 " : groups[week], face),
             text(x, y, QString::number(day)), font("26 -35", " 0 0 0 ", face),
             text(x, y, QChar(u'j' + day))}};
}

class GlyphPage : public orbisca::testing::BuiltGlyphFontsTest {
protected:
    QImage render(QStringList lines) {
        PrintPageState page;
        page.services = programPageServices(data, program.glyphFonts);
        page.background = qRgb(255, 255, 255);
        setCanvas(page, kCanvas.width(), kCanvas.height(), true);
        EXPECT_TRUE(runScriptLines(page, lines)) << page.interp.errorReason.toStdString();
        return page.canvas.copy();
    }
};

// The box of everything drawn on the white page.
QRect inkBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(GlyphPage, GlyphsLandWherePicturesLand) {
    const SgnTable table = loadSgnTable(data.folder);
    const std::vector<std::pair<const char*, Element>> elements = {
        {"sign 1", sign(1, true)},
        {"sign 20", sign(20, false)},
        {"plasma 3", plasma(2)},
        {"tone 8", tone(7)},
        {"rune 1", rune(0)},
        {"rune 14", rune(13)},
        {"sgn 0", sgnFigure(0, table)},
        {"sgn 45", sgnFigure(45, table)},
        {"vinal 7", vinal(7)},
        {"quarter", quarter(2, 7)},
    };
    for (const auto& [name, e] : elements) {
        const QRect picture = inkBox(render({e.pictureLine}));
        const QRect glyph = inkBox(render(e.lines));
        ASSERT_FALSE(picture.isEmpty() || glyph.isEmpty()) << name;
        for (const auto& [a, b] :
             {std::pair{picture.left(), glyph.left()}, std::pair{picture.top(), glyph.top()},
              std::pair{picture.right(), glyph.right()},
              std::pair{picture.bottom(), glyph.bottom()}})
            EXPECT_LE(std::abs(a - b), e.tolerance)
                << name << ": picture " << picture.x() << ',' << picture.y() << ' '
                << picture.width() << 'x' << picture.height() << ", glyphs " << glyph.x() << ','
                << glyph.y() << ' ' << glyph.width() << 'x' << glyph.height();
    }
}

}  // namespace
