// SPDX-License-Identifier: GPL-3.0-or-later
// End to end: the real orbisca program on a virtual X display, looked at through screenshots of
// the root window and driven with xdotool. The test starts its own Xvfb with a patterned root, so
// that what the shaped window does not cover can be told from the window's black sky.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <functional>
#include <utility>

#include "data/program_title.h"
#include "data/text_file.h"
#include "gfx/test_images.h"
#include "support/compact_fixture.h"
#include "support/virtual_display.h"
#include "views/compact_panel.h"

namespace orbisca::testing {
namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;
// The loader centres the 600 x 450 window.
const QPoint kWindowAt(kScreenW / 2 - 300, kScreenH / 2 - 225);
// The full-mode window's frame and its buttons' row.
const QRect kFrameRect((kScreenW - 700) / 2, (kScreenH - 600) / 2 + 20, 670, 550);
QPoint buttonCentre(int x) { return {x + 16, 8 + 16}; }
const QPoint kBackButton = buttonCentre(kScreenW - 90);

using gfx::test::samePixels;

// How long a window may take to show: a program built with the sanitizers, sharing the machine
// with another test, takes seconds to start.
constexpr int kShowLimitMs = 15000;

// Polls `done` every `pause` milliseconds for up to `limit`; whether it came true.
bool poll(const std::function<bool()>& done, int limit = 5000, int pause = 100) {
    QElapsedTimer wait;
    wait.start();
    do {
        if (done()) return true;
        QThread::msleep(pause);
    } while (wait.elapsed() < limit);
    return false;
}

// Keeps a screenshot beside the build for a person to look at.
void keep(const QImage& image, const QString& name) {
    const QString folder = QStringLiteral(ORBISCA_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    image.save(folder + "/" + name);
}

class EndToEndTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        copyPackPicturesAndFonts(QStringLiteral(ORBISCA_HOME_DIR));
        display = std::make_unique<VirtualDisplay>(QSize(kScreenW, kScreenH));
        ASSERT_FALSE(display->name().isEmpty()) << "Xvfb did not start";
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
        display.reset();
        CompactFolderTest::TearDown();
    }

