// SPDX-License-Identifier: GPL-3.0-or-later
// The izin page (mode 14), the page of the kin book: the day with its oracle, its castle and
// wavespell, its vinal, rune and quarter, the izin figure of its week built up line by line over
// the week, the moon of the day and the day's affirmation.
#pragma once

namespace orbisca {

class FullModeFrame;

void paintKinBookPage(FullModeFrame& frame);

}  // namespace orbisca
