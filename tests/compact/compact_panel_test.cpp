// The panel painted headless: what is drawn where on the extra day and on an ordinary day, the
// split of a long tone and sign line, the picture files of the codes, and one report per fault.
#include <algorithm>
#include <functional>

#include "compact/compact_panel.h"
#include "compact_fixture.h"

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
    static const PanelItem* find(const PanelTrace& trace,
                                 const std::function<bool(const PanelItem&)>& match) {
        auto it = std::find_if(trace.begin(), trace.end(), match);
        return it == trace.end() ? nullptr : &*it;
    }
    static const PanelItem* find(const PanelTrace& trace, const QString& content) {
        return find(trace, [&](const PanelItem& i) { return i.content == content; });
    }
    static const PanelItem* findAt(const PanelTrace& trace, int y) {
        return find(trace, [y](const PanelItem& i) { return i.y == y; });
    }
    // A fault gives one report (message, error log) and stops the painting.
    void expectOneReport(const QString& message, const QStringList& logLines) {
        EXPECT_THROW(paint({26, 7, 0, 2026}), FailureReported);
        EXPECT_EQ(messages(), QStringList{message});
        EXPECT_TRUE(notifierState().endRequested);
        const QStringList log = fileLines("program/errorlog1.err");
        for (const QString& line : logLines) EXPECT_TRUE(log.contains(line)) << line.toStdString();
    }
    PanelPictures pictures;
    QImage face;
};

TEST_F(PanelTest, ExtraDayShowsItsOwnLineAndNoPlasma) {
    const PanelTrace trace = paint({25, 7, 0, 2026});
    const PanelItem* line = find(trace, readtext(419, "BASE.KTX"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(QPoint(line->x, line->y),
              QPoint(kPanelCentreX - panelTextWidth(line->content, 5) / 2, 117));
    EXPECT_EQ(line->font, 5);
    EXPECT_EQ(find(trace, [](const PanelItem& i) { return i.content.endsWith("X.bmp"); }), nullptr);
    EXPECT_EQ(findAt(trace, 97), nullptr);  // nor the two lines of an ordinary day
    EXPECT_EQ(findAt(trace, 113), nullptr);
}

TEST_F(PanelTest, OrdinaryDayDrawsItsPicturesAtTheirPlaces) {
    const MayanDate m = GregorianToMayan({26, 7, 0, 2026});
    const PanelTrace trace = paint({26, 7, 0, 2026});
    EXPECT_NE(find(trace, "graphic\\" + QString::number(m.plasma) + "X.bmp"), nullptr);
    const PanelItem* sign = find(trace, "graphic\\" + QString::number(m.sign % 20) + "Y.bmp");
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(QPoint(sign->x, sign->y), QPoint(224, 220));
    EXPECT_EQ(face.pixelColor(262, 258), signColour(m.sign % 20));
    const PanelItem* monthDay = find(trace, readtext(59, "BASE.KTX") + " 1");
    ASSERT_NE(monthDay, nullptr);
    EXPECT_EQ(monthDay->y, 128);
    // Six affirmation lines, 14 pixels apart from y 298.
    for (int y = 298; y <= 368; y += 14)
        EXPECT_NE(find(trace, [y](const PanelItem& i) { return i.y == y && i.font == 5; }), nullptr)
            << y;
}

// The sign's name grows until the line splits: it stays whole up to 217 pixels and splits beyond.
TEST_F(PanelTest, ToneAndSignLineSplitsWhenWiderThan217Pixels) {
    const GregorianDate date{26, 7, 0, 2026};
    for (QString name = "i"; name.size() < 300; name += "i") {
        setBaseLine(80 + GregorianToMayan(date).sign, name);
        const PanelTrace trace = paint(date);
        const PanelItem* first = findAt(trace, 155);
        ASSERT_NE(first, nullptr);
        const PanelItem* second = findAt(trace, 167);
        if (second == nullptr) {
            EXPECT_TRUE(first->content.endsWith(" " + name));
            ASSERT_LE(panelTextWidth(first->content, 2), 217) << name.size();
            continue;
        }
        EXPECT_EQ(second->content, name);
        EXPECT_GT(panelTextWidth(first->content + " " + name, 2), 217);
        return;
    }
    FAIL() << "the line never split";
}

TEST(SignPictures, TwentyUsesTheZeroPicturesAndCodesWithoutPictureHaveNone) {
    EXPECT_EQ(signPictureFiles(20)->picture, "graphic\\0Y.bmp");
    EXPECT_EQ(signPictureFiles(50)->picture, "graphic\\0.bmp");
    EXPECT_EQ(signPictureFiles(63)->mask, "graphic\\ToneAlfa13.bmp");
    for (int code : {21, 29, 64, 70, 78, -1}) EXPECT_FALSE(signPictureFiles(code)) << code;
}

TEST_F(PanelTest, MissingPictureGivesOneReportAndStops) {
    const QString file = QString::number(GregorianToMayan({26, 7, 0, 2026}).sign % 20) + "Y.bmp";
    removePicture(file);
    expectOneReport("ERROR! ERROR CODE:101",
                    {"ERROR SENDER:DRAWSIGNP in orbisca", "filename:graphic\\" + file, "CX:224"});
}

TEST_F(PanelTest, MissingTextDatabaseGivesOneReport) {
    ASSERT_TRUE(QFile::remove(home.filePath("BASE.KTX")));
    clearTextCache();
    expectOneReport("ERROR! ERROR CODE:101", {});
}

TEST_F(PanelTest, MoonThatDoesNotFitIsReportedAsPanelFailure) {
    pictures.frame = pictures.frame.copy(0, 0, 420, 450);  // the moon reaches x 450
    expectOneReport("ERROR! ERROR CODE:103", {"ERROR SENDER:FILLPYR in orbisca"});
}

TEST_F(PanelTest, MoonShowsItsPictureWhereTheDiscIsLit) {
    auto colourAt = [this](int phase, bool mirrored, int dx) {
        QImage target = filled(600, 450, Qt::black);
        drawPanelMoon(target, pictures.moon, phase, mirrored);
        return target.pixelColor(kPanelMoonX + dx, kPanelMoonY + 30);
    };
    EXPECT_EQ(colourAt(50, false, 30), QColor(230, 230, 210));  // full moon
    EXPECT_GT(colourAt(25, false, 45).red(), 200);              // first quarter: lit on the right
    EXPECT_LT(colourAt(25, false, 12).red(), 30);
    EXPECT_LT(colourAt(25, true, 45).red(), 30);  // seen from the south: lit on the left
}

}  // namespace
}  // namespace orbisca::testing
