// SPDX-License-Identifier: GPL-3.0-or-later
// A working folder in another language, as the build assembles it: the files of the language
// pack (build/home/<language>/) laid over the English ones.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca::testing {

// The languages whose packs the build assembles; "en" is the working folder itself.
inline const char* const kPackLanguages[] = {"en", "ru"};
// Names a test parameterised by kPackLanguages after its language.
inline std::string packLanguageName(const ::testing::TestParamInfo<const char*>& language) {
    return language.param;
}

// Copies the language pack over the files of `folder`; "en" leaves it as it is. Returns false
// when the build has not made the pack.
inline bool overlayLanguagePack(const WorkingFolder& folder, const QString& language) {
    if (language == QStringLiteral("en")) return true;
    const QDir pack(QStringLiteral(ORBISCA_HOME_DIR "/") + language);
    const QStringList names = pack.entryList(QDir::Files);
    for (const QString& name : names) {
        const QString target = QDir(folder.path()).filePath(name);
        QFile::remove(target);
        if (!QFile::copy(pack.filePath(name), target)) return false;
    }
    clearTextCache(folder);
    return !names.isEmpty();
}

}  // namespace orbisca::testing
