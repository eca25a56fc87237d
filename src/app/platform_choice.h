// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt platform the program asks for before its QApplication exists.
#pragma once

#include <QByteArray>
#include <optional>

namespace orbisca {

// What the choice depends on, read from the environment and the Qt installation.
struct PlatformEnvironment {
    QByteArray qpaPlatform;     // QT_QPA_PLATFORM: the user's own choice, if any
    QByteArray sessionType;     // XDG_SESSION_TYPE ("wayland", "x11", "tty" ...)
    QByteArray waylandDisplay;  // WAYLAND_DISPLAY
    QByteArray display;         // DISPLAY: set in a Wayland session when XWayland runs
    bool xcbPluginPresent = false;
};

// The platform to force, or nothing to let Qt choose. In a Wayland session a top-level window
// cannot place itself and a masked window is not shaped the way X11 shapes it, so the program
// runs on XWayland ("xcb") there when the X11 plugin is installed and an X display is offered.
// A platform the user set is always kept.
std::optional<QByteArray> platformToForce(const PlatformEnvironment& env);

// The environment of this process and this Qt installation.
PlatformEnvironment currentPlatformEnvironment();

}  // namespace orbisca
