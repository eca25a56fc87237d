// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_keys.h"

#include <QWidget>

namespace orbisca {

void showWithKeys(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

void giveKeysBack(QWidget* widget) {
    if (widget && widget->isVisible()) widget->window()->activateWindow();
}

}  // namespace orbisca
