// SPDX-License-Identifier: GPL-3.0-or-later
// The phases of the program's start and when each ended, for "--report-start-time --verbose".
// Nothing is recorded until enable(); a mark then costs one lock and one clock read. Marks may
// come from any thread (the outline loader marks its own).
#pragma once

#include <QString>
#include <optional>

namespace orbisca::start_phases {

// Starts the clock (at the top of main) and records the marks from now on.
void enable();
bool enabled();

// The phase that ends now; the first mark of a name counts, later ones are ignored.
void mark(const char* phase);

// Milliseconds since enable().
double sinceEnabledMs();

// Milliseconds from the process's start to enable(), from the kernel's start time of the process
// (10 ms steps); none when the system does not tell.
std::optional<double> processAgeAtEnableMs();

// One line per phase in the order they ended: its name, its own time and the time since main.
QString report();

}  // namespace orbisca::start_phases
