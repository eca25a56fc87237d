// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/attributes.h"

#include <QFile>
#include <filesystem>

#include "data/data_state.h"
#include "data/working_folder.h"

namespace orbisca {

namespace fs = std::filesystem;

bool addOwnerWrite(const QString& path) {
    std::error_code error;
    fs::permissions(fs::path(QFile::encodeName(path).toStdString()), fs::perms::owner_write,
                    fs::perm_options::add, error);
    return !error;
}

namespace {

// True for an existing file whose owner-write bit is clear.
bool isReadOnly(const QString& path) {
    std::error_code error;
    const fs::file_status status =
        fs::status(fs::path(QFile::encodeName(path).toStdString()), error);
    if (error || !fs::exists(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

bool makeSettingsFilesWritable(DataState& state, const MakeWritable& makeWritable) {
    int failures = 0;
    for (const char* name : kWritableDataFiles) {
        const QString path = state.folder.resolve(QString::fromLatin1(name));
        if (isReadOnly(path) && !makeWritable(path)) ++failures;
    }
    if (failures == 0) return true;
    reportError(state, kErrorWriteAccess,
                QStringLiteral("Runing from CD! Write process not allowed!"),
                {QStringLiteral("Write access denied!")}, QString());
    return false;
}

}  // namespace orbisca
