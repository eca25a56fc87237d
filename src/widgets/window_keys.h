// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a window with the keyboard, and handing the keyboard back when a dialog or message
// closes. A window manager usually does both; without one (a bare X server, a kiosk session) a
// window shown or returned to would otherwise get no keys until it is clicked.
#pragma once

class QWidget;

namespace orbisca {

// Shows the window, raises it and makes it the active window.
void showWithKeys(QWidget& window);

// Makes the window that holds `widget` active again, when it is still shown.
void giveKeysBack(QWidget* widget);

}  // namespace orbisca
