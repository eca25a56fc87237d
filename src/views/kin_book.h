// SPDX-License-Identifier: GPL-3.0-or-later
// The kin book page (mode 14): the day with its oracle, its castle and
// wavespell, its vinal, rune and quarter, the izin figure of its week built up line by line over
// the week, the moon of the day and the day's affirmation.
#pragma once

#include <array>

namespace orbisca {

class FullModeFrame;

void paintKinBookPage(FullModeFrame& frame);

// The letter-case patterns of the affirmation's six lines on the page.
inline constexpr std::array<const char*, 6> kIzinAffirmationPatterns = {
    "Aaaaaaaaaaaa", "aaaaaaaaaaaa", "Aaaaaaaaaaaa", "aaaaaaaaaaaa", "Aaaaaaaaaaaa", "AaaaaAaaaaaa"};

}  // namespace orbisca
