// SPDX-License-Identifier: GPL-3.0-or-later
// The page setup window offscreen, and the printer behind it writing PDF files.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "data/day_words.h"
#include "data/text_file.h"
#include "printing/canvas_printer.h"
#include "printing/page_preview_widget.h"
#include "printing/page_setup_window.h"
#include "printpage/print_job.h"
#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

class PageSetupWindowTest : public WorkingFolderTest, public PrintedCanvas {
protected:
    PageSetupWindowTest() { ensureTestApplication(); }
    void SetUp() override {
        WorkingFolderTest::SetUp();
        qunsetenv("ORBISCA_PRINT_TO");
        QFile::copy(QStringLiteral(ORBISCA_HOME_DIR "/BASE.KTX"), home.filePath("BASE.KTX"));
        canvas = QImage(670, 550, QImage::Format_RGB32);
        canvas.fill(Qt::blue);
        window = std::make_unique<PageSetupWindow>(data.folder);
        window->setPrinter(&printer);
        window->setCanvas(this);
        window->show();
    }
    void TearDown() override {
        window.reset();
        qunsetenv("ORBISCA_PRINT_TO");
        WorkingFolderTest::TearDown();
    }
    // The canvas printed, in the place the window already has.
    const QImage& printedCanvas() const override { return canvas; }
    bool preparePrintedCanvas() override { return true; }
    QPoint savedSetupPosition() const override { return window->pos(); }
    void rememberSetupPosition(QPoint) override {}

    QString text(PageField which) const { return window->field(which)->text(); }
    void type(PageField which, const QString& value) {
        QLineEdit* edit = window->field(which);
        edit->selectAll();
        QTest::keyClicks(edit, value);
    }
    QSize page() { return printer.metrics().page; }
    QPoint previewPoint(int x, int y) const {
        const PagePreview p = window->preview()->layout();
        return QPoint(int(x / p.ratio), int(y / p.ratio));
    }

    QImage canvas;
    CanvasPrinter printer{data};
    std::unique_ptr<PageSetupWindow> window;
};

TEST_F(PageSetupWindowTest, EachFieldsLabelNamesItsControl) {
    for (const PageField which :
         {PageField::Left, PageField::Top, PageField::Width, PageField::Height, PageField::Scale,
          PageField::PaperWidth, PageField::PaperHeight}) {
        const QString name =
            readDatabaseLine(data.folder, base_line::kPageSetupFirstLabel + int(which), "BASE.KTX");
        const auto labels = window->findChildren<QLabel*>();
        const auto label = std::find_if(labels.begin(), labels.end(),
                                        [&](QLabel* l) { return l->text() == name; });
        ASSERT_NE(label, labels.end()) << name;
        EXPECT_EQ((*label)->buddy(), window->field(which)) << name;
    }
}

TEST_F(PageSetupWindowTest, ShownThePictureIsAtFullScaleCentredAndTypingFollowsTheRules) {
    EXPECT_EQ(text(PageField::Scale), "100");
    EXPECT_EQ(text(PageField::Width), "670");
    EXPECT_EQ(text(PageField::Height), "550");
    EXPECT_EQ(text(PageField::Left).toInt(), qRound(page().width() / 2.0 - 335));
    EXPECT_FALSE(window->field(PageField::Left)->isEnabled());

    type(PageField::Scale, "200");
    EXPECT_EQ(text(PageField::Width), "1340");
    type(PageField::Width, "0");  // refused: the placement stays as it was
    EXPECT_FALSE(window->problemLabel()->text().isEmpty());
    EXPECT_EQ(printer.geometry().width, 1340);
    EXPECT_EQ(text(PageField::Height), "1100");

    // Units: 12.5 and 12,5 cm are the same width, 12.5 / 2.54 x 600 = 2952.76 dots, also when
    // margins make the printable page narrower than the paper; back in pixels the field shows
    // pixels again.
    printer.printer().setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    window->open();
    EXPECT_EQ(text(PageField::PaperWidth), "21");
    window->unitBox(PageField::Width)->setCurrentIndex(1);
    type(PageField::Width, "12.5");
    EXPECT_EQ(printer.geometry().width, 2953);
    type(PageField::Width, "12,5");
    EXPECT_EQ(printer.geometry().width, 2953);
    EXPECT_EQ(text(PageField::Width), "12,5");
    window->unitBox(PageField::Width)->setCurrentIndex(0);
    EXPECT_EQ(text(PageField::Width), "2953");

    // Escape in a field closes the window, as in a dialog, and the window it was opened from
    // takes the keys again.
    window->hide();
    QWidget opener;
    opener.show();
    opener.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&opener));
    window->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->field(PageField::Width), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&opener));
}

TEST_F(PageSetupWindowTest, FitAndOrientationPlaceAnewAndFitOffGivesThePlacementBack) {
    window->centreBox()->click();  // off: left and top are the user's
    type(PageField::Left, "100");
    type(PageField::Scale, "150");
    window->fitBox()->click();
    EXPECT_FALSE(window->field(PageField::Width)->isEnabled());
    EXPECT_EQ(printer.geometry().width, page().width());
    window->landscapeButton()->click();  // fit applied again: nothing new saved
    EXPECT_GT(page().width(), page().height());
    EXPECT_EQ(printer.geometry().height, page().height());
    window->fitBox()->click();
    EXPECT_EQ(text(PageField::Left), "100");
    EXPECT_EQ(text(PageField::Scale), "150");
    EXPECT_TRUE(window->field(PageField::Width)->isEnabled());
}

