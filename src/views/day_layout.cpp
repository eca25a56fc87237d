// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/day_layout.h"

#include <QFontMetrics>

#include "data/font_table.h"

namespace orbisca {

QStringList toneSignLines(const QString& tone, const QString& sign) {
    const QString line = tone + QStringLiteral(" ") + sign;
    if (QFontMetrics(tableFont(kToneSignFont).font).horizontalAdvance(line) > kToneSignLineWidth)
        return {tone, sign};
    return {line};
}

}  // namespace orbisca
