#include "data/notifier.h"

namespace orbisca {

NotifierState& notifierState() {
    static NotifierState state;
    return state;
}

void resetNotifierState() { notifierState() = NotifierState{}; }

void notify(const QString& text) {
    NotifierState& state = notifierState();
    state.messages.append(text);
    if (state.show) state.show(text);
}

void requestProgramEnd(int exitCode) {
    NotifierState& state = notifierState();
    if (!state.endRequested) state.exitCode = exitCode;
    state.endRequested = true;
    if (state.endProgram) state.endProgram(exitCode);
}

}  // namespace orbisca
