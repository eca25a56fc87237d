// The glyph fonts of the working folder: registered by family name, every letter an exported page
// uses drawn with a glyph of its own, and the sign letters drawn as emblems, not as letters.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTemporaryDir>

#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"

using namespace orbisca;

// Readable QStrings in failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

namespace {

const QString kSignFace = QStringLiteral("Orbisca Glyphs");

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
std::vector<Family> families() {
    return {
        {kSignFace, range(u'A', u'T') + "W" + range(u'a', u'm') + range(u'1', u'7') + "X\\*_[]"},
        {"RUNES2", range(u'A', u']') + ":0;"},
        {"URRUNE", "ABCDEFabcdef"},
        {"The 7777 game",
         range(u'1', u'7') + range(u'M', u'X') + range(u'f', u'j') + range(u'k', u'q')},
        {"MAYANVINALS", range(u'A', u'S') + range(u'a', u's')},
    };
}

// Dark pixels of a letter drawn black on white.
int inkOf(const QFont& font, QChar letter, QImage* out = nullptr) {
    QImage image(160, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPointF(40, 80), QString(letter));
    }
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    if (out) *out = image;
    return ink;
}

class GlyphFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "gfx_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
    }
    void SetUp() override {
        gfx::resetGlyphFontState();
        ASSERT_TRUE(home.isValid());
        setWorkingFolder(home.path());
    }
    void TearDown() override {
        gfx::resetGlyphFontState();
        resetWorkingFolderState();
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
        return gfx::registerGlyphFonts([this](const QString& m) { reports << m; });
    }

    QTemporaryDir home;
    QStringList reports;
};

TEST_F(GlyphFonts, EveryFamilyIsFoundByNameOnceRegistered) {
    copyBuiltFonts();
    QStringList found = registerFonts();
    EXPECT_TRUE(reports.isEmpty()) << reports.join("; ").toStdString();
    found.sort();
    QStringList expected;
    for (const Family& f : families()) expected << f.name;
    expected.sort();
    EXPECT_EQ(found, expected);
    const QStringList all = QFontDatabase::families();
    for (const Family& f : families()) {
        EXPECT_TRUE(all.contains(f.name)) << f.name.toStdString();
        // The face drawn is the family itself, not a fallback.
        EXPECT_EQ(QFontInfo(QFont(f.name)).family(), f.name);
    }
    // A second start registers nothing twice.
    EXPECT_EQ(registerFonts().size(), 5);
    EXPECT_EQ(gfx::glyphFontState().registered.size(), 5u);
}

TEST_F(GlyphFonts, EveryLetterOfAnExportedPageHasAGlyphThatDraws) {
    copyBuiltFonts();
    registerFonts();
    for (const Family& f : families()) {
        QFont font(f.name);
        font.setPixelSize(64);
        const QRawFont raw = QRawFont::fromFont(font);
        ASSERT_TRUE(raw.isValid()) << f.name.toStdString();
        for (QChar letter : f.letters) {
            SCOPED_TRACE(f.name.toStdString() + " '" + QString(letter).toStdString() + "'");
            EXPECT_TRUE(raw.supportsCharacter(letter));
            const QList<quint32> glyph = raw.glyphIndexesForString(QString(letter));
            ASSERT_EQ(glyph.size(), 1);
            EXPECT_NE(glyph[0], 0u);  // not the missing-letter box
            EXPECT_FALSE(raw.pathForGlyph(glyph[0]).isEmpty());
            EXPECT_GT(inkOf(font, letter), 3);
        }
    }
}

TEST_F(GlyphFonts, SignLettersDrawEmblemsNotLetters) {
    copyBuiltFonts();
    registerFonts();
    QFont signs(kSignFace), plain(QStringLiteral("DejaVu Sans"));
    signs.setPixelSize(80);
    plain.setPixelSize(80);
    std::vector<QImage> emblems;
    for (QChar letter : range(u'A', u'T')) {
        QImage drawn, text;
        const int ink = inkOf(signs, letter, &drawn);
        inkOf(plain, letter, &text);
        int differ = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                differ += (qGray(drawn.pixel(x, y)) < 128) != (qGray(text.pixel(x, y)) < 128);
        // Most of what the emblem inks is not where the letter would be.
        EXPECT_GT(differ, ink / 2) << QString(letter).toStdString();
        for (const QImage& other : emblems)
            EXPECT_NE(drawn, other) << QString(letter).toStdString() << " repeats an emblem";
        emblems.push_back(drawn);
    }
}

TEST_F(GlyphFonts, EachFailureIsReportedNamingItsFolderOrFile) {
    EXPECT_TRUE(registerFonts().isEmpty());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QDir::toNativeSeparators(home.filePath("fonts"))))
        << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains("does not exist"));

    reports.clear();
    QDir().mkpath(home.filePath("fonts"));
    EXPECT_TRUE(registerFonts().isEmpty());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("no *.ttf")) << reports[0].toStdString();

    reports.clear();
    copyBuiltFonts();
    QFile bad(home.filePath("fonts/Broken.ttf"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a font at all");
    bad.close();
    EXPECT_EQ(registerFonts().size(), 5);  // the good ones still count
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("Broken.ttf")) << reports[0].toStdString();
}

}  // namespace
