// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/affirmation.h"

#include "calendar/oracle.h"
#include "data/text_case.h"

namespace orbisca {

Affirmation buildAffirmation(const MayanDate& position, const BaseLineReader& line) {
    const OracleInfo oracle = makeOracle(position);
    const int tone = position.tone;
    const int sign = position.sign;
    const int secondSignLine = tone == 5 ? 270 + sign : tone == 13 ? 291 + sign : 249 + sign;
    return {
        line(192) + line(200 + tone) + line(400) + line(193) + line(214 + sign) + line(401),
        line(235 + tone) + " " + line(secondSignLine) + ".",
        line(194) + line(312 + oracle.signGroup) + " " + line(318 + sign),
        line(195) + line(339 + tone) + " " + line(196) + line(353 + tone) + ".",
        oracle.guide == sign ? line(199) : line(197) + line(367 + oracle.guide) + ".",
        oracle.markedKin == 1 ? line(198) : QString(),
    };
}

Affirmation shapedAffirmation(const MayanDate& position, const BaseLineReader& line) {
    Affirmation lines = buildAffirmation(position, line);
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = applyCasePattern(lines[i], kAffirmationCasePatterns[i]);
    return lines;
}

}  // namespace orbisca
