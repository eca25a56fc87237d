// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/day_words.h"

#include <memory>
#include <optional>

#include "data/text_case.h"
#include "data/text_file.h"

namespace orbisca {

QString baseLine(const WorkingFolder& folder, int line) {
    return readDatabaseLine(folder, line, QStringLiteral("BASE.KTX"));
}

BaseLineReader readBaseLineEachTime(const WorkingFolder& folder) {
    return [&folder](int line) { return baseLine(folder, line); };
}

BaseLineReader baseLinesFrom(QStringList lines) {
    auto shared = std::make_shared<const QStringList>(std::move(lines));
    return [shared](int line) {
        return line >= 0 && line < shared->size() ? shared->at(line) : QString();
    };
}

namespace {

// The word of line `first + index - 1` when the pack gives the seal of `oracle` a third form and
// that line holds it; else nothing.
std::optional<QString> thirdFormWord(const OracleInfo& oracle, const BaseLineReader& line,
                                     int first, int index) {
    const QString seals = line(base_line::kThirdFormSeals);
    if (seals.isEmpty()) return std::nullopt;
    const QString sign = QString::number(oracle.sign);
    if (!seals.split(u' ', Qt::SkipEmptyParts).contains(sign)) return std::nullopt;
    QString word = line(first + index - 1);
    if (word.isEmpty()) return std::nullopt;
    return word;
}

}  // namespace

QString colourWord(const OracleInfo& oracle, const BaseLineReader& line) {
    if (auto word = thirdFormWord(oracle, line, base_line::kThirdFormColourFirst, oracle.colour))
        return *word;
    return line((oracle.signFlag == 1 ? 130 : 134) + oracle.colour);
}

QString toneWord(const OracleInfo& oracle, const BaseLineReader& line) {
    if (auto word = thirdFormWord(oracle, line, base_line::kThirdFormToneFirst, oracle.tone))
        return *word;
    return line((oracle.signFlag == 1 ? 103 : 116) + oracle.tone);
}

QString moonTitle(int month, const BaseLineReader& line) {
    return line(moonNameLine(month)) + line(base_line::kMoonTitleEnding);
}

DayNames dayNames(const MayanDate& position, const BaseLineReader& line) {
    const OracleInfo oracle = makeOracle(position);
    DayNames names;
    names.sign = line(signNameLine(position.sign));
    names.tone = toneWord(oracle, line);
    names.colour = colourWord(oracle, line);
    names.plasma = line(plasmaNameLine(position.plasma));
    names.moon = position.month > 0
                     ? line(base_line::kMoonLabel) + u' ' + line(moonSecondNameLine(position.month))
                     : line(base_line::kExtraDay);
    return names;
}

DayCaptions dayCaptions(const MayanDate& m, const BaseLineReader& line) {
    const OracleInfo oracle = makeOracle(m);
    const QString blank = QStringLiteral(" ");
    DayCaptions c;
    if (m.month > 0) {
        c.moonTitle = moonTitle(m.month, line);
        c.moonName = line(base_line::kMoonLabel) + blank + line(moonSecondNameLine(m.month));
        c.dayOfMoon = line(base_line::kDayLabel) + blank + QString::number(m.monthDay);
    }
    c.extraDay = line(base_line::kExtraDay);
    c.plasmaLabel = applyCasePattern(line(base_line::kPlasmaLabel) + ":", "AB");
    c.plasmaName = applyCasePattern(line(plasmaNameLine(m.plasma)), "AB");
    c.colourLine = line(base_line::kColourLabel) + blank + colourWord(oracle, line);
    c.tone = toneWord(oracle, line);
    c.sign = line(signNameLine(m.sign));
    c.longSign = applyCasePattern(
        line(base_line::kLongSignLabel) + ": " + line(longSignNameLine(m.sign)), "AB");
    c.kinLine = applyCasePattern(line(base_line::kKinLabel) + ": " + QString::number(m.kin), "Aa");
    c.toneLine =
        applyCasePattern(line(base_line::kToneLabel) + ": " + QString::number(m.tone), "Aa");
    c.phaseOf = applyCasePattern(line(base_line::kPhaseOfLabel), "Aaa");
    c.theMoon = applyCasePattern(line(base_line::kTheMoonLabel), "aaa");
    return c;
}

}  // namespace orbisca
