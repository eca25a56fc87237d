// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager: a script editor, the page canvas the script is drawn on, and the menus and
// tool bars that draw, rescale, soften, zoom and save it. A thin window over its controller
// (print_manager_controller.h), which does the running: the window holds the controls, turns
// their events into the controller's commands and shows what its signals announce. While a run
// goes on the window takes no input (events other than input are still processed when the
// progress bar moves), and a close request waits for its end.
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

#include "printing/print_manager_controller.h"
#include "printpage/caption_table.h"
#include "printpage/element_editor.h"
#include "state/program_state.h"

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

class PrintManagerWindow : public QMainWindow, public ScriptHolder {
    Q_OBJECT
public:
    explicit PrintManagerWindow(ProgramState& program, QWidget* parent = nullptr);
    ~PrintManagerWindow() override;

    PrintManagerController& controller() { return controller_; }
    PrintPageState& page() { return controller_.page(); }
    const PrintManagerState& state() const { return controller_.state(); }
    void setPageSetupWindow(PageSetupWindow* window) { pageSetup_ = window; }

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
    QStringList scriptLines() const override;
    void setScriptLines(const QStringList& lines);
    // Script files with their year page; false when the file cannot be read or written (said).
    bool loadScriptFile(const QString& path);
    bool saveScriptFile(const QString& path);
    // The canvas as a picture in the format of a "Save image..." name filter (the format's
    // suffix added to the name); false when it cannot be written (said).
    bool saveImageFile(const QString& path, const QString& nameFilter);

    void zoomIn();
    void zoomOut();
    void showAtScreenScale();
    // The script was changed by the user since it was last loaded, saved or exported.
    bool scriptChangedByUser() const { return changedByUser(); }

    // The element editor: its buttons as clicked (the dialogs they open are modal), and a press
    // on the canvas pixel `at` while an element is being placed (its preview drawn).
    void startText();
    void startImage();
    void startMoon();
    void chooseFont();
    void addElement();
    void placeElementAt(QPoint at);
    const ElementEditor& elementEditor() const { return elementEditor_; }

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
    // The script holder's side: the editor's document.
    void replaceScript(const QStringList& lines) override;
    void applyRunEdit(const ScriptEdit& edit) override;
    bool changedByUser() const override;
    void setChangedByUser(bool changed) override;
    bool mayReplaceScript() override;

    void createActions();
    void createMenus();
    void createToolBars();
    QWidget* createScriptPanel();
    QWidget* createCanvasBar();
    QWidget* createElementPanel();
    void createStatusBar();
    void connectActions();
    void connectController();
    void showEditorValues();
    bool takeScriptFont();
    void onPointerMoved(QPoint at);
    void addCaption(Caption entry, std::function<void(const QString&)> apply);
    QLabel* captionLabel(Caption entry, const char* name = nullptr);
    void zoom(bool (*step)(PrintPageState&), const QString& refusal);
    void applyCaptions();

    void drawAfterOpening();
    void placeForOpening();
    void loadWindowFiles();
    void rememberPlace();
    void showValues();
    void showInCanvasSpins(QSize size);
    void setInputEnabled(bool enabled);
    void onRunStarted();
    void onRunEnded();
    void placeErrorCaret(qsizetype position);
    void showDay();
    void say(const QString& text);
    bool askSaveScriptNow();
    void openSetup();
    void print(bool withDialog);
    void regainActivation();
    void openDialog(QFileDialog* dialog);
    void askLoadScript();
    void askSaveScript();
    void askSaveImage();
    void askColour(bool background);
    void openImageMenu(QPoint globalPosition);

    ProgramState& program_;
    PrintManagerController controller_;
    std::vector<std::pair<Caption, std::function<void(const QString&)>>> captionTargets_;
    QPointer<QWidget> focusAfterRun_;
    PageSetupWindow* pageSetup_ = nullptr;
    ElementEditor elementEditor_;
    CaptionTable captions_;
    std::optional<QPoint> placedAt_;  // where the window was put at its opening

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
