// SPDX-License-Identifier: GPL-3.0-or-later
// "sgn.dat": the letters and colours of the sgn figures on glyph pages, checked as they are read so
// that a bad colour never reaches a script's FONT line.
#include "data/sgn_table.h"
#include "data/atomic_file.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

// A well-formed file: figure m drawn by a letter of its own, groups in eight different colours.
QStringList goodLines() {
    QStringList lines;
    for (int m = 0; m < kSgnFigures; ++m) lines << QString(QChar(u'A' + m % 6)).repeated(m % 7);
    for (int g = 0; g < kSgnColourGroups; ++g)
        lines << QStringLiteral("%1 %2 %3").arg(g * 30).arg(255 - g).arg(g);
    return lines;
}

using SgnFile = WorkingFolderTest;

// (That any table written reads back to itself, the sgn.dat fuzz target checks.)
TEST_F(SgnFile, ReadsTheFiguresAndNormalisesTheColours) {
    const SgnTable table = parseSgnTable(goodLines());
    EXPECT_EQ(table.glyphsOf(13), "BBBBBB");
    EXPECT_EQ(table.colourOf(63).scriptText(), " 210 248 7 ");
    EXPECT_EQ(table.colourOf(8), table.colours[1]);

    // Extra blanks, tabs and leading zeros are read, and the colour comes out in one form; lines
    // after the 72nd are ignored, an empty glyph line is a figure without letters.
    QStringList loose = goodLines();
    loose[0] = "";
    loose[64] = "  007\t255  0 ";
    loose << "a trailing note";
    writeFile("SGN.DAT", textFileContent(loose));
    const SgnTable read = loadSgnTable(data.folder);
    EXPECT_EQ(read.glyphsOf(0), "");
    EXPECT_EQ(read.colourOf(0).scriptText(), " 7 255 0 ");
    EXPECT_EQ(sgnTableLines(read)[64], "7 255 0");
}

TEST_F(SgnFile, ABadFileIsRefusedNamingTheFileAndLine) {
    struct Case {
        int line;  // from 0; -1: cut the file short instead
        QString text;
        QString error;
    };
    const Case cases[] = {
        {64, "255 255", "sgn.dat line 65: the colour \"255 255\" is not three whole numbers"},
        {71, "0 0 256", "sgn.dat line 72: the colour \"0 0 256\""},
        {68, "red green blue", "sgn.dat line 69:"},
        {2, "AB\tC", "sgn.dat line 3: the letters of figure 2 hold the control character U+0009"},
        {-1, "", "sgn.dat: 71 lines; 72 are needed"},
    };
    for (const Case& c : cases) {
        QStringList lines = goodLines();
        if (c.line < 0)
            lines.removeLast();
        else
            lines[c.line] = c.text;
        const QString error = errorOf([&] { parseSgnTable(lines); });
        EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
    }
    EXPECT_TRUE(errorOf([&] { loadSgnTable(data.folder); }).contains("sgn.dat"));  // no file at all
}

}  // namespace
}  // namespace orbisca::testing
