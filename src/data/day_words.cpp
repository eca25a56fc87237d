#include "data/day_words.h"

#include <memory>

#include "data/text_file.h"

namespace orbisca {

BaseLineReader readBaseLineEachTime() {
    return [](int line) { return readDatabaseLine(line, QStringLiteral("BASE.KTX")); };
}

BaseLineReader baseLinesFrom(QStringList lines) {
    auto shared = std::make_shared<const QStringList>(std::move(lines));
    return [shared](int line) {
        return line >= 0 && line < shared->size() ? shared->at(line) : QString();
    };
}

QString colourWord(const OracleInfo& oracle, const BaseLineReader& line) {
    return line((oracle.signFlag == 1 ? 130 : 134) + oracle.colour);
}

QString toneWord(const OracleInfo& oracle, const BaseLineReader& line) {
    return line((oracle.signFlag == 1 ? 103 : 116) + oracle.tone);
}

QString moonTitle(int month, const BaseLineReader& line) {
    return line(moonNameLine(month)) + line(base_line::kMoonTitleEnding);
}

DayNames dayNames(const MayanDate& position, const BaseLineReader& line) {
    const OracleInfo oracle = MakeOracle(position);
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

}  // namespace orbisca
