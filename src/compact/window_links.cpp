#include "compact/window_links.h"

namespace orbisca {

WindowLinks& windowLinks() {
    static WindowLinks links;
    return links;
}

void resetWindowLinks() { windowLinks() = WindowLinks{}; }

}  // namespace orbisca
