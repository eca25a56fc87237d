// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph fonts as the build made them: each glyph draws the outline the generator cut, and each
// emblem glyph, written by the export as for an element, covers the emblem its picture draws, in
// the right order (glyph n matches picture n and no other).
#include "elements.h"
#include "emblems.h"
#include "figures.h"
#include "glyph_fonts.h"
#include "numerals.h"

#include "data/sgn_table.h"
#include "views/glyph_export.h"

#include "support/built_glyph_fonts.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>
#include <functional>

using namespace orbisca::assets;

namespace {

constexpr int kX = 40, kY = 60;  // where the view places the element; its picture goes to x + 35
const QSize kCanvas(200, 200);

QImage whitePage() {
    QImage page(kCanvas, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

// Letters stacked in black, the top left of their cell at `cell`, as a script draws its text.
QImage letters(const QString& family, int pixels, QPoint cell, const QString& text) {
    QImage page = whitePage();
    QFont font(family);
    font.setPixelSize(pixels);
    QPainter p(&page);
    p.setFont(font);
    p.setPen(Qt::black);
    const int baseline = cell.y() + QFontMetrics(font).ascent();
    for (QChar c : text) p.drawText(QPointF(cell.x(), baseline), QString(c));
    return page;
}

QImage shapes(const QList<QPainterPath>& parts, const QTransform& where = {}) {
    QImage page = whitePage();
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (const QPainterPath& part : parts) p.drawPath(where.map(part));
    return page;
}

// Intersection over union of the dark pixels in `area`, with `b` moved by `shift`.
double overlap(const QImage& a, const QImage& b, const QRect& area, QPoint shift = {}) {
    int both = 0, either = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool inA = qGray(a.pixel(x, y)) < 128;
            const bool inB = qGray(b.pixel(x - shift.x(), y - shift.y())) < 128;
            both += inA && inB;
            either += inA || inB;
        }
    return either ? double(both) / either : 0;
}

// The best overlap with `b` moved by up to 3 pixels each way: one glyph serves pictures of
// several sizes and places, so it may lie a little off any one of them.
double nearOverlap(const QImage& a, const QImage& b, const QRect& area) {
    double best = 0;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) best = std::max(best, overlap(a, b, area, {dx, dy}));
    return best;
}

// Emblem n drawn in black into `box`, as a picture of that size draws it.
QImage emblemPage(void (*draw)(QPainter&, int, const QRectF&, const EmblemStyle&), int n,
                  const QRectF& box) {
    QImage page = whitePage();
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, n, box, EmblemStyle{Qt::black, 1.0, false});
    return page;
}

