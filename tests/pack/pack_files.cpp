// SPDX-License-Identifier: GPL-3.0-or-later
#include "pack_files.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace orbisca::packtest {

const std::vector<PackLanguage>& packLanguages() {
    static const std::vector<PackLanguage> languages = {
        {"en", "UTF-8", "sample", "Day %1 of the moon", "Seal %1: ", "Oracle pyramid: seal %1,",
         "Cube of ", "Dial of sign and tone", "Dial of day and moon"},
        {"ru", "windows-1251", "образец", "День %1 луны", "Знак %1: ", "Пирамида: печать %1,",
         "Куб ", "Круг знака и тона", "Круг дня и луны"},
    };
    return languages;
}

std::string languageName(const ::testing::TestParamInfo<PackLanguage>& info) {
    return info.param.code;
}

namespace {

QString shareFolder(const PackLanguage& language) {
    const QString share = QStringLiteral(ORBISCA_SOURCE_DIR "/share/");
    return language.code == std::string("en") ? share : share + language.code + '/';
}

QString homeFolder(const PackLanguage& language) {
    const QString home = QStringLiteral(ORBISCA_HOME_DIR "/");
    return language.code == std::string("en") ? home : home + language.code + '/';
}

}  // namespace

QString packPath(const QString& name, const PackLanguage& language) {
    const QString own = shareFolder(language) + name;
    return QFile::exists(own) ? own : shareFolder(packLanguages().front()) + name;
}

QStringList packLines(const QString& name, const PackLanguage& language) {
    const QString path = packPath(name, language);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << path;
        return {};
    }
    const QByteArray bytes = file.readAll();
    // A file the language pack lacks is the English pack's, in UTF-8.
    const char* encoding =
        path.startsWith(shareFolder(language)) ? language.encoding : packLanguages()[0].encoding;
    QStringDecoder decoder(encoding);
    QStringList lines = QString(decoder(bytes)).split(u'\n');
    if (decoder.hasError()) ADD_FAILURE() << path << " is not in " << encoding;
    // A Windows-1251 file that also reads as UTF-8 was written in the wrong encoding.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(bytes);
    if (encoding != packLanguages()[0].encoding && !utf8.hasError() &&
        asUtf8.contains(QRegularExpression("[^\\x00-\\x7f]")))
        ADD_FAILURE() << path << " is UTF-8, not " << encoding;
    if (bytes.contains('\r')) ADD_FAILURE() << path << " has CR line ends";
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
    return QDir(shareFolder(packLanguages().front()))
        .entryList({"*.ktx", "*.dat"}, QDir::Files, QDir::Name);
}

QStringList languageFileNames(const PackLanguage& language) {
    if (language.code == std::string("en")) return {};
    return QDir(shareFolder(language)).entryList({"*.ktx", "*.dat"}, QDir::Files, QDir::Name);
}

QStringList generatedFileNames() { return {"print.dat", "HRCT.dat", "tech.dat", "sgn.dat"}; }

void assemblePack(const QString& folder, const PackLanguage& language) {
    const QDir dir(folder);
    for (const QString& name : packFileNames() + languageFileNames(language)) {
        QFile::remove(dir.filePath(name));
        EXPECT_TRUE(QFile::copy(packPath(name, language), dir.filePath(name))) << name;
    }
    // print.dat exists only in encoded form, and the boards' tables come from the picture
    // generator: the build makes them. A language pack has print.dat of its own.
    for (const QString& name : generatedFileNames()) {
        const QString own = homeFolder(language) + name;
        const QString made = QFile::exists(own) ? own : QStringLiteral(ORBISCA_HOME_DIR "/") + name;
        QFile::remove(dir.filePath(name));
        EXPECT_TRUE(QFile::copy(made, dir.filePath(name))) << "the build has not made " << name;
    }
}

PackWorkingFolder::PackWorkingFolder(const PackLanguage& language) {
    EXPECT_TRUE(dir_.isValid());
    assemblePack(dir_.path(), language);
    data.folder.set(dir_.path());
}

}  // namespace orbisca::packtest
