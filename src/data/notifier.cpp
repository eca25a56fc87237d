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
std::mutex& notifierMutex() {
    static std::mutex mutex;
    return mutex;
}
}  // namespace

void notify(const QString& text) {
    std::function<void(const QString&)> show;
    {
        std::lock_guard lock(notifierMutex());
        NotifierState& state = notifierState();
        state.messages.append(text);
        show = state.show;
    }
    // Called without the lock: a message box may run a nested event loop that reports again.
    if (show) show(text);
}

void requestProgramEnd(int exitCode) {
    std::function<void(int)> endProgram;
    {
        std::lock_guard lock(notifierMutex());
        NotifierState& state = notifierState();
        if (!state.endRequested) state.exitCode = exitCode;
        state.endRequested = true;
        endProgram = state.endProgram;
    }
    if (endProgram) endProgram(exitCode);
}

}  // namespace orbisca
