// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/file_kind.h"

#include <sys/stat.h>

#include <QFile>

namespace orbisca {

FileKind fileKindOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return FileKind::Missing;
    if (S_ISREG(info.st_mode)) return FileKind::Regular;
    if (S_ISDIR(info.st_mode)) return FileKind::Folder;
    if (S_ISCHR(info.st_mode)) return FileKind::CharacterDevice;
    if (S_ISBLK(info.st_mode)) return FileKind::BlockDevice;
    if (S_ISFIFO(info.st_mode)) return FileKind::Pipe;
    return FileKind::Socket;
}

QString fileKindName(FileKind kind) {
    switch (kind) {
        case FileKind::Missing:
            return QStringLiteral("missing");
        case FileKind::Regular:
            return QStringLiteral("a regular file");
        case FileKind::Folder:
            return QStringLiteral("a folder");
        case FileKind::CharacterDevice:
            return QStringLiteral("a character device");
        case FileKind::BlockDevice:
            return QStringLiteral("a block device");
        case FileKind::Pipe:
            return QStringLiteral("a pipe");
        case FileKind::Socket:
            break;
    }
    return QStringLiteral("a socket");
}

}  // namespace orbisca
