// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's rules that need no window. (Who opened it: the window's tests.)
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>

#include "printing/image_save.h"
#include "printing/print_manager_links.h"
#include "printing/print_manager_model.h"
#include "printing/script_editor.h"
#include "printpage/print_job.h"
#include "printpage/script_file.h"
#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

class PrintManagerFilesTest : public WorkingFolderTest {};

TEST_F(PrintManagerFilesTest, ScriptFilesKeepTheYearPage) {
    const QStringList script = {"[Year script]", "YEAR 53 12 1"};
    const QStringList year = {"FONT 8 -10 0 0 0 thn nrm DejaVu Sans", "TEXT 60 20 rgt 'x'"};
    QString error;
    ASSERT_TRUE(writeScriptFile(home.filePath("y.spt"), script, year, {}, &error)) << error;
    EXPECT_EQ(readFile("y.spt"),
              "[Year script]\nYEAR 53 12 1\n[Year lines]\n"
              "FONT 8 -10 0 0 0 thn nrm DejaVu Sans\nTEXT 60 20 rgt 'x'\n");
    std::optional<ScriptFileContent> back = readScriptFile(home.filePath("y.spt"), &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->script, script);
    EXPECT_EQ(back->yearPage, year);

    // A script that itself holds the header line comes back as written, with no year page.
    const QStringList tricky = {"[Year lines]", "TEXT 1 1 rgt 'a'"};
    EXPECT_EQ(splitScriptFile(scriptFileLines(tricky, {})).script, tricky);
    EXPECT_EQ(splitScriptFile(scriptFileLines(tricky, {})).yearPage, QStringList());
    EXPECT_EQ(scriptFileLines(script, {}), script);  // no year page: no block
    EXPECT_EQ(splitScriptFile(script).yearPage, QStringList());
    // A year page that no YEAR line draws is not written (it was 2,000 lines after every export).
    EXPECT_EQ(scriptFileLines(tricky, year), tricky + QStringList{"[Year lines]"});
    // (Windows-1251 with CR LF, as older scripts were written: the window's tests.)
    EXPECT_FALSE(readScriptFile(home.path(), &error));  // a folder
    EXPECT_TRUE(error.contains(home.path()));
}

TEST(PrintManagerModel, WindowValuesKeepOtherWindowsLinesAndRefuseHugeCanvases) {
    PrintManagerState state;
    PrintPageState page;
    PrintWindowValues read;
    read.setupLeft = 333;
    read.sampleHeight = -21;
    read.easyMode = false;
    read.autoOptimize = false;
    read.canvasWidth = 670;
    read.canvasHeight = 550;
    ASSERT_TRUE(applyWindowValues(state, page, read));
    EXPECT_TRUE(page.autoOptimize);  // Creative mode: on whatever the menu item says
    setEasyMode(state, page, true);
    EXPECT_FALSE(page.autoOptimize);
    setCanvas(page, 1, 1, true);  // the spin boxes count, not the canvas
    const PrintWindowValues saved = windowValuesToSave(state, page, QRect(5, 6, 700, 500));
    EXPECT_EQ(saved.setupLeft, 333);
    EXPECT_EQ(saved.sampleHeight, -21);
    EXPECT_FALSE(saved.autoOptimize);
    EXPECT_EQ(QSize(saved.canvasWidth, saved.canvasHeight), QSize(670, 550));
    EXPECT_EQ(QRect(saved.left, saved.top, saved.width, saved.height), QRect(5, 6, 700, 500));

    read.canvasWidth = read.canvasHeight = 16384;  // each side allowed, 1 GB together is not
    EXPECT_FALSE(applyWindowValues(state, page, read));
    EXPECT_EQ(state.canvasSpins, QSize(670, 550));
}

