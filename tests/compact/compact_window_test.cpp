// The compact window offscreen, driven with Qt Test input: its start-up log, the loader's steps
// and state, the areas, the drag, the plain click, the keys and the hint animation.
#include <QTest>

#include "compact/Regloader.h"
#include "compact/compact_window.h"
#include "compact/setdate.h"
#include "compact_fixture.h"
#include "gfx/region.h"

namespace orbisca::testing {
namespace {

QStringList withoutTimes(QStringList lines) {
    for (QString& line : lines) {
        if (line.startsWith("StartTime=")) line = "StartTime=";
        if (line.startsWith("EndTime=")) line = "EndTime=";
    }
    return lines;
}

class WindowTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        windowLinks().showFullMode = [this] { ++fullModeShown; };
    }
    void TearDown() override {
        form.reset();
        dialog.reset();
        CompactFolderTest::TearDown();
    }
    // Creates, shows and waits until the first tick has painted the panel.
    void start(GregorianDate date = {1, 3, 0, 2026}) {
        create(date);
        form->show();
        form->waitForLoader();
        QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, 0, 2000);
    }
    void create(GregorianDate date) {
        form = std::make_unique<TForm1>();
        dialog = std::make_unique<TForm2>();
        form->setDateDialog(dialog.get());
        form->setStartDate(date);
        ASSERT_TRUE(form->FormCreate());
    }
    void click(QPoint at) {
        QTest::mousePress(form.get(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(form.get(), Qt::LeftButton, {}, at);
    }
    GregorianDate current() const { return calendarState().currentDate; }

    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> dialog;
    int fullModeShown = 0;
};

TEST_F(WindowTest, StartUpLogsEveryStepInOrder) {
    create({1, 3, 0, 2026});
    QStringList expected{"StartTime="};
    for (const char* step : kLoadingSteps) expected << QString(step) + "=ok";
    expected << "EndTime=";
    EXPECT_EQ(withoutTimes(fileLines("Loading.log")), expected);
    EXPECT_EQ(compactState().STATE, -101);
    EXPECT_EQ(form->face().size(), QSize(80, 80));
    EXPECT_EQ(gfx::RegionArea(form->mask()), 60 * 60);  // the first outline from frame1.bmp
    EXPECT_EQ(current(), (GregorianDate{1, 3, 0, 2026}));
    EXPECT_TRUE(notifierState().messages.isEmpty());
}

TEST_F(WindowTest, MissingPictureAtStartEndsTheLogWithError) {
    removePicture("frame1.bmp");
    form = std::make_unique<TForm1>();
    EXPECT_FALSE(form->FormCreate());
    const QStringList log = fileLines("Loading.log");
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"FrameBitmapCreated=ok", "ERROR!!!"}));
    EXPECT_EQ(notifierState().messages, QStringList{"ERROR! ERROR CODE:104"});
    EXPECT_TRUE(notifierState().endRequested);
    EXPECT_TRUE(fileLines("program/errorlog1.err").contains("ERROR SENDER:orbisca window"));
}

TEST_F(WindowTest, LoaderShapesTheWindowThenTheTickPaintsThePanel) {
    create({1, 3, 0, 2026});
    form->show();
    EXPECT_EQ(compactState().STATE, -101);
    form->waitForLoader();
    EXPECT_EQ(compactState().STATE, -101);  // the window steps wait for the user-interface thread
    QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, -100, 2000);
    EXPECT_TRUE(form->timer().isActive());
    QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, 0, 2000);
    EXPECT_FALSE(form->timer().isActive());
    QStringList expected{"StartTime="};
    for (const char* step : kLoaderWorkerSteps) expected << step;
    for (const char* step : kLoaderWindowSteps) expected << step;
    expected << "EndTime=";
    EXPECT_EQ(withoutTimes(fileLines("Floading.log")), expected);
    EXPECT_EQ(form->size(), QSize(600, 450));
    EXPECT_EQ(gfx::RegionArea(form->mask()), gfx::RegionArea(gfx::BitmapToRegion(pyramidMask(), 0xff000000, gfx::RegionMode::KeepDiffering)));
    EXPECT_GT(gfx::RegionArea(form->mask()), 100'000);
    EXPECT_LT(gfx::RegionArea(form->mask()), 600 * 450);
    EXPECT_FALSE(form->mask().contains(QPoint(5, 30)));
    // The panel is painted: the sign of the day in area A2.
    const int sign = calendarState().currentPosition.sign % 20;
    EXPECT_EQ(form->face().pixelColor(262, 258), QColor(50 + 10 * sign, 200, 30));
}

