// SPDX-License-Identifier: GPL-3.0-or-later
// The morning notice: one desktop notification through org.freedesktop.Notifications, whose click
// is reported back.
#pragma once

#include <QObject>
#include <QString>

namespace orbisca {

class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    // Sends one notification; false when no notification service answers on the session bus.
    bool notify(const QString& summary, const QString& body);

signals:
    void clicked();  // the last notification sent was clicked (its default action)

private slots:
    void onActionInvoked(uint id, const QString& action);

private:
    uint lastId_ = 0;
};

}  // namespace orbisca
