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
    PrintManagerController* c = &controller_;
    on(a.easy, [c] { c->setEasyMode(true); });
    on(a.creative, [c] { c->setEasyMode(false); });
    for (std::size_t i = 0; i < kScriptExports.size(); ++i) {
        caption(a.exports[i], kScriptExports[i].caption, true);
        on(a.exports[i], [c, w = kScriptExports[i].which] { c->exportScript(w); });
    }
    caption(a.load, Caption::Load);
    caption(a.save, Caption::Save);
    on(a.load, &PrintManagerWindow::askLoadScript);
    on(a.save, &PrintManagerWindow::askSaveScript);
    caption(a.previousDay, Caption::PreviousDay, true);
    caption(a.nextDay, Caption::NextDay, true);
    on(a.previousDay, [c] { c->stepDay(-1); });
    on(a.nextDay, [c] { c->stepDay(1); });
    // A held key steps once: every step may run an export, and they would pile up.
    a.previousDay->setAutoRepeat(false);
    a.nextDay->setAutoRepeat(false);
    caption(a.show, Caption::Show, true);
    // The tool button's hint is Optimize, what the button does.
    caption(a.optimize, Caption::Optimize, true);
    on(a.show, [c] { c->showImage(); });
    on(a.optimize, [c] { c->optimize(); });

    caption(a.blackAndWhite, Caption::BlackAndWhite);
    caption(a.exportAsText, Caption::ExportAsText);
    caption(a.autoOptimize, Caption::AutoOptimize);
    caption(a.autoBlur, Caption::AutoBlur);
    on(a.blackAndWhite, [c] { c->toggleBlackAndWhite(); });
    on(a.exportAsText, [c](bool checked) { c->setExportAsText(checked); });
    on(a.autoOptimize, [c](bool checked) { c->setAutoOptimize(checked); });
    on(a.autoBlur, [c](bool checked) { c->setAutoBlur(checked); });
    caption(a.blur, Caption::Blur);
    caption(a.increase, Caption::IncreaseResolution);
    caption(a.decrease, Caption::DecreaseResolution);
    on(a.blur, [c] { c->blur(); });
    on(a.increase, [c] { c->increaseResolution(); });
    on(a.decrease, [c] { c->decreaseResolution(); });
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

    connect(dateButton_, &QToolButton::clicked, this, [this] {
        controller_.pickDate();
        regainActivation();
    });
    connect(backgroundSwatch_, &QPushButton::clicked, this, [this] { askColour(true); });
    connect(textSwatch_, &QPushButton::clicked, this, [this] { askColour(false); });
    for (QSpinBox* spin : {widthSpin_, heightSpin_}) {
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            controller_.setCanvasSpins(QSize(widthSpin_->value(), heightSpin_->value()));
        });
    }
}

// What the controller announces, shown in the controls.
void PrintManagerWindow::connectController() {
    PrintManagerController* c = &controller_;
    connect(c, &PrintManagerController::runStarted, this, &PrintManagerWindow::onRunStarted);
    connect(c, &PrintManagerController::runEnded, this, &PrintManagerWindow::onRunEnded);
    connect(c, &PrintManagerController::progressed, progressBar_, &QProgressBar::setValue);
    connect(c, &PrintManagerController::failedAt, this, &PrintManagerWindow::placeErrorCaret);
    connect(c, &PrintManagerController::canvasChanged, canvasView_, &CanvasView::canvasChanged);
    connect(c, &PrintManagerController::viewScaleChanged, canvasView_,
            &CanvasView::viewScaleChanged);
    connect(c, &PrintManagerController::canvasSpinsChanged, this,
            &PrintManagerWindow::showInCanvasSpins);
    connect(c, &PrintManagerController::valuesChanged, this, &PrintManagerWindow::showValues);
    connect(c, &PrintManagerController::closeDue, this, &QWidget::close);
    connect(c, &PrintManagerController::said, this, &PrintManagerWindow::say);
}

// ---- runs

// A run takes the window's input until it ends; the focus goes back where it was (or to the
// failing line of the script).
void PrintManagerWindow::onRunStarted() {
    focusAfterRun_ = QApplication::focusWidget();
    setInputEnabled(false);
    progressPanel_->show();
}

void PrintManagerWindow::onRunEnded() {
    progressBar_->setValue(0);
    progressPanel_->hide();
    setInputEnabled(true);
    regainActivation();
    if (focusAfterRun_) focusAfterRun_->setFocus();
}

