// The six sentences of a day's affirmation, built from lines of "BASE.KTX".
#pragma once

#include <QString>
#include <array>

#include "calendar/calendar.h"

namespace orbisca {

using Affirmation = std::array<QString, 6>;

// The affirmation of a position: tone, sign, sign group, guide and marked-kin parts joined as the
// compact window and the day views show them (without letter-case shaping).
Affirmation buildAffirmation(const MayanDate& position);

}  // namespace orbisca
