// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks that draw from the assembled working folder: an offscreen application, the
// folder, its fonts and settings, and the worked date, set up once per process.
#pragma once

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>

#include "calendar/calendar_state.h"
#include "data/conf_file.h"
#include "gfx/font_table.h"
#include "data/working_folder.h"

namespace orbisca::bench {

// False (and the benchmark skipped) when the pictures are not built yet.
inline bool preparePackHome(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    if (!QDir(QStringLiteral(ORBISCA_HOME_DIR "/graphic")).exists()) {
        state.SkipWithError("the working folder has no graphic/ yet");
        return false;
    }
    static const bool loaded = [] {
        setWorkingFolder(QStringLiteral(ORBISCA_HOME_DIR));
        loadFontTable();
        loadSettings();
        SetCurrentDate({21, 8, 0, 2001});
        return true;
    }();
    return loaded;
}

}  // namespace orbisca::bench
