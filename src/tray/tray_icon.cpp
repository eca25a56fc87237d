// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/tray_icon.h"

#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "data/day_words.h"
#include "data/text_file.h"
#include "gfx/image_io.h"
#include "views/tray_picture.h"
#include "views/view_places.h"

namespace orbisca {

namespace {

// The sizes panels ask for, and twice them for HiDPI panels.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 96};

}  // namespace

TrayIcon::TrayIcon(const WorkingFolder& folder, QObject* parent)
    : QObject(parent),
      folder_(folder),
      menu_(std::make_unique<QMenu>()),
      icon_(std::make_unique<QSystemTrayIcon>()) {
    buildMenu();
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) emit compactToggled();
            });
    connect(icon_.get(), &QSystemTrayIcon::messageClicked, this, &TrayIcon::messageClicked);
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::desktopHasTray() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TrayIcon::buildMenu() {
    namespace line = base_line;
    menu_->addAction(baseLine(folder_, line::kTrayCompactWindow), this,
                     &TrayIcon::compactWindowAsked);
    menu_->addAction(baseLine(folder_, line::kTrayFullCalendar), this,
                     &TrayIcon::fullCalendarAsked);
    menu_->addAction(baseLine(folder_, line::kTrayPrintManager), this,
                     &TrayIcon::printManagerAsked);
    menu_->addAction(baseLine(folder_, line::kTrayConfiguration), this,
                     &TrayIcon::configurationAsked);
    menu_->addSeparator();
    menu_->addAction(baseLine(folder_, line::kAboutTitle), this, &TrayIcon::aboutAsked);
    menu_->addAction(baseLine(folder_, line::kTrayQuit), this, &TrayIcon::quitAsked);
}

void TrayIcon::readMenu() {
    menu_->clear();
    buildMenu();
}

void TrayIcon::showDay(const MayanDate& day, const QString& dateText) {
    try {
        QIcon icon;
        for (const int size : kIconSizes)
            icon.addPixmap(QPixmap::fromImage(trayIconPicture(folder_, day, size)));
        icon_->setIcon(icon);
    } catch (const gfx::ImageError&) {
        // The icon of the day before stays; the tooltip still names the new day.
    }
    icon_->setToolTip(trayToolTip(day, dateText, readBaseLineEachTime(folder_)));
}

void TrayIcon::show() { icon_->show(); }
void TrayIcon::hide() { icon_->hide(); }
QString TrayIcon::toolTip() const { return icon_->toolTip(); }

}  // namespace orbisca
