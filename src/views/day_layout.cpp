// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/day_layout.h"

#include <QFontMetrics>

#include "gfx/font_table.h"

namespace orbisca {

QStringList toneSignLines(const FontTable& fonts, const QString& tone, const QString& sign) {
    const QString line = tone + QStringLiteral(" ") + sign;
    if (QFontMetrics(fonts.font(kToneSignFont).font).horizontalAdvance(line) > kToneSignLineWidth)
        return {tone, sign};
    return {line};
}

}  // namespace orbisca
