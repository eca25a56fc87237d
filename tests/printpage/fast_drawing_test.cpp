// SPDX-License-Identifier: GPL-3.0-or-later
// The quick ways the page fills the canvas and draws text give the bytes of the straightforward
// Qt calls.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTextLayout>
#include <random>

#include "printpage/glyph_text.h"
#include "printpage/outline_text.h"
#include "printpage/print_page.h"
#include "support/folder_fixture.h"

namespace orbisca {
namespace {

// (Rows of a tall canvas are cleared on both cores.)
TEST(FastDrawing, CanvasFillGivesTheBytesOfQImageFill) {
    for (const QRgb colour : {qRgb(255, 255, 255), qRgb(7, 7, 7), qRgb(12, 200, 99)}) {
        const int height = colour == qRgb(7, 7, 7) ? 5 : 2100;
        QImage quick(671, height, QImage::Format_RGB888), plain(671, height, QImage::Format_RGB888);
        quick.fill(0);
        fillCanvas(quick, colour);
        plain.fill(colour);
        EXPECT_EQ(quick, plain) << std::hex << colour;
    }
}

// Text drawn through the page in faces, sizes and scripts that need fallback fonts, joining,
// right-to-left order, marks and a tab, kerned pairs, a text starting off the left edge (a large
// outline's control points then fall between the pixels' sixty-fourths differently) and one past
// the right edge, over a coloured page: the pixels of QPainter::drawText, for the texts shaped once
// and drawn again from the shaping kept and for the large ones whose outlines the page fills
// itself, drawn a second time whole pixels away from the coverages kept.
TEST(FastDrawing, TextGivesThePixelsOfQPainter) {
    testing::ensureGuiApplication();
    const QStringList texts{
        QStringLiteral("Day 13 of the moon, AVATAR Wavy fjord, Ty."),
        QStringLiteral("caf\u00e9 e\u0301 \u00c5ngstr\u00f6m\tfi ffl"),
        QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u0645\u0631\u062d\u0628\u0627 abc"),
        QStringLiteral("\u4e2d\u6587 K")};
    PrintPageState page;
    for (const char* face : {"DejaVu Sans", "Liberation Serif"}) {
        for (const int pixels : {9, 16, 33, 64, 97, 150}) {
            page.interp.font = QFont(QString::fromLatin1(face));
            page.interp.font.setPixelSize(pixels);
            page.interp.font.setBold(pixels == 16 || pixels == 97);
            page.interp.font.setItalic(pixels == 33 || pixels == 150);
            page.interp.fontColour = qRgb(120, 20, 60);
            ASSERT_EQ(drawnAsOutlines(page.interp.font), pixels > 64);  // both ways are met
            const int ascent = QFontMetrics(page.interp.font).ascent();
            for (const QString& text : texts) {
                page.canvas = QImage(900, 2 * pixels + 40, QImage::Format_RGB888);
                page.canvas.fill(qRgb(200, 230, 250));
                QImage plain = page.canvas.copy();
                const QPoint cells[] = {{-4 * pixels, 2}, {20, pixels + 10}, {410, 3}, {850, 2}};
                {
                    QPainter painter(&plain);
                    painter.setFont(page.interp.font);
                    painter.setPen(QColor(page.interp.fontColour));
                    for (const QPoint cell : cells)
                        painter.drawText(cell + QPoint(0, ascent), text);
                }
                for (const QPoint cell : cells)
                    drawScriptText(page, cell.x(), cell.y(), text, false);
                EXPECT_EQ(page.canvas, plain) << face << ' ' << pixels << ' ' << text.toStdString();
            }
        }
    }
}

// Glyph runs drawn from the kept masks at positions anywhere within a pixel, partly off every
// edge, in random colours over a page of random pixels: QPainter::drawGlyphRun's pixels, and every
// time from the masks. A run QPainter decorates is left to it.
TEST(FastDrawing, GlyphMasksGiveThePixelsOfQPainter) {
    testing::ensureGuiApplication();
    std::mt19937 random(20261208);
    QImage page(240, 50, QImage::Format_RGB888);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.bytesPerLine(); ++x) page.scanLine(y)[x] = uchar(random());
    std::uniform_real_distribution<double> across(-40, 250), down(-15, 65);
    GlyphMasks masks;
    QList<QGlyphRun> runs;
    for (const char* face : {"DejaVu Sans", "Liberation Serif"}) {
        for (const int pixels : {8, 11, 13, 20, 31, 48}) {
            QFont font{QString::fromLatin1(face)};
            font.setPixelSize(pixels);
            font.setBold(pixels == 11 || pixels == 31);
            font.setItalic(pixels == 13 || pixels == 48);
            QTextLayout layout(QStringLiteral("Wavy fjord, AVATAR 0123 Ty. caf\u00e9"), font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            runs = layout.glyphRuns();
            for (int trial = 0; trial < 12; ++trial) {
                const QPointF at(across(random), down(random));
                const QRgb colour = QRgb(random()) | 0xff000000;
                QImage quick = page, plain = page;
                const auto glyphs = placeGlyphRuns(masks, at, runs);
                ASSERT_TRUE(glyphs) << face << pixels;
                blendGlyphs(quick, *glyphs, colour);
                QPainter painter(&plain);
                painter.setPen(QColor(colour));
                for (const QGlyphRun& run : runs) painter.drawGlyphRun(at, run);
                painter.end();
                EXPECT_EQ(quick, plain)
                    << face << ' ' << pixels << " at " << at.x() << ',' << at.y();
            }
        }
    }
    runs.first().setUnderline(true);
    EXPECT_FALSE(placeGlyphRuns(masks, QPointF(5, 30), runs));
}

}  // namespace
}  // namespace orbisca
