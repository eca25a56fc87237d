// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/affirmation.h"

#include "calendar/oracle.h"
#include "data/text_case.h"

namespace orbisca {

Affirmation buildAffirmation(const MayanDate& position, const BaseLineReader& L) {
    const OracleInfo oracle = makeOracle(position);
    const int tone = position.tone;
    const int sign = position.sign;
    const int secondSignLine = tone == 5 ? 270 + sign : tone == 13 ? 291 + sign : 249 + sign;
    return {
        L(192) + L(200 + tone) + L(400) + L(193) + L(214 + sign) + L(401),
        L(235 + tone) + " " + L(secondSignLine) + ".",
        L(194) + L(312 + oracle.signGroup) + " " + L(318 + sign),
        L(195) + L(339 + tone) + " " + L(196) + L(353 + tone) + ".",
        oracle.guide == sign ? L(199) : L(197) + L(367 + oracle.guide) + ".",
        oracle.markedKin == 1 ? L(198) : QString(),
    };
}

Affirmation shapedAffirmation(const MayanDate& position, const BaseLineReader& line) {
    Affirmation lines = buildAffirmation(position, line);
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = applyCasePattern(lines[i], kAffirmationCasePatterns[i]);
    return lines;
}

}  // namespace orbisca