    void startProgram(const QStringList& extra = {},
                      const QString& binary = QStringLiteral(ORBISCA_BIN)) {
        program.setProcessEnvironment(display->environment());
        program.setWorkingDirectory(home.path());
        program.start(binary, QStringList{"--home", home.path(), "--report-start-time"} + extra);
        ASSERT_TRUE(program.waitForStarted(5000));
        // The pointer over the window's middle: keys go where the pointer is on a display without
        // a window manager.
        display->run("xdotool",
                     {"mousemove", QString::number(kScreenW / 2), QString::number(kScreenH / 2)});
    }
    // Waits for the program's report that the panel is painted; the milliseconds it gives.
    int waitForPanel() {
        poll(
            [&] {
                program.waitForReadyRead(100);
                stderrText += program.readAllStandardError();
                return stderrText.contains("painted after");
            },
            kShowLimitMs, 0);
        const int at = stderrText.indexOf("painted after ");
        return at < 0 ? -1 : stderrText.mid(at + 14).split(' ').value(0).toInt();
    }
    // The face the program paints for a date, painted here without a window.
    QImage expectedFace(const GregorianDate& date) {
        ProgramState& state = WorkingFolderTest::program;  // `program` is the process here
        state.fonts.load(data.folder);
        PanelPictures pictures{gfx::loadBitmap(home.filePath("graphic/pyr0.bmp")),
                               gfx::loadBitmap(home.filePath("graphic/moon.bmp"))};
        QImage face;
        paintPanel({data.folder, state.fonts}, face, pictures, gregorianToMayan(date), nullptr);
        return face;
    }
    static QImage areaOf(const QImage& image, QPoint origin) {
        return image.copy(QRect(origin + QPoint(226, 222), QSize(73, 73)));
    }
    // Polls screenshots until the sign area shows what `face` has there (pixel by pixel: a
    // screenshot carries a colour space the painted face has not).
    bool waitForSign(const QImage& face, QImage* shot = nullptr) {
        QImage last;
        const bool shown = poll(
            [&] {
                last = display->screenshot();
                return samePixels(areaOf(last, kWindowAt), areaOf(face, {0, 0}));
            },
            kShowLimitMs);
        if (shot) *shot = last;
        return shown;
    }
    // The pixels of `area` that are not the full-mode window's background.
    static int inkIn(const QImage& image, const QRect& area) {
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ink += image.pixel(x, y) != qRgb(7, 0, 35);
        return ink;
    }
    void clickAt(QPoint p) {
        display->run("xdotool",
                     {"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    }
    // Polls screenshots until the frame stays the same over two of them; the last screenshot.
    QImage settled() {
        QImage last = display->screenshot(), shot;
        poll(
            [&] {
                QThread::msleep(60);
                shot = display->screenshot();
                return samePixels(shot.copy(kFrameRect),
                                  std::exchange(last, shot).copy(kFrameRect));
            },
            5000, 0);
        return shot;
    }
    // Waits for the full-mode window's background at the screen's left edge.
    bool waitForFullMode() {
        return poll([&] { return display->screenshot().pixel(2, kScreenH / 2) == qRgb(7, 0, 35); },
                    kShowLimitMs);
    }
    // A window's id, found by a pattern of its caption once it shows ("" when it does not within
    // seconds). The display adds " — " and the program's title to a window's own caption.
    QString waitForWindow(const QString& caption) {
        QByteArray ids;
        poll(
            [&] {
                ids = display->run("xdotool", {"search", "--onlyvisible", "--name", caption});
                return !ids.trimmed().isEmpty();
            },
            10000);
        return QString::fromLatin1(ids.trimmed().split('\n').last());
    }
    int endWithEscape() {
        display->run("xdotool", {"key", "Escape"});
        if (!program.waitForFinished(5000)) return -1;
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    std::unique_ptr<VirtualDisplay> display;
    QProcess program;
    QString stderrText;
};

TEST_F(EndToEndTest, ShapedWindowShowsTodayStepsWithTheKeysAndEnds) {
    data.day.start();  // today, as the program takes it
    const GregorianDate today = data.day.today();
    startProgram();
    const int paintedMs = waitForPanel();
    ASSERT_GT(paintedMs, 0) << stderrText.toStdString();
    RecordProperty("painted_ms", paintedMs);

    QImage shot;
    ASSERT_TRUE(waitForSign(expectedFace(today), &shot)) << "today's sign is not in area A2";
    keep(shot.copy(QRect(kWindowAt, QSize(600, 450))), "compact-window.png");

    // Outside the outline the patterned root shows: the window's top-left corner holds the same
    // pixels as the root far away from any window (the pattern repeats every four pixels).
    const QPoint cornerAt = kWindowAt + QPoint(2, 2);
    const QImage corner = shot.copy(QRect(cornerAt, QSize(8, 8)));
    const QImage farRoot =
        shot.copy(QRect(QPoint(cornerAt.x() % 4 + 8, cornerAt.y() % 4 + 8), QSize(8, 8)));
    EXPECT_TRUE(samePixels(corner, farRoot));
    int white = 0;  // a pattern of black and white, not a filled sky
    for (int i = 0; i < 64; ++i) white += corner.pixel(i % 8, i / 8) == qRgb(255, 255, 255);
    EXPECT_TRUE(white > 0 && white < 64) << white;
    // Inside the outline the face shows (the panel at area A6).
    EXPECT_EQ(shot.pixel(kWindowAt + QPoint(130, 385)), expectedFace(today).pixel(130, 385));

    display->run("xdotool", {"key", "Right"});
    EXPECT_TRUE(waitForSign(expectedFace(stepDate(today, 1))))
        << "Right did not show the next day's sign";

    EXPECT_EQ(endWithEscape(), 0);
}

// Under a compositing manager the face's rim blends with what lies behind it, along the pack's
// anti-aliased outline (without one, the test above sees the hard outline over the root).
TEST_F(EndToEndTest, UnderACompositingManagerTheRimIsAntiAliased) {
    QProcess compositor;
    compositor.setProcessEnvironment(display->environment());
    compositor.start("xcompmgr", {});
    ASSERT_TRUE(compositor.waitForStarted(5000));
    QThread::msleep(300);  // until it holds the screen's compositing selection
    data.day.start();
    const QImage face = expectedFace(data.day.today());
    startProgram();
    ASSERT_GT(waitForPanel(), 0) << stderrText.toStdString();
    QImage shot;
    ASSERT_TRUE(waitForSign(face, &shot));
    keep(shot.copy(QRect(kWindowAt, QSize(600, 450))), "compact-window-composited.png");
    const QImage soft = gfx::loadBitmap(home.filePath("graphic/pyrS0.bmp"))
                            .convertToFormat(QImage::Format_Grayscale8);
    int rim = 0, blended = 0;
    for (int y = 0; y < soft.height(); ++y)
        for (int x = 0; x < soft.width(); ++x) {
            const int alpha = soft.constScanLine(y)[x];
            if (alpha <= 32 || alpha >= 224) continue;
            ++rim;
            blended += shot.pixel(kWindowAt + QPoint(x, y)) != face.pixel(x, y);
        }
    EXPECT_GT(rim, 200);
    EXPECT_GT(blended, rim * 9 / 10) << blended << " of " << rim;
    EXPECT_EQ(endWithEscape(), 0);
    compositor.terminate();
    compositor.waitForFinished(3000);
}

// The full-mode window as a user drives it, started on the board: the configuration dialog takes
// the keys without a window manager and gives them back, then the views, the date dialog, the
// compact window and its sign page, and the exit button.
TEST_F(EndToEndTest, FullModeFromTheBoardToTheCompactWindowAndBackToTheExit) {
    startProgram({"--date", "2001-08-21", "--open", "full", "--mode", "13"});
    ASSERT_TRUE(waitForFullMode());
    display->run("xdotool", {"mousemove", "2", "700"});  // away from the buttons' hot glyphs
    const QImage board = settled();
    keep(board, "full-mode-open-board.png");
    // The board picture's dials stand at the frame's left.
    EXPECT_GT(inkIn(board, QRect(kFrameRect.topLeft(), QSize(140, 500))), 1000);

    clickAt(buttonCentre(kScreenW - 130));
    const QString caption = "^" + readDatabaseLine(data.folder, 637, "BASE.KTX");
    ASSERT_FALSE(waitForWindow(caption).isEmpty()) << "no configuration dialog";
    display->run("xdotool", {"mousemove", "2", "700", "key", "Escape"});
    EXPECT_TRUE(poll([&] {
        return display->run("xdotool", {"search", "--onlyvisible", "--name", caption})
            .trimmed()
            .isEmpty();
    })) << "Escape did not close the dialog";
    const QImage before = settled().copy(kFrameRect);  // the fade back drops keys
    display->run("xdotool", {"key", "Right"});
    const QImage nextDay = settled().copy(kFrameRect);
    EXPECT_FALSE(samePixels(nextDay, before)) << "Right changed nothing";

    // The dialog's closing showed the day overview; the tone button changes the frame to the tone
    // page (each button's view: the in-process full-mode window test).
    clickAt(buttonCentre(8 + 40));
    EXPECT_TRUE(poll([&] { return !samePixels(display->screenshot().copy(kFrameRect), nextDay); }))
        << "the tone button changed nothing";
    const QImage tone = settled().copy(kFrameRect);

    // A click on the view opens the date dialog; closing it leaves the program running.
    clickAt(kFrameRect.center());
    display->run("xdotool", {"search", "--sync", "--onlyvisible", "--classname", "orbisca"});
    QThread::msleep(300);
    display->run("xdotool", {"mousemove", QString::number(kScreenW / 2), "340", "key", "Escape"});
    ASSERT_FALSE(program.waitForFinished(1500)) << "closing the date dialog ended the program";
    display->run("xdotool", {"mousemove", "2", "700"});
    EXPECT_TRUE(samePixels(settled().copy(kFrameRect), tone));

    clickAt(kBackButton);
    display->run("xdotool", {"mousemove", "3", "3"});
    ASSERT_TRUE(waitForSign(expectedFace({22, 8, 0, 2001}))) << "the compact window is not back";
    display->run("xdotool", {"key", "Right"});
    EXPECT_TRUE(waitForSign(expectedFace({23, 8, 0, 2001})))
        << "the compact window does not take keys after the full-mode window";

    clickAt(kWindowAt + QPoint(262, 258));  // the sign: its page
    ASSERT_TRUE(waitForFullMode());
    display->run("xdotool", {"mousemove", "2", "700"});
    const QImage signPage = settled();
    keep(signPage, "full-mode-sign.png");
    // Outside the frame and the button row every pixel is the window's background.
    int stray = 0;
    for (int y = 42; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x)
            stray += !kFrameRect.contains(x, y) && signPage.pixel(x, y) != qRgb(7, 0, 35);
    EXPECT_EQ(stray, 0);
    EXPECT_GT(inkIn(signPage, kFrameRect), 1000);
    clickAt(buttonCentre(kScreenW - 50));
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitCode(), 0);
}

// One missing picture gives one message; once it is answered the program ends with status 1.
TEST_F(EndToEndTest, FatalErrorShowsOneMessageAndEndsWithFailure) {
    for (int sign = 0; sign < 20; ++sign)
        QFile::remove(home.filePath(QString("graphic/%1Y.bmp").arg(sign)));
    // The program's own copy, so that its error log goes into the temporary folder.
    const QString binary = home.filePath("orbisca");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORBISCA_BIN), binary));
    startProgram({}, binary);
    // A sanitizer build on a busy machine may take many seconds to get there.
    ASSERT_TRUE(poll(
        [&] {  // until the window and the message show
            return display->run("xdotool", {"search", "--onlyvisible", "--name", "Orbisca"})
                       .count('\n') >= 2;
        },
        30000));
    display->run("xdotool", {"key", "Return"});
    ASSERT_TRUE(program.waitForFinished(15000)) << "a second message is waiting";
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(QFile::exists(home.filePath("errorlog1.err")));
    EXPECT_FALSE(QFile::exists(home.filePath("errorlog2.err")));
    EXPECT_EQ(fileLines("Floading.log").last().left(8), "EndTime=");
}

