// SPDX-License-Identifier: GPL-3.0-or-later
// The full-mode window in-process, over the real picture pack, with the windows it opens and the
// way back to the compact window.
#include <QAction>
#include <QCursor>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/program_windows.h"
#include "calendar/calendar_state.h"
#include "compact/compact_window.h"
#include "compact/date_dialog.h"
#include "config/config_dialog.h"
#include "data/notifier.h"
#include "data/text_file.h"
#include "donation/donation_dialog.h"
#include "fullmode/full_mode_window.h"
#include "printing/print_manager_window.h"
#include "support/compact_fixture.h"
#include "views/mode_table.h"
#include "views/telectonon_board.h"

namespace orbisca::testing {
namespace {

// A small printer page: a quick Optimize.
struct SmallPrinterPage : PrinterPage {
    QSize printerPage() override { return QSize(700, 990); }
};

class FullModeWindowTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        linkPictures();
    }
    void TearDown() override {
        windows.reset();
        CompactFolderTest::TearDown();
    }
    FullModeWindow& full() { return windows->fullMode(); }
    CompactWindow& compact() { return windows->compact(); }
    // Opens the window on `mode` for `date`, transitions off, and waits for the mode.
    void open(const GregorianDate& date, FullModeView mode = FullModeView::Day) {
        ASSERT_TRUE(windows->create(date));
        windows->openFullMode(mode);
        data.settings.useTransition = false;  // after the reload the showing makes
        waitForMode(mode);
    }
    void waitForMode(FullModeView mode) {
        QTRY_COMPARE_WITH_TIMEOUT(full().state().fade.mode, mode, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!full().tickTimer().isActive(), 3000);
    }
    // The desktop's close key, Ctrl+W under X11 (the offscreen platform has Ctrl+F4).
    static void closeByKey(QWidget& window) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        const auto* close = window.findChild<QAction*>("actionClose");
        ASSERT_TRUE(close);
        QTest::keySequence(&window, close->shortcut());
    }

    std::unique_ptr<ProgramWindows> windows = std::make_unique<ProgramWindows>(program);
};

TEST_F(FullModeWindowTest, CoversTheScreenWithTheFrameCentredAndNamedButtons) {
    int painted = 0;
    ASSERT_TRUE(windows->create(GregorianDate{21, 8, 0, 2001}));
    QObject::connect(&full(), &FullModeWindow::framePainted,
                     [&painted] { ++painted; });  // what --report-start-time reports
    windows->openFullMode(FullModeView::Day);
    waitForMode(FullModeView::Day);
    QTRY_COMPARE(painted, 1);
    const QRect screen = windows->compact().screen()->geometry();
    EXPECT_EQ(full().geometry(), screen);
    const int w = screen.width(), h = screen.height();
    EXPECT_EQ(full().paintBox()->geometry(), QRect((w - 700) / 2, (h - 600) / 2 + 20, 700, 600));
    for (int i = 0; i < kFullModeButtons; ++i) {
        EXPECT_EQ(full().button(FullModeButton(i))->focusPolicy(), Qt::NoFocus) << i;
        EXPECT_FALSE(full().button(FullModeButton(i))->toolTip().isEmpty()) << i;
    }
    EXPECT_EQ(painted, 1);
}

