// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform_choice.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orbisca;

// A Wayland session runs on XWayland only when it can; the user's own choice and other sessions
// are left to Qt.
TEST(PlatformChoice, WaylandSessionRunsOnXWaylandOnlyWhenItCan) {
    PlatformEnvironment xWayland;
    xWayland.sessionType = "wayland";
    xWayland.waylandDisplay = "wayland-0";
    xWayland.display = ":0";
    xWayland.xcbPluginPresent = true;
    using Change = std::function<void(PlatformEnvironment&)>;
    const std::pair<Change, std::optional<QByteArray>> cases[] = {
        {[](PlatformEnvironment&) {}, "xcb"},
        // started from a shell that lost XDG_SESSION_TYPE
        {[](PlatformEnvironment& e) { e.sessionType.clear(); }, "xcb"},
        {[](PlatformEnvironment& e) { e.display.clear(); }, std::nullopt},
        {[](PlatformEnvironment& e) { e.xcbPluginPresent = false; }, std::nullopt},
        {[](PlatformEnvironment& e) { e.qpaPlatform = "wayland"; }, std::nullopt},
        {[](PlatformEnvironment& e) { e.sessionType = "x11", e.waylandDisplay.clear(); },
         std::nullopt},
        {[](PlatformEnvironment& e) { e = PlatformEnvironment(), e.sessionType = "tty"; },
         std::nullopt}};
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        PlatformEnvironment env = xWayland;
        cases[n].first(env);
        EXPECT_EQ(platformToForce(env), cases[n].second) << "case " << n;
    }
}
