#include <gtest/gtest.h>

#include "data/text_case.h"

using orbisca::CasePattern;

TEST(CasePattern, ShapesEachWordByItsPatternLetter) {
    EXPECT_EQ(CasePattern("ab cd", "AB"), "Ab CD");
    EXPECT_EQ(CasePattern("hELLO", "AB"), "Hello");
    EXPECT_EQ(CasePattern("RED MAGNETIC dragon", "Aaa"), "Red magnetic dragon");
    EXPECT_EQ(CasePattern("one two three", "aB"), "one TWO three");  // beyond the pattern: unchanged
    EXPECT_EQ(CasePattern("one", "x"), "one");
    EXPECT_EQ(CasePattern("", "A"), "");
}

TEST(CasePattern, BlanksStartWordsToo) {
    // The character after each blank starts a word, so a double blank uses a pattern letter.
    EXPECT_EQ(CasePattern("ab  cd", "AAB"), "Ab  CD");
    EXPECT_EQ(CasePattern(" ab", "aB"), " AB");
    EXPECT_EQ(CasePattern("ab ", "BA"), "AB ");
}

TEST(CasePattern, FollowsUnicodeCase) {
    EXPECT_EQ(CasePattern(QString::fromUtf8("красный ДРАКОН"), "AB"), QString::fromUtf8("Красный ДРАКОН"));
    EXPECT_EQ(CasePattern(QString::fromUtf8("ёЖИК"), "A"), QString::fromUtf8("Ёжик"));
    EXPECT_EQ(CasePattern(QString::fromUtf8("ÉTÉ àla"), "aA"), QString::fromUtf8("été Àla"));
}
