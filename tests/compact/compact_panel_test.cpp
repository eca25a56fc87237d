// The panel painted headless: what is drawn where on the extra day and on an ordinary day, the
// split of a long tone and sign line, the picture files of the codes, and one report per fault.
#include <algorithm>

#include "compact/compact_panel.h"
#include "compact_fixture.h"
#include "data/text_file.h"
#include "gfx/mask_draw.h"

namespace orbisca::testing {
namespace {

class PanelTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        readfonts();
        pictures.frame = gfx::LoadBitmap(home.filePath("graphic/pyr0.bmp"));
        pictures.moon = gfx::LoadBitmap(home.filePath("graphic/moon.bmp"));
    }
    PanelTrace paint(const GregorianDate& date) {
        PanelTrace trace;
        FILLPYR(face, pictures, GregorianToMayan(date), &trace);
        return trace;
    }
    static const PanelItem* find(const PanelTrace& trace, const QString& content) {
        auto it = std::find_if(trace.begin(), trace.end(), [&](const PanelItem& i) { return i.content == content; });
        return it == trace.end() ? nullptr : &*it;
    }
    static bool anyPictureEndingWith(const PanelTrace& trace, const QString& suffix) {
        return std::any_of(trace.begin(), trace.end(), [&](const PanelItem& i) {
            return i.kind == PanelItem::Picture && i.content.endsWith(suffix);
        });
    }
    PanelPictures pictures;
    QImage face;
};

TEST_F(PanelTest, ExtraDayShowsItsOwnLineAndNoPlasma) {
    const PanelTrace trace = paint({25, 7, 0, 2026});
    const PanelItem* line = find(trace, readtext(419, "BASE.KTX"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->y, 117);
    EXPECT_EQ(line->font, 5);
    EXPECT_EQ(line->x, kPanelCentreX - panelTextWidth(line->content, 5) / 2);
    EXPECT_FALSE(anyPictureEndingWith(trace, "X.bmp"));
    EXPECT_EQ(std::count_if(trace.begin(), trace.end(), [](const PanelItem& i) { return i.y == 97 || i.y == 113; }), 0);
    EXPECT_EQ(face.size(), QSize(600, 450));
}

TEST_F(PanelTest, OrdinaryDayDrawsItsPicturesAtTheirPlaces) {
    const MayanDate m = GregorianToMayan({26, 7, 0, 2026});
    const PanelTrace trace = paint({26, 7, 0, 2026});
    EXPECT_TRUE(anyPictureEndingWith(trace, QString::number(m.plasma) + "X.bmp"));
    const PanelItem* sign = find(trace, "graphic\\" + QString::number(m.sign % 20) + "Y.bmp");
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(QPoint(sign->x, sign->y), QPoint(224, 220));
    const PanelItem* monthDay = find(trace, readtext(59, "BASE.KTX") + " 1");
    ASSERT_NE(monthDay, nullptr);
    EXPECT_EQ(monthDay->y, 128);
    // The sign picture is on the face in area A2: its colour at the area's centre.
    EXPECT_EQ(face.pixelColor(262, 258), QColor(50 + 10 * (m.sign % 20), 200, 30));
    // Six affirmation lines, 14 pixels apart from y 298.
    for (int y = 298; y <= 368; y += 14)
        EXPECT_TRUE(std::any_of(trace.begin(), trace.end(), [y](const PanelItem& i) { return i.y == y && i.font == 5; }))
            << y;
}

TEST_F(PanelTest, ToneAndSignLineSplitsWhenWiderThan217Pixels) {
    const GregorianDate date{26, 7, 0, 2026};
    const MayanDate m = GregorianToMayan(date);
    setBaseLine(80 + m.sign, "Short");
    PanelTrace trace = paint(date);
    auto at155 = [](const PanelTrace& t) {
        return std::count_if(t.begin(), t.end(), [](const PanelItem& i) { return i.y == 155; });
    };
    EXPECT_EQ(at155(trace), 1);
    EXPECT_EQ(find(trace, "Short"), nullptr);  // drawn as part of the whole line
    const QString longName = QString("Wide").repeated(30);
    setBaseLine(80 + m.sign, longName);
    trace = paint(date);
    const PanelItem* second = find(trace, longName);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->y, 167);
    EXPECT_EQ(at155(trace), 1);
}

