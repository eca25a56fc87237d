// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/desktop_compositing.h"

#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace orbisca {
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// The screen number of DISPLAY (":0.1" -> 1); 0 when it names none.
int displayScreen() {
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const int colon = display.lastIndexOf(':');
    if (dot <= colon) return 0;
    bool ok = false;
    const int screen = display.mid(dot + 1).toInt(&ok);
    return ok && screen >= 0 ? screen : 0;
}

bool x11Composites(xcb_connection_t* connection) {
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(displayScreen());
    // Only if the atom exists: without it no compositing manager has ever run on this server.
    const ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, std::uint16_t(name.size()), name.constData()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return false;
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner && owner->owner != XCB_NONE;
}

}  // namespace

bool desktopComposites() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return true;
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->connection() && x11Composites(x11->connection());
}

}  // namespace orbisca
