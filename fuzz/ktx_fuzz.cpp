// SPDX-License-Identifier: GPL-3.0-or-later
// Text databases: any bytes in one encoding decode to lines, and reading any line of such a file
// through the working folder gives text or ""; a file whose lines mix encodings is refused with a
// failure naming it. Never a crash.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/error_log.h"
#include "data/text_file.h"
#include "data/working_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<orbisca::DecodedText> decoded = orbisca::decodeTextFile(bytes);
    const QStringList lines = decoded ? orbisca::splitTextLines(decoded->text) : QStringList();
    QFile file(QDir(folder.path()).filePath("FUZZ.ktx"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(bytes);
    file.close();
    // A folder of this run's own: nothing read in an earlier run is kept.
    const orbisca::WorkingFolder working(folder.path());
    for (int line :
         {-1, 0, 1, static_cast<int>(lines.size()) - 1, static_cast<int>(lines.size()), 100000}) {
        try {
            const QString text = orbisca::readDatabaseLine(working, line, "fuzz.KTX");
            if (line >= 0 && (!decoded || (line < lines.size() && text != lines[line])))
                __builtin_trap();
        } catch (const orbisca::FatalError& e) {
            // Only a file of mixed encodings is refused, and the refusal names it.
            if (decoded || !e.reason().contains(QStringLiteral("fuzz.KTX"))) __builtin_trap();
        }
    }
    return 0;
}
