// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph fonts as the build made them: each glyph draws its outline, each emblem glyph its
// own picture's emblem.
#include "glyph_fonts.h"

#include "data/sgn_table.h"
#include "views/glyph_export.h"

#include "pack_reader.h"
#include "support/built_glyph_fonts.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

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
// built fonts: the layers written in black and the last one (in the colour of its group), not the
// underlays and tablets written in other colours before it.
QImage exportedGlyphs(int kind) {
    const orbisca::GlyphContext context{
        kSignGlyphFamily, nullptr,
        [] { return orbisca::parseSgnTable(QString::fromLatin1(sgnTable()).split(u'\n')); }};
    const QStringList lines = orbisca::glyphExportLines({kX, kY, kind, false}, context).lines;
    qsizetype lastFont = lines.size() - 1;
    while (lastFont > 0 && !lines[lastFont].startsWith("FONT ")) --lastFont;
    QImage page = whitePage();
    QPainter p(&page);
    p.setPen(Qt::black);
    bool drawn = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u' ');
        if (f[0] == "FONT") {
            QFont font(f.mid(8).join(u' '));
            font.setPixelSize(-f.value(2).toInt());
            p.setFont(font);
            drawn = i == lastFont || f.mid(3, 3) == QStringList{"0", "0", "0"};
        } else if (drawn) {
            p.drawText(QPointF(f[1].toInt(), f[2].toInt() + QFontMetrics(p.font()).ascent()),
                       lines[i].section(u'\'', 1, -2));
        }
    }
    return page;
}

// How far each pixel of `image` within `area` stands from the ground there (the median of each
// channel): its figure, whatever the colours of figure and ground.
std::vector<double> figureOf(const QImage& image, const QRect& area) {
    std::vector<QRgb> pixels;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) pixels.push_back(image.pixel(x, y));
    std::vector<double> figure(pixels.size());
    for (const int shift : {0, 8, 16}) {
        std::vector<int> channel;
        for (const QRgb p : pixels) channel.push_back(int(p >> shift & 255));
        std::ranges::nth_element(channel, channel.begin() + channel.size() / 2);
        const int ground = channel[channel.size() / 2];
        for (size_t i = 0; i < pixels.size(); ++i)
            figure[i] += std::abs(int(pixels[i] >> shift & 255) - ground);
    }
    return figure;
}

// The figures less what the family's figures have in common (their mean): what sets each apart.
void keepOwnParts(std::vector<std::vector<double>>& figures) {
    std::vector<double> mean(figures.front().size());
    for (const auto& f : figures)
        for (size_t i = 0; i < f.size(); ++i) mean[i] += f[i] / double(figures.size());
    for (auto& f : figures)
        for (size_t i = 0; i < f.size(); ++i) f[i] -= mean[i];
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// Glyph n of an emblem family draws emblem n: written where the element stands, what sets it
// apart from the family's other glyphs matches what sets its own picture (drawn by the pack)
// apart from the others better than it matches the pictures before and after it.
TEST_F(GlyphOutlines, EachEmblemGlyphCoversItsOwnPicturesEmblem) {
    using namespace orbisca::kinds;
    for (const orbisca::KindFamily& family :
         {kLargeSigns, kLargePlasmas, kTones45, kIzinFigures, kRunes, kVinals40}) {
        // From member 1 on: the large signs' kind 30 is sign 20 again.
        std::vector<QImage> pages;
        std::vector<std::vector<double>> pictures;
        QRect area;
        for (int kind = family.kindOf(1); kind <= family.last(); ++kind) {
            const QImage picture = packtest::loadPicture(packtest::fileForKind(kind));
            area = QRect(QPoint(kX + 35, kY), picture.size());
            QImage page = whitePage();
            QPainter(&page).drawImage(area.topLeft(), picture);
            pictures.push_back(figureOf(page, area));
            pages.push_back(exportedGlyphs(kind));
        }
        keepOwnParts(pictures);
        // One glyph serves pictures of several sizes and places: the family's glyphs are read
        // where they match their own pictures best, within a few pixels.
        std::vector<std::vector<double>> glyphs;
        double bestMatch = -2;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                std::vector<std::vector<double>> shifted;
                for (const QImage& page : pages)
                    shifted.push_back(figureOf(page, area.translated(dx, dy)));
                keepOwnParts(shifted);
                double match = 0;
                for (size_t i = 0; i < shifted.size(); ++i)
                    match += correlation(shifted[i], pictures[i]);
                if (match > bestMatch) bestMatch = match, glyphs = shifted;
            }
        // Where no glyph stands above the family's mean (outside every figure) or most do (the
        // frame most of them draw), the figures tell nothing apart: left out, so that an element
        // with a frame of its own (the seventh rune's mark) is compared by its emblem.
        for (size_t k = 0; k < glyphs.front().size(); ++k) {
            int common = 0;
            for (const auto& g : glyphs) common += g[k] > 0;
            if (common == 0 || 2 * common > int(glyphs.size()))
                for (auto* figures : {&glyphs, &pictures})
                    for (auto& f : *figures) f[k] = 0;
        }
        for (size_t i = 0; i < glyphs.size(); ++i) {
            const double own = correlation(glyphs[i], pictures[i]);
            for (size_t j : {i - 1, i + 1}) {
                if (j >= glyphs.size()) continue;
                EXPECT_GT(own, correlation(glyphs[i], pictures[j]))
                    << "kind " << family.kindOf(1) + i;
            }
        }
    }
}

}  // namespace
