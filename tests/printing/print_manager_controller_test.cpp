// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's running without a window. (The question before an export replaces a changed
// script: the window's tests.)
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include "calendar/calendar_state.h"
#include "data/conf_file.h"
#include "printing/print_manager_controller.h"
#include "support/print_manager_fixture.h"

namespace orbisca::testing {
namespace {

// A script holder whose user has changed the script.
class UsersScript : public ScriptHolder {
public:
    QStringList lines;
    bool changed = true;

    QStringList scriptLines() const override { return lines; }
    void replaceScript(const QStringList& replacement) override { lines = replacement; }
    void applyRunEdit(const ScriptEdit& edit) override {
        lines.remove(edit.first, edit.removed);
        for (qsizetype i = 0; i < edit.inserted.size(); ++i)
            lines.insert(edit.first + i, edit.inserted[i]);
    }
    bool changedByUser() const override { return changed; }
    void setChangedByUser(bool c) override { changed = c; }
};

class PrintManagerControllerTest : public PrintManagerFolderTest {
protected:
    PrintManagerControllerTest() { ensureGuiApplication(); }
    void SetUp() override {
        PrintManagerFolderTest::SetUp();
        controller = std::make_unique<PrintManagerController>(program);
        controller->setCanvasSpins(QSize(320, 200));
    }
    void TearDown() override {
        controller.reset();
        PrintManagerFolderTest::TearDown();
    }
    std::unique_ptr<PrintManagerController> controller;
};

// (A close asked for during a run: the window's tests.)
TEST_F(PrintManagerControllerTest, RunsFollowOneAnotherAndDayStepsAddUp) {
    QSignalSpy started(controller.get(), &PrintManagerController::runStarted);
    QSignalSpy ended(controller.get(), &PrintManagerController::runEnded);
    const GregorianDate before = data.day.date();
    bool innerRan = false;
    EXPECT_TRUE(controller->runExclusive([&] {
        EXPECT_TRUE(controller->running());
        // Asked for during the run: none of them runs inside it.
        EXPECT_FALSE(controller->runExclusive([&] { return innerRan = true; }));
        controller->stepDay(1);
        controller->stepDay(1);
        EXPECT_FALSE(innerRan);
        EXPECT_EQ(data.day.date(), before);
        return true;
    }));
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(ended.size(), 1);
    QTRY_VERIFY(innerRan);
    QTRY_COMPARE(data.day.date(), stepDate(before, 2));  // one step of two days
    EXPECT_EQ(started.size(), 2);
}

// (The caret on the failing line: the window's tests.)
TEST_F(PrintManagerControllerTest, AFailingRunMarksItsLineAndLeavesTheScriptTheUsers) {
    UsersScript script;
    script.lines = {"TEXT 10 10 rgt 'ok'", "TEXT x 10 rgt 'bad'", "TEXT 1 1 rgt 'after'"};
    controller->setScriptHolder(&script);
    EXPECT_FALSE(controller->showImage());
    EXPECT_EQ(script.lines.size(), 5);  // the error is marked in the script
    EXPECT_TRUE(script.changed);        // by the program, not the user
    controller->setScriptHolder(nullptr);
}

// The click preview draws over a copy of the script's drawing; what it shows is what drawing the
// script afresh and the element over it shows, and a change of the script is drawn anew.
TEST_F(PrintManagerControllerTest, AClickPreviewShowsWhatARedrawWouldShow) {
    controller->script().replaceScript(
        {"BACKGROUND 20 40 60", "FONT 30 -40 0 0 0 thn nrm DejaVu Sans", "TEXT 10 10 rgt 'Base'"});
    auto textAt = [](int x) {
        return [x](PrintPageState& page) {
            drawScriptText(page, x, 60, QStringLiteral("Here"), false);
        };
    };
    ASSERT_TRUE(controller->redrawWithPreview(textAt(20)));
    ASSERT_TRUE(controller->redrawWithPreview(textAt(150)));  // over the copy
    const QImage fromCopy = controller->page().canvas.copy();
    controller->page().canvas.fill(Qt::red);  // the copy no longer stands for the canvas
    ASSERT_TRUE(controller->redrawWithPreview(textAt(150)));
    EXPECT_EQ(controller->page().canvas, fromCopy);

    controller->script().replaceScript({"BACKGROUND 20 40 60"});
    ASSERT_TRUE(controller->redrawWithPreview(textAt(150)));
    EXPECT_NE(controller->page().canvas, fromCopy);  // "Base" is gone
}

TEST_F(PrintManagerControllerTest, TheDonationPrintOutGivesTheUsersPageBack) {
    controller->script().replaceScript({"TEXT 0 0 cnt 'mine'"});
    controller->script().setChangedByUser(true);
    controller->keepUserPage();
    controller->setCanvasSpins(QSize(670, 55));
    controller->script().replaceScript({"TEXT 0 0 cnt 'details'"});
    ASSERT_TRUE(controller->showImage());
    EXPECT_TRUE(controller->restoreUserPage());
    EXPECT_EQ(controller->script().scriptLines(), QStringList{"TEXT 0 0 cnt 'mine'"});
    EXPECT_TRUE(controller->script().changedByUser());
    EXPECT_EQ(controller->state().canvasSpins, QSize(320, 200));
    EXPECT_FALSE(controller->restoreUserPage());  // given back once
}

// (The script and the canvas size in the files: the window's tests.)
TEST_F(PrintManagerControllerTest, TheWindowFilesKeepTheWindowAndThePageSetupPlaces) {
    controller->loadWindowFiles();
    controller->rememberSetupPosition(QPoint(40, 50));
    controller->saveWindowFiles(QRect(10, 20, 700, 500));

    ProgramState other(home.path());
    PrintManagerController again(other);
    const PrintWindowValues values = again.loadWindowFiles();
    EXPECT_EQ(QSize(values.width, values.height), QSize(700, 500));
    EXPECT_EQ(again.savedSetupPosition(), QPoint(40, 50));
}

}  // namespace
}  // namespace orbisca::testing
