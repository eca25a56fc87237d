// SPDX-License-Identifier: GPL-3.0-or-later
// Text databases: any bytes decode to lines, and reading any line of such a file through the
// working folder gives text or "", never a crash or a failure.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/text_file.h"
#include "data/working_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = orbisca::splitTextLines(orbisca::decodeText(bytes));
    QFile file(QDir(folder.path()).filePath("FUZZ.ktx"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(bytes);
    file.close();
    // A folder of this run's own: nothing read in an earlier run is kept.
    const orbisca::WorkingFolder working(folder.path());
    for (int line :
         {-1, 0, 1, static_cast<int>(lines.size()) - 1, static_cast<int>(lines.size()), 100000}) {
        const QString text = orbisca::readDatabaseLine(working, line, "fuzz.KTX");
        if (line >= 0 && line < lines.size() && text != lines[line]) __builtin_trap();
    }
    return 0;
}
