#include "data/notifier.h"

#include <mutex>

namespace orbisca {

NotifierState& notifierState() {
    static NotifierState state;
    return state;
}

void resetNotifierState() { notifierState() = NotifierState{}; }

namespace {
// The shaped-window loader reports from its own thread.
std::recursive_mutex& notifierMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}
}  // namespace

void notify(const QString& text) {
    std::lock_guard lock(notifierMutex());
    NotifierState& state = notifierState();
    state.messages.append(text);
    if (state.show) state.show(text);
}

void requestProgramEnd(int exitCode) {
    std::lock_guard lock(notifierMutex());
    NotifierState& state = notifierState();
    if (!state.endRequested) state.exitCode = exitCode;
    state.endRequested = true;
    if (state.endProgram) state.endProgram(exitCode);
}

}  // namespace orbisca
