// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/sgn_table.h"

#include <QRegularExpression>

#include "data/data_error.h"
#include "data/text_file.h"

namespace orbisca {

namespace {

const QString kSgnFile = QStringLiteral("sgn.dat");

[[noreturn]] void fail(int lineIndex, const QString& what) {
    throw DataFileError(
        QStringLiteral("%1 line %2: %3").arg(kSgnFile).arg(lineIndex + 1).arg(what));
}

QString checkedGlyphs(const QString& line, int index) {
    for (QChar c : line)
        if (c.category() == QChar::Other_Control)
            fail(index, QStringLiteral("the letters of figure %1 hold the control character U+%2")
                            .arg(index)
                            .arg(c.unicode(), 4, 16, QLatin1Char('0')));
    return line;
}

// Three whole numbers 0..255 between any blanks or tabs.
SgnColour checkedColour(const QString& line, int index) {
    static const QRegularExpression kThreeNumbers(
        QStringLiteral("^[ \\t]*([0-9]{1,3})[ \\t]+([0-9]{1,3})[ \\t]+([0-9]{1,3})[ \\t]*$"));
    const QRegularExpressionMatch match = kThreeNumbers.match(line);
    int value[3] = {0, 0, 0};
    bool ok = match.hasMatch();
    for (int i = 0; ok && i < 3; ++i) {
        value[i] = match.captured(i + 1).toInt();
        ok = value[i] <= 255;
    }
    if (!ok)
        fail(index, QStringLiteral("the colour \"%1\" is not three whole numbers 0..255 (red, "
                                   "green and blue)")
                        .arg(line));
    return {value[0], value[1], value[2]};
}

}  // namespace

QString SgnColour::scriptText() const {
    return QStringLiteral(" %1 %2 %3 ").arg(red).arg(green).arg(blue);
}

SgnTable parseSgnTable(const QStringList& lines) {
    if (lines.size() < kSgnLines)
        throw DataFileError(
            QStringLiteral("%1: %2 lines; %3 are needed (the letters of %4 figures, then %5 "
                           "colours)")
                .arg(kSgnFile)
                .arg(lines.size())
                .arg(kSgnLines)
                .arg(kSgnFigures)
                .arg(kSgnColourGroups));
    SgnTable table;
    for (int m = 0; m < kSgnFigures; ++m)
        table.glyphs[static_cast<std::size_t>(m)] = checkedGlyphs(lines[m], m);
    for (int g = 0; g < kSgnColourGroups; ++g)
        table.colours[static_cast<std::size_t>(g)] =
            checkedColour(lines[kSgnFigures + g], kSgnFigures + g);
    return table;
}

SgnTable loadSgnTable(const WorkingFolder& folder) {
    return parseSgnTable(requireTextLines(folder, kSgnFile));
}

QStringList sgnTableLines(const SgnTable& table) {
    QStringList lines(table.glyphs.begin(), table.glyphs.end());
    for (const SgnColour& c : table.colours) lines << c.scriptText().trimmed();
    return lines;
}

}  // namespace orbisca
