#include "views/day_names.h"

#include "calendar/oracle.h"
#include "data/text_file.h"

namespace orbisca {

DayNames dayNames(const MayanDate& position) {
    const OracleInfo oracle = MakeOracle(position);
    const auto line = [](int n) { return readDatabaseLine(n, QStringLiteral("BASE.KTX")); };
    // The database holds the colour and tone words twice, in the two forms that the sign's
    // grammatical form asks for.
    const bool firstForm = oracle.signFlag == 1;
    DayNames names;
    names.sign = line(80 + position.sign);
    names.tone = line((firstForm ? 103 : 116) + position.tone);
    names.colour = line((firstForm ? 130 : 134) + oracle.colour);
    names.plasma = line(49 + position.plasma);
    names.moon = position.month > 0 ? line(61) + u' ' + line(150 + position.month) : line(419);
    return names;
}

}  // namespace orbisca