// The first launch shows the reminder before the compact window; "remind me after" (5, the
// default) is reached from the keyboard.
TEST_F(EndToEndTest, TheReminderIsAnsweredFromTheKeyboardBeforeTheCompactWindow) {
    ASSERT_TRUE(QFile::remove(home.filePath("strt.dat")));
    startProgram();
    const QString reminder = waitForWindow("^Support Orbisca");
    ASSERT_FALSE(reminder.isEmpty()) << "no reminder";
    QThread::msleep(300);  // the window has painted
    keep(QImage::fromData(display->run("import", {"-window", reminder, "png:-"}), "PNG"),
         "donation-reminder.png");
    display->run("xdotool", {"mousemove", QString::number(kScreenW - 5),
                             QString::number(kScreenH - 5), "key", "Tab", "space"});
    // The first close writes the details for the user and says so.
    ASSERT_FALSE(waitForWindow("^" + programTitle() + "$").isEmpty()) << "no message";
    display->run("xdotool", {"key", "Return"});
    ASSERT_GT(waitForPanel(), 0) << stderrText.toStdString();
    EXPECT_EQ(fileLines("strt.dat"), (QStringList{"1", "5"}));
    EXPECT_TRUE(QFile::exists(home.filePath("Donation info.txt")));
    EXPECT_EQ(endWithEscape(), 0);
}

