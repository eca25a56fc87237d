// SPDX-License-Identifier: GPL-3.0-or-later
// The panel painted headless. (Every kin's panel with the real pack, in each language, the
// text fit test checks.)
#include <algorithm>

#include "support/compact_fixture.h"
#include "views/compact_panel.h"

namespace orbisca::testing {
namespace {

class PanelTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        program.fonts.load(data.folder);
        pictures.frame = gfx::loadBitmap(home.filePath("graphic/pyr0.bmp"));
        pictures.moon = gfx::loadBitmap(home.filePath("graphic/moon.bmp"));
    }
    PanelTrace paint(const GregorianDate& date) {
        PanelTrace trace;
        paintPanel({data.folder, program.fonts}, face, pictures, gregorianToMayan(date), &trace);
        return trace;
    }
    template <class Match>
    static const PanelItem* find(const PanelTrace& trace, Match match) {
        auto it = std::find_if(trace.begin(), trace.end(), match);
        return it == trace.end() ? nullptr : &*it;
    }
    static const PanelItem* findAt(const PanelTrace& trace, int y) {
        return find(trace, [y](const PanelItem& i) { return i.y == y; });
    }
    // A fault stops the painting with the failure to report, and reports nothing itself.
    FatalError failure() {
        try {
            paint({26, 7, 0, 2026});
        } catch (const FatalError& e) {
            EXPECT_TRUE(messages().isEmpty());
            return e;
        }
        ADD_FAILURE() << "the panel was painted";
        return FatalError(0, "", {}, "");
    }
    PanelPictures pictures;
    QImage face;
};

TEST_F(PanelTest, ExtraDayShowsItsOwnLineAndItsOwnPictureForThePlasma) {
    const PanelTrace trace = paint({25, 7, 0, 2026});
    const PanelItem* line = findAt(trace, 117);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->content, readDatabaseLine(data.folder, 419, "BASE.KTX"));
    EXPECT_EQ(QPoint(line->x, line->y),
              QPoint(kPanelCentreX - panelTextWidth(program.fonts, line->content, 5) / 2, 117));
    EXPECT_EQ(line->font, 5);
    const PanelItem* socket =
        find(trace, [](const PanelItem& i) { return i.content.endsWith("X.bmp"); });
    ASSERT_NE(socket, nullptr);
    EXPECT_EQ(socket->content, "graphic\\0X.bmp");
    EXPECT_EQ(findAt(trace, 97), nullptr);  // nor the two lines of an ordinary day
    EXPECT_EQ(findAt(trace, 113), nullptr);
}

// The sign's name grows until the line splits: it stays whole up to 217 pixels and splits beyond.
TEST_F(PanelTest, ToneAndSignLineSplitsWhenWiderThan217Pixels) {
    const GregorianDate date{26, 7, 0, 2026};
    for (QString name = "i"; name.size() < 300; name += "i") {
        setBaseLine(80 + gregorianToMayan(date).sign, name);
        const PanelTrace trace = paint(date);
        const PanelItem* first = findAt(trace, 155);
        ASSERT_NE(first, nullptr);
        const PanelItem* second = findAt(trace, 167);
        if (second == nullptr) {
            EXPECT_TRUE(first->content.endsWith(" " + name));
            ASSERT_LE(panelTextWidth(program.fonts, first->content, 2), 217) << name.size();
            continue;
        }
        EXPECT_EQ(second->content, name);
        EXPECT_GT(panelTextWidth(program.fonts, first->content + " " + name, 2), 217);
        return;
    }
    FAIL() << "the line never split";
}

TEST_F(PanelTest, FailuresCarryTheirCodeDetailsAndReason) {
    const QString file = QString::number(gregorianToMayan({26, 7, 0, 2026}).sign % 20) + "Y.bmp";
    removePicture(file);
    FatalError e = failure();
    EXPECT_EQ(e.code(), 101);
    EXPECT_EQ(e.sender(), kSenderPanelPicture);
    EXPECT_EQ(e.details()[0], "filename:graphic\\" + file);
    EXPECT_EQ(e.details()[3], "CX:224");
    EXPECT_TRUE(e.reason().contains(file)) << e.reason();

    pictures.frame = pictures.frame.copy(0, 0, 420, 450);  // the moon reaches x 450
    e = failure();
    EXPECT_EQ(e.code(), 103);
    EXPECT_EQ(e.sender(), kSenderPanelFace);
    EXPECT_EQ(e.reason(), "the moon does not fit on the face");

    ASSERT_TRUE(QFile::remove(home.filePath("BASE.KTX")));
    clearTextCache(data.folder);
    EXPECT_EQ(failure().sender(), "readtext in orbisca");
}

}  // namespace
}  // namespace orbisca::testing
