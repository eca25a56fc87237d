// SPDX-License-Identifier: GPL-3.0-or-later
// The system tray's icon of today: the day's sign with its tone, a tooltip naming the day and a
// menu to the program's windows. It shows what it is given and says what the user asked for; the
// program decides what that opens.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "calendar/calendar.h"

class QMenu;
class QSystemTrayIcon;

namespace orbisca {

class WorkingFolder;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Its words and pictures come from `folder`.
    explicit TrayIcon(const WorkingFolder& folder, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether the desktop has a tray to dock in.
    static bool desktopHasTray();

    // The day the icon and the tooltip show; `dateText` is its Gregorian date as the settings
    // write it ("" for none). A picture that cannot be read leaves the previous icon.
    void showDay(const MayanDate& day, const QString& dateText);
    void show();
    void hide();
    // The menu's entries read again from the texts (another language).
    void readMenu();

    QSystemTrayIcon& systemIcon() { return *icon_; }
    QMenu& menu() { return *menu_; }
    QString toolTip() const;

signals:
    void compactToggled();  // a left click
    void compactWindowAsked();
    void fullCalendarAsked();
    void printManagerAsked();
    void configurationAsked();
    void aboutAsked();
    void quitAsked();
    void messageClicked();  // the notification shown through the tray was clicked

private:
    const WorkingFolder& folder_;
    void buildMenu();

    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace orbisca
