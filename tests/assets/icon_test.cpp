// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: the SVG that the desktop scales draws what the PNG sizes show.
#include "icon.h"
#include "support/folder_fixture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

using namespace orbisca::assets;

namespace {

TEST(Icon, TheSvgDrawsWhatThePicturesShow) {
    orbisca::testing::ensureGuiApplication();
    QByteArray svg = iconSvg();
    QBuffer buffer(&svg);
    QImageReader reader(&buffer, "svg");
    reader.setScaledSize(QSize(64, 64));
    const QImage fromSvg = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(fromSvg.isNull()) << reader.errorString().toStdString();
    const QImage drawn = drawIcon(64).convertToFormat(QImage::Format_ARGB32);
    // Antialiasing differs along the edges only: nearly every pixel matches in every channel.
    int differing = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb a = fromSvg.pixel(x, y), b = drawn.pixel(x, y);
            differing += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                             std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b)) >
                         48;
        }
    EXPECT_LT(differing, 64 * 64 / 50);
    // The corners stay transparent: the icon is round.
    EXPECT_EQ(qAlpha(fromSvg.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(63, 63)), 0);
}

}  // namespace
