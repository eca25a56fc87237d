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

}  // namespace
}  // namespace orbisca
