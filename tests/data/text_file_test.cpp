// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <QStringEncoder>

#include "data/text_case.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

TEST(LetterCase, ShapesEachWordByItsPatternLetter) {
    EXPECT_EQ(applyCasePattern("hELLO cd", "AB"), "Hello CD");
    EXPECT_EQ(applyCasePattern("one two three", "aB"),
              "one TWO three");  // beyond the pattern: unchanged
    EXPECT_EQ(applyCasePattern("one", "x"), "one");
    // The character after each blank starts a word, so a double blank uses a pattern letter.
    EXPECT_EQ(applyCasePattern("ab  cd", "AAB"), "Ab  CD");
    EXPECT_EQ(applyCasePattern(" ab", "aB"), " AB");
    EXPECT_EQ(applyCasePattern(QString::fromUtf8("ёЖИК ÉTÉ"), "AA"), QString::fromUtf8("Ёжик Été"));
}

using TextFile = WorkingFolderTest;

TEST_F(TextFile, ReadsLinesByNumberFromZero) {
    writeFile("t.ktx", "first\r\n\r\n  two blanks \na\rb\r\nc\r\r\nlast\r");
    const QStringList expected = {"first", "", "  two blanks ", "a\rb", "c", "last", ""};
    for (int n = 0; n < expected.size(); ++n)
        EXPECT_EQ(readDatabaseLine(data.folder, n, "t.ktx"), expected[n]) << n;
    EXPECT_EQ(readDatabaseLine(data.folder, 100000, "t.ktx"), "");
    EXPECT_EQ(readDatabaseLine(data.folder, -1, "missing.ktx"), "");  // nothing read at all
    EXPECT_TRUE(messages().isEmpty());
}

// What is read is written back byte for byte: the code page, a byte-order mark (not part of the
// text), CR LF. (A Windows-1251 file read through the working folder, the language tests read.)
TEST(TextEncoding, AFileIsWrittenBackAsItWasRead) {
    const QString cyrillic = QString::fromUtf8("TEXT 10 10 rgt 'Красный Дракон ёЁ №'");
    const QByteArray windows1251 = "FONT 8 -11 0 0 0 bld nrm DejaVu Sans\r\n" +
                                   QStringEncoder("windows-1251").encode(cyrillic) + "\r\n";
    const QByteArray withBom = "\xEF\xBB\xBF" + cyrillic.toUtf8() + "\n";
    for (const QByteArray& bytes : {windows1251, withBom, cyrillic.toUtf8() + "\r\n"}) {
        const std::optional<DecodedText> read = decodeTextFile(bytes);
        ASSERT_TRUE(read);
        EXPECT_EQ(splitTextLines(read->text).last(), cyrillic);
        EXPECT_EQ(encodeTextLines(splitTextLines(read->text), read->format), bytes);
    }
    // A Windows-1251 letter at the very end looks like the start of a UTF-8 sequence: it is
    // still a letter, not a sequence waiting for more bytes.
    EXPECT_EQ(decodeText("abc\xE6"), QString::fromUtf8("abcж"));
    EXPECT_EQ(decodeTextFile("abc\xE6")->text, QString::fromUtf8("abcж"));
    // A character the code page lacks, typed into a Windows-1251 script, is not lost: the file
    // becomes UTF-8.
    const QStringList typed = {QString::fromUtf8("Дракон ☉")};
    const QByteArray written = encodeTextLines(typed, {TextEncoding::Windows1251, true});
    EXPECT_EQ(written, typed.first().toUtf8() + "\r\n");
}

TEST_F(TextFile, AFileWhoseLinesMixEncodingsIsRefusedNamingTheLine) {
    const QByteArray mixed = "ascii\n" + QString::fromUtf8("ёж").toUtf8() + "\nplain\n" +
                             QStringEncoder("windows-1251").encode(QString::fromUtf8("ёж")) + "\n";
    QString error;
    EXPECT_FALSE(decodeTextFile(mixed, &error));
    EXPECT_EQ(error,
              "line 4 is not UTF-8 (Windows-1251) but line 2 is UTF-8: a file must be in one "
              "encoding");
    writeFile("mixed.ktx", mixed);
    EXPECT_EQ(readTextLines(data.folder, "mixed.ktx", &error), std::nullopt);
    EXPECT_TRUE(error.startsWith("mixed.ktx: line 4 ")) << error;
}

TEST_F(TextFile, FindsFilesWhateverTheLetterCase) {
    writeFile("BASE.KTX", "zero\none\n");
    writeFile("a.ktx", "lower\n");
    writeFile("A.KTX", "upper\n");
    writeFile("Graphic/0Y.bmp", "BM");
    for (const char* name : {"BASE.KTX", "BASE.ktx", "Base.ktx"})
        EXPECT_EQ(readDatabaseLine(data.folder, 1, name), "one") << name;
    EXPECT_EQ(readDatabaseLine(data.folder, 0, "A.KTX"), "upper");  // the exact spelling wins
    EXPECT_EQ(readDatabaseLine(data.folder, 0, "a.ktx"), "lower");
    EXPECT_EQ(data.folder.resolve("GRAPHIC\\0y.BMP"), home.filePath("Graphic/0Y.bmp"));
    // A name that does not exist keeps its spelling below the part that does.
    EXPECT_EQ(data.folder.resolve("graphic\\new\\File.bmp"), home.filePath("Graphic/new/File.bmp"));
    EXPECT_EQ(data.folder.resolve(home.filePath("base.ktx")), home.filePath("BASE.KTX"));

    // A file chosen for a script is named from the working folder when it lies inside it.
    EXPECT_EQ(scriptFileName(data.folder, home.filePath("Graphic/0Y.bmp")), "Graphic\\0Y.bmp");
    EXPECT_EQ(scriptFileName(data.folder, home.filePath("Graphic/../sun.bmp")), "sun.bmp");
    for (const QString& outside : {QString("/nowhere/sun.bmp"), home.path() + "2/sun.bmp"})
        EXPECT_EQ(scriptFileName(data.folder, outside), outside);
}

