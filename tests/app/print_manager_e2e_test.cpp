// SPDX-License-Identifier: GPL-3.0-or-later
// End to end: `orbisca --open print --script FILE` on a virtual X display, driven with xdotool:
// the F-keys and Ctrl keys of the print manager, then Ctrl+S into Qt's own file dialog.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include "support/compact_fixture.h"
#include "support/virtual_display.h"

namespace orbisca::testing {
namespace {

class PrintManagerEndToEndTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        copyPackPicturesAndFonts(QStringLiteral(ORBISCA_HOME_DIR));
        display = std::make_unique<VirtualDisplay>(QSize(1024, 768));
        ASSERT_FALSE(display->name().isEmpty()) << "Xvfb did not start";
    }
    void TearDown() override {
        program.kill();
        program.waitForFinished(3000);
        display.reset();
        CompactFolderTest::TearDown();
    }

    void key(const QString& keys) {
        display->run("xdotool", {"key", keys});
        QThread::msleep(300);
    }
    // Red pixels on the screen: the flat red moon of the script (a scaled view may round the
    // colour by a step).
    int redPixels() const {
        const QImage shot = display->screenshot();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb c = shot.pixel(x, y);
                n += qRed(c) >= 250 && qGreen(c) <= 5 && qBlue(c) <= 5;
            }
        return n;
    }
    // Polls until `count` passes `test`, for at most five seconds; the last count.
    template <typename Test>
    int waitFor(Test test) {
        QElapsedTimer wait;
        wait.start();
        int n = redPixels();
        while (!test(n) && wait.elapsed() < 5000) {
            QThread::msleep(100);
            n = redPixels();
        }
        return n;
    }

    std::unique_ptr<VirtualDisplay> display;
    QProcess program;
};

TEST_F(PrintManagerEndToEndTest, KeysDrawZoomAndSaveTheScriptThroughTheFileDialog) {
    const QStringList script = {"[Sign info script]", "FONT 14 -20 0 0 0 bld nrm DejaVu Sans",
                                "TEXT 0 20 cnt 'Orbisca'", "MOON 40 80 100 0 255 0 0"};
    writeLines("page.spt", script);
    program.setProcessEnvironment(display->environment());
    program.setWorkingDirectory(home.path());
    program.start(QStringLiteral(ORBISCA_BIN), {"--home", home.path(), "--open", "print",
                                                "--script", home.filePath("page.spt")});
    ASSERT_TRUE(program.waitForStarted(5000));
    display->run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "Print manager"});
    display->run("xdotool", {"mousemove", "500", "350"});  // keys go where the pointer is
    // Opened on its own, the window shows its script drawn (it used to show a 1 x 1 canvas).
    EXPECT_GT(waitFor([](int n) { return n > 200; }), 200) << "the opening drew no red moon";

    key("ctrl+c");  // Creative: the editor shows
    key("ctrl+d");
    const int shown = waitFor([](int n) { return n > 200; });
    EXPECT_GT(shown, 200) << "Ctrl+D drew no red moon";
    key("ctrl+m");  // black and white: flat moons turn silver
    EXPECT_EQ(waitFor([](int n) { return n == 0; }), 0);
    key("ctrl+m");
    EXPECT_GT(waitFor([](int n) { return n > 200; }), 200);
    key("ctrl+i");  // zoom in: the moon grows by about 1.414 squared
    EXPECT_GT(waitFor([&](int n) { return n > shown * 3 / 2; }), shown * 3 / 2);
    key("ctrl+r");

    // A line typed at the end of the script, then Ctrl+S from the editor.
    display->run("xdotool", {"mousemove", "150", "400", "click", "1"});
    key("ctrl+End");
    key("Return");
    display->run("xdotool", {"type", "--delay", "20", "TEXT 0 60 cnt 'typed'"});
    key("ctrl+s");
    display->run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Save"});
    QThread::msleep(1000);  // the dialog takes the keyboard a moment after it shows
    display->run("xdotool", {"type", "--delay", "20", "saved"});
    key("Return");
    QElapsedTimer wait;
    wait.start();
    while (!QFile::exists(home.filePath("saved.spt")) && wait.elapsed() < 15000)
        QThread::msleep(100);
    const QStringList typed = script + QStringList{"TEXT 0 60 cnt 'typed'"};
    EXPECT_EQ(readLines(home.filePath("saved.spt")), typed);

    // Ctrl+W closes the window, which ends the program and keeps the script and the settings.
    key("ctrl+w");
    ASSERT_TRUE(program.waitForFinished(15000)) << "the window did not close";
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(readLines(home.filePath("~last.spt")), typed);
    const QStringList values = readLines(home.filePath("WindWHP.dat"));
    ASSERT_EQ(values.size(), 22);
    EXPECT_EQ(values[8], "0");  // Creative
}

// Easy mode in the pack's settings (elements exported as glyph text): Sign (F5) and Next day (F3)
// write the script that orbisca-cli writes in its default form for the next day and the same
// printer page, saved through Qt's file dialog.
TEST_F(PrintManagerEndToEndTest, SignAndNextDayWriteWhatTheCommandLineExports) {
    program.setProcessEnvironment(display->environment());
    program.setWorkingDirectory(home.path());
    program.start(QStringLiteral(ORBISCA_BIN),
                  {"--home", home.path(), "--date", "2026-03-15", "--open", "print"});
    ASSERT_TRUE(program.waitForStarted(5000));
    display->run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "Print manager"});
    display->run("xdotool", {"mousemove", "500", "350"});
    key("F5");
    QThread::msleep(5000);  // the export and its optimization (keys wait for a run to end)
    key("F3");
    QThread::msleep(5000);
    key("ctrl+s");
    display->run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Save"});
    display->run("xdotool", {"type", "--delay", "20", "sign"});
    key("Return");
    QElapsedTimer wait;
    wait.start();
    while (!QFile::exists(home.filePath("sign.spt")) && wait.elapsed() < 30000)
        QThread::msleep(100);

    QProcess cli;
    cli.setWorkingDirectory(home.path());
    cli.start(QStringLiteral(ORBISCA_CLI), {"export", "sign", "--date", "2026-03-16", "--optimize",
                                            "4958x7017", "-o", "cli.spt"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList expected = readLines(home.filePath("cli.spt"));
    EXPECT_EQ(expected.value(0), "[Sign info script]");
    EXPECT_TRUE(expected.filter("PICT").isEmpty()) << "the sign is written as glyph text";
    EXPECT_EQ(readLines(home.filePath("sign.spt")), expected);
    key("ctrl+w");
    ASSERT_TRUE(program.waitForFinished(5000));
}

}  // namespace
}  // namespace orbisca::testing
