// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager window offscreen, driven through its controls as a user drives them.
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "data/conf_file.h"
#include "data/text_file.h"
#include "export/export_driver.h"
#include "gfx/font_table.h"
#include "printing/canvas_view.h"
#include "printing/print_manager_window.h"
#include "printpage/caption_table.h"
#include "printpage/image_ops.h"
#include "printpage/page_services.h"
#include "printpage/script_line.h"
#include "support/compact_fixture.h"
#include "support/print_manager_fixture.h"

namespace orbisca::testing {
namespace {

class PrintManagerWindowTest : public PrintManagerFolderTest {
protected:
    PrintManagerWindowTest() { ensureTestApplication(); }
    void TearDown() override {
        window.reset();
        PrintManagerFolderTest::TearDown();
    }

    PrintManagerWindow& open() {
        if (!window) window = std::make_unique<PrintManagerWindow>(program);
        window->openOnItsOwn();
        return *window;
    }
    template <typename T>
    T* find(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    QAction* action(const char* name) const { return find<QAction>(name); }
    QPlainTextEdit* editor() const { return find<QPlainTextEdit>("scriptEditor"); }
    void setCanvasSpins(int w, int h) {
        find<QSpinBox>("canvasWidthSpin")->setValue(w);
        find<QSpinBox>("canvasHeightSpin")->setValue(h);
    }
    // Pixels of the canvas in `area` that differ from the background.
    int ink(const QRect& area) const {
        int n = 0;
        const PrintPageState& page = window->page();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += page.canvas.pixel(x, y) != (page.background | 0xff000000u);
        return n;
    }

    std::unique_ptr<PrintManagerWindow> window;
};

TEST_F(PrintManagerWindowTest, OpenAndCloseReadAndWriteTheWindowFiles) {
    const QStringList last = {"[Day info script]", "FONT 10 -13 0 0 0 thn nrm DejaVu Sans",
                              "TEXT 0 10 cnt 'Day'"};
    writeLines("~last.spt", last);
    open();
    EXPECT_EQ(editor()->toPlainText().split('\n'), last);

    window->controller().setEasyMode(false);
    window->controller().setBackgroundColour(QColor(10, 20, 30));
    window->controller().setTextColour(QColor(200, 100, 0));
    setCanvasSpins(670, 550);
    editor()->appendPlainText("TEXT 0 30 cnt 'more'");
    window->close();

    // (How each value is written, the model's tests show.)
    const QStringList values = readLines(home.filePath("WindWHP.dat"));
    ASSERT_EQ(values.size(), 22);
    EXPECT_EQ(values[8], "0");  // Creative mode
    EXPECT_EQ(values.mid(14), (QStringList{"10", "20", "30", "200", "100", "0", "670", "550"}));
    EXPECT_EQ(readLines(home.filePath("~last.spt")), window->scriptLines());
    EXPECT_EQ(window->scriptLines().size(), 4);
    EXPECT_EQ(messages(), QStringList());
}

// A Windows-1251 script with Cyrillic TEXT lines: shown in Cyrillic, drawn, and written back byte
// for byte, as "~last.spt" and as the file it was opened from; a half-converted one is refused.
TEST_F(PrintManagerWindowTest, AWindows1251ScriptKeepsItsBytes) {
    const QString text = QString::fromUtf8("TEXT 10 10 rgt 'Красный Дракон ёЁ'");
    const QByteArray bytes = "FONT 20 -30 0 0 0 bld nrm DejaVu Sans\r\n" +
                             QStringEncoder("windows-1251").encode(text) + "\r\n";
    writeFile("~last.spt", bytes);
    writeFile("user.spt", bytes);
    open();
    EXPECT_EQ(window->scriptLines().value(1), text);
    setCanvasSpins(400, 100);
    ASSERT_TRUE(window->controller().showImage());
    EXPECT_GT(ink(QRect(10, 10, 300, 40)), 100);
    window->close();
    EXPECT_EQ(readFile("~last.spt"), bytes);
    open();
    ASSERT_TRUE(window->loadScriptFile(home.filePath("user.spt")));
    ASSERT_TRUE(window->saveScriptFile(home.filePath("user.spt")));
    EXPECT_EQ(readFile("user.spt"), bytes);
    writeFile("mixed.spt", bytes + text.toUtf8() + "\n");
    EXPECT_FALSE(window->loadScriptFile(home.filePath("mixed.spt")));
    EXPECT_EQ(messages().size(), 1);  // naming the lines: the text file tests
}

// Another language in force: the open window takes its captions from it at once.
TEST_F(PrintManagerWindowTest, AnotherLanguageRenamesTheOpenWindowAtOnce) {
    QStringList russian = QString::fromUtf8(readFile("BASE.KTX")).split('\n');
    const int title = captionLine(int(Caption::PrintManagerWindow));
    russian[title] = QString::fromUtf8("Менеджер печати");
    writeFile("ru/BASE.KTX", QStringEncoder("windows-1251").encode(russian.join("\r\n")));
    open();
    EXPECT_FALSE(window->windowTitle().startsWith(russian[title]));
    data.settings.language = "ru";
    ASSERT_TRUE(applyLanguage(data));
    EXPECT_TRUE(window->windowTitle().startsWith(russian[title])) << window->windowTitle();
}

TEST_F(PrintManagerWindowTest, AMissingOrDamagedWindowFileKeepsTheLastScript) {
    const QStringList last = {"TEXT 0 10 cnt 'kept'"};
    writeLines("~last.spt", last);
    QFile::remove(home.filePath("WindWHP.dat"));
    open();
    EXPECT_EQ(window->scriptLines(), last);
    EXPECT_EQ(messages(), QStringList());  // a first start says nothing
    window->close();
    EXPECT_EQ(readLines(home.filePath("WindWHP.dat")).size(), 22);

    window.reset();
    program.printPage = PrintPageState();
    writeLines("WindWHP.dat", {"800", "six hundred"});
    open();
    EXPECT_EQ(window->scriptLines(), last);
    EXPECT_EQ(messages().size(), 1);
    window->close();
    EXPECT_EQ(readLines(home.filePath("~last.spt")), last);

    // A last script that cannot be read is not replaced by the empty editor.
    window.reset();
    program.printPage = PrintPageState();
    data.notifier = Notifier{};
    QFile::remove(home.filePath("~last.spt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(home.filePath("~last.spt")).constData(), 0600), 0);
    open();
    EXPECT_EQ(window->scriptLines(), QStringList());
    window->close();
    EXPECT_EQ(messages().size(), 1) << messages().join('|').toStdString();  // the read only
    EXPECT_EQ(readLines(home.filePath("WindWHP.dat")).size(), 22);
}

TEST_F(PrintManagerWindowTest, AnEmptyScriptShowsThePlainBackgroundSavedAsA24BitBitmap) {
    open();
    window->controller().setBackgroundColour(QColor(12, 130, 240));
    setCanvasSpins(50, 40);
    ASSERT_TRUE(window->controller().showImage());
    ASSERT_TRUE(window->saveImageFile(home.filePath("page"), "Bitmaps (*.bmp)"));
    const QByteArray bmp = readFile("page.bmp");
    ASSERT_GT(bmp.size(), 30);
    EXPECT_EQ(bmp[28], 24);  // bits per pixel
    const QImage saved(home.filePath("page.bmp"));
    EXPECT_EQ(saved.size(), QSize(50, 40));
    EXPECT_EQ(saved.pixel(25, 20), qRgb(12, 130, 240));

    EXPECT_FALSE(window->saveImageFile(home.filePath("no/such/folder/page"), "Bitmaps (*.bmp)"));
    EXPECT_EQ(messages().size(), 1);

    // The save dialogs start in the working folder, not where the program was started.
    for (const char* name : {"actionSave", "actionSaveImage"}) {
        action(name)->trigger();
        auto* dialog = window->findChild<QFileDialog*>();
        ASSERT_TRUE(dialog) << name;
        EXPECT_EQ(QFileInfo(dialog->directory().path()), QFileInfo(home.path())) << name;
        delete dialog;
    }
}

TEST_F(PrintManagerWindowTest, ASyntaxErrorMarksItsLineAndPutsTheCaretThere) {
    open();
    window->controller().setEasyMode(false);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QString bad = "TEXT x 10 rgt 'bad'";
    window->setScriptLines({"FONT 10 -13 0 0 0 thn nrm DejaVu Sans",
                            "Syntax error:", "TEXT 10 10 rgt 'ok'", bad, "TEXT 1 1 rgt 'after'"});
    EXPECT_FALSE(window->controller().showImage());
    EXPECT_EQ(
        window->scriptLines(),
        (QStringList{"FONT 10 -13 0 0 0 thn nrm DejaVu Sans", "TEXT 10 10 rgt 'ok'",
                     kSyntaxErrorStartMarker, bad, kSyntaxErrorEndMarker, "TEXT 1 1 rgt 'after'"}));
    const QTextCursor caret = editor()->textCursor();
    EXPECT_EQ(caret.block().text(), bad);
    EXPECT_EQ(caret.positionInBlock(), bad.size());
    EXPECT_TRUE(editor()->hasFocus());
    EXPECT_EQ(messages(),
              QStringList{"Syntax error at line 3: x must be a whole number, not \"x\""});

    // The window's Ctrl keys work in the editor: Ctrl+D shows the page, deleting nothing.
    window->setScriptLines({"TEXT 10 10 rgt 'ok'"});
    setCanvasSpins(60, 30);
    QTest::keyClick(editor(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(window->scriptLines(), QStringList{"TEXT 10 10 rgt 'ok'"});
    EXPECT_EQ(window->page().canvas.size(), QSize(60, 30));
}

// The view is drawn where it is shown, piece by piece as it scrolls into sight: the pieces make
// the picture that drawing it at once makes, at a zoom between two halvings and at one. Shrunk
// less than a halving, it is the canvas itself smoothly scaled, as Qt scales it.
TEST(CanvasViewTest, APiecewisePaintedViewEqualsOnePaintedAtOnce) {
    ensureTestApplication();
    PrintPageState page;
    setCanvas(page, 1001, 703, true);
    for (int y = 0; y < page.canvas.height(); ++y)
        for (int x = 0; x < page.canvas.width(); ++x)
            page.canvas.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    for (const double scale : {1.414, 2.0, 2.828, 0.7}) {
        page.viewScale = scale;
        showAtViewScale(page);
        auto paint = [&page](const std::vector<QRect>& parts) {
            QScrollArea scroller;
            CanvasView view(page, scroller);
            view.canvasChanged();
            QImage target(view.size(), QImage::Format_RGB32);
            for (const QRect& part : parts) view.render(&target, part.topLeft(), QRegion(part));
            return target;
        };
        const QSize shown = page.displayedSize;
        const QRect all(QPoint(), shown);
        const QPoint middle(shown.width() / 3, shown.height() / 2);
        const QImage atOnce = paint({all});
        const QImage pieces =
            paint({QRect(QPoint(), QSize(middle.x(), shown.height())),
                   QRect(middle.x(), 0, shown.width(), middle.y()), QRect(middle, shown)});
        EXPECT_EQ(atOnce, pieces) << scale;
        if (scale > 1.0 && scale < 2.0) {
            QImage direct(shown, QImage::Format_RGB32);
            QPainter painter(&direct);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            const double sx = double(page.canvas.width()) / shown.width();
            const double sy = double(page.canvas.height()) / shown.height();
            painter.drawImage(QRectF(all), page.canvas,
                              QRectF(0, 0, shown.width() * sx, shown.height() * sy));
            painter.end();
            EXPECT_EQ(atOnce, direct);
        }
    }
}

TEST_F(PrintManagerWindowTest, DraggingScrollsThePageAndThePointerReadsCanvasPixels) {
    open();
    window->resize(500, 400);
    setCanvasSpins(2000, 1500);
    ASSERT_TRUE(window->controller().showImage());
    action("actionZoomOut")->trigger();  // 1.414 canvas pixels a view pixel
    auto* view = find<CanvasView>("canvasView");
    auto* scroller = find<QScrollArea>("canvasScroll");
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(view, QPoint(200, 250));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(200, 250));
    EXPECT_EQ(scroller->horizontalScrollBar()->value(), 100);
    EXPECT_EQ(scroller->verticalScrollBar()->value(), 50);
    sendMouseMove(view, QPointF(150, 100));
    EXPECT_EQ(find<QLabel>("pointerLabel")->text(), "X:212 Y:141");

    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(view, &menu);
    auto* imageMenu = find<QMenu>("imageMenu");
    EXPECT_TRUE(imageMenu->isVisible());
    EXPECT_TRUE(imageMenu->actions().contains(action("actionSaveImage")));
    imageMenu->close();
}

TEST_F(PrintManagerWindowTest, TheCanvasStaysWithinItsLimitsAndOptimizeEndsFromTheSmallest) {
    open();
    setCanvasSpins(1, 1);
    ASSERT_EQ(window->page().canvas.size(), QSize(1, 1));
    EXPECT_FALSE(window->controller().decreaseResolution());
    EXPECT_EQ(window->page().canvas.size(), QSize(1, 1));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(window->controller().optimize());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_GE(window->page().canvas.width(), 2);

    setCanvasSpins(300, 200);
    auto* width = find<QSpinBox>("canvasWidthSpin");
    for (const char* typed : {"0", "100000"}) {
        width->findChild<QLineEdit*>()->setText(typed);  // as pasted, no keystroke filter
        QTest::keyClick(width, Qt::Key_Return);
        EXPECT_EQ(width->value(), 300) << typed;
        EXPECT_EQ(window->page().canvas.size(), QSize(300, 200)) << typed;
    }
    setCanvasSpins(16384, 16384);  // 1 GB of pixels
    EXPECT_EQ(window->state().canvasSpins, QSize(16384, 200));
    EXPECT_EQ(find<QSpinBox>("canvasHeightSpin")->value(), 200);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("256 MB"));
}

// The window used to open on a 1 x 1 canvas while the boxes said otherwise, and Print now then
// printed that one pixel.
TEST_F(PrintManagerWindowTest, OpenedOnItsOwnItShowsItsScriptAndPrintsNoUndrawnPage) {
    writeLines("~last.spt", {"FONT 20 -30 0 0 0 bld nrm DejaVu Sans", "TEXT 10 10 rgt 'XXXX'"});
    QStringList values = readLines(home.filePath("WindWHP.dat"));
    values[20] = "200";
    values[21] = "100";
    writeLines("WindWHP.dat", values);
    std::vector<QImage> printed;
    window = std::make_unique<PrintManagerWindow>(program);
    QObject::connect(window.get(), &PrintManagerWindow::printAsked,
                     [&](bool) { printed.push_back(window->page().canvas); });
    open();
    EXPECT_EQ(window->page().canvas.size(), QSize(200, 100));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTRY_VERIFY(ink(QRect(10, 10, 80, 30)) > 50);

    setCanvasSpins(150, 80);  // a cleared canvas: Print now draws the script first
    EXPECT_EQ(ink(QRect(0, 0, 150, 80)), 0);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].size(), QSize(150, 80));
    EXPECT_GT(ink(QRect(10, 10, 80, 30)), 50);

    window->setScriptLines({"TEXT x 1 rgt 'a'"});  // one that cannot be drawn is not printed
    setCanvasSpins(150, 81);
    action("actionPrintNow")->trigger();
    EXPECT_EQ(printed.size(), 1u);
    EXPECT_EQ(messages().size(), 1);
}

// After a large canvas scrolled to its right, a smaller one kept the scroll position and hid its
// left edge.
TEST_F(PrintManagerWindowTest, ANewCanvasSizeShowsTheCanvasFromItsTopLeft) {
    open();
    window->resize(500, 400);
    setCanvasSpins(4020, 3300);
    action("actionScreenScale")->trigger();
    QScrollBar* across = find<QScrollArea>("canvasScroll")->horizontalScrollBar();
    across->setValue(across->maximum());
    ASSERT_GT(across->value(), 1000);
    setCanvasSpins(670, 550);
    EXPECT_EQ(across->value(), 0);
    EXPECT_GE(find<CanvasView>("canvasView")->x(), 0);
}

// A new file's place lay over the full-mode window's buttons.
TEST_F(PrintManagerWindowTest, ItOpensCentredUntilTheUserMovesIt) {
    QStringList values = readLines(home.filePath("WindWHP.dat"));
    values[0] = "600";
    values[1] = "450";
    writeLines("WindWHP.dat", values);
    open();
    const QRect screen = window->screen()->availableGeometry();
    // Centred with its frame from the second opening on, when the frame is known.
    EXPECT_LE((window->frameGeometry().center() - screen.center()).manhattanLength(), 4);
    window->close();
    EXPECT_EQ(readLines(home.filePath("WindWHP.dat")).mid(2, 2), values.mid(2, 2));

    open();
    EXPECT_EQ(window->frameGeometry().center(), screen.center());
    const QPoint moved = screen.topLeft() + QPoint(30, 20);
    window->move(moved);
    window->close();
    window.reset();
    open();
    EXPECT_EQ(window->pos(), moved);
}

TEST_F(PrintManagerWindowTest, AYearScriptDrawsItsGridFromAFileAndAfterARestart) {
    open();
    window->page().yearPage = {"FONT 20 -30 0 0 0 bld nrm DejaVu Sans", "TEXT 60 20 rgt 'XXXX'"};
    window->setScriptLines({"[Year script]", "YEAR 53 12 1"});
    ASSERT_TRUE(window->saveScriptFile(home.filePath("year.spt")));
    window->page().yearPage.clear();
    window->setScriptLines({});
    ASSERT_TRUE(window->loadScriptFile(home.filePath("year.spt")));
    setCanvasSpins(200, 100);
    ASSERT_TRUE(window->controller().showImage());
    const QRect grid(60, 20, 80, 30);
    EXPECT_GT(ink(grid), 50);

    window->close();  // "~last.spt" keeps the year page too
    window.reset();
    program.printPage = PrintPageState();
    open();
    ASSERT_TRUE(window->controller().showImage());
    EXPECT_GT(ink(grid), 50);
}

TEST_F(PrintManagerWindowTest, TheFullModeWindowTakesInputAgainAfterEveryOpening) {
    std::vector<QString> calls;
    window = std::make_unique<PrintManagerWindow>(program);
    QObject::connect(window.get(), &PrintManagerWindow::fullModeLocked,
                     [&](bool locked) { calls.push_back(locked ? "disable" : "enable"); });
    QObject::connect(window.get(), &PrintManagerWindow::fullModeViewAsked, [&](FullModeView view) {
        calls.push_back(QString::number(modeNumber(view)));
    });
    window->openForDonation();
    window->close();
    EXPECT_EQ(calls, (std::vector<QString>{"disable", "enable"}));

    calls.clear();
    window->openFromFullMode(FullModeView::Sign);
    EXPECT_EQ(calls, std::vector<QString>{"disable"});  // the export waits for the show's end
    QCoreApplication::processEvents();
    window->close();
    EXPECT_EQ(calls, (std::vector<QString>{"disable", "enable", "2"}));  // asked once
    EXPECT_EQ(window->state().lastExport, 3);  // the Sign export ran once the window stood

    // A view without an export still gets its view back, and the Sign view is not asked again.
    calls.clear();
    window->openFromFullMode(FullModeView::Zolkin);
    QCoreApplication::processEvents();
    window->close();
    const QString zolkin = QString::number(modeNumber(FullModeView::Zolkin));
    EXPECT_EQ(calls, (std::vector<QString>{"disable", "enable", zolkin}));
    EXPECT_EQ(window->state().lastExport, 3);
}

TEST_F(PrintManagerWindowTest, ACloseDuringARunWaitsForItsEnd) {
    open();
    bool visibleAfterClose = false;
    window->controller().runExclusive([&] {
        window->close();
        visibleAfterClose = window->isVisible();
        return true;
    });
    EXPECT_TRUE(visibleAfterClose);
    QTRY_VERIFY(!window->isVisible());
}

TEST_F(PrintManagerWindowTest, ALongRunHandlesEventsOncePerGaugeStep) {
    open();
    QStringList script{"FONT 8 -10 0 0 0 thn nrm DejaVu Sans"};
    for (int i = 0; i < 2000; ++i)
        script << QString("TEXT %1 %2 rgt 'l%3'").arg(i % 300).arg(i % 200).arg(i);
    window->setScriptLines(script);
    setCanvasSpins(320, 220);
    ASSERT_TRUE(window->controller().showImage());
    EXPECT_LE(window->state().eventPasses, 101);
    EXPECT_GE(window->state().eventPasses, 90);
}

// Exports from the window: the pack's pictures and fonts, the font table and the settings.
class PrintManagerExportTest : public PrintManagerWindowTest {
protected:
    void SetUp() override {
        PrintManagerWindowTest::SetUp();
        copyPackPicturesAndFonts(QStringLiteral(ORBISCA_HOME_DIR));
        program.fonts.load(data.folder);
        loadSettings(data);
    }
    // The script the driver writes for the current date, on a page of its own.
    QStringList expectedExport(ScriptExport which, bool optimize) {
        FullModeFrame frame{data, program.fonts};
        PrintPageState page;
        page.services = programPageServices(data, program.glyphFonts);
        ExportOptions options;
        options.optimize = optimize;
        options.printerPage = window->controller().printerPageSize();
        options.exportAsText = window->state().exportAsText;
        EXPECT_TRUE(ExportDriver(frame, page).run(which, options));
        return page.script;
    }
    // Answers the replacement question with `button` once it shows.
    void answerQuestion(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            EXPECT_EQ(box->objectName(), "replaceQuestion");
            box->button(button)->click();
            ++questions;
        });
    }
    int questions = 0;
};

TEST_F(PrintManagerExportTest, NextDayReexportsTheNextDayAlsoWithSwappedDayKeys) {
    data.settings.swapDayKeys = true;
    open();
    window->controller().setEasyMode(true);
    action("actionExportSign")->trigger();
    EXPECT_EQ(window->state().lastExport, int(ScriptExport::Sign));
    EXPECT_EQ(window->page().canvas.size(), QSize(4020, 3300));
    const GregorianDate before = data.day.date();
    action("actionNextDay")->trigger();
    EXPECT_EQ(data.day.date(), stepDate(before, 1));
    EXPECT_EQ(window->scriptLines(), expectedExport(ScriptExport::Sign, true));
    action("actionPreviousDay")->trigger();
    EXPECT_EQ(data.day.date(), before);
}

// A Sign export after a Year export used to leave the year page in "~last.spt", 2,000 lines that
// nothing drew.
TEST_F(PrintManagerExportTest, TheYearPageGoesOnlyWithAScriptThatDrawsIt) {
    open();
    window->controller().setEasyMode(false);
    ASSERT_TRUE(window->controller().exportScript(ScriptExport::Year));
    ASSERT_FALSE(window->page().yearPage.isEmpty());
    ASSERT_TRUE(window->saveScriptFile(home.filePath("year.spt")));
    ASSERT_TRUE(window->controller().exportScript(ScriptExport::Sign));
    EXPECT_TRUE(window->page().yearPage.isEmpty());
    window->close();
    EXPECT_FALSE(readLines(home.filePath("~last.spt")).contains("[Year lines]"));

    open();
    ASSERT_TRUE(window->loadScriptFile(home.filePath("year.spt")));
    EXPECT_FALSE(window->page().yearPage.isEmpty());
    writeLines("plain.spt", {"TEXT 1 1 rgt 'a'"});
    ASSERT_TRUE(window->loadScriptFile(home.filePath("plain.spt")));
    EXPECT_TRUE(window->page().yearPage.isEmpty());
}

TEST_F(PrintManagerExportTest, AChangedScriptIsReplacedOnlyAfterTheQuestion) {
    open();
    window->controller().setEasyMode(false);
    ASSERT_TRUE(window->controller().exportScript(ScriptExport::Tone));
    EXPECT_EQ(window->scriptLines(), expectedExport(ScriptExport::Tone, false));
    EXPECT_FALSE(window->scriptChangedByUser());
    // An export of an unchanged script asks nothing.
    ASSERT_TRUE(window->controller().exportScript(ScriptExport::Sign));
    EXPECT_EQ(questions, 0);

    editor()->setFocus();
    editor()->moveCursor(QTextCursor::End);
    QTest::keyClick(editor(), Qt::Key_Return);
    QTest::keyClicks(editor(), "TEXT 10 10 rgt 'mine'");
    const QString composed = editor()->toPlainText();
    ASSERT_TRUE(window->scriptChangedByUser());
    answerQuestion(QMessageBox::Cancel);
    EXPECT_FALSE(window->controller().exportScript(ScriptExport::Day));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(editor()->toPlainText(), composed);

    // Show's markers are the program's: the script stays the user's.
    ASSERT_TRUE(window->controller().showImage());
    EXPECT_TRUE(window->scriptChangedByUser());
    answerQuestion(QMessageBox::Discard);
    ASSERT_TRUE(window->controller().exportScript(ScriptExport::Day));
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(window->scriptLines().value(0), "[Day info script]");
    EXPECT_FALSE(window->scriptChangedByUser());
    EXPECT_TRUE(window->state().canvasBlank);  // Creative mode waits for Show
}

TEST_F(PrintManagerExportTest, TheMoonPhaseTypedReplacesWhatTheEditLineHeld) {
    open();
    window->controller().setEasyMode(false);
    QLineEdit* line = find<QLineEdit>("elementLine");
    line->setText("Abcdef");
    find<QPushButton>("newMoonButton")->click();
    QTest::keyClicks(line, "50");
    EXPECT_EQ(line->text(), "50");
}

// New font opens Qt's font dialog on the script's last font; OK writes the chosen font's line,
// in the text swatch's colour, into the edit line.
TEST_F(PrintManagerExportTest, NewFontStartsOnTheScriptsFontAndWritesTheChosenOne) {
    open();
    window->controller().setEasyMode(false);
    window->setScriptLines({"FONT 30 -40 0 0 0 thn itl DejaVu Serif", "TEXT 0 0 rgt 'x'"});
    QString offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        offered = dialog->currentFont().family();
        QFont chosen(QStringLiteral("DejaVu Sans"));
        chosen.setPointSize(12);
        chosen.setBold(true);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    find<QPushButton>("newFontButton")->click();
    EXPECT_EQ(offered, "DejaVu Serif");
    const QColor c = window->state().textColour;
    EXPECT_EQ(find<QLineEdit>("elementLine")->text(),
              QString("FONT 12 -16 %1 %2 %3 bld nrm DejaVu Sans")
                  .arg(c.red())
                  .arg(c.green())
                  .arg(c.blue()));
    EXPECT_EQ(find<QLabel>("sampleLabel")->font().family(), "DejaVu Sans");
}

TEST_F(PrintManagerExportTest, ATextIsPlacedWithAClickAndPreviewedThenAdded) {
    open();
    window->controller().setEasyMode(false);
    // A new element starts on the spin boxes' canvas (1 x 1 before the first drawing) in the
    // font the script ends with.
    window->setScriptLines({"FONT 40 -53 0 0 0 bld nrm DejaVu Sans", "TEXT 0 0 rgt 'x'",
                            "FONT 30 -40 200 0 0 thn itl DejaVu Serif"});
    find<QPushButton>("newTextButton")->click();
    // The instruction stands between the buttons ("a button above") and the edit line ("the line
    // below") its texts point to.
    const int instructionY = find<QLabel>("instructionLabel")->y();
    EXPECT_GT(instructionY, find<QPushButton>("newTextButton")->y());
    EXPECT_LT(instructionY, find<QLineEdit>("elementLine")->y());
    EXPECT_EQ(window->page().canvas.size(), window->state().canvasSpins);
    EXPECT_DOUBLE_EQ(window->page().viewScale, 1.0);
    EXPECT_EQ(window->page().interp.font.pixelSize(), 40);
    const QLabel* sample = find<QLabel>("sampleLabel");
    EXPECT_EQ(sample->font().family(), "DejaVu Serif");
    EXPECT_TRUE(sample->font().italic());
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(200, 0, 0));

