// SPDX-License-Identifier: GPL-3.0-or-later
// The closed forms against the day-by-day walk for every date from the year -4000 to 6000.
#include <gtest/gtest.h>

#include "calendar/calendar.h"

using namespace orbisca;

namespace {

// The walk counts no moon (the phase comes from the sky and is tested on its own): every other
// field is compared.
MayanDate withoutMoon(MayanDate m) {
    m.moonPhase = 0;
    return m;
}

void expectSame(const PositionWalk& walk, LunationCache& lunation) {
    const GregorianDate& d = walk.cursor();
    const MayanDate expected = walk.position();
    const MayanDate actual = withoutMoon(gregorianToMayan(d, lunation));
    ASSERT_EQ(actual, expected) << describeDate(d) << ": kin " << actual.kin << " vs "
                                << expected.kin << ", month " << int(actual.month) << "/"
                                << actual.monthDay << " vs " << int(expected.month) << "/"
                                << expected.monthDay;
    // 29 February shares 28 February's position.
    if (d.month == 2 && d.day == 28) {
        ASSERT_EQ(withoutMoon(gregorianToMayan({29, 2, 0, d.year}, lunation)), expected) << d.year;
    }
}

TEST(WalkEquivalence, ForwardToTheYear6000AndBackwardToTheYearMinus4000) {
    for (const bool forward : {true, false}) {
        PositionWalk walk;
        LunationCache lunation;
        expectSame(walk, lunation);
        long long steps = 0;
        while (forward ? walk.cursor().year < 6000 : walk.cursor().year > -4000) {
            forward ? walk.stepForward() : walk.stepBackward();
            ++steps;
            expectSame(walk, lunation);
            if (HasFatalFailure()) return;
        }
        EXPECT_GT(steps, 365LL * (forward ? 3998 : 6000));
    }
}

}  // namespace
