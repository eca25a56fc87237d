// SPDX-License-Identifier: GPL-3.0-or-later
// The compact window offscreen, driven with Qt Test input.
#include <QTest>

#include "compact/compact_window.h"
#include "compact/date_dialog.h"
#include "compact/outline_loader.h"
#include "gfx/region.h"
#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

// A log's lines with the times left out.
QStringList withoutTimes(QStringList lines) {
    for (QString& line : lines)
        if (line.startsWith("StartTime=") || line.startsWith("EndTime="))
            line = line.section('=', 0, 0);
    return lines;
}

class WindowTest : public CompactFolderTest {
protected:
    void TearDown() override {
        window.reset();
        CompactFolderTest::TearDown();
    }
    void create(GregorianDate date = {1, 3, 0, 2026}) {
        window = std::make_unique<CompactWindow>(program);
        QObject::connect(window.get(), &CompactWindow::fullModeAsked,
                         [this](FullModeView view, bool stopFade) {
                             fullModeShown.push_back({view, stopFade});
                         });
        window->setDateDialog(&dialog);
        window->setStartDate(date);
        ASSERT_TRUE(window->startUp());
    }
    // Creates, shows and waits until the first tick has painted the panel.
    void start(GregorianDate date = {1, 3, 0, 2026}) {
        create(date);
        window->show();
        window->waitForLoader();
        QTRY_COMPARE_WITH_TIMEOUT(phase(), CompactPhase::Shown, 2000);
    }
    CompactPhase phase() const { return window->state().phase; }
    void click(QPoint at) { QTest::mouseClick(window.get(), Qt::LeftButton, {}, at); }
    QStringList lastTwoLines(const QString& log) const {
        return fileLines(log).mid(fileLines(log).size() - 2);
    }
    // The sign area shows the sign of the current day.
    bool showsTheCurrentSign() const {
        return window->face().pixelColor(262, 258) == signColour(data.day.position().sign % 20);
    }

    std::unique_ptr<CompactWindow> window;
    DateDialog dialog{data};
    std::vector<std::pair<FullModeView, bool>> fullModeShown;  // view, fade stopped
};

// The first outline and its log; the loader shapes the window; clicks are ignored until the tick
// has painted the panel; a key moves the date without painting on the splash.
TEST_F(WindowTest, StartsInStepsAndIgnoresClicksUntilThePanelIsPainted) {
    create();
    QStringList expected{"StartTime"};
    for (const char* step : kLoadingSteps) expected << QString(step) + "=ok";
    EXPECT_EQ(withoutTimes(fileLines("Loading.log")), expected << "EndTime");
    EXPECT_EQ(gfx::regionArea(window->mask()), 60 * 60);  // the first outline from frame1.bmp
    window->show();
    click(QPoint(260, 250));  // the sign
    EXPECT_TRUE(fullModeShown.empty() && !dialog.isVisible());
    QTest::keyClick(window.get(), Qt::Key_Right);
    EXPECT_EQ(data.day.date(), (GregorianDate{2, 3, 0, 2026}));
    window->waitForLoader();
    EXPECT_EQ(phase(), CompactPhase::Starting);  // the window steps wait for the UI thread
    QTRY_COMPARE_WITH_TIMEOUT(phase(), CompactPhase::Shown, 2000);
    EXPECT_FALSE(window->tickTimer().isActive());
    expected = QStringList{"StartTime"};
    for (const char* step : kLoaderWorkerSteps) expected << step;
    for (const char* step : kLoaderWindowSteps) expected << step;
    EXPECT_EQ(withoutTimes(fileLines("Floading.log")), expected << "EndTime");
    EXPECT_EQ(window->size(), QSize(600, 450));
    EXPECT_TRUE((window->mask() ^
                 gfx::bitmapToRegion(pyramidMask(), 0xff000000, gfx::RegionMode::KeepDiffering))
                    .isEmpty());
    EXPECT_TRUE(showsTheCurrentSign());
    EXPECT_TRUE(messages().isEmpty());
}

