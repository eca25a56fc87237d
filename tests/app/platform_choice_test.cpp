// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform_choice.h"

#include <gtest/gtest.h>

using namespace orbisca;

namespace {

PlatformEnvironment waylandWithXWayland() {
    PlatformEnvironment env;
    env.sessionType = "wayland";
    env.waylandDisplay = "wayland-0";
    env.display = ":0";
    env.xcbPluginPresent = true;
    return env;
}

}  // namespace

TEST(PlatformChoice, WaylandSessionRunsOnXWaylandOnlyWhenItCan) {
    EXPECT_EQ(platformToForce(waylandWithXWayland()), QByteArray("xcb"));

    PlatformEnvironment onlyDisplayVariable = waylandWithXWayland();
    onlyDisplayVariable.sessionType.clear();  // started from a shell that lost XDG_SESSION_TYPE
    EXPECT_EQ(platformToForce(onlyDisplayVariable), QByteArray("xcb"));

    PlatformEnvironment noXWayland = waylandWithXWayland();
    noXWayland.display.clear();
    EXPECT_EQ(platformToForce(noXWayland), std::nullopt);

    PlatformEnvironment noPlugin = waylandWithXWayland();
    noPlugin.xcbPluginPresent = false;
    EXPECT_EQ(platformToForce(noPlugin), std::nullopt);
}

TEST(PlatformChoice, UsersChoiceAndOtherSessionsAreLeftToQt) {
    PlatformEnvironment userChose = waylandWithXWayland();
    userChose.qpaPlatform = "wayland";
    EXPECT_EQ(platformToForce(userChose), std::nullopt);

    PlatformEnvironment x11;
    x11.sessionType = "x11";
    x11.display = ":0";
    x11.xcbPluginPresent = true;
    EXPECT_EQ(platformToForce(x11), std::nullopt);

    PlatformEnvironment console;
    console.sessionType = "tty";
    EXPECT_EQ(platformToForce(console), std::nullopt);
}
