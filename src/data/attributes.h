// SPDX-License-Identifier: GPL-3.0-or-later
// Clearing the read-only mark of the settings files at start, so that they can be rewritten.
// The read-only mark is the owner-write permission bit being clear.
#pragma once

#include <QString>
#include <array>
#include <functional>

namespace orbisca {

struct DataState;

// The files treated, in order, in the working folder.
inline constexpr std::array<const char*, 5> kWritableDataFiles = {
    "conf.dat", "HRCT.dat", "RGNS.dat", "tech.dat", "WindWHP.dat"};

// Gives the file its owner-write bit; false when the system refuses.
using MakeWritable = std::function<bool(const QString& path)>;
bool addOwnerWrite(const QString& path);

// Makes each existing, read-only file of kWritableDataFiles writable. When any change is refused,
// reports once with code 114 (no log file, one message) and goes on.
// Returns true when every file is writable afterwards.
bool makeSettingsFilesWritable(DataState& state, const MakeWritable& makeWritable = addOwnerWrite);

}  // namespace orbisca
