// SPDX-License-Identifier: GPL-3.0-or-later
// Two program states in one process, each on its own working folder with its own texts, settings
// and day: painting with one never shows anything of the other.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "data/conf_file.h"
#include "state/program_state.h"
#include "support/folder_fixture.h"
#include "views/full_mode_frame.h"

namespace orbisca::testing {
namespace {

// A working folder with the assembled pack's texts and tables, its pictures linked.
class PackCopy {
public:
    PackCopy() {
        copyPackFiles(dir.path());
        linkPackPictures(dir.path());
    }
    // Every line of BASE.KTX in capitals: each caption the views draw reads differently.
    void shoutTexts() {
        const QString base = dir.filePath("BASE.KTX");
        ASSERT_TRUE(writeBytes(base, QString::fromUtf8(fileBytes(base)).toUpper().toUtf8()));
    }
    QString path() const { return dir.path(); }

private:
    QTemporaryDir dir;
};

struct Painter {
    explicit Painter(const QString& folder) : program(folder) {
        program.fonts.load(program.data.folder);
        loadSettings(program.data);
    }
    QImage paint(FullModeView view) {
        frame.paintMode(view);
        return frame.buffers().frame.copy();
    }
    ProgramState program;
    FullModeFrame frame{program.data, program.fonts};
};

TEST(TwoProgramStates, RenderTheirOwnFoldersSideBySide) {
    ensureGuiApplication();
    PackCopy plain, shouting;
    shouting.shoutTexts();
    Painter first(plain.path()), second(shouting.path());
    first.program.data.day.setDate({21, 8, 0, 2001});
    second.program.data.day.setDate({26, 7, 0, 2013});
    second.program.data.settings.moonEntry = 1;  // the southern moon in the second only

    // Each alone, then both in turn: every picture is its own state's, whatever painted between.
    const FullModeView views[] = {FullModeView::Day, FullModeView::Oracle, FullModeView::Month,
                                  FullModeView::KinBook};
    for (const FullModeView view : views) {
        const QImage alone = first.paint(view);
        const QImage other = second.paint(view);
        EXPECT_NE(alone, other) << modeNumber(view);
        EXPECT_EQ(first.paint(view), alone) << modeNumber(view);
        EXPECT_EQ(second.paint(view), other) << modeNumber(view);
    }
    // The same day and settings in the second state give the first one's picture but for the
    // texts: the only difference left is the folder's words.
    second.program.data.day.setDate({21, 8, 0, 2001});
    second.program.data.settings = first.program.data.settings;
    const QImage plainDay = first.paint(FullModeView::Day);
    const QImage shoutedDay = second.paint(FullModeView::Day);
    EXPECT_NE(plainDay, shoutedDay);
    Painter again(plain.path());
    again.program.data.day.setDate({21, 8, 0, 2001});
    EXPECT_EQ(again.paint(FullModeView::Day), plainDay);
    EXPECT_TRUE(first.program.data.notifier.messages.isEmpty());
    EXPECT_TRUE(second.program.data.notifier.messages.isEmpty());
}

}  // namespace
}  // namespace orbisca::testing
