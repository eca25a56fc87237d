// Replacing a file in one step: the new content goes to a temporary file in the same folder, which
// is then renamed over the old one. A failure at any point leaves the old file as it was.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>

namespace orbisca {

// Writes through `write`, which returns false to give up (or throws); only a complete write that
// reaches the disk replaces `path`. On failure returns false and, when `error` is given, says why
// in one line naming the file.
bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                         QString* error = nullptr);
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error = nullptr);

// The lines as UTF-8, each ended by LF: the form of every settings file the program writes.
QByteArray textFileContent(const QStringList& lines);

}  // namespace orbisca
