// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/notifier.h"

#include "data/text_file.h"

namespace orbisca {

void Notifier::notify(const QString& message) {
    // What a file or the command line held may be quoted: no control character reaches a box.
    const QString text = escapeControlCharacters(message, true);
    messages.append(text);
    // A copy: a message box runs a nested event loop in which another message may come, and a
    // test's hook may install another one meanwhile.
    const std::function<void(const QString&)> showNow = show;
    if (showNow) showNow(text);
}

void Notifier::requestProgramEnd(int code) {
    if (!endRequested) exitCode = code;
    endRequested = true;
    const std::function<void(int)> endNow = endProgram;
    if (endNow) endNow(code);
}

}  // namespace orbisca
