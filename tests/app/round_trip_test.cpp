// The program's windows in-process: from the compact window to a full-mode page and back. The
// hint that was animating goes on to its end, and the window has its size and outline again.
// (That the keys reach it without a click needs a real display: see the end-to-end test.)
#include <QCursor>
#include <QTest>

#include "app/program_windows.h"
#include "calendar/calendar_state.h"
#include "compact/compact_window.h"
#include "fullmode/full_mode_window.h"
#include "gfx/region.h"
#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

class RoundTripTest : public CompactFolderTest {
protected:
    void TearDown() override {
        windows.reset();
        CompactFolderTest::TearDown();
    }
    CompactWindow& compact() { return windows->compact(); }
    void waitForPanel() {
        compact().waitForLoader();
        QTRY_COMPARE_WITH_TIMEOUT(compact().state().phase, CompactPhase::Shown, 3000);
    }

    std::unique_ptr<ProgramWindows> windows = std::make_unique<ProgramWindows>();
};

TEST_F(RoundTripTest, AfterAFullModePageTheHintAnimatesOnAndTheShapeIsBack) {
    ASSERT_TRUE(windows->create(GregorianDate{1, 3, 0, 2026}));
    compact().show();
    waitForPanel();
    const QSize size = compact().size();
    const QRegion outline = compact().mask();

    compact().handleMove(QPoint(260, 250));  // the sign: its hint starts flaring
    QTRY_VERIFY_WITH_TIMEOUT(compact().hintColour().red() > 150, 2000);
    QTest::mouseClick(&compact(), Qt::LeftButton, {}, QPoint(260, 250));
    EXPECT_FALSE(compact().isVisible());
    ASSERT_TRUE(windows->fullMode().isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(windows->fullMode().state().mode, int(FullModeView::Sign), 3000);
    // Another view, then a day step: the compact window, still on its sign phase, repaints its
    // hidden panel and does not ask for the sign page again.
    QTest::mouseClick(windows->fullMode().button(FullModeButton::Tone), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(windows->fullMode().state().mode, 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!windows->fullMode().tickTimer().isActive(), 3000);
    const GregorianDate before = calendarState().currentDate;
    QTest::keyClick(&windows->fullMode(), Qt::Key_Right);
    EXPECT_EQ(calendarState().currentDate, StepDate(before, 1));
    QTest::qWait(100);
    EXPECT_EQ(windows->fullMode().state().requestedMode, 1);
    EXPECT_EQ(windows->fullMode().state().mode, 1);

    // Back to the compact window: a click outside the frame, below the buttons.
    QTest::mouseClick(&windows->fullMode(), Qt::LeftButton, {}, QPoint(2, 300));
    QCursor::setPos(0, 0);  // away from the areas, whose hints would start afresh
    EXPECT_FALSE(windows->fullMode().isVisible());
    ASSERT_TRUE(compact().isVisible());
    waitForPanel();
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