TEST_F(TextFile, AnEditedFileTakesEffectAtTheNextRead) {
    writeFile("t.ktx", "old1\n");
    EXPECT_EQ(readDatabaseLine(data.folder, 0, "t.ktx"), "old1");
    writeFile("t.ktx", "new2\n");  // same size, within the same second
    EXPECT_EQ(readDatabaseLine(data.folder, 0, "t.ktx"), "new2");
    QFile::remove(home.filePath("t.ktx"));
    writeFile("T.KTX", "other\n");
    EXPECT_EQ(readDatabaseLine(data.folder, 0, "t.ktx"), "other");
}

// A file that cannot be read is a fatal failure of code 101 naming the file and the line; a pipe
// or a folder in place of a file is one too, not a wait.
TEST_F(TextFile, AFileThatCannotBeReadIsAFatalErrorNamingIt) {
    ASSERT_EQ(mkfifo(QFile::encodeName(home.filePath("pipe.ktx")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(home.path()).mkdir("folder.ktx"));
    const std::pair<const char*, const char*> cases[] = {
        {"NOPE.KTX", "NOPE.KTX: No such file or directory"},
        {"pipe.ktx", "pipe.ktx: is a pipe, not a regular file"},
        {"folder.ktx", "folder.ktx: is a folder, not a file"}};
    for (const auto& [name, reason] : cases) {
        try {
            readDatabaseLine(data.folder, 7, name);
            ADD_FAILURE() << name << " was read";
        } catch (const FatalError& e) {
            EXPECT_EQ(e.code(), 101);
            EXPECT_EQ(e.sender(), "readtext in orbisca");
            EXPECT_EQ(e.details()[0], QString("filename:") + name);
            EXPECT_EQ(e.details()[1], "line:7");
            EXPECT_EQ(e.reason(), reason);
        }
    }
    EXPECT_TRUE(messages().isEmpty());  // reported where it is caught, not here
}

// Beside a built program the assembled folder; beside an installed one the user's own folder in
// front of the installed pack, which gets the settings files, writable. (That a second start keeps
// them as the user changed them and a file put there replaces the pack's, the installed program's
// test shows.)
TEST_F(TextFile, TheDefaultWorkingFolderIsTheBuiltOneOrTheUsersFolderInFrontOfTheInstalledPack) {
    writeFile("build/home/BASE.KTX", "built\n");
    QDir().mkpath(home.filePath("build/bin"));
    useDefaultWorkingFolder(data.folder, home.filePath("build/bin"));
    EXPECT_EQ(data.folder.path(), home.filePath("build/home"));
    EXPECT_EQ(data.folder.pack(), "");

    writeFile("usr/share/orbisca/BASE.KTX", "installed\n");
    writeFile("usr/share/orbisca/graphic/0Y.bmp", "BM");
    writeFile("usr/share/orbisca/CONF.DAT", "Y\n");
    QFile::setPermissions(home.filePath("usr/share/orbisca/CONF.DAT"), QFile::ReadOwner);
    QDir().mkpath(home.filePath("usr/bin"));
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    const QString own = home.filePath("data/orbisca");
    const QString pack = home.filePath("usr/share/orbisca");
    useDefaultWorkingFolder(data.folder, home.filePath("usr/bin"));
    EXPECT_EQ(data.folder.path(), own);
    EXPECT_EQ(QDir(own).entryList(QDir::Files), QStringList{"CONF.DAT"});
    EXPECT_TRUE(QFile::permissions(own + "/CONF.DAT") & QFile::WriteOwner);
    EXPECT_EQ(data.folder.resolve("conf.dat"), own + "/CONF.DAT");
    EXPECT_EQ(data.folder.resolve("Base.ktx"), pack + "/BASE.KTX");
    EXPECT_EQ(data.folder.resolve("graphic\\0y.bmp"), pack + "/graphic/0Y.bmp");
    EXPECT_EQ(data.folder.resolve("Loading.log"), own + "/Loading.log");  // new files: the user's
    EXPECT_EQ(scriptFileName(data.folder, pack + "/graphic/0Y.bmp"), "graphic\\0Y.bmp");

    // A user's folder that cannot be made is a clear error, not a start on the wrong folder.
    qputenv("XDG_DATA_HOME", home.filePath("usr/share/orbisca/BASE.KTX").toUtf8());
    EXPECT_NE(errorOf([&] { useDefaultWorkingFolder(data.folder, home.filePath("usr/bin")); }),
              "no error");
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);

    useDefaultWorkingFolder(data.folder, home.filePath("elsewhere"));
    EXPECT_EQ(data.folder.path(), QDir::currentPath());
}

}  // namespace
}  // namespace orbisca::testing
