// SPDX-License-Identifier: GPL-3.0-or-later
// The settings in force as the program uses them, one "name:value" a line: the names the error log
// prints them under, Y/N for switches, decimal numbers, the derived values (the fade steps, the
// date layout, whether dates and the northern moon are shown) as the windows take them.
#pragma once

#include <QStringList>

#include "data/conf_file.h"

namespace orbisca {

QStringList settingsReport(const Settings& settings);

}  // namespace orbisca