// The options are read before any window system is needed: they work without a display.
TEST(ProgramOptions, HelpVersionAndBadOptionsWithoutDisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const std::tuple<QStringList, int, QByteArray> cases[] = {
        {{"--help"}, 0, "--home"},
        {{"--version"}, 0, ORBISCA_VERSION},
        {{"--no-such-option"}, 2, "no-such-option"},
        {{"--date", "2026-02-30"}, 2, "2026-02-30"},
        // A working folder that cannot be one is told in one line before any window opens.
        {{"--home", "/no/such/folder"}, 2, "--home \"/no/such/folder\" does not exist"},
        {{"--home", ORBISCA_HOME_DIR "/BASE.KTX"}, 2, "BASE.KTX\" is a file, not a folder"},
        {{"--home", ORBISCA_HOME_DIR "/graphic"}, 2, "graphic\" holds no BASE.KTX"},
        {{"--open", "calendar"}, 2, "calendar"},
        {{"--script", "page.spt"}, 2, "--open print"},
        {{"--open", "full", "--mode", "10"}, 2, "--mode"},
        {{"--mode", "3"}, 2, "--open full"},
        // Stray arguments are refused, not ignored; what they hold is escaped.
        {{"2001-08-21"}, 2, "unexpected argument \"2001-08-21\""},
        {{"--date", "\x1b]0;T\x07"}, 2, "\\x1b]0;T\\x07"}};
    for (const auto& [args, status, says] : cases) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORBISCA_BIN), args);
        ASSERT_TRUE(p.waitForFinished(5000));
        EXPECT_EQ(p.exitCode(), status) << args.join(' ').toStdString();
        EXPECT_TRUE((p.readAllStandardOutput() + p.readAllStandardError()).contains(says))
            << says.toStdString();
    }
}

}  // namespace
}  // namespace orbisca::testing
