// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the views draw without wrapping must fit the space it is drawn in, measured in the
// font that draws it (the font table of "fdb.dat", offscreen).
#include <QFontInfo>
#include <QFontMetrics>

#include "data/affirmation.h"
#include "data/text_case.h"
#include "pack_files.h"

namespace orbisca::packtest {
namespace {

constexpr int kFrameWidth = 670;        // full-mode frame
constexpr int kCentredWidth = 2 * 299;  // texts centred on x 299

class PackLineWidth : public PackFontsTest {
protected:
    // Reports every line of `lines` wider than `limit` in font `font`.
    void expectFits(const QStringList& lines, int font, int limit, const QString& what) const {
        const QFontMetrics metrics(packFont(font));
        for (int n = 0; n < lines.size(); ++n) {
            const int width = metrics.horizontalAdvance(lines[n]);
            EXPECT_LE(width, limit)
                << what << " line " << n << " (" << width << " px): " << lines[n];
        }
    }
};

// A face that the system lacks is replaced by another with other widths: every face is installed.
TEST_P(PackLineWidth, EveryFaceOfTheFontTableIsInstalled) {
    for (int index = 0; index < kFontTableSize; ++index) {
        const QFont font = packFont(index);
        EXPECT_EQ(QFontInfo(font).family(), font.family()) << "fdb.dat line " << index + 1;
    }
}

TEST_P(PackLineWidth, DayTonePlasmaAndHelpPagesFitTheirViews) {
    // Name, blocks, lines a block; the pages are centred on x 299 in font 5.
    const struct {
        const char* name;
        int blocks, lines;
    } pages[] = {{"DAYINFO.ktx", 20, 17}, {"TONEINFO.ktx", 13, 17}, {"PLASMINFO.ktx", 7, 5}};
    for (const auto& page : pages) {
        const QStringList lines = textOf(page.name);
        EXPECT_EQ(lines.size(), page.blocks * page.lines) << page.name;
        for (int block = 0; block < page.blocks; ++block)
            EXPECT_FALSE(lines.value(block * page.lines).isEmpty())
                << page.name << " block " << block + 1;
        expectFits(lines, 5, kCentredWidth, page.name);
    }
    // Help pages start at the left edge in font 1.
    for (int page = 1; page <= 4; ++page) {
        const QString name = QString("hlp%1.ktx").arg(page);
        const QStringList lines = textOf(name);
        EXPECT_EQ(lines.size(), 32) << name;
        expectFits(lines, 1, kFrameWidth, name);
    }
}

TEST_P(PackLineWidth, AffirmationFitsTheCompactWindowAndTheViews) {
    QStringList lines;
    for (int kin = 1; kin <= 260; ++kin)
        for (const QString& line :
             buildAffirmation(positionOfKin(kin), readBaseLineEachTime(data.folder)))
            lines << applyCasePattern(line, "Aaaaaaaaaaaaa");
    expectFits(lines, 5, 350, "affirmation (compact window area A6, day view)");
    expectFits(lines, 2, kCentredWidth, "affirmation (kin book page)");
}

TEST_P(PackLineWidth, CaptionsFitBesideTheirBoards) {
    // Zolkin rows: seal names and Maya names end at x 141, in font 6.
    expectFits(base.mid(1, 20) + base.mid(171, 20), 6, 141, "Zolkin row caption");
    // Castle captions centred at x 118, font 3.
    expectFits(base.mid(427, 15) + base.mid(443, 5), 3, 2 * 118, "castle caption");
    // Wavespell captions centred at x 481 (castle view) and 501 (kin book page), font 3.
    expectFits(base.mid(448, 20) + base.mid(525, 40), 3, 2 * (kFrameWidth - 501),
               "wavespell caption");
    // Moon questions centred at x 499 in font 8.
    expectFits(base.mid(469, 14), 8, 2 * (kFrameWidth - 499), "moon caption");
    // Zolkin legend beside the silver square, before the green one at x 310, font 6.
    expectFits(base.mid(416, 1), 6, 310 - 177, "Zolkin legend");
    // (The compact window's captions, every kin's, the panel's layout test measures.)
}

ORBISCA_FOR_EACH_PACK_LANGUAGE(PackLineWidth);

}  // namespace
}  // namespace orbisca::packtest
