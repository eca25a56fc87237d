// SPDX-License-Identifier: GPL-3.0-or-later
// Text database files: plain text, one entry per line (CR LF or LF), read by line number from 0.
// A file is decoded as UTF-8 when it is valid UTF-8, else as Windows-1251, and a file the program
// writes back keeps the encoding and the line ends it was read with.
#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>

#include "data/input_limits.h"
#include "data/working_folder.h"

namespace orbisca {

// UTF-8 when valid (a leading byte-order mark is dropped), Windows-1251 otherwise.
QString decodeText(const QByteArray& bytes);

// How a text file was written, so that it is written back the same way.
enum class TextEncoding { Utf8, Utf8WithBom, Windows1251 };
struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool crlf = false;  // lines end in CR LF (as its first line end does)
    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct DecodedText {
    QString text;
    TextFormat format;
};

// Decodes a whole file as decodeText() does, and says how it was written. A file that is not
// valid UTF-8 as a whole is Windows-1251, unless one of its lines is valid UTF-8 with characters
// beyond ASCII while another is not: such a file is half converted, and either reading would
// garble one half, so it is refused (nothing returned, `error` naming the first line that
// disagrees with the lines before it).
std::optional<DecodedText> decodeTextFile(const QByteArray& bytes, QString* error = nullptr);

// `lines`, each ended as `format` says, in its encoding. A text that Windows-1251 cannot hold
// whole (a character typed that it lacks) is written as UTF-8 instead, so that nothing is lost.
QByteArray encodeTextLines(const QStringList& lines, const TextFormat& format);

// Why `path` is no regular file that can be read: "No such file or directory", "is a folder, not
// a file", "is a pipe, not a regular file", "cannot be read: permission denied"; nothing when it
// is one. (Whether its content can be read shows only when it is opened.)
std::optional<QString> regularFileProblem(const QString& path);

// The bytes of the file at `path`, which must be a regular file: a folder, a pipe or a device is
// refused rather than opened (a pipe would wait for a writer for ever), and so is a file of more
// than `maxBytes`. Nothing when the file cannot be read; then `error` says why in one line that
// begins with `label` ("conf.dat: is a folder, not a file", "s.spt: cannot be read: permission
// denied", "s.spt: 3221225472 bytes, more than the limit of 64 MB").
std::optional<QByteArray> readRegularFile(const QString& path, const QString& label,
                                          QString* error = nullptr,
                                          std::int64_t maxBytes = kMaxDataFileBytes);

// Splits at LF and drops the CRs before it (also at the end of the text); a line end after the
// last line starts no further line.
QStringList splitTextLines(const QString& text);

// What identifies one version of a file: replaced files get a new inode, edited ones a new
// modification time or size.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    long long ctimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The decoded lines of the text files a working folder has given, by resolved path.
struct CachedTextFiles {
    struct File {
        FileStamp stamp;
        QStringList lines;
        TextFormat format;
    };
    std::map<QString, File> files;
};

// The decoded lines of a file of `folder` (`name` goes through WorkingFolder::resolve), or
// nothing when it cannot be read (then `error` says why, naming the file). Files are kept in the
// folder's cache, which is checked against the file's size, modification time and identity at
// each call, so an edited or replaced file is read afresh.
std::optional<QStringList> readTextLines(const WorkingFolder& folder, const QString& name,
                                         QString* error = nullptr,
                                         std::int64_t maxBytes = kMaxDataFileBytes);

// The lines of a settings file of `folder`, or nothing when it cannot be read (`error` says why).
// Settings hold ASCII words and numbers, so the bytes decode as decodeText() does even when the
// lines disagree on the encoding: such a line is a bad value that the reader names, not a reason
// to ignore the whole file.
std::optional<QStringList> readSettingsLines(const WorkingFolder& folder, const QString& name,
                                             QString* error = nullptr);

// The same, with the format the file was written in.
struct TextLines {
    QStringList lines;
    TextFormat format;
};
std::optional<TextLines> readTextFile(const WorkingFolder& folder, const QString& name,
                                      QString* error = nullptr,
                                      std::int64_t maxBytes = kMaxDataFileBytes);

// The lines of a file that must be there: throws DataFileError naming the file otherwise.
QStringList requireTextLines(const WorkingFolder& folder, const QString& name);

// Line `line` (from 0) of a text database. A negative line, or one at or beyond the end, is "".
// A file that cannot be read throws FatalError (code 101, kSenderReadText, details
// "filename:<name>" and "line:<line>", the reason naming the file).
QString readDatabaseLine(const WorkingFolder& folder, std::int32_t line, const QString& fileName);

// The text with each control character written as an escape ("\0", "\t", "\n", "\x1b"), for
// messages that quote what a file holds: a NUL would cut a printed message short, and a control
// character could move a terminal's cursor. Every text the program shows or prints passes here;
// a message box keeps its line breaks (`keepLineBreaks`), a terminal line does not.
QString escapeControlCharacters(const QString& text, bool keepLineBreaks = false);

// Forgets every file the folder's cache holds (memory).
void clearTextCache(const WorkingFolder& folder);

}  // namespace orbisca