TEST_F(PanelTest, SignAndGuideTwentyUseTheZeroPictures) {
    EXPECT_EQ(signPictureFiles(20)->picture, "graphic\\0Y.bmp");
    EXPECT_EQ(signPictureFiles(50)->picture, "graphic\\0.bmp");
    EXPECT_EQ(signPictureFiles(50)->mask, "graphic\\Smalfa.bmp");
    EXPECT_EQ(signPictureFiles(63)->mask, "graphic\\ToneAlfa13.bmp");
    EXPECT_EQ(signPictureFiles(77)->picture, "graphic\\7X.bmp");
    for (int code : {21, 29, 64, 70, 78, -1}) EXPECT_FALSE(signPictureFiles(code)) << code;
}

TEST_F(PanelTest, MissingPictureGivesOneReportAndStops) {
    const MayanDate m = GregorianToMayan({26, 7, 0, 2026});
    removePicture(QString::number(m.sign % 20) + "Y.bmp");
    EXPECT_THROW(paint({26, 7, 0, 2026}), FailureReported);
    EXPECT_EQ(notifierState().messages, QStringList{"ERROR! ERROR CODE:101"});
    EXPECT_TRUE(notifierState().endRequested);
    const QStringList log = fileLines("program/errorlog1.err");
    ASSERT_GE(log.size(), 6);
    EXPECT_TRUE(log.contains("ERROR SENDER:DRAWSIGNP in orbisca"));
    EXPECT_TRUE(log.contains("filename:graphic\\" + QString::number(m.sign % 20) + "Y.bmp"));
    EXPECT_TRUE(log.contains("CX:224"));
}

TEST_F(PanelTest, MissingTextDatabaseGivesOneReport) {
    ASSERT_TRUE(QFile::remove(home.filePath("BASE.KTX")));
    clearTextCache();
    EXPECT_THROW(paint({26, 7, 0, 2026}), FailureReported);
    EXPECT_EQ(notifierState().messages, QStringList{"ERROR! ERROR CODE:101"});
}

TEST_F(PanelTest, MoonThatDoesNotFitIsReportedAsPanelFailure) {
    pictures.frame = pictures.frame.copy(0, 0, 420, 450);  // the moon reaches x 450
    EXPECT_THROW(paint({26, 7, 0, 2026}), FailureReported);
    EXPECT_EQ(notifierState().messages, QStringList{"ERROR! ERROR CODE:103"});
    EXPECT_TRUE(fileLines("program/errorlog1.err").contains("ERROR SENDER:FILLPYR in orbisca"));
}

TEST_F(PanelTest, MoonShowsItsPictureWhereTheDiscIsLit) {
    QImage target = filled(600, 450, Qt::black);
    drawPanelMoon(target, pictures.moon, 50, false);  // full moon
    EXPECT_EQ(target.pixelColor(kPanelMoonX + 30, kPanelMoonY + 30), QColor(230, 230, 210));
    target.fill(Qt::black);
    drawPanelMoon(target, pictures.moon, 25, false);  // first quarter: lit on the right
    EXPECT_GT(target.pixelColor(kPanelMoonX + 45, kPanelMoonY + 30).red(), 200);
    EXPECT_LT(target.pixelColor(kPanelMoonX + 12, kPanelMoonY + 30).red(), 30);
    target.fill(Qt::black);
    drawPanelMoon(target, pictures.moon, 25, true);  // seen from the south: lit on the left
    EXPECT_LT(target.pixelColor(kPanelMoonX + 45, kPanelMoonY + 30).red(), 30);
}

}  // namespace
}  // namespace orbisca::testing
