// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette.h"

#include <array>

namespace orbisca::assets {

namespace {
const std::array<Family, 4> kFamilies{{
    {QColor(238, 92, 70), QColor(164, 26, 30), QColor(96, 10, 18), QColor(255, 246, 232),
     QColor(232, 64, 52)},
    {QColor(252, 251, 246), QColor(196, 198, 214), QColor(104, 104, 130), QColor(34, 22, 70),
     QColor(244, 244, 238)},
    {QColor(86, 150, 246), QColor(24, 56, 168), QColor(10, 22, 86), QColor(246, 250, 255),
     QColor(76, 128, 240)},
    {QColor(255, 232, 112), QColor(228, 160, 24), QColor(120, 72, 6), QColor(70, 32, 14),
     QColor(250, 212, 56)},
}};
}  // namespace

const Family& familyOf(int index) { return kFamilies[static_cast<size_t>(((index % 4) + 4) % 4)]; }

const Family& signFamily(int sign) {
    const int s = sign == 0 ? 20 : sign;
    return familyOf((s - 1) % 4);
}

// Exported plasma glyphs take colour index plasma + 2, which runs yellow, red, white, blue, ...
const Family& plasmaFamily(int plasma) { return familyOf((plasma + 2) % 4); }

}  // namespace orbisca::assets
