// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's running, without a widget: one run at a time (Show, Optimize, a filter, an
// export), the day steps asked for during a run taken in one step after it, the re-export of the
// current view for a new day, the state of WindWHP.dat and "~last.spt", and the user's page kept
// while the donation print-out borrows the page.
//
// The script lives where the user edits it; the controller reaches it through a ScriptHolder (a
// plain list when none is given). What it cannot answer itself (the printer's page, the date the
// user picks) comes in through small interfaces; what it only announces goes out as signals.
#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "calendar/calendar.h"
#include "data/print_window_file.h"
#include "printing/print_manager_links.h"
#include "printing/print_manager_model.h"
#include "printpage/print_page.h"
#include "state/program_state.h"
#include "views/full_mode_frame.h"

namespace orbisca {

// The script as the user edits it.
class ScriptHolder {
public:
    virtual ~ScriptHolder() = default;
    virtual QStringList scriptLines() const = 0;
    // Replaces the whole script; the new one counts as the program's, not the user's.
    virtual void replaceScript(const QStringList& lines) = 0;
    // Brings a run's changes (error markers, rewritten lines) in; they leave the user's flag alone.
    virtual void applyRunEdit(const ScriptEdit& edit) = 0;
    virtual bool changedByUser() const = 0;
    virtual void setChangedByUser(bool changed) = 0;
    // Save / Discard / Cancel for a script the user changed; true when it may be replaced.
    virtual bool mayReplaceScript() { return !changedByUser(); }
};

class PrintManagerController : public QObject, public PrintedCanvas {
    Q_OBJECT
public:
    explicit PrintManagerController(ProgramState& program, QObject* parent = nullptr);
    ~PrintManagerController() override;

    // Where the script is; null: the controller's own list.
    void setScriptHolder(ScriptHolder* holder);
    void setPrinterPage(PrinterPage* printer) { printer_ = printer; }
    void setDatePicker(DatePicker* picker) { datePicker_ = picker; }
    // The part of the page on screen, which exports and Optimize fit the view scale to.
    void setViewBox(QSize box) { viewBox_ = box; }

    ScriptHolder& script() { return *holder_; }
    PrintPageState& page() { return page_; }
    const PrintPageState& page() const { return page_; }
    PrintManagerState& state() { return state_; }
    const PrintManagerState& state() const { return state_; }
    QSize printerPageSize() const;

    // Runs `work` as one run: started and ended by signals, a failure said once. A run asked for
    // during another one (from a timer or a queued call) follows it. False when `work` failed or
    // is still to come.
    bool runExclusive(const std::function<bool()>& work);
    // Calls `call` now, or after the run going on.
    void whenIdle(const std::function<void()>& call);
    bool running() const { return state_.running; }
    // A close came during a run: closeDue follows its end.
    void closeAfterRun() { state_.closeRequested = true; }
    // Runs a page operation on the script, then brings its changes into the script holder.
    bool runOnScript(const std::function<bool()>& run);

    // The commands. False when refused or failed (said).
    bool showImage();
    bool optimize();
    bool blur();
    bool increaseResolution();
    bool decreaseResolution();
    bool toggleBlackAndWhite();
    // The canvas size of the spin boxes: a size that cannot be made is refused (said, false).
    bool setCanvasSpins(QSize size);
    void setEasyMode(bool easy);
    void setAutoOptimize(bool on);
    void setAutoBlur(bool on);
    void setExportAsText(bool on) { state_.exportAsText = on; }
    void setBackgroundColour(const QColor& colour);
    void setTextColour(const QColor& colour);
    // Draws the script when the canvas shows no drawing of it, so that what is printed or saved is
    // the page of the script. False when the drawing failed (said) or cannot run now.
    bool drawCanvasIfBlank();