TEST_F(FullModeWindowTest, EachModeButtonShowsAViewAndTheDialogButtonsOpenTheirWindows) {
    open({21, 8, 0, 2001});
    for (int i = 0; i <= int(FullModeButton::Help); ++i) {
        const auto which = FullModeButton(i);
        if (which == FullModeButton::Print) continue;
        const int before = full().windowState().presentations;
        QTest::mouseClick(full().button(which), Qt::LeftButton);
        waitForMode(viewOfButton(which));
        EXPECT_GT(full().windowState().presentations, before) << i;
    }
    QTest::mouseClick(full().button(FullModeButton::Configuration), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(windows->config().isVisible(), 3000);
    windows->config().hide();
    QTest::mouseClick(full().button(FullModeButton::Print), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(windows->printManager().isVisible(), 3000);
}

TEST_F(FullModeWindowTest, KeysStepTheDayFromAnyChildAndAreDroppedDuringAFade) {
    open({1, 3, 0, 2026});
    // Keys never stay with a control; they step the day as the compact window's keys do.
    QTest::keyClick(full().button(FullModeButton::Day), Qt::Key_Comma);
    EXPECT_EQ(data.day.date(), (GregorianDate{1, 2, 0, 2026}));
    // The key repaints the view at once.
    const int before = full().windowState().presentations;
    QTest::keyClick(full().paintBox(), Qt::Key_Left);
    EXPECT_EQ(full().windowState().presentations, before + 1);
    EXPECT_FALSE(full().tickTimer().isActive());

    data.settings.useTransition = true;
    data.settings.transitionSpeed = 10;
    full().tickTimer().stop();
    full().requestMode(FullModeView::Tone);
    full().onTick();  // the fade has begun, eight steps left
    ASSERT_GT(full().state().fade.fadeStepsLeft, 1);
    const GregorianDate during = data.day.date();
    QTest::keyClick(&full(), Qt::Key_Right);
    QTest::keyClick(&full(), Qt::Key_Escape);
    EXPECT_EQ(data.day.date(), during);
    EXPECT_FALSE(windows->compact().state().closed);
    waitForMode(FullModeView::Tone);
    QTest::keyClick(&full(), Qt::Key_Escape);  // the program's end: the compact window closes
    EXPECT_TRUE(windows->compact().state().closed);
    EXPECT_TRUE(data.notifier.endRequested);  // although the full-mode window still shows
}

TEST_F(FullModeWindowTest, ClicksPageTheHelpOpenTheDateDialogAndLeaveBelowTheButtonRow) {
    open({17, 11, 0, 2027}, FullModeView::FirstHelpPage);
    data.settings.helpPages = 4;
    std::vector<int> shown{modeNumber(full().state().fade.mode)};
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(full().paintBox(), Qt::LeftButton, {}, QPoint(300, 300));
        QTRY_VERIFY_WITH_TIMEOUT(!full().tickTimer().isActive(), 3000);
        shown.push_back(modeNumber(full().state().fade.mode));
    }
    EXPECT_EQ(shown, std::vector<int>({19, 25, 26, 27, 19}));
    EXPECT_FALSE(windows->dateDialog().isVisible());

    QTest::mouseClick(full().button(FullModeButton::Sign), Qt::LeftButton);
    waitForMode(FullModeView::Sign);
    QTest::mouseClick(full().paintBox(), Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_TRUE(windows->dateDialog().isVisible());  // on the day shown: the compact window's test
    windows->dateDialog().hide();
    // Outside the paint box: the right button opens the dialog, the left one leaves.
    QTest::mouseClick(&full(), Qt::RightButton, {}, QPoint(2, 300));
    EXPECT_TRUE(windows->dateDialog().isVisible());
    windows->dateDialog().hide();
    QTest::mouseClick(&full(), Qt::LeftButton, {}, QPoint(2, 30));  // in the button row
    EXPECT_TRUE(full().isVisible());
    QTest::mouseClick(&full(), Qt::LeftButton, {}, QPoint(2, 300));
    EXPECT_FALSE(full().isVisible());
    EXPECT_TRUE(windows->compact().isVisible());
}

TEST_F(FullModeWindowTest, TheBoardHintsTheFieldUnderThePointerOnceAndOnlyWhenIdle) {
    open({21, 8, 0, 2001}, FullModeView::Board);
    const QPoint dayField(int(133 + 33.5 * 3) + 16, int(133 + 33.5 * 6) + 16);
    auto move = [this](QPoint at) { QTest::mouseMove(full().paintBox(), at); };
    int shown = full().windowState().presentations;
    move(dayField);
    QTRY_COMPARE_WITH_TIMEOUT(full().windowState().presentations, shown + 1, 2000);
    EXPECT_TRUE(full().pointer().lastHint.startsWith("Day 2 of the moon"));
    move(dayField + QPoint(3, 2));  // the same field: nothing new
    QTest::qWait(50);
    EXPECT_EQ(full().windowState().presentations, shown + 1);
    move({600, 300});  // no field: the area is cleared once
    QTRY_COMPARE_WITH_TIMEOUT(full().windowState().presentations, shown + 2, 2000);
    EXPECT_TRUE(full().pointer().lastHint.isEmpty());

    // On another view the pointer writes nothing.
    QTest::mouseClick(full().button(FullModeButton::Tone), Qt::LeftButton);
    waitForMode(FullModeView::Tone);
    shown = full().windowState().presentations;
    move(dayField);
    QTest::qWait(50);
    EXPECT_EQ(full().windowState().presentations, shown);
}

// The date button opens the date dialog modally: OK exports the picked day again in easy mode.
// (Cancel, which changes no date, the date dialog's tests show.)
TEST_F(FullModeWindowTest, ThePrintManagersDateButtonExportsThePickedDayAgain) {
    const GregorianDate start{21, 8, 0, 2001};
    ASSERT_TRUE(windows->create(start));
    PrintManagerWindow& print = windows->printManager();
    SmallPrinterPage small;
    print.controller().setPrinterPage(&small);
    print.openOnItsOwn();
    print.controller().setEasyMode(true);
    ASSERT_TRUE(print.controller().exportScript(ScriptExport::Sign));
    const QStringList before = print.scriptLines();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DateDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->findChild<QSpinBox*>("dayField")->setValue(25);
        dialog->findChild<QPushButton*>("applyButton")->click();
    });
    print.findChild<QToolButton*>("dateButton")->click();
    EXPECT_EQ(data.day.date(), (GregorianDate{25, 8, 0, 2001}));
    EXPECT_EQ(print.findChild<QToolButton*>("dateButton")->text(), "2001-08-25");
    const QStringList picked = print.scriptLines();
    EXPECT_NE(picked, before);
    ASSERT_TRUE(
        print.controller().exportScript(ScriptExport::Sign));  // the export of the day now current
    EXPECT_EQ(picked, print.scriptLines());
}

