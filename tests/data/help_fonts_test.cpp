#include <QFontMetricsF>
#include <QGuiApplication>
#include <QtEndian>

#include "data/data_error.h"
#include "data/font_table.h"
#include "data/help_rects.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

QByteArray records(const std::vector<HelpRect>& rects) {
    QByteArray out;
    for (const HelpRect& r : rects)
        for (std::int32_t v : {r.left, r.top, r.right, r.bottom}) {
            char bytes[4];
            qToLittleEndian(v, bytes);
            out.append(bytes, 4);
        }
    return out;
}

class HelpFields : public WorkingFolderTest {
protected:
    void writeBoard(int recordCount, int lineCount) {
        std::vector<HelpRect> rects(recordCount, HelpRect{-10, -10, -5, -5});
        if (recordCount > 2) {
            rects[0] = {10, 10, 50, 50};
            rects[1] = {30, 30, 100, 100};  // overlaps the first
        }
        writeFile("HRCT.dat", records(rects));
        QStringList texts;
        for (int i = 0; i < lineCount; ++i) texts << QString("field %1").arg(i);
        writeLines("Fieldhlp.ktx", texts, "\r\n");
    }
};

TEST_F(HelpFields, FindsTheFirstFieldStrictlyInside) {
    writeBoard(72, 70);
    loadbaserects();
    QString text = "before";
    EXPECT_TRUE(checkrect(40, 40, text));
    EXPECT_EQ(text, "field 0");  // earlier in the file wins
    EXPECT_TRUE(checkrect(60, 60, text));
    EXPECT_EQ(text, "field 1");
    text = "kept";
    EXPECT_FALSE(checkrect(10, 20, text));  // on the left edge
    EXPECT_FALSE(checkrect(20, 50, text));  // on the bottom edge
    EXPECT_FALSE(checkrect(500, 500, text));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(helpRectsState().helprects[69], (HelpRect{-10, -10, -5, -5}));
}

TEST_F(HelpFields, ShortFilesAreClearErrors) {
    writeBoard(69, 70);
    EXPECT_THROW(loadbaserects(), DataFileError);
    writeBoard(70, 69);
    try {
        loadbaserects();
        FAIL() << "no error for 69 lines";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.message(), "Fieldhlp.ktx: 69 lines; 70 are needed");
    }
    QFile::remove(home.filePath("HRCT.dat"));
    EXPECT_THROW(loadbaserects(), DataFileError);
    EXPECT_THROW(parseHelpRects(QByteArray(70 * 16 - 1, '\0')), DataFileError);
}