TEST_F(WindowTest, MissingOutlineMaskEndsTheLoaderLogWithError) {
    removePicture("pyrA0.bmp");
    create({1, 3, 0, 2026});
    form->show();
    form->waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(notifierState().messages.size(), 1, 2000);
    EXPECT_EQ(notifierState().messages, QStringList{"ERROR! ERROR CODE:120"});
    EXPECT_TRUE(notifierState().endRequested);
    const QStringList log = fileLines("Floading.log");
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"bitmapcreate=ok", "ERROR!!!"}));
    EXPECT_TRUE(fileLines("program/errorlog1.err").contains("ERROR SENDER:orbisca window fx loader"));
    EXPECT_EQ(compactState().STATE, -101);
}

TEST_F(WindowTest, MissingFacePictureStopsAfterTheRegionSteps) {
    removePicture("pyr0.bmp");
    create({1, 3, 0, 2026});
    form->show();
    form->waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(notifierState().messages.size(), 1, 2000);
    EXPECT_EQ(notifierState().messages, QStringList{"ERROR! ERROR CODE:120"});
    const QStringList log = fileLines("Floading.log");
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"combinergn=ok", "ERROR!!!"}));
    QTest::qWait(120);
    EXPECT_NE(compactState().STATE, 0);  // the timer was never enabled
}

TEST_F(WindowTest, ClicksAreIgnoredUntilThePanelIsPainted) {
    create({1, 3, 0, 2026});
    form->show();
    click(QPoint(260, 250));  // A2 during the start
    EXPECT_EQ(compactState().STATE, -101);
    EXPECT_EQ(fullModeShown, 0);
    EXPECT_FALSE(dialog->isVisible());
    form->waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, 0, 2000);
}

TEST_F(WindowTest, EachAreaRequestsItsViewAndOpensNoDateDialog) {
    struct Case {
        QPoint at;
        int state;
        int view;
    };
    for (const Case& c : {Case{{260, 200}, 12, 1}, Case{{260, 250}, 22, 2}, Case{{340, 260}, 1, 4},
                          Case{{180, 240}, 32, 3}}) {
        start();
        click(c.at);
        EXPECT_EQ(compactState().STATE, c.state);
        EXPECT_EQ(fullModeState()._newstate, c.view);
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(dialog->isVisible());
        form.reset();
        resetCompactState();
    }
    EXPECT_EQ(fullModeShown, 4);
}

TEST_F(WindowTest, TempleDoorShowsViewZeroAndKeepsTheWindow) {
    start();
    fullModeState()._newstate = 7;
    click(QPoint(300, 80));  // A7
    EXPECT_EQ(fullModeState()._newstate, 0);
    EXPECT_EQ(compactState().STATE, 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(fullModeShown, 1);
}

TEST_F(WindowTest, DragMovesTheWindowWithoutDateDialog) {
    start();
    const QPoint before = form->pos();
    QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(100, 420));
    QMouseEvent moveEvent(QEvent::MouseMove, QPointF(130, 440), form->mapToGlobal(QPointF(130, 440)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &moveEvent);
    EXPECT_EQ(form->pos(), before + QPoint(30, 20));
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(100, 420));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(compactState().move);
    EXPECT_FALSE(compactState().moved);
}

TEST_F(WindowTest, PlainClickOpensTheDateDialogOnTheCurrentDate) {
    start({17, 11, 0, 2027});
    click(QPoint(100, 420));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->sp3->value(), 2027);
    EXPECT_EQ(dialog->sp2->value(), 11);
    EXPECT_EQ(dialog->sp1->value(), 17);
    EXPECT_EQ(dialog->windowTitle(), "17.11.2027");
}

TEST_F(WindowTest, KeysStepTheDate) {
    start({1, 3, 0, 2026});
    QTest::keyClick(form.get(), Qt::Key_Comma);
    EXPECT_EQ(current(), (GregorianDate{1, 2, 0, 2026}));
    QTest::keyClick(form.get(), Qt::Key_Period);
    EXPECT_EQ(current(), (GregorianDate{1, 3, 0, 2026}));
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(current(), (GregorianDate{2, 3, 0, 2026}));
    QTest::keyClick(form.get(), Qt::Key_PageDown);
    QTest::keyClick(form.get(), Qt::Key_Left);
    EXPECT_EQ(current(), (GregorianDate{28, 2, 0, 2026}));
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    EXPECT_EQ(current(), (GregorianDate{1, 3, 0, 2026}));
    EXPECT_EQ(calendarState().currentPosition, GregorianToMayan({1, 3, 0, 2026}));
    settings()._Swapbtn = true;
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(current(), (GregorianDate{28, 2, 0, 2026}));
    QTest::keyClick(form.get(), Qt::Key_A);
    EXPECT_EQ(current(), (GregorianDate{28, 2, 0, 2026}));
    // The panel follows the date: the sign of the new day in area A2.
    const int sign = calendarState().currentPosition.sign % 20;
    EXPECT_EQ(form->face().pixelColor(262, 258), QColor(50 + 10 * sign, 200, 30));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(compactState().closed);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, KeyDuringTheStartMovesTheDateWithoutPaintingOnTheSplash) {
    create({1, 3, 0, 2026});
    form->show();
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(current(), (GregorianDate{2, 3, 0, 2026}));
    EXPECT_TRUE(notifierState().messages.isEmpty());
    form->waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, 0, 2000);
    EXPECT_TRUE(notifierState().messages.isEmpty());
}