// Each file the start reads: a failure ends the log with "ERROR!!!", names the file and says why,
// in the message and in the first detail line of the error log, and ends the program.
TEST_F(WindowTest, AFailedStartNamesTheFileAndTheReasonAndEndsTheLogWithError) {
    for (const char* file :
         {"graphic/frame1.bmp", "graphic/moon.bmp", "graphic/frameclr.bmp", "fdb.dat"}) {
        const QByteArray content = readFile(file);
        ASSERT_TRUE(QFile::remove(home.filePath(file)));
        window = std::make_unique<CompactWindow>(program);
        EXPECT_FALSE(window->startUp());
        const QStringList tail = lastTwoLines("Loading.log");
        EXPECT_EQ(tail.value(1), "ERROR!!!") << file;
        if (QString(file).endsWith("frame1.bmp")) {
            EXPECT_EQ(tail.value(0), "FrameBitmapCreated=ok");
        }
        const QString name = QFileInfo(file).fileName();
        ASSERT_EQ(messages().size(), 1) << file;
        EXPECT_TRUE(messages()[0].startsWith("ERROR! ERROR CODE:104\n") &&
                    messages()[0].contains(name))
            << messages()[0];
        EXPECT_TRUE(data.notifier.endRequested);
        const QStringList log = fileLines("program/errorlog1.err");
        EXPECT_TRUE(log.contains("ERROR SENDER:orbisca window"));
        const QString detail = log.value(log.indexOf("LOCAL VARIABLES:") + 1);
        EXPECT_EQ(detail, messages()[0].section('\n', 1));  // "fdb.dat: No such file ..."
        writeFile(file, content);
        QFile::remove(home.filePath("program/errorlog1.err"));
        data.notifier = Notifier{};
        data.errorLog.logWritten = false;
        data.errorLog.programFolder = home.filePath("program");
    }

    // A working folder that is not there says so.
    data.folder.set(home.filePath("gone"));
    window = std::make_unique<CompactWindow>(program);
    EXPECT_FALSE(window->startUp());
    EXPECT_EQ(messages(), QStringList{"ERROR! ERROR CODE:104\nthe working folder \"" +
                                      home.filePath("gone") + "\" does not exist"});
}

// A picture the loader needs is missing, or the outline mask does not fit the face or shows
// almost nothing of it (a window of a few pixels that no key reaches): the loader fails with code
// 120 naming the file, ends its log with "ERROR!!!" and never enables the timer.
struct LoaderFailure {
    const char* picture;
    int mask;  // -1: the picture removed; 0 one pixel, 1 eight pixels, 2 a 3.7 % square
    const char* lastStep;
};
class LoaderFailureTest : public WindowTest, public ::testing::WithParamInterface<LoaderFailure> {};

TEST_P(LoaderFailureTest, EndsTheProgramWithCode120NamingThePicture) {
    const LoaderFailure f = GetParam();
    if (f.mask < 0) {
        removePicture(f.picture);
    } else {
        QImage mask = f.mask == 2 ? filled(600, 450, Qt::black)
                                  : filled(f.mask ? 8 : 1, f.mask ? 8 : 1, Qt::white);
        if (f.mask == 2) QPainter(&mask).fillRect(10, 10, 100, 100, Qt::white);
        gfx::saveImage(mask, home.filePath("graphic/pyrA0.bmp"), "bmp");
    }
    create();
    window->show();
    window->waitForLoader();
    QTRY_COMPARE_WITH_TIMEOUT(messages().size(), 1, 2000);
    const QString cause =
        f.mask < 0 ? QString(f.picture) : QString("the outline mask \"graphic\\pyrA0.bmp\"");
    EXPECT_TRUE(messages()[0].startsWith("ERROR! ERROR CODE:120\n") &&
                messages()[0].contains(cause))
        << messages()[0];
    EXPECT_TRUE(data.notifier.endRequested);
    EXPECT_EQ(lastTwoLines("Floading.log"), (QStringList{f.lastStep, "ERROR!!!"}));
    const QStringList log = fileLines("program/errorlog1.err");
    EXPECT_TRUE(log.contains("ERROR SENDER:orbisca window fx loader"));
    if (f.mask >= 0) {
        EXPECT_EQ(log.value(log.indexOf("LOCAL VARIABLES:") + 1), "filename:graphic\\pyrA0.bmp");
    }
    QTest::qWait(120);
    EXPECT_NE(phase(), CompactPhase::Shown);
}
INSTANTIATE_TEST_SUITE_P(
    MissingTinyMismatchedAndEmpty, LoaderFailureTest,
    ::testing::Values(LoaderFailure{"pyrA0.bmp", -1, "bitmapcreate=ok"},
                      LoaderFailure{"pyr0.bmp", -1, "combinergn=ok"},
                      LoaderFailure{"pyrA0.bmp", 0, "bitmapload pyrA0.bmp =ok"},
                      LoaderFailure{"pyrA0.bmp", 1, "bitmapload pyrA0.bmp =ok"},
                      LoaderFailure{"pyrA0.bmp", 2, "bitmapload pyrA0.bmp =ok"}));

