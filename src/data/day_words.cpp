#include "data/day_words.h"

#include <memory>

#include "data/text_file.h"

namespace orbisca {

BaseLineReader readBaseLineEachTime() {
    return [](int line) { return readtext(line, QStringLiteral("BASE.KTX")); };
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

}  // namespace orbisca