// The reminder's "Print" opens the print manager over the modal reminder, taking the input. The
// print-out used to replace the user's script in "~last.spt" and the window state in "WindWHP.dat"
// once the print manager closed. (The print-out's lines and canvas: the reminder's tests; the
// user's script coming back after it: the controller's.)
TEST_F(FullModeWindowTest, TheRemindersPrintOpensThePrintManagerOnItsDetails) {
    ASSERT_TRUE(QFile::remove(home.filePath("strt.dat")));  // the reminder is due
    writeLines("~last.spt", {"TEXT 0 40 cnt 'Keep me'"});
    const QByteArray userScript = readFile("~last.spt"), userWindow = readFile("WindWHP.dat");
    ASSERT_TRUE(windows->create(GregorianDate{21, 8, 0, 2001}));
    DonationDialog& donation = windows->donation();
    PrintManagerWindow& print = windows->printManager();
    SmallPrinterPage small;
    print.controller().setPrinterPage(&small);
    bool printManagerOnTop = false;
    QTimer::singleShot(0, [&] {
        auto button = [&](int line) {
            for (auto* b : donation.findChildren<QPushButton*>())
                if (b->isVisible() && b->text() == readDatabaseLine(data.folder, line, "BASE.KTX"))
                    return b;
            return static_cast<QPushButton*>(nullptr);
        };
        button(714)->click();  // Donate
        ASSERT_TRUE(button(712) && button(712)->isEnabled());
        button(712)->click();  // Print
        EXPECT_EQ(print.scriptLines().value(0), "FONT 12 -16 0 0 0 bld nrm Arial");
        printManagerOnTop = print.isVisible() && QApplication::activeModalWidget() == &print;
        closeByKey(print);
        EXPECT_FALSE(print.isVisible());
        donation.reject();
    });
    donation.showReminder();
    EXPECT_TRUE(printManagerOnTop);
    EXPECT_EQ(readFile("~last.spt"), userScript);
    EXPECT_EQ(readFile("WindWHP.dat"), userWindow);
}

