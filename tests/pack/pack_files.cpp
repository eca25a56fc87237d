#include "pack_files.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>
#include <gtest/gtest.h>

#include "calendar/oracle.h"

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

Affirmation affirmationOfKin(const QStringList& base, int kin) {
    const MayanDate p = positionOfKin(kin);
    const OracleInfo o = MakeOracle(p);
    auto L = [&](int n) { return base.value(n); };
    const int secondSignLine = p.tone == 5 ? 270 + p.sign : p.tone == 13 ? 291 + p.sign : 249 + p.sign;
    return {
        L(192) + L(200 + p.tone) + L(400) + L(193) + L(214 + p.sign) + L(401),
        L(235 + p.tone) + " " + L(secondSignLine) + ".",
        L(194) + L(312 + o.signGroup) + " " + L(318 + p.sign),
        L(195) + L(339 + p.tone) + " " + L(196) + L(353 + p.tone) + ".",
        o.guide == p.sign ? L(199) : L(197) + L(367 + o.guide) + ".",
        o.markedKin == 1 ? L(198) : QString(),
    };
}

}  // namespace orbisca::packtest
