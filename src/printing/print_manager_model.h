// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's state and the rules it follows that need no window: who opened it and what
// that asks of its show and hide, the values of WindWHP.dat, where its window may stand, and how
// a script run's changes and its error caret reach the script editor.
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <functional>
#include <optional>

#include "data/print_window_file.h"
#include "printpage/print_page.h"
#include "printpage/script_exports.h"

namespace orbisca {

struct DataState;

// Who opened the print manager. Opened from the full-mode window, it runs the export of the view
// that was shown once the window shows, and asks for that view again when it hides. Opened for
// the donation print-out or on its own, it asks for nothing. A hide forgets the opening, so the
// next hide asks again only after a new opening.
class PrintManagerOpening {
public:
    void openedFromFullMode(FullModeView view);
    void openedForDonation();
    void openedOnItsOwn();

    // The export the opening asks for; once.
    std::optional<ScriptExport> takeExport();
    // The full-mode view to request on hide, if any; forgets the opening.
    std::optional<FullModeView> takeReturnMode();
    // The window shows the donation print-out: its hide saves nothing.
    bool forDonation() const { return forDonation_; }

private:
    std::optional<FullModeView> openingView_;  // opened from the full-mode window on this view
    bool forDonation_ = false;
    bool exportPending_ = false;
};

struct PrintManagerState {
    // WindWHP.dat as read at the first showing; the lines of other windows (the page setup and
    // configuration positions, the sample height) are written back as read.
    PrintWindowValues values;
    bool filesLoaded = false;
    // "~last.spt" could not be read: it is not replaced by an empty editor, so a passing fault
    // (permissions, a full disk) does not cost the last script.
    bool lastScriptUnreadable = false;
    // How the script shown was written when it came from a file: it is saved the same way, so a
    // Windows-1251 script stays Windows-1251.
    TextFormat scriptFormat;
    bool easyMode = true;
    bool exportAsText = true;  // "Export as text": elements exported as glyph text
    bool autoOptimizeChecked = true;
    bool autoBlurChecked = true;
    QSize canvasSpins{768, 1024};  // the canvas size the spin boxes hold and Show draws at
    // The canvas is cleared and shows no drawing of the script: what prints, goes to the page
    // setup or is saved as a picture is drawn first.
    bool canvasBlank = true;
    QColor textColour = Qt::black;  // the colour exports give their texts
    int lastExport = 0;             // a ScriptExport, 0 for none
    PrintManagerOpening opening;
    // A run (Show, Optimize, a filter, an export) is going on: input is off, close waits.
    bool running = false;
    bool closeRequested = false;  // a close came during a run; done once the run ends
    int shownGauge = -1;          // the value the progress bar shows
    int eventPasses = 0;          // event-processing calls of the current or last run
};

// The user's page while the donation print-out borrows the window: the script's year page, the
// canvas and its size, the modes and colours. The donation print-out is no script of the user's:
// when it is done the window holds the user's page again, and nothing of the print-out is saved.
struct UserPage {
    QStringList yearPage;
    QImage canvas;
    QSize canvasSpins;
    bool canvasBlank = true;
    double viewScale = 1.0;
    QSize displayedSize;
    bool easyMode = true;
    bool exportAsText = true;
    int lastExport = 0;
    QRgb background = 0;
    QColor textColour;
    bool blackAndWhite = false;
};
UserPage keepUserPage(const PrintManagerState& state, const PrintPageState& page);
void restoreUserPage(const UserPage& kept, PrintManagerState& state, PrintPageState& page);

// Easy mode: the script editor hidden, auto-optimize and autoblur as their menu items are checked.
// Creative mode: both on.
void setEasyMode(PrintManagerState& state, PrintPageState& page, bool easy);

// Starting an element: the canvas takes the spin boxes' size (made anew, cleared and shown at the
// view scale, only when it has another size) and the view scale becomes the canvas width over the
// width the page is shown at, so that a click reads the pixel of the canvas the element goes onto.
// Throws as setCanvas.
void prepareElementCanvas(const PrintManagerState& state, PrintPageState& page);

// Takes the values of WindWHP.dat other than the window's place; false when the canvas size
// cannot be made (too many pixels), which then stays as it was.
bool applyWindowValues(PrintManagerState& state, PrintPageState& page,
                       const PrintWindowValues& values);
// The values to write, with the window at `geometry` (size and frame position).
PrintWindowValues windowValuesToSave(const PrintManagerState& state, const PrintPageState& page,
                                     const QRect& geometry);

// A window rectangle moved, and shrunk where needed, into `available`.
QRect clampToAvailable(const QRect& wanted, const QRect& available);

// Where the window opens at `size`: where the user last moved it (the place of WindWHP.dat, when
// it is not the place a new file gives), kept within the screen area that place is on; else
// centred in `openerArea`, the screen of the window it was opened from.
bool hasUserPlace(const PrintWindowValues& values);
QRect openingPlace(const PrintWindowValues& values, QSize size, const QRect& storedArea,
                   const QRect& openerArea);

// What changed between two versions of a script: `removed` lines from `first` were replaced by
// `inserted`. Runs change few lines (markers, removed old error lines), so the editor is changed
// only there and keeps its undo history and scroll position.
struct ScriptEdit {
    qsizetype first = 0;
    qsizetype removed = 0;
    QStringList inserted;
    bool isEmpty() const { return removed == 0 && inserted.isEmpty(); }
};
ScriptEdit scriptEditBetween(const QStringList& before, const QStringList& after);

// The editor position of a failed run's caret: the interpreter's caret counts the characters of
// the lines before the failing one and of that line itself, without line breaks; the editor adds
// one position per line break and the start marker's line before the failing line. So the caret
// ends up at the end of the failing line.
qsizetype editorPositionOfError(const ScriptState& state);

// Runs `work` at the edge of an event handler: a FatalError is reported and ends the program, any
// other failure is said through the notifier and the program goes on. False after a failure.
bool guardedWork(DataState& data, const std::function<void()>& work);

}  // namespace orbisca
