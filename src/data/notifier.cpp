// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/notifier.h"

#include "data/text_file.h"

namespace orbisca {

NotifierState& notifierState() {
    static NotifierState state;
    return state;
}

void resetNotifierState() { notifierState() = NotifierState{}; }

void notify(const QString& message) {
    // What a file or the command line held may be quoted: no control character reaches a box.
    const QString text = escapeControlCharacters(message, true);
    NotifierState& state = notifierState();
    state.messages.append(text);
    // A copy: a message box runs a nested event loop in which another message may come, and a
    // test's hook may install another one meanwhile.
    const std::function<void(const QString&)> show = state.show;
    if (show) show(text);
}

void requestProgramEnd(int exitCode) {
    NotifierState& state = notifierState();
    if (!state.endRequested) state.exitCode = exitCode;
    state.endRequested = true;
    const std::function<void(int)> endProgram = state.endProgram;
    if (endProgram) endProgram(exitCode);
}

}  // namespace orbisca
