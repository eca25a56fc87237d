// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_manager_controller.h"

#include <QCoreApplication>
#include <cstring>
#include <utility>

#include "calendar/calendar_state.h"
#include "data/notifier.h"
#include "export/export_driver.h"
#include "printpage/image_ops.h"
#include "printpage/page_services.h"
#include "printpage/script_file.h"

namespace orbisca {

void PrintManagerController::PlainScript::replaceScript(const QStringList& lines) {
    lines_ = lines;
    changed_ = false;
}

void PrintManagerController::PlainScript::applyRunEdit(const ScriptEdit& edit) {
    lines_.remove(edit.first, edit.removed);
    for (qsizetype i = 0; i < edit.inserted.size(); ++i)
        lines_.insert(edit.first + i, edit.inserted[i]);
}

PrintManagerController::PrintManagerController(ProgramState& program, QObject* parent)
    : QObject(parent), program_(program), page_(program.printPage) {
    page_.services = programPageServices(program.data, program.glyphFonts);
    page_.services.progress = [this](int gauge) { onProgress(gauge); };
    connect(&program_.data.day, &DayModel::dayChanged, this, &PrintManagerController::updateDay);
    updateDay();
}

PrintManagerController::~PrintManagerController() { page_.services.progress = nullptr; }

void PrintManagerController::setScriptHolder(ScriptHolder* holder) {
    holder_ = holder ? holder : &plainScript_;
}

QSize PrintManagerController::printerPageSize() const {
    const QSize size = printer_ ? printer_->printerPage() : QSize();
    return size.isEmpty() ? defaultPrinterPage() : size;
}

void PrintManagerController::updateDay() { setScriptDay(page_, program_.data.day.position()); }

// ---- runs

bool PrintManagerController::runExclusive(const std::function<bool()>& work) {
    if (state_.running) {
        whenIdle([this, work] { runExclusive(work); });
        return false;
    }
    state_.running = true;
    state_.eventPasses = 0;
    state_.shownGauge = -1;
    emit runStarted();
    bool ok = false;
    guardedWork(program_.data, [&] { ok = work(); });
    page_.interp.progressMode = ProgressMode::Idle;
    page_.gauge = 0;
    state_.running = false;
    emit canvasChanged();
    emit runEnded();
    if (std::exchange(state_.closeRequested, false))
        QMetaObject::invokeMethod(this, &PrintManagerController::closeDue, Qt::QueuedConnection);
    for (std::function<void()>& next : std::exchange(afterRun_, {}))
        QMetaObject::invokeMethod(this, next, Qt::QueuedConnection);
    return ok;
}

void PrintManagerController::whenIdle(const std::function<void()>& call) {
    if (state_.running)
        afterRun_.push_back(call);
    else
        call();
}

// The gauge moved: pending events other than input are handled so that the bar repaints. Values
// that did not change cost nothing, so a run handles events at most once per gauge step, not once
// per line.
void PrintManagerController::onProgress(int gauge) {
    if (gauge == state_.shownGauge) return;
    state_.shownGauge = gauge;
    emit progressed(gauge);
    ++state_.eventPasses;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool PrintManagerController::runOnScript(const std::function<bool()>& run) {
    const QStringList before = holder_->scriptLines();
    page_.script = before;
    const bool ok = run();
    // Markers and rewritten lines are the program's: they do not make the script the user's.
    const bool changedByUser = holder_->changedByUser();
    holder_->applyRunEdit(scriptEditBetween(before, page_.script));
    holder_->setChangedByUser(changedByUser);
    if (!ok && page_.interp.errorLine >= 0) emit failedAt(editorPositionOfError(page_.interp));
    return ok;
}

// Rescaling sets the canvas size the spin boxes hold.
bool PrintManagerController::runRescaling(const std::function<bool()>& rescale) {
    const bool ok = runExclusive([this, rescale] {
        state_.canvasBlank = false;  // drawn anew at the new size
        return runOnScript(rescale);
    });
    state_.canvasSpins = QSize(page_.canvasWidth, page_.canvasHeight);
    emit canvasSpinsChanged(state_.canvasSpins);
    return ok;
}

// ---- commands

bool PrintManagerController::showImage() { return redrawWithPreview({}); }

bool PrintManagerController::redrawWithPreview(const std::function<void(PrintPageState&)>& draw) {
    if (draw && previewBaseFits()) {
        return runExclusive([this, draw] {
            std::memcpy(page_.canvas.bits(), previewBase_->canvas.constBits(),
                        std::size_t(page_.canvas.sizeInBytes()));
            draw(page_);
            previewBase_->canvasKey = page_.canvas.cacheKey();
            return true;
        });
    }
    previewBase_.reset();
    return runExclusive([this, draw] {
        page_.canvasWidth = state_.canvasSpins.width();
        page_.canvasHeight = state_.canvasSpins.height();
        state_.canvasBlank = false;
        const QStringList script = holder_->scriptLines();
        const bool ran = runOnScript([this] { return redrawPage(page_); });
        if (!draw) return ran;
        // A script that ran as it stands is kept as drawn for the next click's preview.
        if (ran && holder_->scriptLines() == script) {
            previewBase_ = PreviewBase{page_.canvas.copy(),
                                       script,
                                       state_.canvasSpins,
                                       page_.background,
                                       page_.interp.blackAndWhite,
                                       program_.data.day.date(),
                                       0};
        }
        draw(page_);
        if (previewBase_) previewBase_->canvasKey = page_.canvas.cacheKey();
        return ran;
    });
}

// The copy stands for the canvas while the canvas holds the copy and a preview alone (its cache
// key changes with every other change of its pixels), and the script would draw the same again.
bool PrintManagerController::previewBaseFits() const {
    const PreviewBase* b = previewBase_ ? &*previewBase_ : nullptr;
    return b && b->canvasKey == page_.canvas.cacheKey() &&
           b->canvas.size() == page_.canvas.size() && b->canvas.format() == page_.canvas.format() &&
           b->canvasSpins == state_.canvasSpins && b->background == page_.background &&
           b->blackAndWhite == page_.interp.blackAndWhite && b->day == program_.data.day.date() &&
           b->script == holder_->scriptLines();
}

bool PrintManagerController::optimize() {
    // Optimize always enlarges and softens; the two settings are given back afterwards.
    const bool autoOptimize = page_.autoOptimize, autoBlur = page_.autoBlur;
    page_.autoOptimize = page_.autoBlur = true;
    const bool ok = runRescaling([this] {
        page_.interp.progressMode = ProgressMode::ExportShare;
        page_.viewBox = viewBox_;
        return optimizeForPrinter(page_, printerPageSize());
    });
    page_.autoOptimize = autoOptimize;
    page_.autoBlur = autoBlur;
    return ok;
}

bool PrintManagerController::blur() {
    return runExclusive([this] {
        page_.interp.progressMode = ProgressMode::WholeGauge;
        blurCanvas(page_);
        return true;
    });
}

bool PrintManagerController::increaseResolution() {
    return runRescaling([this] { return orbisca::increaseResolution(page_); });
}

bool PrintManagerController::decreaseResolution() {
    return runRescaling([this] { return orbisca::decreaseResolution(page_); });
}

bool PrintManagerController::toggleBlackAndWhite() {
    const bool ok = runExclusive([this] {
        page_.canvasWidth = state_.canvasSpins.width();
        page_.canvasHeight = state_.canvasSpins.height();
        state_.canvasBlank = false;
        return runOnScript([this] { return orbisca::toggleBlackAndWhite(page_); });
    });
    emit valuesChanged();
    return ok;
}

bool PrintManagerController::setCanvasSpins(QSize size) {
    const QString problem = canvasSizeProblem(size.width(), size.height());
    if (!problem.isEmpty()) {
        emit said(problem);
        emit canvasSpinsChanged(state_.canvasSpins);  // back to the size in force
        return false;
    }
    state_.canvasSpins = size;
    guardedWork(program_.data, [&] {
        setCanvas(page_, size.width(), size.height(), false);
        state_.canvasBlank = true;
        showAtViewScale(page_);
    });
    emit canvasChanged();
    return true;
}

void PrintManagerController::setEasyMode(bool easy) {
    orbisca::setEasyMode(state_, page_, easy);
    emit valuesChanged();
}

void PrintManagerController::setAutoOptimize(bool on) {
    state_.autoOptimizeChecked = on;
    orbisca::setEasyMode(state_, page_, state_.easyMode);
}

void PrintManagerController::setAutoBlur(bool on) {
    state_.autoBlurChecked = on;
    orbisca::setEasyMode(state_, page_, state_.easyMode);
}

void PrintManagerController::setBackgroundColour(const QColor& colour) {
    page_.background = colour.rgb();
    emit valuesChanged();
}

void PrintManagerController::setTextColour(const QColor& colour) {
    state_.textColour = colour;
    emit valuesChanged();
}

bool PrintManagerController::drawCanvasIfBlank() {
    if (!state_.canvasBlank) return true;
    if (state_.running) return false;
    return showImage();
}

// ---- exports and the date

bool PrintManagerController::exportScript(ScriptExport which) {
    if (state_.running || !holder_->mayReplaceScript()) return false;
    return runExportNow(which);
}

bool PrintManagerController::runExportNow(ScriptExport which) {
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
        page_.viewBox = viewBox_;
        // Creative mode leaves the new canvas cleared, for the user's Show.
        state_.canvasBlank = !options.optimize;
        // Whatever the driver got to, the script holder shows it and it counts as the program's.
        struct ShowScript {
            PrintManagerController& controller;
            ~ShowScript() { controller.holder_->replaceScript(controller.page_.script); }
        } show{*this};
        return ExportDriver(exportFrame_, page_).run(which, options);
    });
    state_.canvasSpins = QSize(page_.canvasWidth, page_.canvasHeight);
    emit canvasSpinsChanged(state_.canvasSpins);
    return ok;
}

