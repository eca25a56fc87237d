// Every text the views draw without wrapping must fit the space it is drawn in, measured in the
// font that draws it (the font table of "fdb.dat", offscreen).
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <cmath>
#include <memory>

#include "data/affirmation.h"
#include "data/font_table.h"
#include "data/text_case.h"
#include "pack_fonts.h"
#include "pack_files.h"

namespace orbisca::packtest {
namespace {

// Widths of the places where texts go (pixels).
constexpr int kFrameWidth = 670;          // full-mode frame
constexpr int kCentreX = 299;             // centre line of centred texts
constexpr int kCentredWidth = 2 * kCentreX;
constexpr int kAffirmationArea = 350;     // compact window, area A6 (x 125..475)

class PackLineWidth : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
    void SetUp() override {
        folder_ = std::make_unique<PackWorkingFolder>();
        readfonts();
    }
    void TearDown() override { folder_.reset(); }

    // Reports every line of `lines` wider than `limit` in font `font`.
    static void expectFits(const QStringList& lines, int font, int limit, const char* what) {
        const QFontMetrics metrics(packFont(font));
        for (int n = 0; n < lines.size(); ++n) {
            const int width = metrics.horizontalAdvance(lines.at(n));
            EXPECT_LE(width, limit) << what << " line " << n << " (" << width << " px): \""
                                    << lines.at(n).toStdString() << "\"";
        }
    }

private:
    std::unique_ptr<PackWorkingFolder> folder_;
};

// A face that the system lacks is replaced by another with other widths: every face is installed.
TEST_F(PackLineWidth, EveryFaceOfTheFontTableIsInstalled) {
    for (int index = 0; index < 9; ++index) {
        const QFont font = packFont(index);
        EXPECT_EQ(QFontInfo(font).family(), font.family()) << "fdb.dat line " << index + 1;
    }
}

TEST_F(PackLineWidth, DayTonePlasmaAndHelpPagesFitTheirViews) {
    const QStringList day = packLines(QStringLiteral("DAYINFO.ktx"));
    const QStringList tone = packLines(QStringLiteral("TONEINFO.ktx"));
    const QStringList plasma = packLines(QStringLiteral("PLASMINFO.ktx"));
    EXPECT_EQ(day.size(), 20 * 17);
    EXPECT_EQ(tone.size(), 13 * 17);
    EXPECT_EQ(plasma.size(), 7 * 5);
    // The pages are centred on x 299 in font 5.
    expectFits(day, 5, kCentredWidth, "DAYINFO.ktx");
    expectFits(tone, 5, kCentredWidth, "TONEINFO.ktx");
    expectFits(plasma, 5, kCentredWidth, "PLASMINFO.ktx");
    // Help pages start at the left edge in font 1.
    for (int page = 1; page <= 4; ++page) {
        const QString name = QStringLiteral("hlp%1.ktx").arg(page);
        const QStringList lines = packLines(name);
        EXPECT_EQ(lines.size(), 32) << name.toStdString();
        expectFits(lines, 1, kFrameWidth, name.toUtf8().constData());
    }
}

TEST_F(PackLineWidth, EveryBlockOpensWithText) {
    const QStringList day = packLines(QStringLiteral("DAYINFO.ktx"));
    const QStringList tone = packLines(QStringLiteral("TONEINFO.ktx"));
    const QStringList plasma = packLines(QStringLiteral("PLASMINFO.ktx"));
    for (int sign = 0; sign < 20; ++sign) EXPECT_FALSE(day.value(sign * 17).isEmpty()) << "sign " << sign + 1;
    for (int t = 0; t < 13; ++t) EXPECT_FALSE(tone.value(t * 17).isEmpty()) << "tone " << t + 1;
    for (int p = 0; p < 7; ++p) EXPECT_FALSE(plasma.value(p * 5).isEmpty()) << "plasma " << p + 1;
}

TEST_F(PackLineWidth, AffirmationFitsTheCompactWindowAndTheViews) {
    QStringList lines;
    for (int kin = 1; kin <= 260; ++kin) {
        for (const QString& line : loadaffirmation(positionOfKin(kin))) lines << CasePattern(line, QStringLiteral("Aaaaaaaaaaaaa"));
    }
    expectFits(lines, 5, kAffirmationArea, "affirmation (compact window, day view)");
    expectFits(lines, 2, kCentredWidth, "affirmation (izin page)");
}

TEST_F(PackLineWidth, SideCaptionsFitBesideTheirBoards) {
    const QStringList base = packLines(QStringLiteral("BASE.KTX"));
    auto range = [&](int first, int count) { return base.mid(first, count); };
    // Zolkin rows: seal names and Maya names end at x 141, in font 6.
    expectFits(range(1, 20) + range(171, 20), 6, 141, "Zolkin row caption");
    // Castle captions centred at x 118, font 3.
    expectFits(range(427, 15) + range(443, 5), 3, 2 * 118, "castle caption");
    // Wavespell captions centred at x 481 (castle view) and 501 (izin page), font 3.
    expectFits(range(448, 20) + range(525, 40), 3, 2 * (kFrameWidth - 501), "wavespell caption");
    // Moon questions centred at x 499 in font 8.
    expectFits(range(469, 14), 8, 2 * (kFrameWidth - 499), "moon caption");
    // Zolkin legend beside the silver square, before the green one at x 310, font 6.
    expectFits(range(416, 1), 6, 310 - 177, "Zolkin legend");
}

TEST_F(PackLineWidth, CompactCaptionsStayInTheirPanel) {
    const QStringList base = packLines(QStringLiteral("BASE.KTX"));
    // The colour line and the tone and seal names are centred in the panel, 217 pixels wide,
    // in font 2; a tone and seal name wider than that is split over two lines.
    QStringList lines;
    for (int colour = 131; colour <= 138; ++colour) lines << base.value(402) + " " + base.value(colour);
    for (int word = 104; word <= 129; ++word) lines << base.value(word);
    for (int sign = 81; sign <= 100; ++sign) lines << base.value(sign);
    for (int moon = 1; moon <= 13; ++moon) {
        lines << base.value(66 + moon) + base.value(29) << base.value(61) + " " + base.value(150 + moon);
    }
    expectFits(lines, 2, 217, "compact caption");
}

// The board writes a text along an arc letter by letter, spreading the letters evenly over the
// arc: a text longer than its arc runs its letters into each other.
TEST_F(PackLineWidth, BoardArcCaptionsFitTheirArcs) {
    const QStringList base = packLines(QStringLiteral("BASE.KTX"));
    struct Arc { int line, radius, from, to; };
    const Arc arcs[] = {{595, 60, 265, 345}, {596, 80, 270, 350}, {597, 92, 295, 328},
                        {598, 94, 90, 0},    {599, 80, 80, 1},    {597, 60, 66, 15},
                        {585, 80, 160, 20},  {586, 71, 200, 340}, {584, 84, 150, 30},
                        {604, 71, 205, 335}};
    const QFontMetrics metrics(packFont(0));
    for (const Arc& arc : arcs) {
        const QString text = base.value(arc.line);
        const double length = arc.radius * std::abs(arc.to - arc.from) * M_PI / 180.0;
        EXPECT_LE(metrics.horizontalAdvance(text), length) << "line " << arc.line << " \"" << text.toStdString() << "\"";
    }
}

}  // namespace
}  // namespace orbisca::packtest
