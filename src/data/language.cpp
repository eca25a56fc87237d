// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/language.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

#include "data/data_state.h"
#include "data/day_words.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {

// The name line of the BASE.KTX at `path`; "" when it cannot be read.
QString packName(const QString& path) {
    const std::optional<QByteArray> bytes = readRegularFile(path, path);
    if (!bytes) return QString();
    const std::optional<DecodedText> text = decodeTextFile(*bytes);
    return text ? splitTextLines(text->text).value(base_line::kLanguageName) : QString();
}

// The BASE.KTX (in any letter case) directly in `folder`, or "".
QString baseFileIn(const QString& folder) {
    const QStringList found = QDir(folder).entryList({QStringLiteral("BASE.KTX")}, QDir::Files);
    return found.isEmpty() ? QString() : folder + u'/' + found.first();
}

const QRegularExpression& twoLetterCode() {
    static const QRegularExpression code(QStringLiteral("^[a-z]{2}$"));
    return code;
}

}  // namespace

std::vector<LanguagePack> languagePacks(const WorkingFolder& folder) {
    const WorkingFolder english(folder.path(), folder.pack());
    const QString englishName = packName(english.resolve(QStringLiteral("BASE.KTX")));
    std::vector<LanguagePack> packs{
        {kEnglish, englishName.isEmpty() ? QStringLiteral("English") : englishName}};
    // The user's folder first: its pack of a language stands before the installed one.
    for (const QString& root : {folder.path(), folder.pack()}) {
        if (root.isEmpty()) continue;
        for (const QString& code : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (!twoLetterCode().match(code).hasMatch() || code == kEnglish) continue;
            const auto known = std::find_if(packs.begin(), packs.end(),
                                            [&](const LanguagePack& p) { return p.code == code; });
            if (known != packs.end()) continue;
            const QString base = baseFileIn(root + u'/' + code);
            if (base.isEmpty()) continue;
            const QString name = packName(base);
            packs.push_back({code, name.isEmpty() ? code : name});
        }
    }
    std::sort(packs.begin() + 1, packs.end(),
              [](const LanguagePack& a, const LanguagePack& b) { return a.code < b.code; });
    return packs;
}

QString languageCodes(const std::vector<LanguagePack>& packs) {
    QStringList codes;
    for (const LanguagePack& pack : packs) codes << pack.code;
    return codes.join(QStringLiteral(", "));
}

bool hasLanguagePack(const WorkingFolder& folder, const QString& code) {
    if (code == kEnglish) return true;
    // Only a code names a pack: no path ("../x") leads out of the folders.
    if (!twoLetterCode().match(code).hasMatch()) return false;
    for (const QString& root : {folder.path(), folder.pack()})
        if (!root.isEmpty() && QFileInfo(root + u'/' + code).isDir() &&
            !baseFileIn(root + u'/' + code).isEmpty())
            return true;
    return false;
}

QString localeLanguage() {
    const QLocale locale = QLocale::system();
    return locale.language() == QLocale::C ? QString() : QLocale::languageToCode(locale.language());
}

QString languageInForce(const DataState& data) {
    for (const QString& code : {data.commandLineLanguage, data.settings.language, localeLanguage()})
        if (hasLanguagePack(data.folder, code)) return code;
    return kEnglish;
}

void startLanguage(DataState& data, const QString& chosen) {
    data.commandLineLanguage = chosen;
    if (const std::optional<QString> setting = confLanguage(data.folder))
        data.settings.language = *setting;
    applyLanguage(data);
}

bool applyLanguage(DataState& data) {
    const QString code = languageInForce(data);
    if (data.folder.language() == (code == kEnglish ? QString() : code)) return false;
    data.folder.setLanguage(code);
    emit data.texts.textsChanged();
    return true;
}

}  // namespace orbisca