// The four picture areas ask for their view and hide the window; the temple door shows the day
// view beside it; the expand button does too and stops a running fade. No date dialog opens.
TEST_F(WindowTest, EachAreaAndTheExpandButtonRequestTheirView) {
    const std::tuple<QPoint, CompactPhase, FullModeView, bool> cases[] = {
        {{260, 200}, CompactPhase::ToneAsked, FullModeView::Tone, false},
        {{260, 250}, CompactPhase::SignAsked, FullModeView::Sign, false},
        {{340, 260}, CompactPhase::OracleAsked, FullModeView::Oracle, false},
        {{180, 240}, CompactPhase::PlasmaAsked, FullModeView::Plasma, false},
        {{300, 80}, CompactPhase::Shown, FullModeView::Day, true}};
    for (const auto& [at, asked, view, stays] : cases) {
        start();
        fullModeShown.clear();
        click(at);
        EXPECT_EQ(phase(), asked);
        EXPECT_EQ(fullModeShown, (std::vector<std::pair<FullModeView, bool>>{{view, false}}));
        EXPECT_EQ(window->isVisible(), stays);
        EXPECT_FALSE(dialog.isVisible());
    }
    fullModeShown.clear();
    QTest::mouseClick(window->expandButton(), Qt::LeftButton);
    EXPECT_EQ(fullModeShown,
              (std::vector<std::pair<FullModeView, bool>>{{FullModeView::Day, true}}));
}

TEST_F(WindowTest, DragMovesTheWindowAndAPlainClickOpensTheDateDialog) {
    start({17, 11, 0, 2027});
    const QPoint before = window->pos();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(100, 420));
    sendMouseMove(window.get(), QPointF(130, 440), Qt::LeftButton);
    EXPECT_EQ(window->pos(), before + QPoint(30, 20));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(100, 420));
    EXPECT_FALSE(dialog.isVisible());
    click(QPoint(100, 420));
    ASSERT_TRUE(dialog.isVisible());
    auto field = [this](const char* name) { return dialog.findChild<QSpinBox*>(name)->value(); };
    EXPECT_EQ((QList{field("dayField"), field("monthField"), field("yearField")}),
              (QList{17, 11, 2027}));
}

TEST_F(WindowTest, KeysStepTheDateAndThePanelFollows) {
    start({1, 3, 0, 2026});
    const std::tuple<Qt::Key, bool, GregorianDate> steps[] = {
        // key, Right and Left (PageUp and PageDown) swapped, the date after it
        {Qt::Key_Comma, false, {1, 2, 0, 2026}},   {Qt::Key_Period, false, {1, 3, 0, 2026}},
        {Qt::Key_Right, false, {2, 3, 0, 2026}},   {Qt::Key_PageDown, false, {1, 3, 0, 2026}},
        {Qt::Key_Left, false, {28, 2, 0, 2026}},   {Qt::Key_A, false, {28, 2, 0, 2026}},
        {Qt::Key_PageDown, true, {1, 3, 0, 2026}}, {Qt::Key_Left, true, {2, 3, 0, 2026}}};
    for (const auto& [key, swap, date] : steps) {
        data.settings.swapDayKeys = swap;
        QTest::keyClick(window.get(), key);
        EXPECT_EQ(data.day.date(), date) << key;
    }
    EXPECT_TRUE(showsTheCurrentSign());
}

// Within one area the animation goes on; another area starts its own from the start colour.
TEST_F(WindowTest, HintFlaresRedThenFadesOutAndAnotherAreaStartsAfresh) {
    start();
    sendMouseMove(window.get(), QPointF(260, 250));
    EXPECT_EQ(window->state().hint, CompactHint::Sign);
    EXPECT_EQ(window->hintLabel()->text(), readDatabaseLine(data.folder, 395, "BASE.KTX"));
    window->tickTimer().stop();  // ticks are driven by hand from here
    int reddest = 0;
    for (int tick = 0; tick < 15; ++tick, window->onTick())
        reddest = std::max(reddest, window->hintColour().red());
    EXPECT_GT(reddest, 240);
    const QColor before = window->hintColour();
    window->handleMove(QPoint(270, 260));  // the same area: no new start
    EXPECT_EQ(window->hintColour(), before);
    for (int tick = 0; window->state().hint != CompactHint::None && tick < 200; ++tick)
        window->onTick();
    EXPECT_LE(window->hintColour().red(), 80);
    window->handleMove(QPoint(420, 240));  // the moon
    EXPECT_EQ(window->state().hint, CompactHint::Moon);
    EXPECT_EQ(window->hintColour(), hintStartColour());
}

TEST_F(WindowTest, TwentyStartsClosedAtOnceEndCleanly) {
    for (int run = 0; run < 20; ++run) {
        create();
        window->show();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_TRUE(window->state().closed);
        window.reset();  // joins the loader before the pictures go
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(messages().isEmpty());
}

}  // namespace
}  // namespace orbisca::testing