// Windows are moved and shrunk onto the screen. A new file's place (40, 40) lay over the full-mode
// window's buttons: the window opens centred on the opener's screen until the user moves it.
TEST(PrintManagerModel, TheWindowOpensOnTheScreenCentredOnTheOpenersOrWhereTheUserMovedIt) {
    const QRect first(0, 0, 1024, 740), second(1024, 0, 1920, 1080);
    EXPECT_EQ(clampToAvailable(QRect(40, 40, 800, 600), first), QRect(40, 40, 800, 600));
    EXPECT_EQ(clampToAvailable(QRect(-300, 5000, 800, 600), first), QRect(0, 140, 800, 600));
    EXPECT_EQ(clampToAvailable(QRect(500, 300, 3000, 2000), first), first);
    PrintWindowValues values;
    EXPECT_FALSE(hasUserPlace(values));
    EXPECT_EQ(openingPlace(values, QSize(800, 600), first, second), QRect(1584, 240, 800, 600));
    EXPECT_EQ(openingPlace(values, QSize(2000, 600), first, first), QRect(0, 70, 1024, 600));
    values.left = 300;
    values.top = 500;
    EXPECT_EQ(openingPlace(values, QSize(800, 600), first, second), QRect(224, 140, 800, 600));
}

TEST(PrintManagerModel, ANewPdfNameNeverNamesAFileThatIsThere) {
    QTemporaryDir folder;
    const QDateTime when(QDate(2026, 12, 7), QTime(4, 5, 6));
    const QString first = fallbackPdfPath(folder.path(), when);
    EXPECT_EQ(QFileInfo(first).fileName(), "Orbisca-20261207-040506.pdf");
    QFile(first).open(QIODevice::WriteOnly);
    EXPECT_EQ(QFileInfo(fallbackPdfPath(folder.path(), when)).fileName(),
              "Orbisca-20261207-040506-2.pdf");
}

// Every change a run can make to the script reaches the editor's document exactly.
TEST(ScriptEditor, RunChangesReachTheDocumentLineForLine) {
    ensureTestApplication();
    const QStringList abc = {"a", "b", "c"};
    const std::pair<QStringList, QStringList> cases[] = {
        {abc, {"a", "<", "b", ">", "c"}},          // markers around a line
        {{"x", "a", "b"}, {"a", "b"}},             // an old error line at the start
        {abc, {"a", "b"}},                         // at the end
        {abc, {}},                                 // everything
        {{}, {"a"}},                               // into an empty editor
        {abc, {"/a", "/b", "/c", "A", "B", "C"}},  // a rescale
        {abc, {"a", "b", "c", "d"}},               // appended
        {{"", "a", ""}, {"", "<", "a", ">", ""}},  // empty lines kept
        {{"a", "a", "a"}, {"a", "a", "a", "a"}},   // repeated lines
    };
    for (const auto& [before, after] : cases) {
        QTextDocument document;
        document.setPlainText(before.join('\n'));
        ASSERT_EQ(documentLines(document), before);
        applyScriptEdit(document, scriptEditBetween(before, after));
        EXPECT_EQ(documentLines(document), after) << before.join('|').toStdString();
        document.undo();  // one step
        EXPECT_EQ(documentLines(document), before) << before.join('|').toStdString();
    }
}

TEST(ImageSave, TheChosenFormatsSuffixIsAdded) {
    const ImageSaveFormat bmp = imageSaveFormat("Bitmaps (*.bmp)");
    const ImageSaveFormat jpeg = imageSaveFormat("JPEG pictures (*.jpg *.jpeg)");
    EXPECT_EQ(imageSaveFormats().first().format, "bmp");  // the default
    EXPECT_EQ(pathWithSuffix("/t/page", bmp), "/t/page.bmp");
    EXPECT_EQ(pathWithSuffix("/t/page.BMP", bmp), "/t/page.BMP");
    EXPECT_EQ(pathWithSuffix("/t/page.jpeg", jpeg), "/t/page.jpeg");
    EXPECT_EQ(pathWithSuffix("/t/page.png", jpeg), "/t/page.png.jpg");
}

}  // namespace
}  // namespace orbisca::testing
