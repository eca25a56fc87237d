// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli print into PDF files, measured with poppler's tools.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>

#include "support/cli_run.h"

namespace {

using orbisca::testing::CliRun;
using orbisca::testing::runCommandLine;

// The sign export on a light blue background, so that the picture's box shows on the page.
constexpr char kSignPrint[] = " print --export sign --date 2001-08-21 --background 160,200,255 ";

class PrintPdf : public ::testing::Test {
protected:
    CliRun print(const std::string& options, const std::string& environment = "") const {
        return runCommandLine("env -u XDG_RUNTIME_DIR " + environment +
                              " " ORBISCA_CLI " --home " ORBISCA_HOME_DIR + kSignPrint + options);
    }
    std::string pdf(const char* name) const { return dir.filePath(name).toStdString(); }
    static std::string tool(const std::string& commandLine) {
        return runCommandLine(commandLine).out;
    }
    // The bounding box of the blue picture on the page rendered at 100 dpi, and the page size.
    QRect pictureBox(const std::string& file, QSize* page) const {
        const std::string prefix = dir.filePath("page").toStdString();
        tool("pdftoppm -r 100 -png -singlefile '" + file + "' '" + prefix + "'");
        const QImage image(QString::fromStdString(prefix + ".png"));
        *page = image.size();
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)).blue() - QColor(image.pixel(x, y)).red() > 40)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    QTemporaryDir dir;
};

TEST_F(PrintPdf, SignAtFullScaleIsOneA4PageWithThePictureAt600DpiCentred) {
    const CliRun run = print("--pdf " + pdf("sign.pdf"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string info = tool("pdfinfo " + pdf("sign.pdf"));
    EXPECT_THAT(info, HasSubstr("Pages:           1\n"));
    EXPECT_THAT(info, HasSubstr("595 x 842 pts (A4)"));
    EXPECT_THAT(info, HasSubstr("Title:           Orbisca\n"));
    const std::string images = tool("pdfimages -list " + pdf("sign.pdf"));
    EXPECT_THAT(images, HasSubstr(" image    4020  3300 "));
    EXPECT_THAT(images, HasSubstr("   600   600 "));
    EXPECT_THAT(images, HasSubstr(" rgb     3   8  image ")) << "kept without loss, not as JPEG";
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 3) << images;  // one image

    QSize page;
    const QRect box = pictureBox(pdf("sign.pdf"), &page);
    EXPECT_NEAR(box.width(), 670, 2);
    EXPECT_NEAR(box.height(), 550, 2);
    EXPECT_NEAR(box.left(), page.width() - 1 - box.right(), 2);
    EXPECT_NEAR(box.top(), page.height() - 1 - box.bottom(), 2);
}

TEST_F(PrintPdf, FitSpansThePrintableWidthAndLandscapeTurnsThePaper) {
    ASSERT_EQ(print("--fit", "ORBISCA_PRINT_TO=" + pdf("fit.pdf")).status, 0);
    QSize page;
    const QRect fitted = pictureBox(pdf("fit.pdf"), &page);
    EXPECT_GT(fitted.width(), page.width() * 9 / 10);  // all but the printer's margins
    EXPECT_NEAR(fitted.left(), page.width() - 1 - fitted.right(), 2);
    EXPECT_NEAR(fitted.top(), page.height() - 1 - fitted.bottom(), 2);
    EXPECT_NEAR(double(fitted.width()) / fitted.height(), 4020.0 / 3300.0, 0.01);

    ASSERT_EQ(print("--landscape --pdf " + pdf("wide.pdf")).status, 0);
    EXPECT_THAT(tool("pdfinfo " + pdf("wide.pdf")), HasSubstr("842 x 595 pts (A4)"));
    const QRect wide = pictureBox(pdf("wide.pdf"), &page);
    EXPECT_EQ(page, QSize(1170, 827));
    EXPECT_NEAR(wide.width(), 670, 2);
    EXPECT_NEAR(wide.left(), page.width() - 1 - wide.right(), 2);
}

TEST_F(PrintPdf, AnUnwritablePathOrAMissingQueueFailsAndLeavesNoFile) {
    const std::string blocked = pdf("no-such-folder/sign.pdf");
    const CliRun unwritable = print("--pdf " + blocked);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("cannot be written"));
    EXPECT_EQ(std::count(unwritable.err.begin(), unwritable.err.end(), '\n'), 1) << unwritable.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(blocked)));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    const CliRun noQueue = print("--printer No-Such-Queue");
    EXPECT_EQ(noQueue.status, 1);
    EXPECT_THAT(noQueue.err, HasSubstr("no printer queue \"No-Such-Queue\""));

    // A working folder without its pictures: the failing line and why it failed.
    const std::string bare = dir.filePath("bare").toStdString();
    runCommandLine("cp -r " ORBISCA_HOME_DIR " " + bare + " && rm -r " + bare + "/graphic");
    const CliRun missing = runCommandLine(ORBISCA_CLI " --home " + bare + kSignPrint +
                                          "--pictures --pdf " + pdf("bare.pdf"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err,
                HasSubstr("failed at line 22: the picture \"graphic\\10Y.bmp\" does not exist"));
}

// A pipe named as the print target, by option or by ORBISCA_PRINT_TO, is written through to its
// reader, never replaced; no name beside the target is predictable, and a replaced file keeps its
// permissions. (Sockets, folders and devices as targets, the script tests' outputs table checks.)
TEST_F(PrintPdf, APipeIsWrittenThroughAndAFileReplacedSafely) {
    const std::string fifo = pdf("fifo"), read = pdf("read.pdf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const bool throughEnvironment : {false, true}) {
        QFile::remove(QString::fromStdString(read));
        // A reader on the pipe, as a user's "cat fifo > file" would be.
        runCommandLine("(cat '" + fifo + "' > '" + read + "') >/dev/null 2>&1 &");
        const CliRun run =
            throughEnvironment ? print("", "ORBISCA_PRINT_TO=" + fifo) : print("--pdf " + fifo);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_THAT(run.out, HasSubstr("printed 4020x3300 on " + fifo));
        for (int i = 0; i < 50 && tool("head -c 4 '" + read + "'") != "%PDF"; ++i) usleep(100'000);
        EXPECT_EQ(tool("head -c 4 '" + read + "'"), "%PDF");
        struct stat info {};
        ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, S_IFIFO);  // never replaced
    }

    // A link planted where a predictable temporary name would be, and a private file printed over.
    const std::string victim = pdf("victim"), out = pdf("out.pdf");
    runCommandLine("echo untouched > '" + victim + "' && ln -s '" + victim + "' '" + out +
                   ".part.pdf' && echo old > '" + out + "' && chmod 600 '" + out + "'");
    ASSERT_EQ(print("--pdf " + out).status, 0);
    EXPECT_EQ(tool("cat '" + victim + "'"), "untouched\n");
    EXPECT_EQ(tool("head -c 4 '" + out + "'"), "%PDF");
    struct stat info {};
    ASSERT_EQ(::stat(out.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(dir.path()).entryList({"out.pdf*"}, QDir::Files | QDir::System).size(), 2);
}

}  // namespace
