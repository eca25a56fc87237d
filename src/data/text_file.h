// SPDX-License-Identifier: GPL-3.0-or-later
// Text database files: plain text, one entry per line (CR LF or LF), read by line number from 0.
// A file is decoded as UTF-8 when it is valid UTF-8, else as Windows-1251.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "data/input_limits.h"

namespace orbisca {

// UTF-8 when valid (a leading byte-order mark is dropped), Windows-1251 otherwise.
QString decodeText(const QByteArray& bytes);

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

// The decoded lines of a file (`name` goes through resolvePath), or nothing when it cannot be
// read (then `error` says why, naming the file). Files are kept in a cache that is checked
// against the file's size, modification time and identity at each call, so an edited or replaced
// file is read afresh.
std::optional<QStringList> readTextLines(const QString& name, QString* error = nullptr,
                                         std::int64_t maxBytes = kMaxDataFileBytes);

// The lines of a file that must be there: throws DataFileError naming the file otherwise.
QStringList requireTextLines(const QString& name);

// Line `line` (from 0) of a text database. A negative line, or one at or beyond the end, is "".
// A file that cannot be read throws FatalError (code 101, kSenderReadText, details
// "filename:<name>" and "line:<line>", the reason naming the file).
QString readDatabaseLine(std::int32_t line, const QString& fileName);

// The text with each control character written as an escape ("\0", "\t", "\n", "\x1b"), for
// messages that quote what a file holds: a NUL would cut a printed message short, and a control
// character could move a terminal's cursor. Every text the program shows or prints passes here;
// a message box keeps its line breaks (`keepLineBreaks`), a terminal line does not.
QString escapeControlCharacters(const QString& text, bool keepLineBreaks = false);

// Forgets every cached file (tests; memory).
void clearTextCache();

}  // namespace orbisca
