// SPDX-License-Identifier: GPL-3.0-or-later
// The panel painted headless: the extra day, the split of a long tone and sign line, the picture
// files of the codes, the failures it throws, and every kin's panel with the real pack, whose
// texts must not run into each other nor leave the outline's calm dark ground.
#include <algorithm>

#include "gfx/region.h"
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

QString describe(const PanelItem& item) {
    return QStringLiteral("\"%1\" at %2,%3 (%4 x %5)")
        .arg(item.content)
        .arg(item.x)
        .arg(item.y)
        .arg(item.width)
        .arg(item.height);
}

// With the pack as the build assembles it (its fonts, texts and pictures), no text of any kin's
// panel runs into another text or into a picture, and each stands inside the window's outline on
// calm dark ground (the fonts are white): 260 days in a row give every kin, and with them every
// moon, plasma and the extra day.
TEST(PanelLayout, EveryTextOfAnyKinsPanelStandsAloneOnCalmGroundInsideTheOutline) {
    ensureTestApplication();
    ProgramState program(ORBISCA_HOME_DIR);
    const DataState& data = program.data;
    program.fonts.load(data.folder);
    const PanelPictures pictures{gfx::loadBitmap(data.folder.resolve("graphic\\pyr0.bmp")),
                                 gfx::loadBitmap(data.folder.resolve("graphic\\moon.bmp"))};
    const QRegion outline =
        gfx::bitmapToRegion(gfx::loadBitmap(data.folder.resolve("graphic\\pyrA0.bmp")),
                            qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
    QImage face;
    int reported = 0;
    GregorianDate date{1, 7, 0, 2026};
    for (int day = 0; day < 260 && reported < 10; ++day, date = stepDate(date, 1)) {
        PanelTrace trace;
        paintPanel({data.folder, program.fonts}, face, pictures, gregorianToMayan(date), &trace);
        for (const PanelItem& t : trace) {
            if (t.kind != PanelItem::Text || t.content.isEmpty()) continue;
            const QRect box(t.x, t.y, t.width, t.height);
            int sum = 0, brightest = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x) {
                    sum += qGray(pictures.frame.pixel(x, y));
                    brightest = std::max(brightest, qGray(pictures.frame.pixel(x, y)));
                }
            if ((!(QRegion(box) - outline).isEmpty() || sum > 35 * box.width() * box.height() ||
                 brightest >= 100) &&
                ++reported <= 10)
                ADD_FAILURE() << describe(t) << " leaves the outline or has bright ground under it";
        }
        for (std::size_t i = 0; i < trace.size(); ++i) {
            for (std::size_t j = i + 1; j < trace.size(); ++j) {
                const PanelItem& a = trace[i];
                const PanelItem& b = trace[j];
                if (a.kind != PanelItem::Text && b.kind != PanelItem::Text) continue;
                if (a.content.isEmpty() || b.content.isEmpty()) continue;  // nothing drawn
                const QRect boxA(a.x, a.y, a.width, a.height), boxB(b.x, b.y, b.width, b.height);
                if (boxA.intersects(boxB) && ++reported <= 10)
                    ADD_FAILURE() << "kin " << gregorianToMayan(date).kin << ": " << describe(a)
                                  << " overlaps " << describe(b);
            }
        }
    }
    EXPECT_EQ(reported, 0);
}

}  // namespace
}  // namespace orbisca::testing
