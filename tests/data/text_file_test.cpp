#include <sys/stat.h>

#include <QStringEncoder>

#include "data/affirmation.h"
#include "data/text_case.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

TEST(CasePattern, ShapesEachWordByItsPatternLetter) {
    EXPECT_EQ(CasePattern("hELLO cd", "AB"), "Hello CD");
    EXPECT_EQ(CasePattern("one two three", "aB"),
              "one TWO three");  // beyond the pattern: unchanged
    EXPECT_EQ(CasePattern("one", "x"), "one");
    // The character after each blank starts a word, so a double blank uses a pattern letter.
    EXPECT_EQ(CasePattern("ab  cd", "AAB"), "Ab  CD");
    EXPECT_EQ(CasePattern(" ab", "aB"), " AB");
    EXPECT_EQ(CasePattern(QString::fromUtf8("ёЖИК ÉTÉ"), "AA"), QString::fromUtf8("Ёжик Été"));
}

using TextFile = WorkingFolderTest;

TEST_F(TextFile, ReadsLinesByNumberFromZero) {
    writeFile("t.ktx", "first\r\n\r\n  two blanks \na\rb\r\nc\r\r\nlast\r");
    const QStringList expected = {"first", "", "  two blanks ", "a\rb", "c", "last", ""};
    for (int n = 0; n < expected.size(); ++n) EXPECT_EQ(readtext(n, "t.ktx"), expected[n]) << n;
    EXPECT_EQ(readtext(100000, "t.ktx"), "");
    EXPECT_EQ(readtext(-1, "t.ktx"), "");
    EXPECT_EQ(readtext(-1, "missing.ktx"), "");  // a negative line reads nothing at all
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TextFile, DecodesWindows1251WhenTheFileIsNotUtf8) {
    const QString cyrillic = QString::fromUtf8("Красный Дракон ёЁ");
    QStringEncoder to1251("windows-1251");
    writeFile("ru.ktx", "latin\r\n" + QByteArray(to1251.encode(cyrillic)) + "\r\n");
    writeFile("utf.ktx", "\xEF\xBB\xBF" + cyrillic.toUtf8() + "\n");
    EXPECT_EQ(readtext(0, "ru.ktx"), "latin");
    EXPECT_EQ(readtext(1, "ru.ktx"), cyrillic);
    EXPECT_EQ(readtext(0, "utf.ktx"), cyrillic);  // byte-order mark dropped
}

TEST_F(TextFile, FindsFilesWhateverTheLetterCase) {
    writeFile("BASE.KTX", "zero\none\n");
    writeFile("a.ktx", "lower\n");
    writeFile("A.KTX", "upper\n");
    writeFile("Graphic/0Y.bmp", "BM");
    for (const char* name : {"BASE.KTX", "BASE.ktx", "Base.ktx"})
        EXPECT_EQ(readtext(1, name), "one") << name;
    EXPECT_EQ(readtext(0, "A.KTX"), "upper");  // the exact spelling wins when several match
    EXPECT_EQ(readtext(0, "a.ktx"), "lower");
    EXPECT_EQ(resolvePath("GRAPHIC\\0y.BMP"), home.filePath("Graphic/0Y.bmp"));
    // A name that does not exist keeps its spelling below the part that does.
    EXPECT_EQ(resolvePath("graphic\\new\\File.bmp"), home.filePath("Graphic/new/File.bmp"));
    EXPECT_EQ(resolvePath(home.filePath("base.ktx")), home.filePath("BASE.KTX"));
}

TEST_F(TextFile, AnEditedFileTakesEffectAtTheNextRead) {
    writeFile("t.ktx", "old1\n");
    EXPECT_EQ(readtext(0, "t.ktx"), "old1");
    writeFile("t.ktx", "new2\n");  // same size, within the same second
    EXPECT_EQ(readtext(0, "t.ktx"), "new2");
    QFile::remove(home.filePath("t.ktx"));
    writeFile("T.KTX", "other\n");
    EXPECT_EQ(readtext(0, "t.ktx"), "other");
}

TEST_F(TextFile, AMissingFileOrAPipeIsLoggedWithCode101AndEndsTheProgram) {
    EXPECT_EQ(readtext(7, "NOPE.KTX"), "");
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:101"});
    EXPECT_TRUE(notifierState().endRequested);
    const QStringList lines = readLines(home.filePath("program/errorlog1.err"));
    EXPECT_TRUE(lines.contains("ERROR SENDER:readtext in orbisca"));
    EXPECT_TRUE(lines.contains("ERROR CODE:101"));
    const qsizetype details = lines.indexOf("LOCAL VARIABLES:");
    EXPECT_EQ(lines.mid(details + 1, 2), (QStringList{"filename:NOPE.KTX", "line:7"}));

    // A pipe or a folder in place of a file is an error, not a wait.
    ASSERT_EQ(mkfifo(QFile::encodeName(home.filePath("pipe.ktx")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(home.path()).mkdir("folder.ktx"));
    QString error;
    EXPECT_FALSE(readTextLines("pipe.ktx", &error));
    EXPECT_EQ(error, "pipe.ktx: is not a regular file");
    EXPECT_FALSE(readTextLines("folder.ktx", &error));
    EXPECT_EQ(error, "folder.ktx: is a folder, not a file");
    EXPECT_EQ(readtext(0, "pipe.ktx"), "");
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(TextFile, AffirmationJoinsTheLinesOfTheDay) {
    QStringList base;
    for (int i = 0; i < 420; ++i) base << QString("L%1").arg(i);
    writeLines("BASE.KTX", base);
    MayanDate day = GregorianToMayan({26, 7, 0, 2013});  // kin 164: sign 4, tone 8
    const Affirmation a = loadaffirmation(day);
    EXPECT_EQ(a[0], "L192L208L400L193L218L401");
    EXPECT_EQ(a[1], "L243 L253.");
    EXPECT_EQ(a[3], "L195L347 L196L361.");
    // Tones 5 and 13 take their own second sentence.
    day.tone = 5;
    EXPECT_EQ(loadaffirmation(day)[1], "L240 L274.");
    day.tone = 13;
    EXPECT_EQ(loadaffirmation(day)[1], "L248 L295.");
}

}  // namespace
}  // namespace orbisca::testing
