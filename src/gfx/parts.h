// SPDX-License-Identifier: GPL-3.0-or-later
// Work split into parts shared between the calling thread and one worker thread that is kept for
// the life of the program, so that an image operation of a fraction of a millisecond can use the
// second core without paying for a thread's start.
#pragma once

#include <functional>

namespace orbisca::gfx {

// Runs work(0) .. work(parts - 1), each once, and returns when all have run. The caller takes
// parts in turn with the worker; a part the worker has not begun is run by the caller, so a
// worker that the system does not schedule at once (a busy machine) delays the call by at most
// the part it has begun, never by its wake-up. Parts may run in any order and at the same time,
// and must not depend on one another. When the worker is busy (another caller, or work calling
// this from the worker) or the machine has one core, the caller runs every part itself.
// The first exception thrown by a part is rethrown here after the running parts have ended; parts
// not yet begun are then left out.
void runParts(int parts, const std::function<void(int part)>& work);

// Rows 0 .. rows - 1 in `parts` runs of consecutive rows (fewer when there are fewer rows), as
// runParts runs them: work(first, end) for the rows first .. end - 1 of each run.
void runRowParts(int rows, int parts, const std::function<void(int first, int end)>& work);

}  // namespace orbisca::gfx
