// SPDX-License-Identifier: GPL-3.0-or-later
// The phases of the program's start and when each ended, for "--report-start-time --verbose".
// A record made with StartPhases() records nothing; StartPhases::started(), at the top of main,
// starts its clock. The program state holds the record; a mark then costs one lock and one clock
// read, and may come from any thread (the outline loader marks its own).
#pragma once

#include <QString>
#include <memory>

namespace orbisca {

class StartPhases {
public:
    StartPhases();
    ~StartPhases();
    StartPhases(StartPhases&&) noexcept;
    StartPhases& operator=(StartPhases&&) noexcept;

    // A record whose clock runs from now, with the process's age at this moment.
    static StartPhases started();

    // The phase that ends now; the first mark of a name counts, later ones are ignored.
    void mark(const char* phase);

    // One line per phase in the order they ended: its name, its own time and the time since the
    // record started; first the process's age when it started (10 ms steps), when the system
    // tells it.
    QString report() const;

private:
    struct Record;
    std::unique_ptr<Record> record_;  // none: nothing is recorded
};

}  // namespace orbisca
