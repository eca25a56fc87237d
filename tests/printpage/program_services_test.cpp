// The page on the program's own layers: the notifier, the working folder and the drawing layer.
#include <gtest/gtest.h>

#include "data/notifier.h"
#include "data/program_state.h"
#include "data/working_folder.h"
#include "page_fixture.h"
#include "printpage/image_ops.h"
#include "printpage/page_services.h"

using namespace orbisca;

namespace {

struct ProgramPage : ::testing::Test {
    QTemporaryDir home;
    PrintPageState page;

    void SetUp() override {
        orbisca::testing::ensureGuiApplication();
        TearDown();
        setWorkingFolder(home.path());
        page.services = ProgramPageServices();
        page.background = qRgb(0, 0, 64);
        setcanvas(page, 120, 100, true);
    }
    void TearDown() override {
        resetWorkingFolderState();
        resetNotifierState();
        resetFullModeState();
    }

    bool run(const QStringList& lines) {
        page.script = lines;
        return drawimage(page, page.script);
    }

    void writeBmp(const QString& name, QSize size, QRgb colour, QRgb corner) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(colour);
        image.setPixel(size.width() - 1, 0, corner);
        const QString path = QDir(home.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(image.save(path, "BMP"));
    }
};

TEST_F(ProgramPage, FlatMoonsSyntaxErrorsAndHugeDiscs) {
    ASSERT_TRUE(run({"MOON 10 10 60 0 255 0 0"}));
    EXPECT_EQ(page.canvas.pixel(40, 40), qRgb(255, 0, 0));
    EXPECT_EQ(page.canvas.pixel(11, 11), qRgb(0, 0, 64));  // outside the disc, inside its box
    // Phase 50 is drawn half a lunation on: a new moon, only the outline on the background.
    page.canvas.fill(page.background);
    ASSERT_TRUE(run({"MOON 10 10 60 50 255 0 0"}));
    EXPECT_EQ(page.canvas.pixel(40, 40), qRgb(0, 0, 64));
    EXPECT_EQ(page.canvas.pixel(40, 10), qRgb(255, 0, 0));
    ASSERT_TRUE(run({"MOON -8000 -8000 16384 0 0 255 0"}));  // the canvas lies at the disc's centre
    EXPECT_EQ(page.canvas.pixel(60, 50), qRgb(0, 255, 0));
    EXPECT_FALSE(run({"TEXT 1 x rgt 'a'"}));
    EXPECT_EQ(notifierState().messages, QStringList{"Syntax error at line 0"});
}

TEST_F(ProgramPage, MoonPictureFromTheWorkingFolderAndPicturesWithTheirKeyColour) {
    writeBmp("graphic/moon2.bmp", QSize(40, 40), qRgb(200, 180, 20), qRgb(200, 180, 20));
    ASSERT_TRUE(run({"MOON 0 0 50 50 IMAGE"}));
    EXPECT_EQ(page.canvas.pixel(25, 25), qRgb(200, 180, 20));

    writeBmp("graphic/Sample.BMP", QSize(2, 2), qRgb(9, 9, 9), qRgb(255, 0, 255));
    fullModeState().rx = 100;
    ASSERT_TRUE(run({"PICT 0 90 255 0 255 rgt 'GRAPHIC\\sample.bmp'"}))
        << page.interp.errorReason.toStdString();
    EXPECT_EQ(page.canvas.pixel(100, 90), qRgb(9, 9, 9));
    EXPECT_EQ(page.canvas.pixel(101, 90),
              qRgb(0, 0, 64));  // the key colour leaves the canvas as it was
}

TEST_F(ProgramPage, TheRealFilterSoftensTheOptimizedPage) {
    page.canvasWidth = 901;
    page.canvasHeight = 701;
    page.background = qRgb(255, 255, 255);
    page.script = {"FONT 10 -40 0 0 0 bld nrm DejaVu Sans", "TEXT 0 100 cnt 'Wide'"};
    ASSERT_TRUE(optimize(page, QSize(100, 100)));
    int grey = 0;  // a black glyph on white has grey edges after the filter
    for (int y = 100; y < 160; ++y)
        for (int x = 380; x < 520; ++x)
            grey += qRed(page.canvas.pixel(x, y)) > 40 && qRed(page.canvas.pixel(x, y)) < 200;
    EXPECT_GT(grey, 0);
}

}  // namespace
