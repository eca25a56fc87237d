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
    EXPECT_EQ(RecogniseScriptLine("FONT 1"), ScriptLineKind::Font);
    EXPECT_EQ(RecogniseScriptLine("text 1"), ScriptLineKind::Text);
    EXPECT_EQ(RecogniseScriptLine("PiCt x"), ScriptLineKind::Pict);
    EXPECT_EQ(RecogniseScriptLine("MOONS"), ScriptLineKind::Moon);
    EXPECT_EQ(RecogniseScriptLine("YEAR_53 12 1"), ScriptLineKind::Year);  // the separator is not examined
    EXPECT_EQ(RecogniseScriptLine("MOON"), ScriptLineKind::Ignored);
    EXPECT_EQ(RecogniseScriptLine("TEX 1 2"), ScriptLineKind::Ignored);
    EXPECT_EQ(RecogniseScriptLine("PRINT 1"), ScriptLineKind::Ignored);
    EXPECT_EQ(RecogniseScriptLine("/TEXT 0 0 cnt 'x'"), ScriptLineKind::Comment);
    EXPECT_EQ(RecogniseScriptLine(kSyntaxErrorStartMarker), ScriptLineKind::Comment);
    EXPECT_EQ(RecogniseScriptLine("[Day info script]"), ScriptLineKind::Header);
    EXPECT_EQ(RecogniseScriptLine(""), ScriptLineKind::Ignored);
    for (const char* skipped : {"", "MOON", "/ comment", "[Header]", "hello world", "1234"})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(ParseScriptLine(skipped))) << skipped;
    EXPECT_EQ(kSyntaxErrorStartMarker, QString("///Syntax error:") + QString(3, u'\\'));
    EXPECT_EQ(kSyntaxErrorEndMarker, QString("///Syntax error END") + QString(3, u'\\'));
}

TEST(ScriptLine, FontKeepsTheFaceNameWithItsBlanks) {
    const FontCommand f = parseAs<FontCommand>("font 10 -13 0 0 0 BLD ITL Times New Roman");
    EXPECT_EQ(f.size, 10);
    EXPECT_EQ(f.height, -13);
    EXPECT_TRUE(f.bold);
    EXPECT_TRUE(f.italic);
    EXPECT_EQ(f.face, "Times New Roman");
    const FontCommand thin = parseAs<FontCommand>("FONT 12 -16 255 128 300 thn nrm DejaVu Sans  ");
    EXPECT_FALSE(thin.bold);
    EXPECT_FALSE(thin.italic);
    EXPECT_EQ(thin.colour, qRgb(255, 128, 44));
    EXPECT_EQ(thin.face, "DejaVu Sans  ");  // the tail runs to the end, trailing blanks kept
}

TEST(ScriptLine, TextTailIsTakenAsWritten) {
    const TextCommand quote = parseAs<TextCommand>("TEXT 10 10 rgt 'It''s'");
    EXPECT_EQ(UnquoteTail(quote.content), "It''s");
    EXPECT_FALSE(quote.centred);
    const TextCommand variable = parseAs<TextCommand>("TEXT 10 10 xyz kin");
    EXPECT_FALSE(variable.centred);
    EXPECT_EQ(variable.content, "kin");
    const TextCommand words = parseAs<TextCommand>("TEXT -5 40 CnT Hello world");
    EXPECT_TRUE(words.centred);
    EXPECT_EQ(words.x, -5);
    EXPECT_EQ(words.content, "Hello world");
    EXPECT_EQ(UnquoteTail("'"), "");
    EXPECT_EQ(UnquoteTail("''"), "");
    EXPECT_EQ(UnquoteTail("x"), "");
    EXPECT_EQ(UnquoteTail("'a'"), "a");
}

TEST(ScriptLine, PictAndYear) {
    const PictCommand p = parseAs<PictCommand>("PICT 10 20 255 255 255 cnt 'graphic\\sample.bmp'");
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    EXPECT_EQ(p.transparent, qRgb(255, 255, 255));
    EXPECT_TRUE(p.centred);
    EXPECT_EQ(p.file, "graphic\\sample.bmp");
    const YearCommand y = parseAs<YearCommand>("YEAR 53 12 1");
    EXPECT_EQ(y.x, 53);
    EXPECT_EQ(y.y, 12);
    EXPECT_EQ(y.scale, "1");
}

TEST(ScriptLine, MoonFills) {
    const MoonCommand image = parseAs<MoonCommand>("MOON 300 20 64 50 image");
    EXPECT_TRUE(image.image);
    EXPECT_EQ(image.size, 64);
    EXPECT_EQ(image.phase, 50);
    EXPECT_EQ(parseAs<MoonCommand>("MOON 1 2 3 4 255 255 0").fill, qRgb(255, 255, 0));
    EXPECT_EQ(parseAs<MoonCommand>("MOON 1 2 3 4 0 0 300").fill, qRgb(0, 0, 44));
    for (const char* white : {"MOON 1 2 3 4 -1 0 0", "MOON 1 2 3 4 red green blue", "MOON 1 2 3 4 1 2",
                              "MOON 1 2 3 4 1  2 3", "MOON 1 2 3 4 "}) {
        const MoonCommand m = parseAs<MoonCommand>(white);
        EXPECT_FALSE(m.image) << white;
        EXPECT_EQ(m.fill, qRgb(255, 255, 255)) << white;
    }
}

TEST(ScriptLine, SyntaxErrors) {
    for (const char* bad : {
             "TEXT  10 10 rgt 'x'",           // empty first field
             "TEXT 10  10 rgt 'x'",           // empty second field
             "TEXT 10 10 rgt",                // no tail
             "TEXT ab 10 rgt 'x'",            // not a number
             "TEXT 1.5 10 rgt 'x'",
             "TEXT +5 10 rgt 'x'",
             "TEXT - 10 rgt 'x'",
             "TEXT 99999999999 10 rgt 'x'",   // beyond 32 bits
             "MOONS",                         // a MOON command without fields
             "MOON 1 2 3",
             "FONT 12 -16 0 0 0 bld",
             "PICT 1 2 3 4 5",
             "YEAR 53",
             "FONT 12 -16385 0 0 0 thn nrm Arial",  // a font taller than any canvas
             "FONT 99999 -16 0 0 0 thn nrm Arial",
         }) {
        EXPECT_THROW(ParseScriptLine(bad), ScriptSyntaxError) << bad;
    }
    try {
        ParseScriptLine("TEXT ab 10 rgt 'x'");
    } catch (const ScriptSyntaxError& e) {
        EXPECT_STREQ(e.what(), "x must be a whole number, not \"ab\"");
    }
}

}  // namespace