TEST_F(PageSetupWindowTest, DraggingMovesTheBodyAndTheGripsShowTheirCursors) {
    window->centreBox()->click();
    PagePreviewWidget* preview = window->preview();
    const PageGeometry before = printer.geometry();
    const QRect r = preview->layout().picture;
    sendMouseMove(preview, r.center());  // hovering
    EXPECT_EQ(preview->cursor().shape(), Qt::SizeAllCursor);
    QTest::mousePress(preview, Qt::LeftButton, {}, r.center());
    QTest::mouseMove(preview, r.center() + QPoint(10, 0));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, r.center() + QPoint(10, 0));
    EXPECT_NEAR(printer.geometry().left - before.left, 10 * preview->layout().ratio, 1);
    EXPECT_EQ(text(PageField::Left).toInt(), printer.geometry().left);

    // (A corner dragged past the opposite one stops at 1 %: the page geometry's tests.)
    sendMouseMove(preview, preview->layout().picture.bottomRight() + QPoint(1, 1));
    EXPECT_EQ(preview->cursor().shape(), Qt::SizeFDiagCursor);
}

TEST_F(PageSetupWindowTest, PrintsIntoTheFileAndCancelOrAnUnwritablePathWritesNothing) {
    const QString file = home.filePath("out.pdf");
    qputenv("ORBISCA_PRINT_TO", file.toLocal8Bit());
    printer.geometry() = PageGeometry{};  // untouched: 500 x 500 until the canvas is placed
    printer.runDialog = [](QDialog&) { return false; };
    EXPECT_FALSE(printer.print(false, canvas, nullptr));
    EXPECT_FALSE(QFile::exists(file));

    EXPECT_TRUE(printer.print(true, canvas, nullptr));
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(printer.geometry().width, 670);  // the canvas at 100 %, not squeezed into 500
    EXPECT_EQ(printer.geometry().height, 550);

    const QString blocked = home.filePath("missing/out.pdf");
    qputenv("ORBISCA_PRINT_TO", blocked.toLocal8Bit());
    EXPECT_FALSE(printer.print(true, canvas, nullptr));
    EXPECT_FALSE(QFile::exists(blocked));
    ASSERT_FALSE(data.notifier.messages.isEmpty());
    EXPECT_TRUE(data.notifier.messages.last().contains("cannot be written"));

    // Print now into what is no regular file: refused by name, never replaced.
    const QString folder = home.filePath("folder.pdf");
    ASSERT_TRUE(QDir().mkdir(folder));
    qputenv("ORBISCA_PRINT_TO", folder.toLocal8Bit());
    EXPECT_FALSE(printer.print(true, canvas, nullptr));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(data.notifier.messages.last().endsWith("it is a folder, not a regular file"))
        << data.notifier.messages.last().toStdString();
}

// After the printer's dialogs the window they came from takes the keys again, also where no
// window manager hands them back.
TEST_F(PageSetupWindowTest, TheWindowOfAPrinterDialogIsActiveAgainAfterIt) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // A window that takes the keys and closes, leaving them nowhere as the X server does
    // without a window manager.
    const auto takeKeysAndClose = [](QWidget& other) {
        other.show();
        other.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
        other.hide();
        QApplication::setActiveWindow(nullptr);
    };
    printer.runDialog = [&](QDialog& dialog) {
        takeKeysAndClose(dialog);
        return false;
    };
    const auto activeAgain = [this] {
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); });
    };
    EXPECT_FALSE(printer.pageSetupDialog(window.get()));
    EXPECT_TRUE(activeAgain());
    EXPECT_FALSE(printer.print(false, canvas, window.get()));
    EXPECT_TRUE(activeAgain());
    // Also after a message without a dialog.
    QWidget message;
    takeKeysAndClose(message);
    EXPECT_FALSE(printer.print(true, QImage(), window.get()));
    EXPECT_TRUE(activeAgain());
}

TEST_F(PageSetupWindowTest, PrintNowWithoutADefaultQueueWritesAPdfIntoTheWorkingFolder) {
    if (!defaultPrinterQueue().isEmpty()) GTEST_SKIP() << "this machine has a default queue";
    ASSERT_TRUE(printer.print(true, canvas, nullptr));
    // (The name's form: the print manager model's test.)
    const QStringList written =
        QDir(home.path()).entryList({QStringLiteral("Orbisca-*.pdf")}, QDir::Files);
    ASSERT_EQ(written.size(), 1);
    ASSERT_FALSE(data.notifier.messages.isEmpty());
    EXPECT_TRUE(data.notifier.messages.last().contains(written.first()));

    // The print dialog proposes a new file in the working folder, not the last print's.
    QString proposed;
    printer.runDialog = [&](QDialog&) {
        proposed = printer.printer().outputFileName();
        return false;
    };
    EXPECT_FALSE(printer.print(false, canvas, nullptr));
    EXPECT_EQ(QFileInfo(proposed).dir(), QDir(home.path()));
    EXPECT_TRUE(proposed.contains("Orbisca-"));
    EXPECT_FALSE(QFileInfo::exists(proposed));
}

}  // namespace
}  // namespace orbisca::testing
