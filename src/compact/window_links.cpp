// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/window_links.h"

namespace orbisca {

WindowLinks& windowLinks() {
    static WindowLinks links;
    return links;
}

void resetWindowLinks() { windowLinks() = WindowLinks{}; }

}  // namespace orbisca
