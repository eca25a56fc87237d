// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/settings_report.h"

namespace orbisca {

namespace {

QString yesNo(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }

}  // namespace

QStringList settingsReport(const Settings& s) {
    auto line = [](const char* name, const QString& value) {
        return QString::fromLatin1(name) + u':' + value;
    };
    auto number = [](long long value) { return QString::number(value); };
    return {
        line("_Yshine", yesNo(s.yearShine)),
        line("_Yline", yesNo(s.yearLine)),
        line("_Yfigure", yesNo(s.yearDayIcon)),
        line("_Sfigure", yesNo(s.castleDayIcon)),
        line("_SFX", yesNo(s.useTransition)),
        line("_spconst", number(s.fadeSteps())),
        line("_Swapbtn", yesNo(s.swapDayKeys)),
        line("_sfont", s.glyphFont),
        line("helppages", number(s.helpPages)),
        line("greg_izin", yesNo(s.gregorianOnKinBook)),
        line("greg_day", yesNo(s.gregorianOnDay)),
        line("greg_views", yesNo(s.gregorianInViews)),
        line("three_turtles", yesNo(s.threeTurtles)),
        line("showgreg", yesNo(s.showsGregorian())),
        line("datefmt", number(s.dateLayout())),
        line("moon_flag", yesNo(!s.southernMoon())),
    };
}

}  // namespace orbisca
