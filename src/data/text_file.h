// Text database files: plain text, one entry per line (CR LF or LF), read by line number from 0.
// A file is decoded as UTF-8 when it is valid UTF-8, else as Windows-1251.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace orbisca {

// UTF-8 when valid (a leading byte-order mark is dropped), Windows-1251 otherwise.
QString decodeText(const QByteArray& bytes);

// The bytes of the file at `path`, which must be a regular file: a folder, a pipe or a device is
// refused rather than opened (a pipe would wait for a writer for ever). Nothing when the file
// cannot be read; then `error` says why in one line that begins with `label`.
std::optional<QByteArray> readRegularFile(const QString& path, const QString& label,
                                          QString* error = nullptr);

// Splits at LF and drops the CRs before it (also at the end of the text); a line end after the
// last line starts no further line.
QStringList splitTextLines(const QString& text);

// The decoded lines of a file (`name` goes through resolvePath), or nothing when it cannot be
// read (then `error` says why, naming the file). Files are kept in a cache that is checked
// against the file's size, modification time and identity at each call, so an edited or replaced
// file is read afresh.
std::optional<QStringList> readTextLines(const QString& name, QString* error = nullptr);

// The lines of a file that must be there: throws DataFileError naming the file otherwise.
QStringList requireTextLines(const QString& name);

// Line `line` (from 0) of a text database. A negative line, or one at or beyond the end, is "".
// A file that cannot be read throws FatalError (code 101, "readtext in orbisca", details
// "filename:<name>" and "line:<line>", the reason naming the file).
QString readDatabaseLine(std::int32_t line, const QString& fileName);

// Forgets every cached file (tests; memory).
void clearTextCache();

}  // namespace orbisca
