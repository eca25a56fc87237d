// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform_choice.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QtGlobal>

namespace orbisca {

std::optional<QByteArray> platformToForce(const PlatformEnvironment& env) {
    if (!env.qpaPlatform.isEmpty()) return std::nullopt;
    const bool waylandSession = env.sessionType.compare("wayland", Qt::CaseInsensitive) == 0 ||
                                !env.waylandDisplay.isEmpty();
    if (!waylandSession || env.display.isEmpty() || !env.xcbPluginPresent) return std::nullopt;
    return QByteArrayLiteral("xcb");
}

PlatformEnvironment currentPlatformEnvironment() {
    PlatformEnvironment env;
    env.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    env.sessionType = qgetenv("XDG_SESSION_TYPE");
    env.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    env.display = qgetenv("DISPLAY");
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    env.xcbPluginPresent = QFileInfo::exists(plugins + QStringLiteral("/platforms/libqxcb.so"));
    return env;
}

}  // namespace orbisca
