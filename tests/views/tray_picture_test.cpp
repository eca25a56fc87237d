// SPDX-License-Identifier: GPL-3.0-or-later
// The tray's icon and tooltip.
#include "views/tray_picture.h"

#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

class TrayPictureTest : public CompactFolderTest {};

TEST_F(TrayPictureTest, ToneStaysSharpAndCountableAtEveryTraySize) {
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        for (int tone = 1; tone <= 13; ++tone) {
            SCOPED_TRACE(::testing::Message() << size << " px, tone " << tone);
            MayanDate day = gregorianToMayan({7, 12, 0, 2026});
            day.tone = static_cast<std::uint8_t>(tone);
            const QImage icon = trayIconPicture(data.folder, day, size);
            ASSERT_EQ(icon.size(), QSize(size, size));
            const std::vector<QRect> blocks = toneBlocks(tone, trayToneBox(size));
            const auto bars = std::count_if(blocks.begin(), blocks.end(),
                                            [](const QRect& r) { return r.width() > r.height(); });
            EXPECT_EQ(bars, tone / 5);
            EXPECT_EQ(std::ssize(blocks) - bars, tone % 5);
            for (std::size_t i = 0; i < blocks.size(); ++i) {
                EXPECT_TRUE(icon.rect().contains(blocks[i].adjusted(-1, -1, 1, 1)));
                for (std::size_t j = i + 1; j < blocks.size(); ++j)  // a gap between any two
                    EXPECT_FALSE(blocks[i].adjusted(-1, -1, 1, 1).intersects(blocks[j]));
                for (int y = blocks[i].top(); y <= blocks[i].bottom(); ++y)
                    for (int x = blocks[i].left(); x <= blocks[i].right(); ++x)
                        ASSERT_EQ(icon.pixel(x, y), qRgba(255, 255, 255, 255));
            }
            // The sign fills the icon's middle; its corners stay see-through.
            EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 3)), 255);
            EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        }
    }
}

TEST_F(TrayPictureTest, ToolTipNamesTheDayFromTheTexts) {
    const BaseLineReader line = readBaseLineEachTime(data.folder);
    const MayanDate day = gregorianToMayan({21, 8, 0, 2001});
    const QStringList lines = trayToolTip(day, QStringLiteral("21.08.2001"), line).split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Kin: 230"));
    EXPECT_TRUE(lines[1].endsWith(' ' + dayNames(day, line).sign)) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(", Day 27"))) << lines[2].toStdString();
    EXPECT_EQ(lines[3], QStringLiteral("21.08.2001"));
    EXPECT_TRUE(lines[4].endsWith(" %"));

    const MayanDate extraDay = gregorianToMayan({25, 7, 0, 2026});
    const QStringList extra = trayToolTip(extraDay, {}, line).split('\n');
    ASSERT_EQ(extra.size(), 4);  // no date asked for
    EXPECT_EQ(extra[2], QStringLiteral("The Day Out of Time"));
}

}  // namespace
}  // namespace orbisca::testing
