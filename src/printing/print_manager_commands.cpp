// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's commands: runs of the script and the filters, zoom, colours, files, and the
// commands that go to the export and printing code.
#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

#include "calendar/calendar_state.h"
#include "data/notifier.h"
#include "data/working_folder.h"
#include "export/export_driver.h"
#include "gfx/image_io.h"
#include "printing/canvas_view.h"
#include "printing/image_save.h"
#include "printing/print_manager_actions.h"
#include "printing/print_manager_window.h"
#include "printing/script_editor.h"
#include "printpage/image_ops.h"
#include "printpage/script_file.h"

namespace orbisca {
namespace {

constexpr int kStatusMillis = 5000;

const QString kScriptFilter = QStringLiteral("Scripts (*.spt)");
const QString kTextFilter = QStringLiteral("Text files (*.txt)");
const QString kAllFilter = QStringLiteral("All files (*)");

QFileDialog* scriptDialog(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent, title);
    dialog->setObjectName(QStringLiteral("scriptFileDialog"));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    dialog->setNameFilters({kScriptFilter, kTextFilter, kAllFilter});
    dialog->selectNameFilter(kScriptFilter);
    dialog->setDefaultSuffix(QStringLiteral("spt"));
    // A text file chosen under "Text files" gets ".txt", not ".spt".
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& f) {
        dialog->setDefaultSuffix(f == kTextFilter ? QStringLiteral("txt") : QStringLiteral("spt"));
    });
    return dialog;
}

}  // namespace

bool PrintManagerActions::hasShortcut(const QKeySequence& key) const {
    const QAction* all[] = {easy,        creative, load,          save,     previousDay, nextDay,
                            show,        optimize, blackAndWhite, blur,     zoomIn,      zoomOut,
                            screenScale, setup,    print,         printNow, close};
    for (const QAction* action : all)
        if (action->shortcut() == key) return true;
    for (const QAction* action : exports)
        if (action->shortcut() == key) return true;
    return false;
}

void PrintManagerWindow::connectActions() {
    PrintManagerActions& a = *actions_;
    auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, handler);
    };
    // Menu items take their entry as text; those on a tool bar take it as their hint too.
    auto caption = [this](QAction* action, Caption entry, bool hint = false) {
        addCaption(entry, [action, hint](const QString& t) {
            action->setText(t);
            if (hint) action->setToolTip(t);
        });
    };
    auto title = [this](QMenu* menu, Caption entry) {
        addCaption(entry, [menu](const QString& t) { menu->setTitle(t); });
    };
    title(a.modeMenu, Caption::ModeMenu);
    title(a.scriptMenu, Caption::ScriptMenu);
    title(a.exportMenu, Caption::ExportMenu);
    title(a.editMenu, Caption::EditMenu);
    title(a.printMenu, Caption::PrintMenu);

    caption(a.easy, Caption::Easy);
    caption(a.creative, Caption::Creative);
    on(a.easy, [this] { setEasyMode(true); });
    on(a.creative, [this] { setEasyMode(false); });
    for (std::size_t i = 0; i < kScriptExports.size(); ++i) {
        caption(a.exports[i], kScriptExports[i].caption, true);
        on(a.exports[i], [this, w = kScriptExports[i].which] { exportScript(w); });
    }
    caption(a.load, Caption::Load);
    caption(a.save, Caption::Save);
    on(a.load, &PrintManagerWindow::askLoadScript);
    on(a.save, &PrintManagerWindow::askSaveScript);
    caption(a.previousDay, Caption::PreviousDay, true);
    caption(a.nextDay, Caption::NextDay, true);
    on(a.previousDay, [this] { stepDay(-1); });
    on(a.nextDay, [this] { stepDay(1); });
    // A held key steps once: every step may run an export, and they would pile up.
    a.previousDay->setAutoRepeat(false);
    a.nextDay->setAutoRepeat(false);
    caption(a.show, Caption::Show, true);
    // The tool button's hint is Optimize, what the button does.
    caption(a.optimize, Caption::Optimize, true);
    on(a.show, &PrintManagerWindow::showImage);
    on(a.optimize, &PrintManagerWindow::optimize);

    caption(a.blackAndWhite, Caption::BlackAndWhite);
    caption(a.exportAsText, Caption::ExportAsText);
    caption(a.autoOptimize, Caption::AutoOptimize);
    caption(a.autoBlur, Caption::AutoBlur);
    on(a.blackAndWhite, &PrintManagerWindow::toggleBlackAndWhite);
    on(a.exportAsText, [this](bool checked) { state_.exportAsText = checked; });
    on(a.autoOptimize, [this](bool checked) {
        state_.autoOptimizeChecked = checked;
        orbisca::setEasyMode(state_, page_, state_.easyMode);
    });
    on(a.autoBlur, [this](bool checked) {
        state_.autoBlurChecked = checked;
        orbisca::setEasyMode(state_, page_, state_.easyMode);
    });
    caption(a.blur, Caption::Blur);
    caption(a.increase, Caption::IncreaseResolution);
    caption(a.decrease, Caption::DecreaseResolution);
    on(a.blur, &PrintManagerWindow::blur);
    on(a.increase, &PrintManagerWindow::increaseResolution);
    on(a.decrease, &PrintManagerWindow::decreaseResolution);
    caption(a.zoomIn, Caption::ZoomIn, true);
    caption(a.zoomOut, Caption::ZoomOut, true);
    caption(a.screenScale, Caption::ScreenScale);
    on(a.zoomIn, &PrintManagerWindow::zoomIn);
    on(a.zoomOut, &PrintManagerWindow::zoomOut);
    on(a.screenScale, &PrintManagerWindow::showAtScreenScale);

    caption(a.setup, Caption::Setup, true);
    caption(a.print, Caption::PrintWithDialog, true);
    caption(a.printNow, Caption::PrintNow);
    caption(a.saveImage, Caption::SaveImage);
    on(a.setup, &PrintManagerWindow::openSetup);
    on(a.print, [this] { print(true); });
    on(a.printNow, [this] { print(false); });
    on(a.saveImage, &PrintManagerWindow::askSaveImage);
    on(a.close, &QWidget::close);

    connect(dateButton_, &QToolButton::clicked, this, &PrintManagerWindow::pickDate);
    connect(backgroundSwatch_, &QPushButton::clicked, this,
            &PrintManagerWindow::askBackgroundColour);
    connect(textSwatch_, &QPushButton::clicked, this, &PrintManagerWindow::askTextColour);
    for (QSpinBox* spin : {widthSpin_, heightSpin_})
        connect(spin, &QSpinBox::valueChanged, this, &PrintManagerWindow::onCanvasSpinChanged);
}

