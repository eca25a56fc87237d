// The names of a day as the text database "BASE.KTX" gives them: its sign, its tone word, its
// colour, its plasma and its moon. The compact window's panel and orbisca-cli show them.
#pragma once

#include <QString>

#include "calendar/calendar.h"

namespace orbisca {

struct DayNames {
    QString sign;    // "Worldbridger"
    QString tone;    // "Self-Existing": the tone word of the form that goes with the sign
    QString colour;  // "White"
    QString plasma;  // "Dali"
    QString moon;    // "Moon of the Rabbit"; on the extra day, the name of that day
};

// The names of a position. Throws FatalError when "BASE.KTX" cannot be read.
DayNames dayNames(const MayanDate& position);

}  // namespace orbisca
