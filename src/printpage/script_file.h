// SPDX-License-Identifier: GPL-3.0-or-later
// Script files (".spt", ".txt" and "~last.spt"): the visible script, then the year page under a
// "[Year lines]" header line, so that a year script drawn from a file or after a restart still
// has its year grid. Files are read as UTF-8, or Windows-1251 when they are not valid UTF-8, with
// CR LF or LF line ends, and written back in the encoding and with the line ends they were read
// with (a new script as UTF-8 with LF).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "data/text_file.h"

namespace orbisca {

inline const QString kYearLinesHeader = QStringLiteral("[Year lines]");

struct ScriptFileContent {
    QStringList script;
    QStringList yearPage;  // empty when the file has no year block
    TextFormat format;     // as the file was written
};

// The lines of a file: the script, then, when the script has a YEAR line and the year page is not
// empty, the header and the year page. A year page that no line of the script draws is left out.
// A script that itself holds a "[Year lines]" line is followed by the header all the same, since a
// file read back splits at its last header line: so any script comes back as written.
QStringList scriptFileLines(const QStringList& script, const QStringList& yearPage);
ScriptFileContent splitScriptFile(const QStringList& lines);

// Reads a script file; nothing when it cannot be read (then `error` says why, naming the file).
std::optional<ScriptFileContent> readScriptFile(const QString& path, QString* error);

// Writes a script file in one step (a temporary file, then a rename). False when it cannot be
// written (then `error` says why, naming the file); an old file then stays as it was.
bool writeScriptFile(const QString& path, const QStringList& script, const QStringList& yearPage,
                     const TextFormat& format, QString* error);

}  // namespace orbisca
