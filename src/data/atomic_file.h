// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file in one step: the new content goes to a temporary file in the same folder, which
// is then renamed over the old one. A failure at any point leaves the old file as it was.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace orbisca {

using ContentWriter = std::function<bool(QIODevice&)>;
// Runs between the complete write of a file's new content and the rename that puts it in place
// (tests end the process there); empty for none.
using BeforeRename = std::function<void(const QString& path)>;

// Why `path` cannot be replaced by a new regular file ("conf.dat is a pipe, not a regular file");
// nothing when it is a regular file or missing.
std::optional<QString> replaceProblem(const QString& path);

// Writes through `write`, which returns false to give up (or throws); only a complete write that
// reaches the disk replaces `path`, which must be a regular file when it exists (a folder, a
// device, a pipe or a socket is refused, never replaced). On failure returns false and, when
// `error` is given, says why in one line naming the file.
bool writeFileAtomically(const QString& path, const ContentWriter& write, QString* error = nullptr,
                         const BeforeRename& beforeRename = {});
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error = nullptr,
                         const BeforeRename& beforeRename = {});

// An output the user named on the command line ("-o FILE"): a character device or a pipe that
// exists ("/dev/null", a FIFO), and the process's own streams ("/dev/stdout", "/dev/fd/N"), are
// written through directly, and a write they refuse ("/dev/full") fails; anything else is
// written as writeFileAtomically() does, so a folder, a socket or a block device is refused.
bool writeUserOutput(const QString& path, const ContentWriter& write, QString* error = nullptr);
bool writeUserOutput(const QString& path, const QByteArray& content, QString* error = nullptr);

// The reason of a writer's `error` without the file's name it starts with, for a message that
// names the file itself: "No space left on device", "it is a pipe, not a regular file".
QString reasonOfWriteError(const QString& path, const QString& error);

// Which of the two a writer that takes both uses.
enum class WriteTarget { DataFile, UserOutput };
bool writeFile(const QString& path, const ContentWriter& write, WriteTarget target,
               QString* error = nullptr);

// The lines as UTF-8, each ended by LF: the form of every settings file the program writes.
QByteArray textFileContent(const QStringList& lines);

// A log written one line at a time ("Loading.log", "Floading.log"): every write replaces the whole
// file in one step (a temporary file, then a rename), so the file always ends after a step that
// was done and never holds half a line. The writes run on a thread of the log's own, so that the
// start does not wait for the file system (a rename over a file costs about a millisecond): lines
// that come while a write runs go out together in the next one, and a program that hangs still
// shows every step it did. close() waits until the file holds every line. A log that cannot be
// written is skipped quietly: the program must not fail over its own diagnostics.
class LineLog {
public:
    LineLog() = default;
    ~LineLog() { close(); }
    LineLog(const LineLog&) = delete;
    LineLog& operator=(const LineLog&) = delete;

    // Closes the log before and forgets its lines; the file is replaced at the first line.
    void start(const QString& path);
    void append(const QString& line);
    // Waits until the file holds every line appended so far.
    void flush();
    // Flushes and stops; lines appended after it are not written.
    void close();
    bool isOpen() const { return !path_.isEmpty(); }

private:
    void writeLoop();

    QString path_;  // empty: closed (the appending thread's own)
    std::thread writer_;
    std::mutex mutex_;  // guards what follows
    std::condition_variable changed_;
    QString target_;
    QByteArray content_;
    qsizetype written_ = 0;  // bytes of `content_` the file holds
    bool stopping_ = false;
};

}  // namespace orbisca
