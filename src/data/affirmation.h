// SPDX-License-Identifier: GPL-3.0-or-later
// The six sentences of a day's affirmation, built from lines of "BASE.KTX".
#pragma once

#include <QString>
#include <array>

#include "calendar/calendar.h"
#include "data/day_words.h"

namespace orbisca {

using Affirmation = std::array<QString, 6>;

// The letter-case patterns with which the compact window shows the six sentences.
inline constexpr std::array<const char*, 6> kAffirmationCasePatterns = {
    "Aaaaaaaaaa", "aaaaaaaaa", "Aaaaaaaaaa", "aaaaaaaaaaa", "Aaaaaaaaaaaa", "AaaaaAaaaaaaa"};

// The affirmation of a position: tone, sign, sign group, guide and marked-kin parts joined as the
// compact window and the day views show them (without letter-case shaping).
Affirmation buildAffirmation(const MayanDate& position, const BaseLineReader& line);

// The same, each sentence shaped by its pattern of kAffirmationCasePatterns.
Affirmation shapedAffirmation(const MayanDate& position, const BaseLineReader& line);

}  // namespace orbisca