void PrintManagerWindow::setInputEnabled(bool enabled) {
    menuBar()->setEnabled(enabled);
    actions_->exportBar->setEnabled(enabled);
    actions_->commandBar->setEnabled(enabled);
    centralWidget()->setEnabled(enabled);
}

// A message box or dialog that closes leaves no window active where no window manager hands the
// activation back, and the window's keys would then go nowhere.
void PrintManagerWindow::regainActivation() {
    if (isVisible() && !QApplication::activeModalWidget()) activateWindow();
}

void PrintManagerWindow::placeErrorCaret(qsizetype position) {
    QTextCursor cursor(editor_->document());
    const qsizetype last = editor_->document()->characterCount() - 1;
    cursor.setPosition(int(qBound(qsizetype(0), position, last)));
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
    focusAfterRun_ = editor_;
}

// ---- view

void PrintManagerWindow::zoom(bool (*step)(PrintPageState&), const QString& refusal) {
    if (!step(page())) say(refusal);
    canvasView_->viewScaleChanged();
}

void PrintManagerWindow::zoomIn() {
    zoom(&orbisca::zoomIn, QStringLiteral("The page cannot be shown larger."));
}

void PrintManagerWindow::zoomOut() {
    zoom(&orbisca::zoomOut, QStringLiteral("The page cannot be shown smaller."));
}

void PrintManagerWindow::showAtScreenScale() {
    orbisca::showAtScreenScale(page());
    canvasView_->viewScaleChanged();
}

void PrintManagerWindow::setCanvasSize(QSize size) {
    showInCanvasSpins(size);
    controller_.setCanvasSpins(size);
}

// ---- colours

void PrintManagerWindow::askColour(bool background) {
    const PrintManagerState& s = controller_.state();
    const QColor chosen =
        QColorDialog::getColor(background ? QColor(page().background) : s.textColour, this);
    regainActivation();
    if (!chosen.isValid()) return;
    if (background)
        controller_.setBackgroundColour(chosen);
    else
        controller_.setTextColour(chosen);
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
    replaceScript(content->script);
    page().yearPage = content->yearPage;  // a year page the file does not carry is gone
    controller_.state().scriptFormat = content->format;
    return true;
}

bool PrintManagerWindow::saveScriptFile(const QString& path) {
    QString error;
    if (writeScriptFile(path, scriptLines(), page().yearPage, state().scriptFormat, &error)) {
        setChangedByUser(false);
        return true;
    }
    program_.data.notifier.notify(error);
    return false;
}

bool PrintManagerWindow::saveImageFile(const QString& path, const QString& nameFilter) {
    if (!controller_.drawCanvasIfBlank()) return false;
    const ImageSaveFormat format = imageSaveFormat(nameFilter);
    try {
        gfx::saveImage(page().canvas, pathWithSuffix(path, format), format.format);
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
    if (!controller_.drawCanvasIfBlank())
        return;  // the picture the dialog saves is on screen first
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
    if (!controller_.running()) imageMenu_->popup(globalPosition);
}

void PrintManagerWindow::say(const QString& text) { statusBar()->showMessage(text, kStatusMillis); }

// ---- the script as the controller reaches it

void PrintManagerWindow::replaceScript(const QStringList& lines) {
    setScriptLines(lines);
    setChangedByUser(false);
}

void PrintManagerWindow::applyRunEdit(const ScriptEdit& edit) {
    applyScriptEdit(*editor_->document(), edit);
}

bool PrintManagerWindow::changedByUser() const { return editor_->document()->isModified(); }

void PrintManagerWindow::setChangedByUser(bool changed) {
    editor_->document()->setModified(changed);
}

// Save / Discard / Cancel for a script the user changed; true when it may be replaced.
bool PrintManagerWindow::mayReplaceScript() {
    if (!changedByUser()) return true;
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

void PrintManagerWindow::openSetup() {
    if (!isSignalConnected(QMetaMethod::fromSignal(&PrintManagerWindow::setupAsked)))
        return say(kNotAvailableYet);
    if (controller_.drawCanvasIfBlank()) emit setupAsked();
}

void PrintManagerWindow::print(bool withDialog) {
    if (!isSignalConnected(QMetaMethod::fromSignal(&PrintManagerWindow::printAsked)))
        return say(kNotAvailableYet);
    if (controller_.drawCanvasIfBlank()) emit printAsked(withDialog);
}

}  // namespace orbisca
