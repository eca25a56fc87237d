// SPDX-License-Identifier: GPL-3.0-or-later
// No text of the pack holds a template placeholder that its generator left unfilled: braces, or
// a printf-style (%s, %5d) or numbered (%1) argument.
#include <QRegularExpression>

#include "pack_files.h"

namespace orbisca::packtest {
namespace {

// Every text file the working folder gets: share/ and its language packs as committed (the
// donation details in their text form included) and the tables the build makes; binary tables
// (holding NUL bytes) have no text to check.
QStringList textFilePaths() {
    QStringList paths;
    for (const PackLanguage& language : packLanguages()) {
        const QDir share = QFileInfo(packPath("BASE.KTX", language)).dir();
        for (const QString& name : share.entryList(QDir::Files, QDir::Name))
            if (name != QStringLiteral("README.md") && name != QStringLiteral("CMakeLists.txt"))
                paths << share.filePath(name);
    }
    for (const QString& name : generatedFileNames()) paths << ORBISCA_HOME_DIR "/" + name;
    return paths;
}

TEST(PackTexts, HoldNoTemplatePlaceholder) {
    const QRegularExpression placeholder(
        QStringLiteral(R"([{}]|%[-+#0]*\d*(\.\d+)?(l|ll|h)?[sdiufxXcgeEp]|%\d)"));
    int checked = 0;
    for (const QString& path : textFilePaths()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        if (bytes.contains('\0')) continue;
        ++checked;
        const QStringList lines = decodeText(bytes).split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QRegularExpressionMatch found = placeholder.match(lines[i]);
            EXPECT_FALSE(found.hasMatch())
                << QFileInfo(path).fileName().toStdString() << " line " << i + 1 << ": \""
                << found.captured().toStdString() << "\" in " << lines[i].toStdString();
        }
    }
    EXPECT_GE(checked, 15);  // the texts, tables and settings files were all found
}

}  // namespace
}  // namespace orbisca::packtest