// ---- runs

bool PrintManagerWindow::runExclusive(const std::function<bool()>& work) {
    if (state_.running) {
        whenIdle([this, work] { runExclusive(work); });
        return false;
    }
    state_.running = true;
    state_.eventPasses = 0;
    state_.shownGauge = -1;
    focusAfterRun_ = QApplication::focusWidget();
    setInputEnabled(false);
    progressPanel_->show();
    bool ok = false;
    guardedWork(program_.data, [&] { ok = work(); });
    page_.interp.progressMode = ProgressMode::Idle;
    page_.gauge = 0;
    progressBar_->setValue(0);
    progressPanel_->hide();
    setInputEnabled(true);
    state_.running = false;
    canvasChanged();
    regainActivation();
    if (focusAfterRun_) focusAfterRun_->setFocus();
    if (state_.closeRequested) {
        state_.closeRequested = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    for (std::function<void()>& next : std::exchange(afterRun_, {}))
        QMetaObject::invokeMethod(this, next, Qt::QueuedConnection);
    return ok;
}

// A message box or dialog that closes leaves no window active where no window manager hands the
// activation back, and the window's keys would then go nowhere.
void PrintManagerWindow::regainActivation() {
    if (isVisible() && !QApplication::activeModalWidget()) activateWindow();
}

void PrintManagerWindow::whenIdle(const std::function<void()>& call) {
    if (state_.running)
        afterRun_.push_back(call);
    else
        call();
}

void PrintManagerWindow::setInputEnabled(bool enabled) {
    menuBar()->setEnabled(enabled);
    actions_->exportBar->setEnabled(enabled);
    actions_->commandBar->setEnabled(enabled);
    centralWidget()->setEnabled(enabled);
}

// The gauge moved: the bar shows the new value, and pending events other than input are handled
// so that it repaints. Values that did not change cost nothing, so a run handles events at most
// once per gauge step, not once per line.
void PrintManagerWindow::onProgress(int gauge) {
    if (gauge == state_.shownGauge) return;
    state_.shownGauge = gauge;
    progressBar_->setValue(gauge);
    ++state_.eventPasses;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Runs a page operation on the editor's script, then brings the changes it made to the script
// (error markers, rewritten lines) into the editor.
bool PrintManagerWindow::runOnScript(const std::function<bool()>& run) {
    const QStringList before = scriptLines();
    page_.script = before;
    const bool ok = run();
    // Markers and rewritten lines are the program's: they do not make the script the user's.
    const bool changedByUser = scriptChangedByUser();
    applyScriptEdit(*editor_->document(), scriptEditBetween(before, page_.script));
    editor_->document()->setModified(changedByUser);
    if (!ok && page_.interp.errorLine >= 0) placeErrorCaret();
    return ok;
}

void PrintManagerWindow::placeErrorCaret() {
    QTextCursor cursor(editor_->document());
    const qsizetype last = editor_->document()->characterCount() - 1;
    cursor.setPosition(int(qBound(qsizetype(0), editorPositionOfError(page_.interp), last)));
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
    focusAfterRun_ = editor_;
}

void PrintManagerWindow::canvasChanged() { canvasView_->canvasChanged(); }

// Rescaling sets the canvas size the spin boxes hold.
bool PrintManagerWindow::runRescaling(const std::function<bool()>& rescale) {
    const bool ok = runExclusive([this, rescale] {
        state_.canvasBlank = false;  // drawn anew at the new size
        return runOnScript(rescale);
    });
    state_.canvasSpins = QSize(page_.canvasWidth, page_.canvasHeight);
    updateCanvasSpins();
    return ok;
}

bool PrintManagerWindow::showImage() {
    return runExclusive([this] {
        page_.canvasWidth = state_.canvasSpins.width();
        page_.canvasHeight = state_.canvasSpins.height();
        state_.canvasBlank = false;
        return runOnScript([this] { return redrawPage(page_); });
    });
}

bool PrintManagerWindow::optimize() {
    // Optimize always enlarges and softens; the two settings are given back afterwards.
    const bool autoOptimize = page_.autoOptimize, autoBlur = page_.autoBlur;
    page_.autoOptimize = page_.autoBlur = true;
    const bool ok = runRescaling([this] {
        page_.interp.progressMode = ProgressMode::ExportShare;
        page_.viewBox = scroller_->viewport()->size();
        return optimizeForPrinter(page_, printerPageSize());
    });
    page_.autoOptimize = autoOptimize;
    page_.autoBlur = autoBlur;
    return ok;
}

bool PrintManagerWindow::blur() {
    return runExclusive([this] {
        page_.interp.progressMode = ProgressMode::WholeGauge;
        blurCanvas(page_);
        return true;
    });
}

bool PrintManagerWindow::increaseResolution() {
    return runRescaling([this] { return orbisca::increaseResolution(page_); });
}

bool PrintManagerWindow::decreaseResolution() {
    return runRescaling([this] { return orbisca::decreaseResolution(page_); });
}

bool PrintManagerWindow::toggleBlackAndWhite() {
    const bool ok = runExclusive([this] {
        page_.canvasWidth = state_.canvasSpins.width();
        page_.canvasHeight = state_.canvasSpins.height();
        state_.canvasBlank = false;
        return runOnScript([this] { return orbisca::toggleBlackAndWhite(page_); });
    });
    actions_->blackAndWhite->setChecked(page_.interp.blackAndWhite);
    return ok;
}

QSize PrintManagerWindow::printerPageSize() const {
    const QSize size = printer.pageSize ? printer.pageSize() : QSize();
    return size.isEmpty() ? defaultPrinterPage() : size;
}

// ---- view

void PrintManagerWindow::zoom(bool (*step)(PrintPageState&), const QString& refusal) {
    if (!step(page_)) say(refusal);
    canvasView_->viewScaleChanged();
}

void PrintManagerWindow::zoomIn() {
    zoom(&orbisca::zoomIn, QStringLiteral("The page cannot be shown larger."));
}

void PrintManagerWindow::zoomOut() {
    zoom(&orbisca::zoomOut, QStringLiteral("The page cannot be shown smaller."));
}

void PrintManagerWindow::showAtScreenScale() {
    orbisca::showAtScreenScale(page_);
    canvasView_->viewScaleChanged();
}

void PrintManagerWindow::setCanvasSize(QSize size) {
    showInCanvasSpins(size);
    onCanvasSpinChanged();
}

void PrintManagerWindow::onCanvasSpinChanged() {
    const QSize wanted(widthSpin_->value(), heightSpin_->value());
    const QString problem = canvasSizeProblem(wanted.width(), wanted.height());
    if (!problem.isEmpty()) {
        say(problem);
        updateCanvasSpins();  // back to the size in force
        return;
    }
    state_.canvasSpins = wanted;
    guardedWork(program_.data, [&] {
        setCanvas(page_, wanted.width(), wanted.height(), false);
        state_.canvasBlank = true;
        showAtViewScale(page_);
    });
    canvasView_->canvasChanged();
}

// ---- modes and colours

void PrintManagerWindow::setEasyMode(bool easy) {
    orbisca::setEasyMode(state_, page_, easy);
    showValues();
}

void PrintManagerWindow::setBackgroundColour(const QColor& colour) {
    page_.background = colour.rgb();
    updateSwatches();
}

void PrintManagerWindow::setTextColour(const QColor& colour) {
    state_.textColour = colour;
    updateSwatches();
}

void PrintManagerWindow::askBackgroundColour() {
    const QColor chosen = QColorDialog::getColor(QColor(page_.background), this);
    regainActivation();
    if (chosen.isValid()) setBackgroundColour(chosen);
}

void PrintManagerWindow::askTextColour() {
    const QColor chosen = QColorDialog::getColor(state_.textColour, this);
    regainActivation();
    if (chosen.isValid()) setTextColour(chosen);
}

// ---- script and image files

QStringList PrintManagerWindow::scriptLines() const { return documentLines(*editor_->document()); }

void PrintManagerWindow::setScriptLines(const QStringList& lines) {
    editor_->setPlainText(lines.join(u'\n'));
}

bool PrintManagerWindow::loadScriptFile(const QString& path) {
    QString error;
    const std::optional<ScriptFileContent> content = readScriptFile(path, &error);
    if (!content) {
        program_.data.notifier.notify(error);
        return false;
    }
    setScriptLines(content->script);
    page_.yearPage = content->yearPage;  // a year page the file does not carry is gone
    state_.scriptFormat = content->format;
    setScriptUnchanged();
    return true;
}

bool PrintManagerWindow::saveScriptFile(const QString& path) {
    QString error;
    if (writeScriptFile(path, scriptLines(), page_.yearPage, state_.scriptFormat, &error)) {
        setScriptUnchanged();
        return true;
    }
    program_.data.notifier.notify(error);
    return false;
}

bool PrintManagerWindow::saveImageFile(const QString& path, const QString& nameFilter) {
    if (!drawCanvasIfBlank()) return false;
    const ImageSaveFormat format = imageSaveFormat(nameFilter);
    try {
        gfx::saveImage(page_.canvas, pathWithSuffix(path, format), format.format);
        return true;
    } catch (const gfx::ImageError& e) {
        program_.data.notifier.notify(QString::fromUtf8(e.what()));
        return false;
    }
}

// Qt's own dialog, the same on every desktop and one that tests can drive; the window is active
// again when it closes. It starts in the working folder, as the picture dialog does, not in
// whatever folder the program was started from.
void PrintManagerWindow::openDialog(QFileDialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setDirectory(program_.data.folder.path());
    connect(dialog, &QDialog::finished, this, &PrintManagerWindow::regainActivation);
    dialog->open();
}

void PrintManagerWindow::askLoadScript() {
    if (!mayReplaceScript()) return;
    QFileDialog* dialog = scriptDialog(this, actions_->load->text(), QFileDialog::AcceptOpen);
    connect(dialog, &QFileDialog::fileSelected, this, &PrintManagerWindow::loadScriptFile);
    openDialog(dialog);
}

void PrintManagerWindow::askSaveScript() {
    QFileDialog* dialog = scriptDialog(this, actions_->save->text(), QFileDialog::AcceptSave);
    connect(dialog, &QFileDialog::fileSelected, this, &PrintManagerWindow::saveScriptFile);
    openDialog(dialog);
}

void PrintManagerWindow::askSaveImage() {
    if (!drawCanvasIfBlank()) return;  // the picture the dialog saves is on screen first
    auto* dialog = new QFileDialog(this, actions_->saveImage->text());
    dialog->setObjectName(QStringLiteral("imageFileDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const ImageSaveFormat& format : imageSaveFormats()) filters << format.filter;
    dialog->setNameFilters(filters);
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](const QString& path) {
        saveImageFile(path, dialog->selectedNameFilter());
    });
    openDialog(dialog);
}

void PrintManagerWindow::openImageMenu(QPoint globalPosition) {
    if (!state_.running) imageMenu_->popup(globalPosition);
}

// ---- what the export and printing code fill

void PrintManagerWindow::say(const QString& text) { statusBar()->showMessage(text, kStatusMillis); }

void PrintManagerWindow::notAvailableYet() {
    say(QStringLiteral("This command is not available yet."));
}

// ---- exports and the date

void PrintManagerWindow::setScriptUnchanged() { editor_->document()->setModified(false); }

bool PrintManagerWindow::scriptChangedByUser() const { return editor_->document()->isModified(); }

// Save / Discard / Cancel for a script the user changed; true when it may be replaced.
bool PrintManagerWindow::mayReplaceScript() {
    if (!scriptChangedByUser()) return true;
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    QStringLiteral("The script has been changed. Save it before it is replaced?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("replaceQuestion"));
    box.setDefaultButton(QMessageBox::Save);
    const int answer = box.exec();
    regainActivation();
    if (answer == QMessageBox::Discard) return true;
    return answer == QMessageBox::Save && askSaveScriptNow();
}

// The save dialog, modally; true when the script was saved.
bool PrintManagerWindow::askSaveScriptNow() {
    QFileDialog* dialog = scriptDialog(this, actions_->save->text(), QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    const bool chosen = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty();
    const QString path = chosen ? dialog->selectedFiles().constFirst() : QString();
    delete dialog;
    regainActivation();
    return chosen && saveScriptFile(path);
}

bool PrintManagerWindow::exportScript(ScriptExport which) {
    if (state_.running || !mayReplaceScript()) return false;
    return runExportNow(which);
}

bool PrintManagerWindow::runExportNow(ScriptExport which) {
    state_.lastExport = static_cast<int>(which);
    ExportOptions options;
    options.optimize = state_.easyMode;
    options.printerPage = printerPageSize();
    options.exportAsText = state_.exportAsText;
    options.textColour = exportColourText(state_.textColour.red(), state_.textColour.green(),
                                          state_.textColour.blue());
    const bool ok = runExclusive([this, which, options] {
        page_.interp.progressMode = ProgressMode::ExportShare;
        page_.gauge = 0;
        page_.viewBox = scroller_->viewport()->size();
        // Creative mode leaves the new canvas cleared, for the user's Show.
        state_.canvasBlank = !options.optimize;
        // Whatever the driver got to, the editor shows it and it counts as the program's.
        struct ShowScript {
            PrintManagerWindow& window;
            ~ShowScript() {
                window.setScriptLines(window.page_.script);
                window.setScriptUnchanged();
            }
        } show{*this};
        return ExportDriver(exportFrame_, page_).run(which, options);
    });
    state_.canvasSpins = QSize(page_.canvasWidth, page_.canvasHeight);
    updateCanvasSpins();
    return ok;
}

bool PrintManagerWindow::reexportsAfterDateChange() const {
    return state_.easyMode && state_.lastExport >= 1 &&
           state_.lastExport <= int(kScriptExports.size());
}

void PrintManagerWindow::stepDay(int days) {
    pendingDays_ += days;
    if (dayStepQueued_) return;
    dayStepQueued_ = true;
    whenIdle([this] {
        dayStepQueued_ = false;
        if (const int steps = std::exchange(pendingDays_, 0)) takeDayStep(steps);
    });
}

// The date moves by `days` itself: the compact window's keys would step the other way with
// "swap up/down" set.
void PrintManagerWindow::takeDayStep(int days) {
    if (reexportsAfterDateChange() && !mayReplaceScript()) return;
    guardedWork(program_.data, [this, days] {
        DayModel& day = program_.data.day;
        day.setDate(stepDate(day.date(), days));
    });
    if (reexportsAfterDateChange()) runExportNow(static_cast<ScriptExport>(state_.lastExport));
}

void PrintManagerWindow::pickDate() {
    if (!exports.pickDate) return notAvailableYet();
    if (state_.running || (reexportsAfterDateChange() && !mayReplaceScript())) return;
    const bool picked = exports.pickDate();
    regainActivation();
    if (!picked) return;
    refreshDay();
    if (reexportsAfterDateChange()) runExportNow(static_cast<ScriptExport>(state_.lastExport));
}

bool PrintManagerWindow::drawCanvasIfBlank() {
    if (!state_.canvasBlank) return true;
    if (state_.running) return false;
    return showImage();
}

void PrintManagerWindow::openSetup() {
    if (!isSignalConnected(QMetaMethod::fromSignal(&PrintManagerWindow::setupAsked)))
        return notAvailableYet();
    if (drawCanvasIfBlank()) emit setupAsked();
}

void PrintManagerWindow::print(bool withDialog) {
    if (!isSignalConnected(QMetaMethod::fromSignal(&PrintManagerWindow::printAsked)))
        return notAvailableYet();
    if (drawCanvasIfBlank()) emit printAsked(withDialog);
}

}  // namespace orbisca
