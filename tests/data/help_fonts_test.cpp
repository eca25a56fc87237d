#include <QFontMetricsF>
#include <QtEndian>

#include "data/help_rects.h"
#include "data_fixture.h"

namespace orbisca::testing {
namespace {

class HelpFields : public WorkingFolderTest {
protected:
    // `recordCount` rectangles, the first two overlapping, and `lineCount` texts.
    void writeBoard(int recordCount, int lineCount) {
        std::vector<HelpRect> rects(recordCount, HelpRect{-10, -10, -5, -5});
        rects[0] = {10, 10, 50, 50};
        rects[1] = {30, 30, 100, 100};
        QByteArray bytes;
        for (const HelpRect& r : rects)
            for (std::int32_t v : {r.left, r.top, r.right, r.bottom}) {
                char le[4];
                qToLittleEndian(v, le);
                bytes.append(le, 4);
            }
        writeFile("HRCT.dat", bytes);
        QStringList texts;
        for (int i = 0; i < lineCount; ++i) texts << QString("field %1").arg(i);
        writeLines("Fieldhlp.ktx", texts, "\r\n");
    }
};

TEST_F(HelpFields, FindsTheFirstFieldStrictlyInsideAndRefusesShortFiles) {
    writeBoard(72, 70);
    loadbaserects();
    QString text = "before";
    EXPECT_TRUE(checkrect(40, 40, text));
    EXPECT_EQ(text, "field 0");  // earlier in the file wins
    EXPECT_TRUE(checkrect(60, 60, text));
    EXPECT_EQ(text, "field 1");
    text = "kept";
    for (const QPoint at :
         {QPoint(10, 20), QPoint(20, 50), QPoint(500, 500)})  // left and bottom edges, outside
        EXPECT_FALSE(checkrect(at.x(), at.y(), text)) << at.x() << "," << at.y();
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(helpRectsState().helprects[69], (HelpRect{-10, -10, -5, -5}));

    writeBoard(69, 70);
    EXPECT_THROW(loadbaserects(), DataFileError);
    writeBoard(70, 69);
    EXPECT_EQ(errorOf(loadbaserects), "Fieldhlp.ktx: 69 lines; 70 are needed");
    QFile::remove(home.filePath("HRCT.dat"));
    EXPECT_THROW(loadbaserects(), DataFileError);
    EXPECT_THROW(parseHelpRects(QByteArray(70 * 16 - 1, '\0')), DataFileError);
}

TEST(HintLines, TwoSpacesBreakTheLine) {
    const std::pair<const char*, QStringList> cases[] = {
        {"Red  Dragon", {"Red", "Dragon"}},
        {"Red Dragon", {"Red Dragon"}},
        {"Red ", {"Red"}},       // a trailing single space is dropped
        {"a   b", {"a", " b"}},  // the third space is pending again
        {"a    b", {"a", "", "b"}},
        {"a  ", {"a", ""}},
        {"", {""}},
        {" x", {" x"}}};
    for (const auto& [hint, lines] : cases) EXPECT_EQ(hintLines(hint), lines) << hint;
}

class FontTable : public WorkingFolderTest {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
};

TEST_F(FontTable, FieldsCountOnlyWithTheirCaretAndNumbersAreChecked) {
    const TableFont full = makefont("DejaVu Sans^12^-16^italic^bold^");
    EXPECT_EQ(full.font.family(), "DejaVu Sans");
    EXPECT_EQ(full.font.pixelSize(), 16);
    EXPECT_TRUE(full.font.italic() && full.font.bold());
    EXPECT_EQ(full.colour, QColor(Qt::white));
    EXPECT_FALSE(makefont("DejaVu Sans^12^-16^italic^bold").font.bold());
    const TableFont sized = makefont("DejaVu Serif^12^");
    EXPECT_EQ(sized.font.pointSize(), 12);
    EXPECT_FALSE(sized.font.italic() || sized.font.bold());
    const TableFont capitals = makefont("DejaVu Sans^12^-16^Italic^Bold^");  // compared exactly
    EXPECT_FALSE(capitals.font.italic() || capitals.font.bold());
    EXPECT_TRUE(makefont("F^10^-9^x^bold^ignored^").font.bold());
    // A positive height is the cell height.
    const TableFont cell = makefont("DejaVu Sans^0^20^");
    EXPECT_NEAR(QFontMetricsF(cell.font).height(), 20.0, 1.0);
    EXPECT_LT(cell.font.pixelSize(), 20);

    for (const char* line : {"F^twelve^", "F^12^^", "F^12^-2147483648^", "F^16385^"})
        EXPECT_THROW(makefont(line), std::invalid_argument) << line;
    EXPECT_NO_THROW(makefont("F^12^-16"));  // no caret: never read
    EXPECT_EQ(makefont("F^12^-16384^").font.pixelSize(), 16384);
}

TEST_F(FontTable, AShortFdbDatLeavesTheDefaultFontAndSaysSoOnce) {
    writeLines("fdb.dat", {"DejaVu Sans^10^-12^^bold^", "DejaVu Serif^10^-14^"}, "\r\n");
    readfonts();
    EXPECT_EQ(
        messages(),
        QStringList{
            "fdb.dat holds 2 of the 9 font lines; the default font stands in for the others."});
    EXPECT_EQ(tableFont(1).font.family(), "DejaVu Serif");  // no CR left in the face name
    for (int index = 2; index < kFontTableSize; ++index)
        EXPECT_EQ(tableFont(index).font, makefont("").font) << index;
    writeFile("fdb.dat", "");
    readfonts();
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(tableFont(0).font, makefont("").font);
}

TEST_F(FontTable, ReadsAtMostNineLinesAndNamesABadOne) {
    EXPECT_TRUE(errorOf(readfonts).startsWith("fdb.dat"));  // missing
    QStringList lines;
    for (int i = 0; i < 11; ++i) lines << QString("DejaVu Sans^10^-%1^^bold^").arg(10 + i);
    writeLines("FDB.DAT", lines, "\r\n");
    readfonts();
    EXPECT_EQ(tableFont(0).font.pixelSize(), 10);
    EXPECT_EQ(tableFont(8).font.pixelSize(), 18);
    EXPECT_TRUE(tableFont(8).font.bold());

    killfonts();
    writeLines("FDB.DAT", {"DejaVu Sans^10^-10^", "DejaVu Sans^x^"});
    EXPECT_EQ(errorOf(readfonts), "fdb.dat line 2: size \"x\" is not a whole number");
    EXPECT_FALSE(fontTableState().fonttable[0].has_value());  // nothing half-read
}

}  // namespace
}  // namespace orbisca::testing
