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

// A temporary working folder holding the pack as the build assembles it (share/ and the files it
// makes), with a program state of its own working in it.
class PackWorkingFolder {
public:
    PackWorkingFolder();

private:
    QTemporaryDir dir_;

public:
    ProgramState program;
    DataState& data = program.data;
};

// The pack in a working folder with its font table loaded, and the lines of "BASE.KTX".
class PackFontsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureGuiApplication(); }
    void SetUp() override {
        program.fonts.load(data.folder);
        EXPECT_TRUE(data.notifier.messages.isEmpty()) << data.notifier.messages.join('\n');
    }
    // Font `index` of the pack's table; fails the test when the table has none there.
    QFont packFont(int index) const {
        EXPECT_TRUE(program.fonts.fonts.at(static_cast<std::size_t>(index)).has_value())
            << "fdb.dat has no font " << index;
        return program.fonts.font(index).font;
    }
    const QStringList base = packLines("BASE.KTX");

    PackWorkingFolder pack;
    ProgramState& program = pack.program;
    DataState& data = pack.data;
};

}  // namespace orbisca::packtest