QPainterPath stroked(const QPainterPath& path, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

// The 100 x 100 design box onto a square box, as the pictures draw their emblems.
QTransform designBox(const QRectF& box) {
    const double s = std::min(box.width(), box.height()) / 100;
    return QTransform::fromTranslate(box.center().x(), box.center().y())
        .scale(s, s)
        .translate(-50, -50);
}

using GlyphOutlines = orbisca::testing::BuiltGlyphFontsTest;

TEST_F(GlyphOutlines, EveryGlyphOfTheFontsDrawsItsOutline) {
    const int em = 80;
    const QPoint cell(60, 60);
    const QTransform toPage = QTransform::fromTranslate(cell.x(), cell.y()).scale(em, em);
    for (const GlyphFont& font : glyphFonts())
        for (const GlyphOutline& glyph : font.glyphs) {
            const QImage drawn = letters(font.family, em, cell, glyph.letter);
            const QImage outline = shapes(glyph.parts, toPage);
            EXPECT_GT(overlap(drawn, outline, drawn.rect()), 0.8)
                << font.family.toStdString() << " '" << QString(glyph.letter).toStdString() << "'";
        }
}

// The glyph lines the export writes for an element of `kind` at (kX, kY), drawn in black with the
// built fonts: the lines after the last FONT line, the element's own layer (the underlay and rim
// written before it left out).
QImage exportedGlyphs(int kind) {
    const orbisca::GlyphContext context{
        kSignGlyphFamily, nullptr,
        [] { return orbisca::parseSgnTable(QString::fromLatin1(sgnTable()).split(u'\n')); }};
    const QStringList lines = orbisca::glyphExportLines({kX, kY, kind, false}, context).lines;
    qsizetype lastFont = lines.size() - 1;
    while (lastFont > 0 && !lines[lastFont].startsWith("FONT ")) --lastFont;
    const QStringList fields = lines.value(lastFont).split(u' ');
    QFont font(fields.mid(8).join(u' '));
    font.setPixelSize(-fields.value(2).toInt());
    QImage page = whitePage();
    QPainter p(&page);
    p.setFont(font);
    p.setPen(Qt::black);
    for (const QString& line : lines.mid(lastFont + 1)) {
        const QStringList text = line.split(u' ');
        p.drawText(QPointF(text[1].toInt(), text[2].toInt() + QFontMetrics(font).ascent()),
                   line.section(u'\'', 1, -2));
    }
    return page;
}

// One family of emblems: the exported glyphs of kind first + i and the emblem of picture i drawn
// where the picture puts it, compared within `area`.
struct EmblemFamily {
    const char* name;
    int first, count;
    std::function<QImage(int)> emblem;
    QRect area;
};

TEST_F(GlyphOutlines, EachEmblemGlyphCoversItsOwnPicturesEmblem) {
    const QPoint picture(kX + 35, kY);
    // The 13-moon figures stand their margin in from their picture's left edge.
    const QRect tablet(picture + QPoint(kRuneMargin, 0), QSize(31, 40)),
        figure(picture + QPoint(kIzinMargin, 0), QSize(31, 47));
    const QRectF vinalMotifBox =
        QRectF(picture + QPoint(kVinalMargin, 0), QSizeF(34, 40)).adjusted(4, 5, -4, -5);
    const double signInset = 65 * kSignInset, plasmaInset = 59 * kPlasmaInset;
    const QRectF signBox =
        QRectF(picture, QSizeF(65, 65)).adjusted(signInset, signInset, -signInset, -signInset);
    const QRectF plasmaBox = QRectF(picture, QSizeF(59, 59))
                                 .adjusted(plasmaInset, plasmaInset, -plasmaInset, -plasmaInset);
    const double toneMargin = std::max(1.0, 24 * 0.06);
    QRectF toneBox =
        QRectF(picture, QSizeF(45, 24)).adjusted(toneMargin, toneMargin, -toneMargin, -toneMargin);
    toneBox.setHeight(toneBox.height() * kToneOnSignHeight);
    const EmblemFamily families[] = {
        {"signs", 31, 20, [&](int i) { return emblemPage(drawSignEmblem, i + 1, signBox); },
         signBox.toAlignedRect()},
        {"plasmas", 71, 7, [&](int i) { return emblemPage(drawPlasmaEmblem, i + 1, plasmaBox); },
         plasmaBox.toAlignedRect()},
        {"tones", 118, 13, [&](int i) { return shapes({toneNumeralPath(i + 1, toneBox)}); },
         QRect(picture, QSize(45, 24))},
        {"runes", 315, 29,
         [&](int i) {
             const QTransform onPage = QTransform::fromTranslate(tablet.x(), tablet.y());
             return shapes({stroked(onPage.map(runeOnTablet(tablet.size()).map(runeStrokePath(i))),
                                    kRuneStroke)});
         },
         tablet.adjusted(3, 3, -3, -3)},
        {"vinals", 393, 19,
         [&](int i) {
             const VinalMotif motif = vinalMotif(i + 1, kVinalStroke);
             QList<QPainterPath> parts = motif.filled;
             for (const QPainterPath& part : motif.stroked)
                 parts << stroked(part, motif.strokeWidth);
             return shapes(parts, designBox(vinalMotifBox));
         },
         vinalMotifBox.toAlignedRect()},
        {"sgn figures", 251, 64,
         [&](int m) {
             QList<QPainterPath> lines;
             const QString pattern = hexagramPattern(m + 1);
             for (int k = 0; k < 6; ++k)
                 lines << izinLineShape(hexagramLine(figure.size(), 40, k), pattern[k] == u'1')
                              .translated(figure.topLeft());
             return shapes(lines);
         },
         figure},
    };
    for (const EmblemFamily& f : families) {
        std::vector<QImage> emblems;
        for (int i = 0; i < f.count; ++i) emblems.push_back(f.emblem(i));
        for (int i = 0; i < f.count; ++i) {
            const QImage glyph = exportedGlyphs(f.first + i);
            int best = 0;
            std::vector<double> scores;
            for (int j = 0; j < f.count; ++j) {
                scores.push_back(nearOverlap(glyph, emblems[j], f.area));
                if (scores[j] > scores[best]) best = j;
            }
            EXPECT_EQ(best, i) << f.name << ": glyph " << i << " covers emblem " << best << " best";
            EXPECT_GT(scores[i], 0.5) << f.name << ": glyph " << i;
        }
    }
}

}  // namespace
