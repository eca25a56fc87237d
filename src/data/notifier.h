// SPDX-License-Identifier: GPL-3.0-or-later
// The one road for user-facing messages and for a fatal error's request to end the program.
//
// Nothing in the libraries shows a dialog or exits by itself. They call their program state's
// notifier: notify() and, for a fatal error, requestProgramEnd(). The GUI installs `show` (a
// message box) and `endProgram` (quits the application); orbisca-cli and the tests leave them empty
// and read `messages` and `endRequested` instead. Every message is collected in any case. Both run
// on the user-interface thread only: a worker posts its reports there.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace orbisca {

struct Notifier {
    std::function<void(const QString&)> show;  // shows one message
    std::function<void(int exitCode)>
        endProgram;             // ends the program; may return (the caller goes on)
    QStringList messages;       // every message so far, in order
    bool endRequested = false;  // requestProgramEnd() has been called
    int exitCode = 0;           // the code of the first request

    // Records the message, its control characters escaped (line breaks kept), and hands it to
    // `show` when one is installed.
    void notify(const QString& text);

    // Records the request (the first code wins) and calls `endProgram` when one is installed.
    // Callers must still unwind normally: the hook may only schedule the end.
    void requestProgramEnd(int exitCode = 1);
};

}  // namespace orbisca
