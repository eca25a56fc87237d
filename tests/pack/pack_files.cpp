#include "pack_files.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>
#include <gtest/gtest.h>

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

}  // namespace orbisca::packtest
