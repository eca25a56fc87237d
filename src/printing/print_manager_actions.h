// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's menu items, shared by its menus, tool bars and pop-up menu.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolBar>
#include <array>

#include "printpage/script_exports.h"

namespace orbisca {

struct PrintManagerActions {
    QAction *easy = nullptr, *creative = nullptr;
    std::array<QAction*, kScriptExports.size()> exports{};  // in the order of kScriptExports
    QAction *load = nullptr, *save = nullptr;
    QAction *previousDay = nullptr, *nextDay = nullptr;
    QAction *show = nullptr, *optimize = nullptr;
    QAction *blackAndWhite = nullptr, *exportAsText = nullptr;
    QAction *autoOptimize = nullptr, *autoBlur = nullptr;
    QAction *blur = nullptr, *increase = nullptr, *decrease = nullptr;
    QAction *zoomIn = nullptr, *zoomOut = nullptr, *screenScale = nullptr;
    QAction *setup = nullptr, *print = nullptr, *printNow = nullptr;
    QAction* saveImage = nullptr;
    QAction* close = nullptr;
    QMenu *modeMenu = nullptr, *scriptMenu = nullptr, *exportMenu = nullptr;
    QMenu *editMenu = nullptr, *printMenu = nullptr;
    QToolBar *exportBar = nullptr, *commandBar = nullptr;

    // True when one of the items has `key` as its shortcut.
    bool hasShortcut(const QKeySequence& key) const;
};

}  // namespace orbisca