    window->setScriptLines({"FONT 40 -53 0 0 0 bld nrm DejaVu Sans"});
    setCanvasSpins(1200, 900);
    ASSERT_TRUE(window->controller().showImage());
    window->zoomOut();  // view scale 1.414
    const double scale = window->page().viewScale;

    find<QPushButton>("newTextButton")->click();
    EXPECT_FALSE(find<QPushButton>("newMoonButton")->isEnabled());
    find<QLineEdit>("elementLine")->setText("Hello");
    QTest::keyClick(find<QLineEdit>("elementLine"), Qt::Key_Return);  // as the Next button
    auto* view = find<CanvasView>("canvasView");
    QTest::mouseMove(view, QPoint(120, 60));
    const QPoint at(qRound(120 * scale), qRound(60 * scale));
    EXPECT_EQ(find<QLabel>("instructionLabel")->text(), ElementEditor::pointerText(at));
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(120, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(120, 60));
    EXPECT_GT(ink(QRect(at, QSize(150, 60))), 100);  // the preview at the click

    find<QPushButton>("addButton")->click();
    const QString line = QString("TEXT %1 %2 rgt 'Hello'").arg(at.x()).arg(at.y());
    EXPECT_EQ(find<QLineEdit>("elementLine")->text(), line);
    find<QPushButton>("addButton")->click();  // idle: the edit line joins the script
    EXPECT_EQ(window->scriptLines().value(1), line);
    EXPECT_TRUE(find<QPushButton>("newMoonButton")->isEnabled());

    // A picture of the working folder is named from it, as the program names its own.
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->selectFile(home.filePath("graphic/moon2.bmp"));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own, as Open does
    });
    find<QPushButton>("newImageButton")->click();
    find<QPushButton>("addButton")->click();
    EXPECT_EQ(find<QLineEdit>("elementLine")->text(), "PICT 0 0 0 0 0 cnt 'graphic\\moon2.bmp'");
}

}  // namespace
}  // namespace orbisca::testing
