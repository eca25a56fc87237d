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
// reaches the disk replaces `path`, which must be a regular file when it exists (a device or a
// pipe is refused, never replaced). On failure returns false and, when `error` is given, says why
// in one line naming the file.
bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                         QString* error = nullptr);
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error = nullptr);

// The lines as UTF-8, each ended by LF: the form of every settings file the program writes.
QByteArray textFileContent(const QStringList& lines);

// A log written one line at a time ("Loading.log", "Floading.log"): every line replaces the whole
// file in one step (a temporary file, then a rename), so the file always ends after the last step
// that was done and never holds half a line. A log that cannot be written is skipped quietly: the
// program must not fail over its own diagnostics.
class LineLog {
public:
    void start(
        const QString& path);  // forgets earlier lines; the file is replaced at the first line
    void append(const QString& line);
    void close() { path_.clear(); }
    bool isOpen() const { return !path_.isEmpty(); }

private:
    QString path_;
    QByteArray content_;
};

}  // namespace orbisca