// The compact window starts alone and paints its panel first; the other windows and the glyph
// fonts follow, and then answer the compact window as if all had been made at once.
TEST_F(FullModeWindowTest, TheOtherWindowsAreMadeOnceThePanelIsPainted) {
    ASSERT_TRUE(windows->createCompact(GregorianDate{1, 3, 0, 2026}, true));
    int painted = 0;
    QObject::connect(&compact(), &CompactWindow::panelPainted, [&] {
        ++painted;
        EXPECT_FALSE(windows->complete() || program.glyphFontsTried);
    });
    windows->showCompact();
    QTRY_VERIFY_WITH_TIMEOUT(windows->complete(), 3000);
    EXPECT_EQ(painted, 1);
    EXPECT_TRUE(program.glyphFontsTried);
    EXPECT_FALSE(windows->donation().reminderDue());
    QTest::mouseClick(&compact(), Qt::LeftButton, {}, QPoint(260, 250));  // the sign
    QTRY_COMPARE_WITH_TIMEOUT(full().state().fade.mode, FullModeView::Sign, 3000);
}

// The board's fields are read with the window: without them the program does not start.
TEST_F(FullModeWindowTest, AMissingFieldFileStopsTheStartWithItsName) {
    ASSERT_TRUE(QFile::remove(home.filePath("HRCT.dat")));
    EXPECT_FALSE(windows->create(GregorianDate{21, 8, 0, 2001}));
    EXPECT_TRUE(data.notifier.endRequested);
    EXPECT_TRUE(data.notifier.messages.join('\n').contains("HRCT.dat"))
        << data.notifier.messages.join('\n').toStdString();
}

// From the compact window to a full-mode page and back: the hint that was animating goes on to
// its end, and the window has its size and outline again. (That the keys reach it without a
// click needs a real display: see the end-to-end test.)
TEST_F(FullModeWindowTest, AfterAFullModePageTheHintAnimatesOnAndTheShapeIsBack) {
    ASSERT_TRUE(windows->create(GregorianDate{1, 3, 0, 2026}));
    compact().show();
    compact().waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(compact().state().phase, CompactPhase::Shown, 3000);
    const QSize size = compact().size();
    const QRegion outline = compact().mask();

    compact().handleMove(QPoint(260, 250));  // the sign: its hint starts flaring
    QTRY_VERIFY_WITH_TIMEOUT(compact().hintColour().red() > 150, 2000);
    QTest::mouseClick(&compact(), Qt::LeftButton, {}, QPoint(260, 250));
    EXPECT_FALSE(compact().isVisible());
    ASSERT_TRUE(full().isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(full().state().fade.mode, FullModeView::Sign, 3000);
    // Another view, then a day step: the compact window, still on its sign phase, repaints its
    // hidden panel and does not ask for the sign page again.
    QTest::mouseClick(full().button(FullModeButton::Tone), Qt::LeftButton);
    waitForMode(FullModeView::Tone);
    const GregorianDate before = data.day.date();
    QTest::keyClick(&full(), Qt::Key_Right);
    EXPECT_EQ(data.day.date(), stepDate(before, 1));
    QTest::qWait(100);
    EXPECT_EQ(full().state().fade.requestedMode, FullModeView::Tone);
    EXPECT_EQ(full().state().fade.mode, FullModeView::Tone);

    // Back to the compact window: a click outside the frame, below the buttons.
    QTest::mouseClick(&full(), Qt::LeftButton, {}, QPoint(2, 300));
    QCursor::setPos(0, 0);  // away from the areas, whose hints would start afresh
    EXPECT_FALSE(full().isVisible());
    ASSERT_TRUE(compact().isVisible());
    compact().waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(compact().state().phase, CompactPhase::Shown, 3000);
    // The hint goes on fading to its end instead of freezing where the first tick found it.
    ASSERT_EQ(compact().state().hint, CompactHint::Sign);
    EXPECT_TRUE(compact().tickTimer().isActive());
    QTRY_COMPARE_WITH_TIMEOUT(compact().state().hint, CompactHint::None, 5000);
    EXPECT_LE(compact().hintColour().red(), 80);

    EXPECT_EQ(compact().size(), size);
    EXPECT_TRUE((compact().mask() ^ outline).isEmpty());
}

}  // namespace
}  // namespace orbisca::testing