TEST_F(WindowTest, HintFlaresRedThenFadesAndEnds) {
    start();
    QMouseEvent moveEvent(QEvent::MouseMove, QPointF(260, 250), form->mapToGlobal(QPointF(260, 250)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &moveEvent);
    EXPECT_EQ(compactState().sym, 3);
    EXPECT_EQ(form->hintLabel()->text(), readtext(395, "BASE.KTX"));
    EXPECT_EQ(form->hintColour(), QColor(80, 90, 75));
    form->timer().stop();  // ticks are driven by hand from here
    for (int tick = 0; tick < 11; ++tick) form->Timer1Timer();
    EXPECT_EQ(form->hintColour(), QColor(245, 90, 75));
    form->Timer1Timer();
    EXPECT_EQ(form->hintColour(), QColor(242, 91, 75));
    // Moving within the same area keeps the animation where it is.
    form->Image1MouseMove(QPoint(270, 260));
    EXPECT_EQ(form->hintColour(), QColor(242, 91, 75));
    int ticks = 12;
    while (compactState().sym != 0 && ticks < 200) {
        form->Timer1Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 12 + 54 + 1);
    EXPECT_EQ(form->hintColour(), QColor(80, 91, 75));
    EXPECT_FALSE(form->timer().isActive());
    // Another area restarts it with its own text.
    form->Image1MouseMove(QPoint(420, 240));  // A5, the moon
    EXPECT_EQ(compactState().sym, 6);
    EXPECT_EQ(form->hintLabel()->text(), readtext(397, "BASE.KTX"));
    EXPECT_EQ(form->hintColour(), QColor(80, 90, 75));
}

TEST_F(WindowTest, ButtonsShowTheirHintsOpenFullModeAndClose) {
    start();
    fullModeState().spin = 5;
    form->myButton1MouseMove();
    EXPECT_EQ(compactState().sym, 8);
    EXPECT_EQ(form->hintLabel()->text(), readtext(413, "BASE.KTX"));
    QTest::mouseClick(form->leftButton(), Qt::LeftButton);
    EXPECT_EQ(fullModeShown, 1);
    EXPECT_EQ(fullModeState().spin, 0);
    EXPECT_EQ(fullModeState()._newstate, 0);
    form->myButton2MouseMove();
    EXPECT_EQ(compactState().sym, 7);
    EXPECT_EQ(form->hintLabel()->text(), readtext(399, "BASE.KTX"));
    QTest::mouseClick(form->rightButton(), Qt::LeftButton);
    EXPECT_TRUE(compactState().closed);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, TwentyStartsClosedAtOnceEndCleanly) {
    for (int run = 0; run < 20; ++run) {
        resetCompactState();
        create({1, 3, 0, 2026});
        form->show();
        QTest::keyClick(form.get(), Qt::Key_Escape);
        EXPECT_TRUE(compactState().closed);
        form.reset();  // joins the loader before the pictures go
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(notifierState().messages.isEmpty());
}

TEST(HintColour, StepsAsTheAnimationSays) {
    int r = 80, g = 90, b = 75;
    for (int i = 0; i < 11; ++i) ASSERT_TRUE(stepHintColour(r, g, b));
    EXPECT_EQ(r, 245);
    EXPECT_TRUE(stepHintColour(r, g, b));
    EXPECT_EQ(g, 91);
    EXPECT_EQ(r, 242);
}

TEST(KeySteps, KeysAndSwap) {
    EXPECT_EQ(dateStepOfKey(Qt::Key_Right, false), 1);
    EXPECT_EQ(dateStepOfKey(Qt::Key_PageUp, true), -1);
    EXPECT_EQ(dateStepOfKey(Qt::Key_PageDown, true), 1);
    EXPECT_EQ(dateStepOfKey(Qt::Key_Comma, true), -28);
    EXPECT_EQ(dateStepOfKey(Qt::Key_Period, false), 28);
    EXPECT_EQ(dateStepOfKey(Qt::Key_Up, false), 0);
    EXPECT_EQ(fullModeViewOfState(22), 2);
    EXPECT_FALSE(fullModeViewOfState(0));
}

}  // namespace
}  // namespace orbisca::testing
