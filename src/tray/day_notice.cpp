// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/day_notice.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

namespace orbisca {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

}  // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {
    QDBusConnection::sessionBus().connect(kService, kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(onActionInvoked(uint, QString)));
}

bool DesktopNotifier::notify(const QString& summary, const QString& body) {
    QDBusInterface notifications(kService, kPath, kService, QDBusConnection::sessionBus());
    if (!notifications.isValid()) return false;
    // "default" is the action of a click on the notification itself.
    const QStringList actions = {QStringLiteral("default"), summary};
    const QDBusReply<uint> reply = notifications.call(
        QStringLiteral("Notify"), QStringLiteral("Orbisca"), uint(0),
        QStringLiteral(ORBISCA_APP_ID), summary, body, actions, QVariantMap(), int(-1));
    if (!reply.isValid()) return false;
    lastId_ = reply.value();
    return true;
}

void DesktopNotifier::onActionInvoked(uint id, const QString& action) {
    if (id == lastId_ && action == QStringLiteral("default")) emit clicked();
}

}  // namespace orbisca
