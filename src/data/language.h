// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the texts: the packs a working folder offers, the one in force, and the signal
// by which every window learns that the texts changed.
//
// English is the folder's own texts. Another language is a pack: a subfolder named by its
// two-letter code ("ru") of the working folder or of the read-only pack behind it, holding a
// BASE.KTX and whatever else differs by language; the other files come from the folder.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

namespace orbisca {

class WorkingFolder;
struct DataState;

inline const QString kEnglish = QStringLiteral("en");

// Told when the texts in force changed (another language): each window reads its captions and
// hints again and repaints, as it does for a new day.
class TextsModel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    void textsChanged();
};

struct LanguagePack {
    QString code;  // "en", "ru"
    QString name;  // the pack's own name for its language, "English", "Русский"
};

// The packs the folder offers: English first, then the others by code. A pack whose name line is
// empty is listed by its code.
std::vector<LanguagePack> languagePacks(const WorkingFolder& folder);
// "en, ru": the codes of the packs, for messages that name them.
QString languageCodes(const std::vector<LanguagePack>& packs);
bool hasLanguagePack(const WorkingFolder& folder, const QString& code);

// The language of the user's locale ("ru" of ru_RU.UTF-8; LANG and LC_ALL decide), "" for the
// "C" locale.
QString localeLanguage();

// The language the state's texts are shown in: the command line's choice, else the setting
// (conf.dat line 16), else the locale's language, each when a pack holds it; else English.
QString languageInForce(const DataState& data);

// The language at start: `chosen` (--lang, checked by the caller against the packs; "" for none)
// and conf.dat's line 16, then applyLanguage().
void startLanguage(DataState& data, const QString& chosen);

// Puts languageInForce() in force in the working folder; when it is another than before, every
// window is told through data.texts. True when it changed.
bool applyLanguage(DataState& data);

}  // namespace orbisca
