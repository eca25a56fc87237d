#include "data/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cstdio>

namespace orbisca {

bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                         QString* error) {
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        file.cancelWriting();
        if (error) *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    };
    // A device or a pipe given as the target ("-o /dev/null") would be replaced by a plain file.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) return fail(QStringLiteral("not a regular file"));
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    bool written = false;
    try {
        written = write(file);
    } catch (const std::exception& e) {
        return fail(QString::fromUtf8(e.what()));
    }
    if (!written)
        return fail(file.error() != QFileDevice::NoError
                        ? file.errorString()
                        : QStringLiteral("the write was abandoned"));
    if (!file.commit()) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error) {
    return writeFileAtomically(
        path, [&](QIODevice& device) { return device.write(content) == content.size(); }, error);
}

QByteArray textFileContent(const QStringList& lines) {
    QByteArray content;
    for (const QString& line : lines) content.append(line.toUtf8()).append('\n');
    return content;
}

void LineLog::start(const QString& path) {
    path_ = path;
    content_.clear();
}

void LineLog::append(const QString& line) {
    if (!isOpen()) return;
    content_.append(line.toUtf8()).append('\n');
    // No sync to disk: a log needs to be whole, not durable, and start-up writes twenty lines.
    QTemporaryFile file(path_ + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) return;
    const bool written = file.write(content_) == content_.size() && file.flush();
    file.close();
    if (!written || std::rename(QFile::encodeName(file.fileName()).constData(),
                                QFile::encodeName(path_).constData()) != 0)
        file.remove();
}

}  // namespace orbisca
