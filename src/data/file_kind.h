// SPDX-License-Identifier: GPL-3.0-or-later
// What a path names on disk, for the readers and writers that must take only regular files: a
// pipe would make a reader wait for ever, and a device renamed over by a writer is destroyed.
#pragma once

#include <QString>

namespace orbisca {

enum class FileKind { Missing, Regular, Folder, CharacterDevice, BlockDevice, Pipe, Socket };

// The kind of what `path` names, following symbolic links (a link to nothing is Missing).
FileKind fileKindOf(const QString& path);

// "a folder", "a pipe", "a character device" ...: what a message says the path is.
QString fileKindName(FileKind kind);

}  // namespace orbisca
