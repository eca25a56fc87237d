// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager: a script editor, the page canvas the script is drawn on, and the menus and
// tool bars that draw, rescale, soften, zoom and save it. A thin window over the headless page
// (printpage/) and the print manager's model: it holds the controls, turns their events into
// page operations and shows the result.
//
// Every operation that runs a script or a filter is one run: the window takes no input while it
// goes on (events other than input are still processed when the progress bar moves), a close
// request waits for its end, and a failure is reported once.
//
// Exports run here through the export driver on a frame of the print manager's own, so that an
// export never touches what the full-mode window shows. The date dialog, printing and the other
// windows come in through the links of print_manager_links.h; with a link left empty the command
// says so in the status line.
//
// A script the user changed since it was last loaded, saved or exported is never replaced
// (export, day step, Load) without the question Save / Discard / Cancel.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "data/print_window_file.h"
#include "printing/print_manager_links.h"
#include "printing/print_manager_model.h"
#include "printpage/caption_table.h"
#include "printpage/element_editor.h"
#include "state/program_state.h"
#include "views/full_mode_frame.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace orbisca {

class CanvasView;
class PageSetupWindow;
struct PrintManagerActions;

class PrintManagerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PrintManagerWindow(ProgramState& program, QWidget* parent = nullptr);
    ~PrintManagerWindow() override;

    ScriptExportLink exports;
    PrinterLink printer;
    void setPageSetupWindow(PageSetupWindow* window) { pageSetup_ = window; }
    // Where the page setup window stands, written with the print manager's window file.
    void rememberSetupPosition(QPoint position) {
        state_.values.setupLeft = position.x();
        state_.values.setupTop = position.y();
    }

    // Opening: from the full-mode window on `mode` (its view is exported once the window shows),
    // for the donation print-out, or on its own (its script is drawn once the window shows). Each
    // shows and raises the window. The donation print-out borrows the window: when it hides, the
    // user's script and page are back in it, and neither "WindWHP.dat" nor "~last.spt" is written.
    void openFromFullMode(FullModeView view);
    void openForDonation();
    void openOnItsOwn();
    // The canvas size, as if typed into the two spin boxes (a size refused there is refused here,
    // with the same message).
    void setCanvasSize(QSize size);

    // The script in the editor, line by line.
    QStringList scriptLines() const;
    void setScriptLines(const QStringList& lines);
    // Script files with their year page; false when the file cannot be read or written (said).
    bool loadScriptFile(const QString& path);
    bool saveScriptFile(const QString& path);
    // The canvas as a picture in the format of a "Save image..." name filter (the format's
    // suffix added to the name); false when it cannot be written (said).
    bool saveImageFile(const QString& path, const QString& nameFilter);

    // The commands as the menus and keys run them. False when refused or failed (said).
    bool showImage();
    bool optimize();
    bool blur();
    bool increaseResolution();
    bool decreaseResolution();
    void zoomIn();
    void zoomOut();
    void showAtScreenScale();
    bool toggleBlackAndWhite();
    void setEasyMode(bool easy);
    void setBackgroundColour(const QColor& colour);
    void setTextColour(const QColor& colour);
    // The current date changed: the day the TEXT variables show and the date button follow.
    void refreshDay();
    // The export of `which` replaces the script (after the question, when the user changed it),
    // and in easy mode the page is optimized. False when refused, cancelled or failed.
    bool exportScript(ScriptExport which);
    // Moves the current date by `days`; in easy mode the last export runs again for the new day.
    // Steps asked for while a run goes on are added up and taken in one step after it.
    void stepDay(int days);
    // The date dialog, then as a day step.
    void pickDate();
    // The script was changed by the user since it was last loaded, saved or exported.
    bool scriptChangedByUser() const;
    // Draws the script when the canvas shows no drawing of it (opened, resized, exported in
    // Creative mode), so that what is printed or saved is the page of the script. False when the
    // drawing failed (said) or cannot run now.
    bool drawCanvasIfBlank();

    // The element editor: its buttons as clicked (the dialogs they open are modal), and a press
    // on the canvas pixel `at` while an element is being placed (its preview drawn).
    void startText();
    void startImage();
    void startMoon();
    void chooseFont();
    void addElement();
    void placeElementAt(QPoint at);
    const ElementEditor& elementEditor() const { return elementEditor_; }

    // Runs `work` as one run (see above). A run asked for during another one (from a timer or a
    // queued call) follows it. False when `work` failed or is still to come.
    bool runExclusive(const std::function<bool()>& work);
    // Calls `call` now, or after the run going on.
    void whenIdle(const std::function<void()>& call);

    PrintPageState& page() { return page_; }
    const PrintManagerState& state() const { return state_; }
    QSize printerPageSize() const;