    // The export of `which` replaces the script (after the question, when the user changed it),
    // and in easy mode the page is optimized. False when refused, cancelled or failed.
    bool exportScript(ScriptExport which);
    // Moves the current date by `days`; in easy mode the last export runs again for the new day.
    // Steps asked for while a run goes on are added up and taken in one step after it.
    void stepDay(int days);
    // The date picker, then as a day step.
    void pickDate();

    // Starting an element: the canvas of the spin boxes at the scale it is shown at.
    void prepareElement();
    // The FONT lines of the script alone; false when one failed.
    bool runScriptFonts();
    // The script drawn, then `draw` over it (the preview of the element being placed). While
    // nothing but previews touched the canvas since the script was drawn for one, the drawing is
    // taken back from a copy instead of running the script again.
    bool redrawWithPreview(const std::function<void(PrintPageState&)>& draw);

    // WindWHP.dat and "~last.spt": read once (the values returned for the window's place), and
    // written with the window's frame at `geometry`.
    PrintWindowValues loadWindowFiles();
    void saveWindowFiles(const QRect& geometry);
    // The donation print-out borrows the page: the user's page is kept, then given back.
    void keepUserPage();
    bool restoreUserPage();

    // The canvas the page setup window shows and prints, and its place there.
    const QImage& printedCanvas() const override { return page_.canvas; }
    bool preparePrintedCanvas() override { return drawCanvasIfBlank(); }
    QPoint savedSetupPosition() const override;
    void rememberSetupPosition(QPoint position) override;

signals:
    void runStarted();
    void runEnded();
    // The progress bar's value moved; events other than input are handled after it.
    void progressed(int gauge);
    // A failed run left the script's caret at `editorPosition`.
    void failedAt(qsizetype editorPosition);
    // The canvas's pixels or size changed.
    void canvasChanged();
    // Only the scale the canvas is shown at changed.
    void viewScaleChanged();
    // The canvas size of the spin boxes changed.
    void canvasSpinsChanged(QSize size);
    // Modes, colours or check marks changed.
    void valuesChanged();
    // A close asked for during a run can be done now.
    void closeDue();
    // A line for the status bar.
    void said(const QString& text);

private:
    void onProgress(int gauge);
    bool runRescaling(const std::function<bool()>& rescale);
    bool runExportNow(ScriptExport which);
    void takeDayStep(int days);
    bool reexportsAfterDateChange() const;
    void updateDay();
    bool previewBaseFits() const;

    // The script's drawing under the previews, and what it was drawn from.
    struct PreviewBase {
        QImage canvas;
        QStringList script;
        QSize canvasSpins;
        QRgb background = 0;
        bool blackAndWhite = false;
        GregorianDate day;
        qint64 canvasKey = 0;  // the canvas's cache key with the last preview drawn over it
    };

    // The script when no editor holds it.
    class PlainScript : public ScriptHolder {
    public:
        QStringList scriptLines() const override { return lines_; }
        void replaceScript(const QStringList& lines) override;
        void applyRunEdit(const ScriptEdit& edit) override;
        bool changedByUser() const override { return changed_; }
        void setChangedByUser(bool changed) override { changed_ = changed; }

    private:
        QStringList lines_;
        bool changed_ = false;
    };

    ProgramState& program_;
    PrintPageState& page_;
    PrintManagerState state_;
    PlainScript plainScript_;
    ScriptHolder* holder_ = &plainScript_;
    PrinterPage* printer_ = nullptr;
    DatePicker* datePicker_ = nullptr;
    QSize viewBox_{640, 480};
    FullModeFrame exportFrame_{program_.data, program_.fonts};
    std::vector<std::function<void()>> afterRun_;  // calls asked for during a run
    int pendingDays_ = 0;                          // day steps asked for and not yet taken
    bool dayStepQueued_ = false;                   // a day step waits for the run going on
    // The user's page while the donation print-out shows, with the script and whether the user
    // had changed it.
    std::optional<UserPage> userPage_;
    std::optional<PreviewBase> previewBase_;
    QStringList userScript_;
    bool userScriptChanged_ = false;
};

}  // namespace orbisca
