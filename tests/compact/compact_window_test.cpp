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
    for (QString& line : lines)
        if (line.startsWith("StartTime=") || line.startsWith("EndTime="))
            line = line.section('=', 0, 0) + "=";
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
    void create(GregorianDate date = {1, 3, 0, 2026}) {
        form = std::make_unique<TForm1>();
        dialog = std::make_unique<TForm2>();
        form->setDateDialog(dialog.get());
        form->setStartDate(date);
        ASSERT_TRUE(form->FormCreate());
    }
    // Creates, shows and waits until the first tick has painted the panel.
    void start(GregorianDate date = {1, 3, 0, 2026}) {
        create(date);
        form->show();
        form->waitForLoader();
        QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, 0, 2000);
    }
    void click(QPoint at) {
        QTest::mousePress(form.get(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(form.get(), Qt::LeftButton, {}, at);
    }
    void moveTo(QPointF at, Qt::MouseButtons held) {
        QMouseEvent event(QEvent::MouseMove, at, form->mapToGlobal(at), Qt::NoButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    }
    QStringList lastTwoLines(const QString& log) const {
        const QStringList lines = fileLines(log);
        return lines.mid(lines.size() - 2);
    }
    void expectHint(int sym, int line) const {
        EXPECT_EQ(compactState().sym, sym);
        EXPECT_EQ(form->hintLabel()->text(), readtext(line, "BASE.KTX"));
    }
    GregorianDate current() const { return calendarState().currentDate; }
    // Area A2 shows the sign of the current day.
    QColor signShown() const { return form->face().pixelColor(262, 258); }
    QColor signOfCurrentDay() const {
        return signColour(calendarState().currentPosition.sign % 20);
    }

    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> dialog;
    int fullModeShown = 0;
};

// The first outline and its log; the loader shapes the window; clicks are ignored until the tick
// has painted the panel; a key moves the date without painting on the splash.
TEST_F(WindowTest, StartsInStepsAndIgnoresClicksUntilThePanelIsPainted) {
    create();
    QStringList expected{"StartTime="};
    for (const char* step : kLoadingSteps) expected << QString(step) + "=ok";
    EXPECT_EQ(withoutTimes(fileLines("Loading.log")), expected << "EndTime=");
    EXPECT_EQ(form->face().size(), QSize(80, 80));
    EXPECT_EQ(gfx::RegionArea(form->mask()), 60 * 60);  // the first outline from frame1.bmp
    form->show();
    click(QPoint(260, 250));  // A2
    EXPECT_EQ(fullModeShown, 0);
    EXPECT_FALSE(dialog->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(current(), (GregorianDate{2, 3, 0, 2026}));
    form->waitForLoader();
    EXPECT_EQ(compactState().STATE, -101);  // the window steps wait for the user-interface thread
    QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, -100, 2000);
    EXPECT_TRUE(form->timer().isActive());
    QTRY_COMPARE_WITH_TIMEOUT(compactState().STATE, 0, 2000);
    EXPECT_FALSE(form->timer().isActive());
    expected = QStringList{"StartTime="};
    for (const char* step : kLoaderWorkerSteps) expected << step;
    for (const char* step : kLoaderWindowSteps) expected << step;
    EXPECT_EQ(withoutTimes(fileLines("Floading.log")), expected << "EndTime=");
    EXPECT_EQ(form->size(), QSize(600, 450));
    EXPECT_EQ(form->mask(),
              gfx::BitmapToRegion(pyramidMask(), 0xff000000, gfx::RegionMode::KeepDiffering));
    EXPECT_EQ(signShown(), signOfCurrentDay());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(WindowTest, MissingPictureAtStartEndsTheLogWithError) {
    removePicture("frame1.bmp");
    form = std::make_unique<TForm1>();
    EXPECT_FALSE(form->FormCreate());
    EXPECT_EQ(lastTwoLines("Loading.log"), (QStringList{"FrameBitmapCreated=ok", "ERROR!!!"}));
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:104"});
    EXPECT_TRUE(notifierState().endRequested);
    EXPECT_TRUE(fileLines("program/errorlog1.err").contains("ERROR SENDER:orbisca window"));
}

class LoaderFailureTest
    : public WindowTest,
      public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(LoaderFailureTest, MissingPictureEndsTheLoaderLogWithError) {
    const auto [picture, lastStep] = GetParam();
    removePicture(picture);
    create();
    form->show();
    form->waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(messages().size(), 1, 2000);
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:120"});
    EXPECT_TRUE(notifierState().endRequested);
    EXPECT_EQ(lastTwoLines("Floading.log"), (QStringList{lastStep, "ERROR!!!"}));
    EXPECT_TRUE(
        fileLines("program/errorlog1.err").contains("ERROR SENDER:orbisca window fx loader"));
    QTest::qWait(120);
    EXPECT_NE(compactState().STATE, 0);  // the timer was never enabled
}
INSTANTIATE_TEST_SUITE_P(OutlineAndFace, LoaderFailureTest,
                         ::testing::Values(std::pair{"pyrA0.bmp", "bitmapcreate=ok"},
                                           std::pair{"pyr0.bmp", "combinergn=ok"}));

TEST_F(WindowTest, EachAreaRequestsItsViewAndOpensNoDateDialog) {
    struct Case {
        QPoint at;
        int state, view;
        bool stays;  // the temple door (A7) shows view 0 beside the compact window
    };
    for (const Case& c : {Case{{260, 200}, 12, 1, false}, Case{{260, 250}, 22, 2, false},
                          Case{{340, 260}, 1, 4, false}, Case{{180, 240}, 32, 3, false},
                          Case{{300, 80}, 0, 0, true}}) {
        start();
        fullModeState()._newstate = 7;
        click(c.at);
        EXPECT_EQ(compactState().STATE, c.state);
        EXPECT_EQ(fullModeState()._newstate, c.view);
        EXPECT_EQ(form->isVisible(), c.stays);
        EXPECT_FALSE(dialog->isVisible());
        form.reset();
        resetCompactState();
    }
    EXPECT_EQ(fullModeShown, 5);
}

TEST_F(WindowTest, DragMovesTheWindowAndAPlainClickOpensTheDateDialog) {
    start({17, 11, 0, 2027});
    const QPoint before = form->pos();
    QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(100, 420));
    moveTo(QPointF(130, 440), Qt::LeftButton);
    EXPECT_EQ(form->pos(), before + QPoint(30, 20));
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(100, 420));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(compactState().move);
    EXPECT_FALSE(compactState().moved);
    click(QPoint(100, 420));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ((QList{dialog->sp1->value(), dialog->sp2->value(), dialog->sp3->value()}),
              (QList{17, 11, 2027}));
}

TEST_F(WindowTest, KeysStepTheDateAndThePanelFollows) {
    start({1, 3, 0, 2026});
    struct Step {
        Qt::Key key;
        bool swap;  // Right and Left, PageUp and PageDown trade places
        GregorianDate date;
    };
    for (const Step& s :
         {Step{Qt::Key_Comma, false, {1, 2, 0, 2026}}, Step{Qt::Key_Period, false, {1, 3, 0, 2026}},
          Step{Qt::Key_Right, false, {2, 3, 0, 2026}},
          Step{Qt::Key_PageDown, false, {1, 3, 0, 2026}},
          Step{Qt::Key_Left, false, {28, 2, 0, 2026}}, Step{Qt::Key_PageUp, false, {1, 3, 0, 2026}},
          Step{Qt::Key_A, false, {1, 3, 0, 2026}}, Step{Qt::Key_Right, true, {28, 2, 0, 2026}},
          Step{Qt::Key_PageDown, true, {1, 3, 0, 2026}},
          Step{Qt::Key_Left, true, {2, 3, 0, 2026}}}) {
        settings()._Swapbtn = s.swap;
        QTest::keyClick(form.get(), s.key);
        EXPECT_EQ(current(), s.date) << s.key;
    }
    EXPECT_EQ(calendarState().currentPosition, GregorianToMayan({2, 3, 0, 2026}));
    EXPECT_EQ(signShown(), signOfCurrentDay());
}

TEST_F(WindowTest, HintFlaresRedThenFadesAndEnds) {
    start();
    moveTo(QPointF(260, 250), Qt::NoButton);
    expectHint(3, 395);
    EXPECT_EQ(form->hintColour(), QColor(80, 90, 75));
    form->timer().stop();  // ticks are driven by hand from here
    for (int tick = 0; tick < 11; ++tick) form->Timer1Timer();
    EXPECT_EQ(form->hintColour(), QColor(245, 90, 75));
    form->Timer1Timer();
    form->Image1MouseMove(QPoint(270, 260));  // within the same area: the animation goes on
    EXPECT_EQ(form->hintColour(), QColor(242, 91, 75));
    int ticks = 12;
    for (; compactState().sym != 0 && ticks < 200; ++ticks) form->Timer1Timer();
    EXPECT_EQ(ticks, 12 + 54 + 1);
    EXPECT_EQ(form->hintColour(), QColor(80, 91, 75));
    EXPECT_FALSE(form->timer().isActive());
    form->Image1MouseMove(QPoint(420, 240));  // A5, the moon: its own text, from the start
    expectHint(6, 397);
    EXPECT_EQ(form->hintColour(), QColor(80, 90, 75));
}

TEST_F(WindowTest, ButtonsShowTheirHintsOpenFullModeAndClose) {
    start();
    fullModeState().spin = 5;
    form->myButton1MouseMove();
    expectHint(8, 413);
    QTest::mouseClick(form->leftButton(), Qt::LeftButton);
    EXPECT_EQ(fullModeShown, 1);
    EXPECT_EQ(fullModeState().spin, 0);
    EXPECT_EQ(fullModeState()._newstate, 0);
    form->myButton2MouseMove();
    expectHint(7, 399);
    QTest::mouseClick(form->rightButton(), Qt::LeftButton);
    EXPECT_TRUE(compactState().closed);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, TwentyStartsClosedAtOnceEndCleanly) {
    for (int run = 0; run < 20; ++run) {
        resetCompactState();
        create();
        form->show();
        QTest::keyClick(form.get(), Qt::Key_Escape);
        EXPECT_TRUE(compactState().closed);
        form.reset();  // joins the loader before the pictures go
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(messages().isEmpty());
}

}  // namespace
}  // namespace orbisca::testing