signals:
    // The full-mode window takes no input while the print manager is shown.
    void fullModeLocked(bool locked);
    // The print manager has gone: the full-mode window shows again the view it was opened on.
    void fullModeViewAsked(FullModeView view);
    // "Setup...": the page setup window. Without a receiver the command is not available.
    void setupAsked();
    // "Print..." (withDialog: the print dialog first) and "Print now".
    void printAsked(bool withDialog);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    QWidget* createScriptPanel();
    QWidget* createCanvasBar();
    QWidget* createElementPanel();
    void showEditorValues();
    void beginElement();
    bool takeScriptFont();
    void onPointerMoved(QPoint at);
    void createStatusBar();
    void connectActions();
    void addCaption(Caption entry, std::function<void(const QString&)> apply);
    QLabel* captionLabel(Caption entry, const char* name = nullptr);
    void zoom(bool (*step)(PrintPageState&), const QString& refusal);
    void applyCaptions();

    void loadWindowFiles();
    void saveWindowFiles();
    void keepUserPageForDonation();
    void restoreUserPageAfterDonation();
    void drawAfterOpening();
    void placeForOpening();
    void rememberPlace();
    void showValues();
    void updateSwatches();
    void showInCanvasSpins(QSize size);
    void updateCanvasSpins();
    void onCanvasSpinChanged();
    void onProgress(int gauge);
    void setInputEnabled(bool enabled);
    bool runOnScript(const std::function<bool()>& run);
    bool runRescaling(const std::function<bool()>& rescale);
    void placeErrorCaret();
    void canvasChanged();
    void say(const QString& text);
    void notAvailableYet();
    bool mayReplaceScript();
    bool askSaveScriptNow();
    bool runExportNow(ScriptExport which);
    void takeDayStep(int days);
    bool reexportsAfterDateChange() const;
    void setScriptUnchanged();
    void openSetup();
    void print(bool withDialog);
    void regainActivation();
    void openDialog(QFileDialog* dialog);
    void askLoadScript();
    void askSaveScript();
    void askSaveImage();
    void askBackgroundColour();
    void askTextColour();
    void openImageMenu(QPoint globalPosition);

    ProgramState& program_;
    PrintPageState& page_;
    PrintManagerState state_;
    std::vector<std::pair<Caption, std::function<void(const QString&)>>> captionTargets_;
    std::vector<std::function<void()>> afterRun_;  // calls asked for during a run
    QPointer<QWidget> focusAfterRun_;
    PageSetupWindow* pageSetup_ = nullptr;
    FullModeFrame exportFrame_{program_.data, program_.fonts};
    ElementEditor elementEditor_;
    CaptionTable captions_;
    // The user's page while the donation print-out shows, with the script and whether the user
    // had changed it.
    std::optional<UserPage> userPage_;
    std::optional<QPoint> placedAt_;  // where the window was put at its opening
    QStringList userScript_;
    bool userScriptChanged_ = false;
    int pendingDays_ = 0;         // day steps asked for and not yet taken
    bool dayStepQueued_ = false;  // a day step waits for the run going on

    std::unique_ptr<PrintManagerActions> actions_;
    QMenu* imageMenu_ = nullptr;
    QWidget* scriptPanel_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    QLineEdit* elementLine_ = nullptr;
    QLabel* instructionLabel_ = nullptr;
    QLabel* sampleLabel_ = nullptr;
    QPushButton* newTextButton_ = nullptr;
    QPushButton* newImageButton_ = nullptr;
    QPushButton* newMoonButton_ = nullptr;
    QPushButton* newFontButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QScrollArea* scroller_ = nullptr;
    CanvasView* canvasView_ = nullptr;
    QSpinBox* widthSpin_ = nullptr;
    QSpinBox* heightSpin_ = nullptr;
    QPushButton* backgroundSwatch_ = nullptr;
    QPushButton* textSwatch_ = nullptr;
    QToolButton* dateButton_ = nullptr;
    QLabel* pointerLabel_ = nullptr;
    QWidget* progressPanel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
};

}  // namespace orbisca
