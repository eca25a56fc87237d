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

// (The help pages, which show whatever the date, the views' text fit test measures whole.)
TEST_P(PackLineWidth, DayTonePlasmaPagesFitTheirViews) {
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
}

// (The compact window's panel, every kin's, and the captions beside the boards, the views' text
// fit test measures where the views place them.)
TEST_P(PackLineWidth, AffirmationFitsTheKinBookPage) {
    QStringList lines;
    for (int kin = 1; kin <= 260; ++kin)
        for (const QString& line :
             buildAffirmation(positionOfKin(kin), readBaseLineEachTime(data.folder)))
            lines << applyCasePattern(line, "Aaaaaaaaaaaaa");
    expectFits(lines, 2, kCentredWidth, "affirmation (kin book page)");
}

ORBISCA_FOR_EACH_PACK_LANGUAGE(PackLineWidth);

}  // namespace
}  // namespace orbisca::packtest
