// SPDX-License-Identifier: GPL-3.0-or-later
#include "pack_files.h"

#include <QStringDecoder>

namespace orbisca::packtest {

QString packPath(const QString& name) {
    return QStringLiteral(ORBISCA_SOURCE_DIR "/share/") + name;
}

QStringList packLines(const QString& name) {
    QFile file(packPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << name;
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QStringList lines = QString(utf8(file.readAll())).split(u'\n');
    if (utf8.hasError()) ADD_FAILURE() << name << " is not valid UTF-8";
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

std::vector<MappedLine> baseLineMap() {
    QFile file(QStringLiteral(ORBISCA_SOURCE_DIR "/tests/pack/base_ktx_lines.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "cannot open the line map";
    std::vector<MappedLine> map;
    for (const QString& entry :
         QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = entry.split(u' ');
        bool ok = false;
        map.push_back({fields[0].toInt(&ok), fields.value(1) == QStringLiteral("ending")});
        EXPECT_TRUE(ok && fields.size() == 2) << "bad map entry " << entry;
    }
    return map;
}

QStringList packFileNames() {
    return QDir(QStringLiteral(ORBISCA_SOURCE_DIR "/share"))
        .entryList({"*.ktx", "*.dat"}, QDir::Files, QDir::Name);
}

QStringList generatedFileNames() { return {"print.dat", "HRCT.dat", "tech.dat", "sgn.dat"}; }

PackWorkingFolder::PackWorkingFolder() {
    EXPECT_TRUE(dir_.isValid());
    for (const QString& name : packFileNames())
        EXPECT_TRUE(QFile::copy(packPath(name), dir_.filePath(name))) << name;
    // print.dat exists only in encoded form, and the boards' tables come from the picture
    // generator: the build makes them.
    for (const QString& name : generatedFileNames())
        EXPECT_TRUE(QFile::copy(ORBISCA_HOME_DIR "/" + name, dir_.filePath(name)))
            << "the build has not made " << name;
    data.folder.set(dir_.path());
}

}  // namespace orbisca::packtest
