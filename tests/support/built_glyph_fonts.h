// SPDX-License-Identifier: GPL-3.0-or-later
// A test suite that draws with the glyph fonts the build made in its working folder: one program
// state for the suite registers them, and they are forgotten with it after the suite.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "state/program_state.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {

class BuiltGlyphFontsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureGuiApplication();
        suiteProgram_ = std::make_unique<ProgramState>(QStringLiteral(ORBISCA_HOME_DIR));
        ProgramState& p = *suiteProgram_;
        const QStringList found = p.glyphFonts.registerFolder(
            p.data.folder, [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        EXPECT_EQ(found.size(), 5);
    }
    static void TearDownTestSuite() { suiteProgram_.reset(); }

    static inline std::unique_ptr<ProgramState> suiteProgram_;
    ProgramState& program = *suiteProgram_;
    DataState& data = program.data;
};

}  // namespace orbisca::testing
