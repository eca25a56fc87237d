// SPDX-License-Identifier: GPL-3.0-or-later
// A test suite that draws with the glyph fonts the build made in its working folder: they are
// registered once for the suite and forgotten after it.
#pragma once

#include <gtest/gtest.h>

#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {

class BuiltGlyphFontsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureGuiApplication();
        data.folder.set(QStringLiteral(ORBISCA_HOME_DIR));
        const QStringList found =
            program.glyphFonts.registerFolder(data.folder, [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        EXPECT_EQ(found.size(), 5);
    }
    static void TearDownTestSuite() {
        gfx::resetGlyphFontState();
        resetWorkingFolderState();
    }
};

}  // namespace orbisca::testing
