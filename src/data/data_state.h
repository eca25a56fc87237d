// SPDX-License-Identifier: GPL-3.0-or-later
// The data layer's share of the program's state: the settings in force, the current day, the
// working folder with its texts, the messages, the error log and the board's help fields. The
// program state made in main (or in a test) holds one and lends it to whatever reads or writes
// the folder's files; two of them in one process share nothing.
#pragma once

#include <QString>
#include <functional>

#include "data/conf_file.h"
#include "data/day_model.h"
#include "data/error_log.h"
#include "data/help_rects.h"
#include "data/language.h"
#include "data/notifier.h"
#include "data/start_phases.h"
#include "data/working_folder.h"

namespace orbisca {

struct DataState {
    Settings settings;
    DayModel day;
    WorkingFolder folder;
    Notifier notifier;
    ErrorLogState errorLog;
    HelpRectsState helpRects;
    // The language of the texts; the one in force is the folder's (applyLanguage()).
    TextsModel texts;
    QString commandLineLanguage;  // --lang: stands before the setting until one is saved
    // What the reading of conf.dat and the launch counter have said, so as not to say it again.
    ConfReadMemory confRead;
    bool launchCountRefusalSaid = false;
    // The start has read conf.dat a moment before the compact window first shows: that showing
    // takes the settings as they are instead of reading the file again.
    bool settingsJustRead = false;
    // Runs between the complete write of a settings file and the rename that puts it in place;
    // tests end the process there to see that a save cut short leaves the old file whole.
    BeforeRename beforeRename;
    // When each phase of the start ended (recorded only for --report-start-time --verbose).
    StartPhases startPhases;
};

}  // namespace orbisca
