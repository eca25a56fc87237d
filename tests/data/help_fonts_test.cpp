// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFontMetricsF>
#include <algorithm>

#include "data/help_rects.h"
#include "data/text_file.h"
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

using HelpFields = WorkingFolderTest;

// Records of four little-endian integers, text i with record i; the edges belong to no field and
// of two overlapping fields the earlier wins; a short file is refused and the fields in force stay.
// (Data of another kind, refused naming the file, the HRCT.dat fuzz target meets.)
TEST_F(HelpFields, StrictInsidePointsFindTheFirstFieldInFileOrder) {
    // The second field overlaps the first.
    QByteArray records = printValues({10, 20, 30, 40, 25, 35, 60, 70, -5, -5, 0, 0});
    for (int i = 3; i < kHelpRectCount; ++i) records += printValues({1000, 1000, 1001, 1001});
    writeFile("HRCT.dat", records);
    QStringList texts;
    for (int i = 0; i < kHelpRectCount; ++i) texts << QStringLiteral("field %1").arg(i);
    writeLines("Fieldhlp.ktx", texts);
    ASSERT_NO_THROW(data.helpRects = loadHelpFields(data.folder));

    const std::pair<QPoint, QString> cases[] = {
        {{11, 21}, "field 0"}, {{27, 37}, "field 0"},                      // in both: the first
        {{31, 41}, "field 1"}, {{-4, -1}, "field 2"}, {{10, 30}, "none"},  // on an edge
        {{20, 40}, "none"},    {{60, 50}, "none"}};
    for (const auto& [point, wanted] : cases) {
        QString text = QStringLiteral("none");
        findHelpField(data.helpRects, point.x(), point.y(), text);
        EXPECT_EQ(text, wanted) << point.x() << "," << point.y();
    }

    writeFile("HRCT.dat", records.left(16 * 69 + 15));
    EXPECT_EQ(errorOf([&] { data.helpRects = loadHelpFields(data.folder); }),
              "HRCT.dat: 1119 bytes hold 69 whole records; 70 are needed");
    writeFile("HRCT.dat", records);
    writeLines("Fieldhlp.ktx", texts.mid(0, 69));
    clearTextCache(data.folder);
    EXPECT_EQ(errorOf([&] { data.helpRects = loadHelpFields(data.folder); }),
              "Fieldhlp.ktx: 69 lines; 70 are needed");
    EXPECT_EQ(data.helpRects.texts[1], "field 1");
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
    EXPECT_FALSE(parseFontLine("DejaVu Sans^12^-16^italic^bold").font.bold());
    const TableFont sized = parseFontLine("DejaVu Serif^12^");
    EXPECT_EQ(sized.font.pointSize(), 12);
    EXPECT_FALSE(sized.font.italic() || sized.font.bold());
    // A positive height is the cell height.
    const TableFont cell = parseFontLine("DejaVu Sans^0^20^");
    EXPECT_NEAR(QFontMetricsF(cell.font).height(), 20.0, 1.0);
    EXPECT_LT(cell.font.pixelSize(), 20);

    for (const char* line : {"F^twelve^", "F^12^^", "F^12^-2147483648^", "F^16385^"})
        EXPECT_THROW(parseFontLine(line), std::invalid_argument) << line;
    EXPECT_NO_THROW(parseFontLine("F^12^-16"));  // no caret: never read
    EXPECT_EQ(parseFontLine("F^12^-16384^").font.pixelSize(), 16384);
}

// Over a table in force. (The default font at each place a file leaves empty, the fdb.dat fuzz
// target checks on any content.)
TEST_F(FontTable, EmptyAndMissingLinesGiveTheDefaultFontAndBadNumbersAreRefused) {
    QStringList lines;
    for (int i = 0; i < kFontTableSize; ++i) lines << QStringLiteral("DejaVu Sans^%1^").arg(30 + i);
    const int plainSize = TableFont{}.font.pointSize();
    struct Case {
        QStringList content;
        QString error;                  // "no error": loads
        std::vector<int> defaultFonts;  // the places that get the default font
    };
    const Case cases[] = {
        {lines, "no error", {}},
        {{}, "no error", {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {lines.mid(0, 5) + QStringList{"DejaVu Sans^x^"},
         "fdb.dat line 6: size \"x\" is not a whole number",
         {}},
        {lines.mid(0, 1) + QStringList{"DejaVu Sans^9^^"},
         "fdb.dat line 2: height \"\" is not a whole number",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.join('|').toStdString());
        writeLines("fdb.dat", lines);  // a full table in force first
        clearTextCache(data.folder);
        program.fonts.load(data.folder);
        writeLines("fdb.dat", c.content);
        clearTextCache(data.folder);
        EXPECT_EQ(errorOf([&] { program.fonts.load(data.folder); }), c.error);
        for (int i = 0; i < kFontTableSize; ++i) {
            ASSERT_TRUE(program.fonts.fonts[i].has_value()) << i;
            const bool plainExpected =
                c.error == "no error" && std::ranges::count(c.defaultFonts, i);
            EXPECT_EQ(program.fonts.font(i).font.pointSize(), plainExpected ? plainSize : 30 + i)
                << i;
            EXPECT_EQ(program.fonts.font(i).colour, QColor(Qt::white));
        }
    }
}

}  // namespace
}  // namespace orbisca::testing
