// SPDX-License-Identifier: GPL-3.0-or-later
// The quick ways the page fills the canvas and draws large text give the bytes of the
// straightforward Qt calls.
#include <gtest/gtest.h>

#include <QPainter>

#include "printpage/outline_text.h"
#include "printpage/print_page.h"
#include "support/folder_fixture.h"

namespace orbisca {
namespace {

TEST(FastDrawing, CanvasFillGivesTheBytesOfQImageFill) {
    for (const QRgb colour : {qRgb(255, 255, 255), qRgb(7, 7, 7), qRgb(12, 200, 99)}) {
        QImage quick(671, 5, QImage::Format_RGB888), plain(671, 5, QImage::Format_RGB888);
        quick.fill(0);
        fillCanvas(quick, colour);
        plain.fill(colour);
        EXPECT_EQ(quick, plain) << std::hex << colour;
    }
}

// Outlined text in several faces and sizes, kerned pairs, a text starting off the left edge (its
// outline's control points then fall between the pixels' sixty-fourths differently) and one past
// the right edge, over a coloured page: the pixels of QPainter::drawText.
TEST(FastDrawing, LargeTextGivesThePixelsOfQPainter) {
    testing::ensureGuiApplication();
    QFont small;
    small.setPixelSize(64);
    EXPECT_FALSE(drawnAsOutlines(small));
    const QString text = QStringLiteral("AVATAR Wavy fjord, Ty. Kin 13");
    for (const char* face : {"DejaVu Serif", "Liberation Sans"}) {
        for (const int pixels : {66, 97, 150}) {
            QFont font(QString::fromLatin1(face));
            font.setPixelSize(pixels);
            font.setBold(pixels == 97);
            font.setItalic(pixels == 150);
            ASSERT_TRUE(drawnAsOutlines(font));
            for (const QPointF origin :
                 {QPointF(-300, 120), QPointF(41, 150), QPointF(700, 90), QPointF(40.3, 150.7)}) {
                QImage plain(900, 260, QImage::Format_RGB888);
                plain.fill(qRgb(200, 230, 250));
                QImage quick = plain.copy();
                {
                    QPainter painter(&plain);
                    painter.setFont(font);
                    painter.setPen(QColor(qRgb(120, 20, 60)));
                    painter.drawText(origin, text);
                }
                drawOutlineText(quick, font, qRgb(120, 20, 60), origin, text);
                EXPECT_EQ(quick, plain) << face << ' ' << pixels << ' ' << origin.x();
            }
        }
    }
}

// Text drawn through the page, each shaped once and drawn again from the shaping kept, in faces,
// sizes and scripts that need fallback fonts, joining, right-to-left order, marks and a tab: the
// pixels of QPainter::drawText.
TEST(FastDrawing, ShapedTextGivesThePixelsOfQPainter) {
    testing::ensureGuiApplication();
    const QStringList texts{
        QStringLiteral("Day 13 of the moon, AVATAR fjord"),
        QStringLiteral("caf\u00e9 e\u0301 \u00c5ngstr\u00f6m\tfi ffl"),
        QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u0645\u0631\u062d\u0628\u0627 abc"),
        QStringLiteral("\u4e2d\u6587 K")};
    PrintPageState page;
    for (const char* face : {"DejaVu Sans", "Liberation Serif"}) {
        for (const int pixels : {9, 16, 33, 64}) {
            page.interp.font = QFont(QString::fromLatin1(face));
            page.interp.font.setPixelSize(pixels);
            page.interp.font.setBold(pixels == 16);
            page.interp.font.setItalic(pixels == 33);
            page.interp.fontColour = qRgb(120, 20, 60);
            for (const QString& text : texts) {
                page.canvas = QImage(700, 90, QImage::Format_RGB888);
                page.canvas.fill(qRgb(200, 230, 250));
                QImage plain = page.canvas.copy();
                {
                    QPainter painter(&plain);
                    painter.setFont(page.interp.font);
                    painter.setPen(QColor(page.interp.fontColour));
                    const int ascent = QFontMetrics(page.interp.font).ascent();
                    painter.drawText(QPointF(-4, 2 + ascent), text);
                    painter.drawText(QPointF(20, 30 + ascent), text);
                }
                drawScriptText(page, -4, 2, text, false);
                drawScriptText(page, 20, 30, text, false);
                EXPECT_TRUE(samePixels(page.canvas, plain))
                    << face << ' ' << pixels << ' ' << text.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace orbisca
