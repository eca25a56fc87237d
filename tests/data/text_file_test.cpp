#include <sys/stat.h>

#include <QStringEncoder>

#include "data/affirmation.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

using TextFile = WorkingFolderTest;

TEST_F(TextFile, ReadsLinesByNumberFromZero) {
    writeFile("t.ktx", "first\r\n\r\nthird\nfourth");
    EXPECT_EQ(readtext(0, "t.ktx"), "first");
    EXPECT_EQ(readtext(1, "t.ktx"), "");  // an empty line keeps the numbering
    EXPECT_EQ(readtext(2, "t.ktx"), "third");
    EXPECT_EQ(readtext(3, "t.ktx"), "fourth");  // no line end after the last line
    EXPECT_EQ(readtext(4, "t.ktx"), "");
    EXPECT_EQ(readtext(100000, "t.ktx"), "");
    EXPECT_EQ(readtext(-1, "t.ktx"), "");
    EXPECT_EQ(readtext(-1, "missing.ktx"), "");  // a negative line reads nothing at all
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TextFile, KeepsBlanksAndCarriageReturnsInsideLines) {
    writeFile("t.ktx", "  two blanks \r\na\rb\r\nc\r\r\nlast\r");
    EXPECT_EQ(readtext(0, "t.ktx"), "  two blanks ");
    EXPECT_EQ(readtext(1, "t.ktx"), "a\rb");
    EXPECT_EQ(readtext(2, "t.ktx"), "c");     // converted to CR LF twice
    EXPECT_EQ(readtext(3, "t.ktx"), "last");  // no LF after the last line
}

TEST_F(TextFile, DecodesWindows1251WhenTheFileIsNotUtf8) {
    const QString cyrillic = QString::fromUtf8("Красный Дракон ёЁ");
    QStringEncoder to1251("windows-1251");
    const QByteArray bytes = to1251.encode(cyrillic);
    ASSERT_FALSE(to1251.hasError());
    writeFile("ru.ktx", "latin\r\n" + bytes + "\r\n");
    writeFile("utf.ktx", "\xEF\xBB\xBF" + cyrillic.toUtf8() + "\n");
    EXPECT_EQ(readtext(0, "ru.ktx"), "latin");
    EXPECT_EQ(readtext(1, "ru.ktx"), cyrillic);
    EXPECT_EQ(readtext(0, "utf.ktx"), cyrillic);  // byte-order mark dropped
}

TEST_F(TextFile, FindsFilesWhateverTheLetterCase) {
    writeFile("BASE.KTX", "zero\none\n");
    writeFile("Graphic/0Y.bmp", "BM");
    for (const char* name : {"BASE.KTX", "BASE.ktx", "Base.ktx", "base.KTX"})
        EXPECT_EQ(readtext(1, name), "one") << name;
    EXPECT_EQ(resolvePath("graphic\\0Y.bmp"), home.filePath("Graphic/0Y.bmp"));
    EXPECT_EQ(resolvePath("GRAPHIC\\0y.BMP"), home.filePath("Graphic/0Y.bmp"));
    // A name that does not exist keeps its spelling below the part that does.
    EXPECT_EQ(resolvePath("graphic\\new\\File.bmp"), home.filePath("Graphic/new/File.bmp"));
    EXPECT_EQ(resolvePath(home.filePath("base.ktx")), home.filePath("BASE.KTX"));
}

TEST_F(TextFile, PrefersTheExactSpellingWhenSeveralMatch) {
    writeFile("a.ktx", "lower\n");
    writeFile("A.KTX", "upper\n");
    EXPECT_EQ(readtext(0, "A.KTX"), "upper");
    EXPECT_EQ(readtext(0, "a.ktx"), "lower");
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

TEST_F(TextFile, AMissingFileIsLoggedWithCode101AndEndsTheProgram) {
    EXPECT_EQ(readtext(7, "NOPE.KTX"), "");
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:101"});
    EXPECT_TRUE(notifierState().endRequested);
    QFile log(home.filePath("program/errorlog1.err"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n');
    EXPECT_TRUE(lines.contains("ERROR SENDER:readtext in orbisca"));
    EXPECT_TRUE(lines.contains("ERROR CODE:101"));
    const qsizetype details = lines.indexOf("LOCAL VARIABLES:");
    ASSERT_GT(details, 0);
    EXPECT_EQ(lines.value(details + 1), "filename:NOPE.KTX");
    EXPECT_EQ(lines.value(details + 2), "line:7");
}

TEST_F(TextFile, APipeOrAFolderInPlaceOfAFileIsAnErrorNotAWait) {
    ASSERT_EQ(mkfifo(QFile::encodeName(home.filePath("pipe.ktx")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(home.path()).mkdir("folder.ktx"));
    QString error;
    EXPECT_FALSE(readTextLines("pipe.ktx", &error));
    EXPECT_EQ(error, "pipe.ktx: is not a regular file");
    EXPECT_FALSE(readTextLines("folder.ktx", &error));
    EXPECT_EQ(error, "folder.ktx: is a folder, not a file");
    EXPECT_EQ(readtext(0, "pipe.ktx"), "");
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:101"});
}

TEST_F(TextFile, AffirmationJoinsTheLinesOfTheDay) {
    QStringList base;
    for (int i = 0; i < 420; ++i) base << QString("L%1").arg(i);
    writeLines("BASE.KTX", base);
    MayanDate day = GregorianToMayan({26, 7, 0, 2013});  // kin 164: sign 4, tone 8
    ASSERT_EQ(day.sign, 4);
    ASSERT_EQ(day.tone, 8);
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
