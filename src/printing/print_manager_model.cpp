// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_manager_model.h"

#include <QPageLayout>
#include <QPageSize>

#include "data/data_state.h"
#include "data/error_log.h"
#include "data/notifier.h"
#include "printing/print_manager_links.h"
#include "printpage/image_ops.h"
#include "printpage/script_line.h"

namespace orbisca {

QSize defaultPrinterPage() {
    constexpr int kDefaultDpi = 600;
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    return a4.fullRectPixels(kDefaultDpi).size();
}

void PrintManagerOpening::openedFromFullMode(FullModeView view) {
    openingView_ = view;
    forDonation_ = false;
    exportPending_ = true;
}

void PrintManagerOpening::openedForDonation() {
    openingView_.reset();
    forDonation_ = true;
    exportPending_ = false;
}

void PrintManagerOpening::openedOnItsOwn() {
    openingView_.reset();
    forDonation_ = false;
    exportPending_ = false;
}

std::optional<ScriptExport> PrintManagerOpening::takeExport() {
    if (!exportPending_ || !openingView_) return std::nullopt;
    exportPending_ = false;
    return exportOfView(*openingView_);
}

std::optional<FullModeView> PrintManagerOpening::takeReturnMode() {
    const std::optional<FullModeView> view = openingView_;
    openedOnItsOwn();
    return view;
}

UserPage keepUserPage(const PrintManagerState& state, const PrintPageState& page) {
    UserPage kept;
    kept.yearPage = page.yearPage;
    kept.canvas = page.canvas;
    kept.canvasSpins = state.canvasSpins;
    kept.canvasBlank = state.canvasBlank;
    kept.viewScale = page.viewScale;
    kept.displayedSize = page.displayedSize;
    kept.easyMode = state.easyMode;
    kept.exportAsText = state.exportAsText;
    kept.lastExport = state.lastExport;
    kept.background = page.background;
    kept.textColour = state.textColour;
    kept.blackAndWhite = page.interp.blackAndWhite;
    return kept;
}

void restoreUserPage(const UserPage& kept, PrintManagerState& state, PrintPageState& page) {
    page.yearPage = kept.yearPage;
    page.canvas = kept.canvas;
    const QSize size = kept.canvas.isNull() ? kept.canvasSpins : kept.canvas.size();
    page.canvasWidth = size.width();
    page.canvasHeight = size.height();
    state.canvasSpins = kept.canvasSpins;
    state.canvasBlank = kept.canvasBlank;
    page.viewScale = kept.viewScale;
    page.displayedSize = kept.displayedSize;
    state.exportAsText = kept.exportAsText;
    state.lastExport = kept.lastExport;
    page.background = kept.background;
    state.textColour = kept.textColour;
    page.interp.blackAndWhite = kept.blackAndWhite;
    setEasyMode(state, page, kept.easyMode);
}

void setEasyMode(PrintManagerState& state, PrintPageState& page, bool easy) {
    state.easyMode = easy;
    page.autoOptimize = !easy || state.autoOptimizeChecked;
    page.autoBlur = !easy || state.autoBlurChecked;
}

void prepareElementCanvas(const PrintManagerState& state, PrintPageState& page) {
    page.canvasWidth = state.canvasSpins.width();
    page.canvasHeight = state.canvasSpins.height();
    if (page.canvas.size() != state.canvasSpins) {
        setCanvas(page, page.canvasWidth, page.canvasHeight, false);
        showAtViewScale(page);  // the old displayed size belongs to another canvas
    }
    const int shownWidth =
        page.displayedSize.width() >= 1 ? page.displayedSize.width() : page.canvas.width();
    page.viewScale = double(page.canvasWidth) / shownWidth;
}

bool applyWindowValues(PrintManagerState& state, PrintPageState& page, const PrintWindowValues& v) {
    state.values = v;
    state.exportAsText = v.textGraphic;
    page.interp.blackAndWhite = v.blackWhite;
    state.autoOptimizeChecked = v.autoOptimize;
    state.autoBlurChecked = v.autoBlur;
    setEasyMode(state, page, v.easyMode);
    page.background = qRgb(v.backRed, v.backGreen, v.backBlue);
    state.textColour = QColor(v.textRed, v.textGreen, v.textBlue);
    if (!canvasSizeProblem(v.canvasWidth, v.canvasHeight).isEmpty()) return false;
    state.canvasSpins = QSize(v.canvasWidth, v.canvasHeight);
    return true;
}

PrintWindowValues windowValuesToSave(const PrintManagerState& state, const PrintPageState& page,
                                     const QRect& geometry) {
    PrintWindowValues v = state.values;
    v.width = geometry.width();
    v.height = geometry.height();
    v.left = geometry.left();
    v.top = geometry.top();
    v.easyMode = state.easyMode;
    v.textGraphic = state.exportAsText;
    v.blackWhite = page.interp.blackAndWhite;
    v.autoOptimize = state.autoOptimizeChecked;
    v.autoBlur = state.autoBlurChecked;
    v.backRed = qRed(page.background);
    v.backGreen = qGreen(page.background);
    v.backBlue = qBlue(page.background);
    v.textRed = state.textColour.red();
    v.textGreen = state.textColour.green();
    v.textBlue = state.textColour.blue();
    // The spin boxes, which the canvas follows (the donation print-out's canvas is never saved).
    v.canvasWidth = state.canvasSpins.width();
    v.canvasHeight = state.canvasSpins.height();
    return v;
}

QRect clampToAvailable(const QRect& wanted, const QRect& available) {
    if (available.isEmpty()) return wanted;
    const QSize size = wanted.size().boundedTo(available.size());
    const int left = qBound(available.left(), wanted.left(), available.right() - size.width() + 1);
    const int top = qBound(available.top(), wanted.top(), available.bottom() - size.height() + 1);
    return QRect(QPoint(left, top), size);
}

bool hasUserPlace(const PrintWindowValues& values) {
    const PrintWindowValues fresh;
    return values.left != fresh.left || values.top != fresh.top;
}

QRect openingPlace(const PrintWindowValues& values, QSize size, const QRect& storedArea,
                   const QRect& openerArea) {
    if (hasUserPlace(values))
        return clampToAvailable(QRect(QPoint(values.left, values.top), size), storedArea);
    QRect centred(QPoint(), size.boundedTo(openerArea.isEmpty() ? size : openerArea.size()));
    centred.moveCenter(openerArea.center());
    return openerArea.isEmpty() ? QRect(QPoint(values.left, values.top), size) : centred;
}

ScriptEdit scriptEditBetween(const QStringList& before, const QStringList& after) {
    qsizetype prefix = 0;
    const qsizetype shorter = qMin(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    ScriptEdit edit;
    edit.first = prefix;
    edit.removed = before.size() - prefix - suffix;
    edit.inserted = after.mid(prefix, after.size() - prefix - suffix);
    return edit;
}

qsizetype editorPositionOfError(const ScriptState& state) {
    if (state.errorLine < 0) return 0;
    return state.errorCaret + state.errorLine + kSyntaxErrorStartMarker.size() + 1;
}

bool guardedWork(DataState& data, const std::function<void()>& work) {
    return catchFailures(data, work,
                         [&data](const QString& reason) { data.notifier.notify(reason); });
}

}  // namespace orbisca
