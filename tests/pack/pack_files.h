// SPDX-License-Identifier: GPL-3.0-or-later
// The data pack under share/, read where it is committed and never written.
#pragma once

#include <QFont>
#include <optional>
#include <vector>

#include "calendar/oracle.h"
#include "support/folder_fixture.h"

namespace orbisca::packtest {

QString packPath(const QString& name);

// The lines of a pack file (UTF-8, LF); fails the calling test when it is missing or not UTF-8.
QStringList packLines(const QString& name);

// A line of "BASE.KTX" that the program reads. An ending is glued to the word before it and may
// be empty in a language without endings.
struct MappedLine {
    int line = 0;
    bool ending = false;
};
std::vector<MappedLine> baseLineMap();

// The files that the build copies into the working folder, and those it makes there.
QStringList packFileNames();
QStringList generatedFileNames();

// Font `index` of the table that program.fonts.load(data.folder) built; fails the test when it has none there.
QFont packFont(int index);

// A temporary working folder holding the pack as the build assembles it (share/ and the files it
// makes), with the data layer's state reset when it is made and when it goes.
class PackWorkingFolder {
public:
    PackWorkingFolder();
    ~PackWorkingFolder() { testing::resetDataStates(); }

private:
    QTemporaryDir dir_;
};

// The pack in a working folder with its font table loaded, and the lines of "BASE.KTX".
class PackFontsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureGuiApplication(); }
    void SetUp() override {
        folder_.emplace();
        program.fonts.load(data.folder);
        EXPECT_TRUE(data.notifier.messages.isEmpty()) << data.notifier.messages.join('\n');
    }
    void TearDown() override { folder_.reset(); }
    const QStringList base = packLines("BASE.KTX");

private:
    std::optional<PackWorkingFolder> folder_;
};

}  // namespace orbisca::packtest
