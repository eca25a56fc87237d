#include <gtest/gtest.h>

#include "printpage/script_line.h"

using namespace orbisca;

namespace {

template <class T>
T parseAs(const QString& line) {
    const ScriptCommand c = ParseScriptLine(line);
    EXPECT_TRUE(std::holds_alternative<T>(c)) << line.toStdString();
    return std::holds_alternative<T>(c) ? std::get<T>(c) : T{};
}

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
        EXPECT_EQ(RecogniseScriptLine(line), kind) << line.toStdString();
    for (const char* skipped : {"", "MOON", "/ comment", "[Header]", "hello world"})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(ParseScriptLine(skipped))) << skipped;
}

TEST(ScriptLine, FontFaceAndTextTails) {
    const FontCommand f = parseAs<FontCommand>("font 10 -13 0 0 0 BLD ITL Times New Roman");
    EXPECT_TRUE(f.bold && f.italic);
    EXPECT_EQ(f.face, "Times New Roman");
    const FontCommand thin = parseAs<FontCommand>("FONT 12 -16 255 128 300 thn nrm DejaVu Sans  ");
    EXPECT_FALSE(thin.bold || thin.italic);
    EXPECT_EQ(thin.colour, qRgb(255, 128, 44));
    EXPECT_EQ(thin.face, "DejaVu Sans  ");  // the tail runs to the end, trailing blanks kept

    // The quotes of a tail are dropped without a check.
    EXPECT_EQ(UnquoteTail(parseAs<TextCommand>("TEXT 10 10 rgt 'It''s'").content), "It''s");
    for (const char* noText : {"'", "''", "x"}) EXPECT_EQ(UnquoteTail(noText), "") << noText;
    EXPECT_TRUE(parseAs<TextCommand>("TEXT -5 40 CnT Hello world").centred);
}

TEST(ScriptLine, MoonFills) {
    const MoonCommand image = parseAs<MoonCommand>("MOON 300 20 64 50 image");
    EXPECT_TRUE(image.image);
    EXPECT_EQ(image.size, 64);
    EXPECT_EQ(image.phase, 50);
    EXPECT_EQ(parseAs<MoonCommand>("MOON 1 2 3 4 255 255 0").fill, qRgb(255, 255, 0));
    EXPECT_EQ(parseAs<MoonCommand>("MOON 1 2 3 4 0 0 300").fill, qRgb(0, 0, 44));
    for (const char* white : {"MOON 1 2 3 4 -1 0 0", "MOON 1 2 3 4 red green blue",
                              "MOON 1 2 3 4 1 2", "MOON 1 2 3 4 1  2 3", "MOON 1 2 3 4 "}) {
        const MoonCommand m = parseAs<MoonCommand>(white);
        EXPECT_FALSE(m.image) << white;
        EXPECT_EQ(m.fill, qRgb(255, 255, 255)) << white;
    }
}

TEST(ScriptLine, SyntaxErrors) {
    for (const char* bad :
         {"TEXT  10 10 rgt 'x'", "TEXT 10  10 rgt 'x'", "TEXT 10 10 rgt", "TEXT ab 10 rgt 'x'",
          "TEXT 1.5 10 rgt 'x'", "TEXT +5 10 rgt 'x'", "TEXT - 10 rgt 'x'",
          "TEXT 99999999999 10 rgt 'x'", "MOONS", "MOON 1 2 3", "FONT 12 -16 0 0 0 bld",
          "PICT 1 2 3 4 5", "YEAR 53", "FONT 12 -16385 0 0 0 thn nrm Arial",
          "FONT 99999 -16 0 0 0 thn nrm Arial"})
        EXPECT_THROW(ParseScriptLine(bad), ScriptSyntaxError) << bad;
    try {
        ParseScriptLine("TEXT ab 10 rgt 'x'");
        ADD_FAILURE();
    } catch (const ScriptSyntaxError& e) {
        EXPECT_STREQ(e.what(), "x must be a whole number, not \"ab\"");
    }
}

}  // namespace
