// SPDX-License-Identifier: GPL-3.0-or-later
// Orbisca's small files outside its settings: the desktop's autostart entry, and the day of the
// last morning notice.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace orbisca {

// The user's autostart entry ($XDG_CONFIG_HOME/autostart/org.orbisca.Orbisca.desktop, usually
// under ~/.config), as the desktop's autostart rules place it.
QString autostartEntryPath();

// The entry that starts Orbisca in the tray when the user logs in.
QByteArray autostartEntryContent();

// Writes the entry at `path` (on) or removes it (off). The installed program puts no entry in the
// system's autostart folder, so removing the user's entry is enough to stop the start. False,
// with the reason in `error`, when the file cannot be written or removed.
bool setStartWithDesktop(const QString& path, bool on, QString* error = nullptr);
bool startsWithDesktop(const QString& path);

// "notice.dat" in the working folder holds the day of the last morning notice (YYYY-MM-DD), so
// that there is at most one a day, whatever the number of starts.
inline constexpr char kNoticeFileName[] = "notice.dat";
bool newDayNoticeDue(const QString& path, const QDate& today);
bool rememberNewDayNotice(const QString& path, const QDate& today, QString* error = nullptr);

}  // namespace orbisca
