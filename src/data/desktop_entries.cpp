// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/desktop_entries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "data/atomic_file.h"

namespace orbisca {

QString autostartEntryPath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/autostart/") + QStringLiteral(ORBISCA_APP_ID) +
           QStringLiteral(".desktop");
}

QByteArray autostartEntryContent() {
    return QByteArrayLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Orbisca\n"
        "Comment=Today's kin in the system tray\n"
        "Exec=orbisca --tray\n"
        "Icon=" ORBISCA_APP_ID
        "\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n");
}

bool setStartWithDesktop(const QString& path, bool on, QString* error) {
    if (on) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            if (error) *error = QStringLiteral("cannot make the folder of %1").arg(path);
            return false;
        }
        return writeFileAtomically(path, autostartEntryContent(), error);
    }
    QFile entry(path);
    if (!entry.exists() || entry.remove()) return true;
    if (error) *error = QStringLiteral("cannot remove %1: %2").arg(path, entry.errorString());
    return false;
}

bool startsWithDesktop(const QString& path) { return QFileInfo(path).isFile(); }

namespace {

QDate lastNoticeDay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QDate::fromString(QString::fromLatin1(file.read(64).trimmed()), Qt::ISODate);
}

}  // namespace

bool newDayNoticeDue(const QString& path, const QDate& today) {
    return lastNoticeDay(path) != today;
}

bool rememberNewDayNotice(const QString& path, const QDate& today, QString* error) {
    return writeFileAtomically(path, today.toString(Qt::ISODate).toLatin1() + '\n', error);
}

}  // namespace orbisca
