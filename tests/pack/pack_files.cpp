#include "pack_files.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTextStream>
#include <gtest/gtest.h>

#include "data/conf_file.h"
#include "data/font_table.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca::packtest {

QString packPath(const QString& name) {
    return QStringLiteral(ORBISCA_SOURCE_DIR "/share/") + name;
}

QStringList packLines(const QString& name) {
    QFile file(packPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << name.toStdString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError()) ADD_FAILURE() << name.toStdString() << " is not valid UTF-8";
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

std::vector<MappedLine> baseLineMap() {
    QFile file(QStringLiteral(ORBISCA_SOURCE_DIR "/tests/pack/base_ktx_lines.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot open the line map";
        return {};
    }
    std::vector<MappedLine> map;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(u' ', Qt::SkipEmptyParts);
        if (fields.isEmpty()) continue;
        bool ok = false;
        const int line = fields.at(0).toInt(&ok);
        EXPECT_TRUE(ok && fields.size() == 2) << "bad map entry " << fields.join(' ').toStdString();
        map.push_back({line, fields.value(1) == QStringLiteral("ending")});
    }
    return map;
}

MayanDate positionOfKin(int kin) {
    MayanDate p;
    p.kin = static_cast<std::uint16_t>(kin);
    p.sign = static_cast<std::uint8_t>((kin - 1) % 20 + 1);
    p.tone = static_cast<std::uint8_t>((kin - 1) % 13 + 1);
    return p;
}

QStringList packFileNames() {
    return QDir(QStringLiteral(ORBISCA_SOURCE_DIR "/share"))
        .entryList({QStringLiteral("*.ktx"), QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
}

namespace {

void resetDataLayer() {
    resetWorkingFolderState();
    clearTextCache();
    resetNotifierState();
    resetFontTableState();
    resetSettings();
    resetConfigModel();
}

}  // namespace

PackWorkingFolder::PackWorkingFolder() {
    resetDataLayer();
    EXPECT_TRUE(dir_.isValid());
    for (const QString& name : packFileNames())
        EXPECT_TRUE(QFile::copy(packPath(name), dir_.filePath(name))) << name.toStdString();
    // print.dat exists only in encoded form, made by the build.
    const QString details = QStringLiteral(ORBISCA_HOME_DIR "/print.dat");
    EXPECT_TRUE(QFile::copy(details, dir_.filePath(QStringLiteral("print.dat"))))
        << "the build has not encoded print.dat";
    setWorkingFolder(dir_.path());
}

PackWorkingFolder::~PackWorkingFolder() { resetDataLayer(); }

}  // namespace orbisca::packtest
