// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/script_editor.h"

#include <QTextBlock>
#include <QTextCursor>

namespace orbisca {

QStringList documentLines(const QTextDocument& document) {
    QStringList lines;
    if (document.isEmpty()) return lines;
    lines.reserve(document.blockCount());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

namespace {

int lineCount(const QTextDocument& document) {
    return document.isEmpty() ? 0 : document.blockCount();
}

// The end of a block's text, before its line break.
int blockEnd(const QTextBlock& block) { return block.position() + block.length() - 1; }

}  // namespace

void applyScriptEdit(QTextDocument& document, const ScriptEdit& edit) {
    if (edit.isEmpty()) return;
    const int lines = lineCount(document);
    const auto first = static_cast<int>(edit.first);
    const auto removed = static_cast<int>(edit.removed);
    const QString text = edit.inserted.join(u'\n');
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    if (removed > 0) {
        int start = document.findBlockByNumber(first).position();
        int end = blockEnd(document.findBlockByNumber(first + removed - 1));
        if (edit.inserted.isEmpty()) {  // the lines go with one of the breaks beside them
            if (first + removed < lines)
                ++end;
            else if (first > 0)
                --start;
        }
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    } else if (lines == 0) {
        cursor.insertText(text);
    } else if (first < lines) {
        cursor.setPosition(document.findBlockByNumber(first).position());
        cursor.insertText(text + u'\n');
    } else {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(u'\n' + text);
    }
    cursor.endEditBlock();
}

}  // namespace orbisca
