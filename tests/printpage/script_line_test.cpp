// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "printpage/script_line.h"
#include "printpage/script_rescale.h"

using namespace orbisca;

namespace {

TEST(ScriptLine, RecognisesCommandWordsInAnyCaseAndSkipsTheRest) {
    const std::pair<QString, ScriptLineKind> cases[] = {
        {"FONT 1", ScriptLineKind::Font},
        {"text 1", ScriptLineKind::Text},
        {"PiCt x", ScriptLineKind::Pict},
        {"MOONS", ScriptLineKind::Moon},
        {"YEAR_53 12 1", ScriptLineKind::Year},  // the fifth character is not examined
        {"MOON", ScriptLineKind::Ignored},
        {"TEX 1 2", ScriptLineKind::Ignored},
        {"PRINT 1", ScriptLineKind::Ignored},
        {"", ScriptLineKind::Ignored},
        {"/TEXT 0 0 cnt 'x'", ScriptLineKind::Comment},
        {kSyntaxErrorStartMarker, ScriptLineKind::Comment},
        {"[Day info script]", ScriptLineKind::Header}};
    for (const auto& [line, kind] : cases)
        EXPECT_EQ(recogniseScriptLine(line), kind) << line.toStdString();
    for (const char* skipped : {"", "MOON", "/ comment", "[Header]", "hello world"})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(parseScriptLine(skipped))) << skipped;
}

TEST(ScriptLine, SyntaxErrors) {
    for (const char* bad :
         {"TEXT  10 10 rgt 'x'", "TEXT 10  10 rgt 'x'", "TEXT 10 10 rgt", "TEXT ab 10 rgt 'x'",
          "TEXT 1.5 10 rgt 'x'", "TEXT +5 10 rgt 'x'", "TEXT - 10 rgt 'x'",
          "TEXT 99999999999 10 rgt 'x'", "MOONS", "MOON 1 2 3", "FONT 12 -16 0 0 0 bld",
          "PICT 1 2 3 4 5", "PICT 1 2 3 4 5 rgt 'a.bmp' 0 5", "PICT 1 2 3 4 5 rgt 'a.bmp' 9 -1",
          "PICT 1 2 3 4 5 rgt 'a.bmp' 16384 16384", "YEAR 53", "FONT 12 -16385 0 0 0 thn nrm Arial",
          "FONT 99999 -16 0 0 0 thn nrm Arial"})
        EXPECT_THROW(parseScriptLine(bad), ScriptSyntaxError) << bad;
    try {
        parseScriptLine("TEXT ab 10 rgt 'x'");
        ADD_FAILURE();
    } catch (const ScriptSyntaxError& e) {
        EXPECT_STREQ(e.what(), "x must be a whole number, not \"ab\"");
    }
}

// Exported glyph lines leave the alignment word empty: two blanks, read as left-aligned, and kept
// so by a rescaling pass. A width and height after a PICT line's file name draw the picture at that
// size; a tail that ends in its quote is read as before, whatever it holds.
TEST(ScriptLine, AnEmptyAlignmentWordIsLeftAlignedAndAPictureTakesAnOptionalSize) {
    const auto text = std::get<TextCommand>(parseScriptLine("TEXT 10 -3  'W'"));
    EXPECT_EQ(text.x, 10);
    EXPECT_EQ(text.y, -3);
    EXPECT_FALSE(text.centred);
    EXPECT_EQ(text.content, "'W'");
    EXPECT_EQ(rescaledScriptLine("TEXT 10 -3  kin", 2), "TEXT 20 -6  kin");
    const std::tuple<const char*, const char*, QSize> cases[] = {
        {"PICT 1 2 0 0 0 rgt 'graphic\\1.bmp'", "graphic\\1.bmp", QSize()},
        {"PICT 1 2 0 0 0 rgt 'graphic\\1.bmp' 154 77", "graphic\\1.bmp", QSize(154, 77)},
        {"PICT 1 2 0 0 0 rgt 'a' 3 4'", "a' 3 4", QSize()},
        {"PICT 1 2 0 0 0 rgt 'a b.bmp' 1 1", "a b.bmp", QSize(1, 1)},
        {"PICT 1 2 0 0 0 rgt 'a.bmp' 12", "a.bmp' 1", QSize()},  // no size: as it always was
    };
    for (const auto& [line, file, size] : cases) {
        const auto pict = std::get<PictCommand>(parseScriptLine(line));
        EXPECT_EQ(pict.file, file) << line;
        EXPECT_EQ(pict.size, size) << line;
    }
}

}  // namespace
