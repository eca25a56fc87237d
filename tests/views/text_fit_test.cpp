// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of every view and of the compact panel stays inside the frame and clear of every
// other text, in each language the build assembles.
#include <algorithm>

#include "gfx/region.h"
#include "support/full_mode_fixture.h"
#include "support/language_pack.h"
#include "views/compact_panel.h"
#include "views/telectonon_board.h"
#include "views/text_renderer.h"

namespace orbisca::testing {
namespace {

// Days of every kind: the extra day and the first day of a year, a leap day, the first and last
// day of a moon, days of long seal and tone names and the portal days among them.
constexpr GregorianDate kDates[] = {{25, 7, 0, 2026},  {26, 7, 0, 2026}, {29, 2, 0, 2024},
                                    {21, 8, 0, 2001},  {1, 1, 0, 2027},  {31, 12, 0, 1999},
                                    {15, 3, 0, 2026},  {9, 5, 0, 2025},  {3, 10, 0, 2030},
                                    {12, 12, 0, 2012}, {20, 6, 0, 1987}, {17, 4, 0, 2011}};

// The views that show a picture, and the four help pages.
constexpr int kViewNumbers[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 19, 25, 26, 27};

bool drawsSomething(const QString& text) { return !text.trimmed().isEmpty(); }

class TextFit : public FullModeTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        FullModeTest::SetUp();
        ASSERT_TRUE(overlayLanguagePack(data.folder, GetParam())) << GetParam();
        data.settings.yearShine = data.settings.yearLine = data.settings.yearDayIcon = true;
        data.settings.castleDayIcon = true;
        frame.onTextPlacing = [this](const PlacedText& t) {
            if (drawsSomething(t.text)) placed.push_back(t);
        };
    }
    std::vector<PlacedText> placed;
};

TEST_P(TextFit, NoTextOfAnyViewLeavesTheFrameOrRunsIntoAnother) {
    const QRect inside(0, 0, kFrameWidth, kFrameHeight);
    int reported = 0;
    const auto report = [&reported](const GregorianDate& date, int view) {
        return ++reported <= 20
                   ? "view " + std::to_string(view) + " on " + describeDate(date) + ": "
                   : std::string();
    };
    for (const GregorianDate& date : kDates) {
        for (int number : kViewNumbers) {
            data.day.setDate(date);
            placed.clear();
            frame.paintMode(viewOfModeNumber(number));
            for (std::size_t i = 0; i < placed.size(); ++i) {
                const PlacedText& a = placed[i];
                if (!inside.contains(a.ink.boundingRect()))
                    ADD_FAILURE() << report(date, number) << a.text << " leaves the frame";
                for (std::size_t j = i + 1; j < placed.size(); ++j)
                    if (a.ink.intersects(placed[j].ink))
                        ADD_FAILURE()
                            << report(date, number) << a.text << " runs into " << placed[j].text;
            }
        }
    }
    EXPECT_EQ(reported, 0);
}

// The board's curved captions of several lines about one centre set the letters of their words
// about as far apart, along the line through their middle, as the letters are wide, so that the
// blanks between the words show and each line reads apart from the next. (That no text is longer
// than its line, the pack's board test checks; the dials' rings spread their letters on purpose.)
TEST_P(TextFit, TheBoardsCurvedLinesKeepTheirWordsTogether) {
    const std::vector<BoardCaption>& captions = boardCaptions();
    for (const BoardCaption& c : captions) {
        const QString text = frame.baseLine(c.line);
        const auto lines = std::count_if(captions.begin(), captions.end(), [&c](const auto& d) {
            return d.arc > 0 && d.x == c.x && d.y == c.y;
        });
        if (c.arc <= 0 || lines < 2 || !text.trimmed().contains(' ')) continue;
        const QFontMetrics& metrics = resolveFontChoice(program.fonts, c.font, -1).metrics;
        const double pitch = captionLineLength(c, metrics) / text.size();
        const double width = double(metrics.horizontalAdvance(text)) / text.size();
        EXPECT_LE(pitch / width, 1.25) << text.toStdString();
    }
}

// Whether the ground under `box` is calm and dark enough for the panel's white letters.
bool calmDarkGround(const QImage& frame, const QRect& box) {
    int sum = 0, brightest = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            sum += qGray(frame.pixel(x, y));
            brightest = std::max(brightest, qGray(frame.pixel(x, y)));
        }
    return sum <= 35 * box.width() * box.height() && brightest < 100;
}

// 260 days in a row give every kin, and with them every moon, plasma and the extra day. Each text
// stands inside the window's outline on calm dark ground, clear of every other text and picture.
TEST_P(TextFit, NoTextOfAnyKinsPanelLeavesTheOutlineOrRunsIntoAnotherTextOrAPicture) {
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
        const MayanDate position = gregorianToMayan(date);
        paintPanel({data.folder, program.fonts}, face, pictures, position, &trace);
        for (std::size_t i = 0; i < trace.size(); ++i) {
            const PanelItem& a = trace[i];
            const QRect boxA(a.x, a.y, a.width, a.height);
            if (a.kind == PanelItem::Text && drawsSomething(a.content) &&
                (!(QRegion(boxA) - outline).isEmpty() || !calmDarkGround(pictures.frame, boxA)) &&
                ++reported <= 10)
                ADD_FAILURE() << "kin " << position.kin << ": " << a.content
                              << " leaves the outline or has bright ground under it";
            for (std::size_t j = i + 1; j < trace.size(); ++j) {
                const PanelItem& b = trace[j];
                if (a.kind != PanelItem::Text && b.kind != PanelItem::Text) continue;
                if (!drawsSomething(a.content) || !drawsSomething(b.content)) continue;
                if (boxA.intersects(QRect(b.x, b.y, b.width, b.height)) && ++reported <= 10)
                    ADD_FAILURE() << "kin " << position.kin << ": " << a.content << " runs into "
                                  << b.content;
            }
        }
    }
    EXPECT_EQ(reported, 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFit, ::testing::ValuesIn(kPackLanguages), packLanguageName);

}  // namespace
}  // namespace orbisca::testing
