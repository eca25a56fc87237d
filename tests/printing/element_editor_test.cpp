// SPDX-License-Identifier: GPL-3.0-or-later
// The element editor's steps as the window drives them. (Font lines: the window's test.)
#include <gtest/gtest.h>

#include "printpage/element_editor.h"
#include "printpage/script_line.h"

namespace orbisca::testing {
namespace {

const QSize kCanvas(4020, 3300);

std::optional<QString> add(ElementEditor& editor, const QString& line,
                           std::optional<QColor> colour = std::nullopt) {
    return editor.add(
        line, [colour] { return colour; }, qRgb(0, 0, 0), kCanvas);
}

// (A text placed by a click, previewed and added: the window's test.)
TEST(ElementEditorTest, ATextNeverPlacedIsCentred) {
    ElementEditor editor;
    EXPECT_EQ(add(editor, ""), QString());  // idle: the edit line, empty too, is the new line
    editor.newText();
    add(editor, "Centre");
    add(editor, "");
    EXPECT_EQ(editor.values().editLine, "TEXT 0 0 cnt 'Centre'");
}

TEST(ElementEditorTest, MoonsTakePhaseFillAndASizeTheCanvasCanHold) {
    ElementEditor editor;
    editor.newMoon();
    EXPECT_THROW(add(editor, "half"), ScriptSyntaxError);
    EXPECT_EQ(editor.values().state, EditorState::TypingMoonPhase);
    add(editor, "50");
    EXPECT_FALSE(add(editor, "red"));  // the colour dialog cancelled: still choosing the fill
    EXPECT_EQ(editor.values().state, EditorState::ChoosingMoonFill);
    add(editor, "red", QColor(255, 10, 0));
    for (const char* size : {"100000", "0", "4097", "x"})
        EXPECT_THROW(add(editor, size), ScriptSyntaxError) << size;
    EXPECT_EQ(editor.values().state, EditorState::TypingMoonSize);
    add(editor, "120");
    add(editor, "");  // never placed: x stays -1
    EXPECT_EQ(editor.values().editLine, "MOON -1 0 120 50 255 10 0");
    EXPECT_NO_THROW(parseScriptLine(editor.values().editLine));

    editor.newMoon();
    add(editor, "25");
    add(editor, "image");
    EXPECT_THROW(editor.add("5000", {}, 0, QSize(8000, 8000)), ScriptSyntaxError);
    EXPECT_THROW(editor.add("300", {}, 0, QSize(200, 100)), ScriptSyntaxError);
    add(editor, "60");
    editor.place({10, 20});
    add(editor, "");
    EXPECT_EQ(editor.values().editLine, "MOON 10 20 60 25 image");
    editor.newMoon();  // the next moon never placed does not take the last one's row
    for (const char* typed : {"25", "IMAGE", "60", ""}) add(editor, typed);
    EXPECT_EQ(editor.values().editLine, "MOON -1 0 60 25 IMAGE");
}

}  // namespace
}  // namespace orbisca::testing