bool PrintManagerController::reexportsAfterDateChange() const {
    return state_.easyMode && state_.lastExport >= 1 &&
           state_.lastExport <= int(kScriptExports.size());
}

void PrintManagerController::stepDay(int days) {
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
void PrintManagerController::takeDayStep(int days) {
    if (reexportsAfterDateChange() && !holder_->mayReplaceScript()) return;
    guardedWork(program_.data, [this, days] {
        DayModel& day = program_.data.day;
        day.setDate(stepDate(day.date(), days));
    });
    if (reexportsAfterDateChange()) runExportNow(static_cast<ScriptExport>(state_.lastExport));
}

void PrintManagerController::pickDate() {
    if (!datePicker_) {
        emit said(kNotAvailableYet);
        return;
    }
    if (state_.running || (reexportsAfterDateChange() && !holder_->mayReplaceScript())) return;
    if (!datePicker_->pickDate()) return;
    updateDay();
    if (reexportsAfterDateChange()) runExportNow(static_cast<ScriptExport>(state_.lastExport));
}

// ---- elements

// Every element starts on the canvas the spin boxes give, read at the scale it is shown at.
void PrintManagerController::prepareElement() {
    if (state_.running) return;
    const QSize before = page_.canvas.size();
    guardedWork(program_.data, [this] { prepareElementCanvas(state_, page_); });
    if (page_.canvas.size() != before) {
        state_.canvasBlank = true;  // made anew
        emit canvasChanged();
    } else {
        emit viewScaleChanged();
    }
}

bool PrintManagerController::runScriptFonts() {
    return runExclusive(
        [this] { return runOnScript([this] { return orbisca::runScriptFonts(page_); }); });
}

// ---- WindWHP.dat and "~last.spt"

PrintWindowValues PrintManagerController::loadWindowFiles() {
    state_.filesLoaded = true;
    const PrintWindowFiles files = loadPrintWindowFiles(program_.data);
    if (!applyWindowValues(state_, page_, files.values))
        program_.data.notifier.notify(
            QStringLiteral("WindWHP.dat: ") +
            canvasSizeProblem(files.values.canvasWidth, files.values.canvasHeight));
    state_.lastScriptUnreadable = files.lastScriptUnreadable;
    if (files.lastScript) {
        const ScriptFileContent content = splitScriptFile(*files.lastScript);
        state_.scriptFormat = files.lastScriptFormat;
        holder_->replaceScript(content.script);
        page_.yearPage = content.yearPage;
    }
    emit valuesChanged();
    return files.values;
}

void PrintManagerController::saveWindowFiles(const QRect& geometry) {
    const PrintWindowValues values = windowValuesToSave(state_, page_, geometry);
    const QStringList script = holder_->scriptLines();
    if (state_.lastScriptUnreadable && script.isEmpty() && page_.yearPage.isEmpty()) {
        savePrintWindowValues(program_.data, values);
        return;
    }
    if (savePrintWindowFiles(program_.data, values, scriptFileLines(script, page_.yearPage),
                             state_.scriptFormat))
        state_.lastScriptUnreadable = false;
}

void PrintManagerController::keepUserPage() {
    if (userPage_) return;  // kept already
    userPage_ = orbisca::keepUserPage(state_, page_);
    userScript_ = holder_->scriptLines();
    userScriptChanged_ = holder_->changedByUser();
}

bool PrintManagerController::restoreUserPage() {
    if (!userPage_) return false;
    orbisca::restoreUserPage(*userPage_, state_, page_);
    holder_->replaceScript(std::exchange(userScript_, {}));
    holder_->setChangedByUser(userScriptChanged_);
    userPage_.reset();
    emit valuesChanged();
    emit canvasChanged();
    return true;
}

QPoint PrintManagerController::savedSetupPosition() const {
    return QPoint(state_.values.setupLeft, state_.values.setupTop);
}

void PrintManagerController::rememberSetupPosition(QPoint position) {
    state_.values.setupLeft = position.x();
    state_.values.setupTop = position.y();
}

}  // namespace orbisca
