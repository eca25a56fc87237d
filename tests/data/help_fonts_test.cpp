#include <QFontMetricsF>

#include "data/help_rects.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

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
    const TableFont full = parseFontLine("DejaVu Sans^12^-16^italic^bold^");
    EXPECT_EQ(full.font.family(), "DejaVu Sans");
    EXPECT_EQ(full.font.pixelSize(), 16);
    EXPECT_TRUE(full.font.italic() && full.font.bold());
    EXPECT_EQ(full.colour, QColor(Qt::white));
    EXPECT_FALSE(parseFontLine("DejaVu Sans^12^-16^italic^bold").font.bold());
    const TableFont sized = parseFontLine("DejaVu Serif^12^");
    EXPECT_EQ(sized.font.pointSize(), 12);
    EXPECT_FALSE(sized.font.italic() || sized.font.bold());
    const TableFont capitals =
        parseFontLine("DejaVu Sans^12^-16^Italic^Bold^");  // compared exactly
    EXPECT_FALSE(capitals.font.italic() || capitals.font.bold());
    EXPECT_TRUE(parseFontLine("F^10^-9^x^bold^ignored^").font.bold());
    // A positive height is the cell height.
    const TableFont cell = parseFontLine("DejaVu Sans^0^20^");
    EXPECT_NEAR(QFontMetricsF(cell.font).height(), 20.0, 1.0);
    EXPECT_LT(cell.font.pixelSize(), 20);

    for (const char* line : {"F^twelve^", "F^12^^", "F^12^-2147483648^", "F^16385^"})
        EXPECT_THROW(parseFontLine(line), std::invalid_argument) << line;
    EXPECT_NO_THROW(parseFontLine("F^12^-16"));  // no caret: never read
    EXPECT_EQ(parseFontLine("F^12^-16384^").font.pixelSize(), 16384);
}

TEST_F(FontTable, ATableThatLacksAnyOfTheNineFontsIsRefusedAndKeepsTheOldTable) {
    QStringList lines;
    for (int i = 0; i < kFontTableSize; ++i) lines << QStringLiteral("DejaVu Sans^%1^").arg(8 + i);
    writeLines("fdb.dat", lines);
    loadFontTable();
    EXPECT_EQ(tableFont(8).font.pointSize(), 16);
    const std::pair<QStringList, QString> damaged[] = {
        {lines.mid(0, 8), "fdb.dat describes 8 of the 9 fonts the program uses; line 9 is missing"},
        {lines.mid(0, 3) + QStringList{" "} + lines.mid(4),
         "fdb.dat describes 3 of the 9 fonts the program uses; line 4 is empty"}};
    for (const auto& [content, message] : damaged) {
        writeLines("fdb.dat", content);
        clearTextCache();
        EXPECT_EQ(errorOf([] { loadFontTable(); }), message);
        EXPECT_EQ(tableFont(8).font.pointSize(), 16);  // the table in force stays
    }
}

}  // namespace
}  // namespace orbisca::testing
