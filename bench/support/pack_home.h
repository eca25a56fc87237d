// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks that draw from the assembled working folder: an offscreen application and a
// program state on the folder, with its fonts and settings loaded and the worked date set, made
// once per process.
#pragma once

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>

#include "data/conf_file.h"
#include "state/program_state.h"

namespace orbisca::bench {

// The program state on the working folder, or nullptr (and the benchmark skipped) when the
// pictures are not built yet.
inline ProgramState* packProgram(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    if (!QDir(QStringLiteral(ORBISCA_HOME_DIR "/graphic")).exists()) {
        state.SkipWithError("the working folder has no graphic/ yet");
        return nullptr;
    }
    // Kept to the end of the process, like the application it needs.
    static ProgramState* program = [] {
        auto* made = new ProgramState(QStringLiteral(ORBISCA_HOME_DIR));
        made->fonts.load(made->data.folder);
        loadSettings(made->data);
        made->data.day.setDate({21, 8, 0, 2001});
        return made;
    }();
    return program;
}

}  // namespace orbisca::bench
