// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the desktop composites windows, so that a top-level window may be translucent.
#pragma once

namespace orbisca {

// True on Wayland, and on X11 when a compositing manager holds the screen's "_NET_WM_CM_Sn"
// selection; false on any other platform (offscreen included) or when the answer is unknown.
// Asked once per window, before it is first shown.
bool desktopComposites();

}  // namespace orbisca
