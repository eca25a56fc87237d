// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph fonts of the working folder. (That each glyph draws its outline, the generator's
// glyph outline tests check.)
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QRawFont>

#include "gfx/glyph_fonts.h"
#include "support/folder_fixture.h"

using namespace orbisca;

namespace {

struct Family {
    QString name;
    QString letters;  // every letter an exported page writes in that family
};

QString range(char16_t first, char16_t last) {
    QString s;
    for (char16_t c = first; c <= last; ++c) s += QChar(c);
    return s;
}

// The letters the glyph export writes, family by family. "URRUNE" draws the hexagram lines that
// "sgn.dat" names, which the pack test checks letter by letter.
const Family kFamilies[] = {
    {"Orbisca Glyphs", range(u'A', u'T') + "W" + range(u'a', u'm') + range(u'1', u'7') + "X\\*_[]"},
    {"RUNES2", range(u'A', u']') + ":0;"},
    {"URRUNE", "ABCDEFabcdef"},
    {"The 7777 game",
     range(u'1', u'7') + range(u'M', u'X') + range(u'f', u'j') + range(u'k', u'q')},
    {"MAYANVINALS", range(u'A', u'S') + range(u'a', u's')},
};

class GlyphFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { orbisca::testing::ensureGuiApplication(); }
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        folder.set(home.path());
    }
    // The fonts the build made, copied into the temporary working folder.
    void copyBuiltFonts() {
        const QDir built(QStringLiteral(ORBISCA_HOME_DIR "/fonts"));
        QDir().mkpath(home.filePath("fonts"));
        const QStringList files = built.entryList({"*.ttf"}, QDir::Files);
        ASSERT_EQ(files.size(), 5) << "the build has not made the glyph fonts";
        for (const QString& f : files)
            ASSERT_TRUE(QFile::copy(built.filePath(f), home.filePath("fonts/" + f))) << f;
    }
    QStringList registerFonts() {
        return glyphFonts.registerFolder(folder, [this](const QString& m) { reports << m; });
    }

    QTemporaryDir home;
    WorkingFolder folder;
    gfx::GlyphFonts glyphFonts;
    QStringList reports;
};

TEST_F(GlyphFonts, EveryFamilyIsRegisteredOnceAndDrawsEveryLetterOfAnExportedPage) {
    copyBuiltFonts();
    EXPECT_EQ(registerFonts().size(), 5);  // each family registered under its name: the loop below
    EXPECT_TRUE(reports.isEmpty()) << reports.join("; ").toStdString();
    // A second start registers nothing twice.
    EXPECT_EQ(registerFonts().size(), 5);
    EXPECT_EQ(glyphFonts.registeredFiles(), 5u);

    for (const Family& f : kFamilies) {
        QFont font(f.name);
        font.setPixelSize(64);
        EXPECT_EQ(QFontInfo(font).family(), f.name);  // the family itself, not a fallback
        const QRawFont raw = QRawFont::fromFont(font);
        ASSERT_TRUE(raw.isValid()) << f.name;
        for (QChar letter : f.letters)  // not the missing-letter box
            EXPECT_NE(raw.glyphIndexesForString(QString(letter)).value(0), 0u)
                << f.name.toStdString() << " '" << QString(letter).toStdString() << "'";
    }
}

// (A missing fonts folder, orbisca-cli's glyph font test names.)
TEST_F(GlyphFonts, EachFailureIsReportedNamingItsFolderOrFile) {
    QDir().mkpath(home.filePath("fonts"));
    EXPECT_TRUE(registerFonts().isEmpty());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("no *.ttf")) << reports[0];

    reports.clear();
    copyBuiltFonts();
    ASSERT_TRUE(
        orbisca::testing::writeBytes(home.filePath("fonts/Broken.ttf"), "not a font at all"));
    EXPECT_EQ(registerFonts().size(), 5);  // the good ones still count
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("Broken.ttf")) << reports[0];
}

}  // namespace
