// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/file_kind.h"

namespace orbisca {
namespace {

ContentWriter contentWriter(const QByteArray& content) {
    return [&content](QIODevice& device) { return device.write(content) == content.size(); };
}

}  // namespace

std::optional<QString> replaceProblem(const QString& path) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Missing || kind == FileKind::Regular) return std::nullopt;
    return QStringLiteral("%1 is %2, not a regular file").arg(path, fileKindName(kind));
}

namespace {

// Runs `write`, turning a throw into a failure with its message; the reason in `why`.
bool runWriter(const ContentWriter& write, QFileDevice& file, QString& why) {
    try {
        if (write(file)) return true;
        why = file.error() != QFileDevice::NoError ? file.errorString()
                                                   : QStringLiteral("the write was abandoned");
    } catch (const std::exception& e) {
        why = QString::fromUtf8(e.what());
    }
    return false;
}

// "/dev/stdout", "/dev/fd/3": names of descriptors the process already holds, which may stand
// for a terminal, a pipe or a file the shell opened for appending; never replaced.
bool namesOwnStream(const QString& path) {
    return path == QLatin1String("/dev/stdout") || path == QLatin1String("/dev/stderr") ||
           path.startsWith(QLatin1String("/dev/fd/")) ||
           path.startsWith(QLatin1String("/proc/self/fd/"));
}

// Writes into what `path` names as it stands, appending (a device or a pipe ignores that; a
// file behind /dev/stdout keeps what is before). Opened by the system's call: Qt would try to
// seek on a device and warn.
bool writeThrough(const QString& path, const ContentWriter& write, QString* error) {
    QFile file;
    QString why;
    bool written = false;
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (descriptor < 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
    } else if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        why = file.errorString();
    } else if (runWriter(write, file, why)) {
        written = file.flush();  // "/dev/full" refuses the bytes only when they are flushed
        if (!written) why = file.errorString();
    }
    if (!written && error) *error = QStringLiteral("%1: %2").arg(path, why);
    return written;
}

}  // namespace

bool writeFileAtomically(const QString& path, const ContentWriter& write, QString* error,
                         const BeforeRename& beforeRename) {
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        file.cancelWriting();
        if (error) *error = why;
        return false;
    };
    // A device or a pipe given as the target ("/dev/null") would be replaced by a plain file.
    if (const std::optional<QString> problem = replaceProblem(path)) return fail(*problem);
    QString why;
    if (!file.open(QIODevice::WriteOnly))
        why = file.errorString();
    else if (runWriter(write, file, why) && !file.flush())
        why = file.errorString();
    if (!why.isEmpty()) return fail(QStringLiteral("%1: %2").arg(path, why));
    if (beforeRename) beforeRename(path);
    if (!file.commit()) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error,
                         const BeforeRename& beforeRename) {
    return writeFileAtomically(path, contentWriter(content), error, beforeRename);
}

bool writeUserOutput(const QString& path, const ContentWriter& write, QString* error) {
    const FileKind kind = fileKindOf(path);
    if (namesOwnStream(path) || kind == FileKind::CharacterDevice || kind == FileKind::Pipe)
        return writeThrough(path, write, error);
    return writeFileAtomically(path, write, error);
}

bool writeUserOutput(const QString& path, const QByteArray& content, QString* error) {
    return writeUserOutput(path, contentWriter(content), error);
}

QString reasonOfWriteError(const QString& path, const QString& error) {
    if (error.startsWith(path + QStringLiteral(": "))) return error.mid(path.size() + 2);
    if (error.startsWith(path + QStringLiteral(" is ")))
        return QStringLiteral("it") + error.mid(path.size());
    return error;
}

bool writeFile(const QString& path, const ContentWriter& write, WriteTarget target,
               QString* error) {
    return target == WriteTarget::UserOutput ? writeUserOutput(path, write, error)
                                             : writeFileAtomically(path, write, error);
}

QByteArray textFileContent(const QStringList& lines) {
    QByteArray content;
    for (const QString& line : lines) content.append(line.toUtf8()).append('\n');
    return content;
}

namespace {

// Replaces the log at `path` with `content` in one step; a failure leaves the old file.
void replaceLog(const QString& path, const QByteArray& content) {
    // No sync to disk: a log needs to be whole, not durable.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) return;
    const bool written = file.write(content) == content.size() && file.flush();
    file.close();
    if (!written || std::rename(QFile::encodeName(file.fileName()).constData(),
                                QFile::encodeName(path).constData()) != 0)
        file.remove();
}

}  // namespace

void LineLog::start(const QString& path) {
    close();
    path_ = replaceProblem(path) ? QString() : path;  // a device or a pipe is left alone
    std::lock_guard lock(mutex_);
    target_ = path_;
    content_.clear();
    written_ = 0;
    stopping_ = false;
}

void LineLog::append(const QString& line) {
    if (!isOpen()) return;
    if (!writer_.joinable()) writer_ = std::thread([this] { writeLoop(); });
    std::lock_guard lock(mutex_);
    content_.append(line.toUtf8()).append('\n');
    changed_.notify_all();
}

void LineLog::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !writer_.joinable() || written_ == content_.size(); });
}

void LineLog::close() {
    if (writer_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            changed_.notify_all();
        }
        writer_.join();  // after the last write
    }
    path_.clear();
}

void LineLog::writeLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || written_ < content_.size(); });
        if (written_ == content_.size()) return;  // stopping, and every line is written
        const QByteArray content = content_;      // shared, not copied
        const QString path = target_;
        lock.unlock();
        replaceLog(path, content);
        lock.lock();
        written_ = content.size();
        changed_.notify_all();
    }
}

}  // namespace orbisca