TEST(HintLines, TwoSpacesBreakTheLine) {
    EXPECT_EQ(hintLines("Red  Dragon"), (QStringList{"Red", "Dragon"}));
    EXPECT_EQ(hintLines("Red Dragon"), (QStringList{"Red Dragon"}));
    EXPECT_EQ(hintLines("Red "), (QStringList{"Red"}));  // a trailing single space is dropped
    EXPECT_EQ(hintLines("a   b"), (QStringList{"a", " b"}));  // the third space is pending again
    EXPECT_EQ(hintLines("a    b"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(hintLines("a  "), (QStringList{"a", ""}));
    EXPECT_EQ(hintLines(""), (QStringList{""}));
    EXPECT_EQ(hintLines(" x"), (QStringList{" x"}));
}

class FontTable : public WorkingFolderTest {
protected:
    static void SetUpTestSuite() {
        if (!QGuiApplication::instance()) {
            static int argc = 1;
            static char name[] = "data_tests";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
    }
    void TearDown() override {
        resetFontTableState();
        WorkingFolderTest::TearDown();
    }
};

TEST_F(FontTable, FieldsCountOnlyWithTheirCaret) {
    const TableFont full = makefont("DejaVu Sans^12^-16^italic^bold^");
    EXPECT_EQ(full.font.family(), "DejaVu Sans");
    EXPECT_EQ(full.font.pixelSize(), 16);
    EXPECT_TRUE(full.font.italic());
    EXPECT_TRUE(full.font.bold());
    EXPECT_EQ(full.colour, QColor(Qt::white));
    const TableFont cut = makefont("DejaVu Sans^12^-16^italic^bold");
    EXPECT_TRUE(cut.font.italic());
    EXPECT_FALSE(cut.font.bold());
    const TableFont sized = makefont("DejaVu Serif^12^");
    EXPECT_EQ(sized.font.pointSize(), 12);
    EXPECT_FALSE(sized.font.italic() || sized.font.bold());
    EXPECT_FALSE(makefont("DejaVu Sans^12^-16^Italic^Bold^").font.italic());
    EXPECT_FALSE(makefont("DejaVu Sans^12^-16^Italic^Bold^").font.bold());
    EXPECT_TRUE(makefont("F^10^-9^x^bold^ignored^").font.bold());
}

TEST_F(FontTable, APositiveHeightIsTheCellHeight) {
    const TableFont font = makefont("DejaVu Sans^0^20^");
    EXPECT_NEAR(QFontMetricsF(font.font).height(), 20.0, 1.0);
    EXPECT_LT(font.font.pixelSize(), 20);
}

TEST_F(FontTable, BadNumbersAreErrors) {
    EXPECT_THROW(makefont("F^twelve^"), std::invalid_argument);
    EXPECT_THROW(makefont("F^12^^"), std::invalid_argument);  // an empty height
    EXPECT_NO_THROW(makefont("F^12^-16"));                    // no caret: never read
    EXPECT_THROW(makefont("F^12^-2147483648^"), std::invalid_argument);
    EXPECT_THROW(makefont("F^16385^"), std::invalid_argument);
    EXPECT_EQ(makefont("F^12^-16384^").font.pixelSize(), 16384);
}

TEST_F(FontTable, AShortFdbDatLeavesTheDefaultFontAndSaysSoOnce) {
    writeLines("fdb.dat", {"DejaVu Sans^10^-12^^bold^", "DejaVu Serif^10^-14^"}, "\r\n");
    readfonts();
    EXPECT_EQ(messages(), QStringList{"fdb.dat holds 2 of the 9 font lines; the default font stands in for the others."});
    EXPECT_EQ(tableFont(1).font.pixelSize(), 14);
    EXPECT_EQ(tableFont(1).font.family(), "DejaVu Serif");  // no CR left in the face name
    for (int index = 2; index < kFontTableSize; ++index) {
        EXPECT_EQ(tableFont(index).font, makefont("").font) << index;
        EXPECT_EQ(tableFont(index).colour, QColor(Qt::white));
    }
    writeFile("fdb.dat", "");
    readfonts();
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(tableFont(0).font, makefont("").font);
}

TEST_F(FontTable, ReadsAtMostNineLinesFromFdbDat) {
    QStringList lines;
    for (int i = 0; i < 11; ++i) lines << QString("DejaVu Sans^10^-%1^^bold^").arg(10 + i);
    writeLines("FDB.DAT", lines, "\r\n");
    readfonts();
    EXPECT_EQ(tableFont(0).font.pixelSize(), 10);
    EXPECT_EQ(tableFont(8).font.pixelSize(), 18);
    EXPECT_TRUE(tableFont(8).font.bold());
    killfonts();
    EXPECT_FALSE(fontTableState().fonttable[0].has_value());
}

TEST_F(FontTable, AMissingFileOrABadLineNamesIt) {
    try {
        readfonts();
        FAIL() << "no error for a missing fdb.dat";
    } catch (const DataFileError& e) {
        EXPECT_TRUE(e.message().startsWith("fdb.dat")) << e.what();
    }
    writeLines("fdb.dat", {"DejaVu Sans^10^-10^", "DejaVu Sans^x^"});
    try {
        readfonts();
        FAIL() << "no error for a bad size";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.message(), "fdb.dat line 2: size \"x\" is not a whole number");
    }
    EXPECT_FALSE(fontTableState().fonttable[0].has_value());  // nothing half-read
}

}  // namespace
}  // namespace orbisca::testing
