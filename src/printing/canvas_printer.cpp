// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/canvas_printer.h"

#include <QDateTime>
#include <QDir>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "data/data_state.h"
#include "printpage/print_job.h"
#include "widgets/window_keys.h"

namespace orbisca {

CanvasPrinter::CanvasPrinter(DataState& data)
    : runDialog([](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }), data_(data) {}

CanvasPrinter::~CanvasPrinter() = default;

bool CanvasPrinter::ask(QDialog& dialog, QWidget* parent) {
    const bool accepted = runDialog(dialog);
    giveKeysBack(parent);
    return accepted;
}

QPrinter& CanvasPrinter::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without any queue Qt falls back to PDF output; a queue keeps its own paper.
        if (printer_->printerName().isEmpty()) printer_->setOutputFormat(QPrinter::PdfFormat);
        preparePrinter(*printer_);
    }
    return *printer_;
}

PageMetrics CanvasPrinter::metrics() { return printerMetrics(printer()); }

bool CanvasPrinter::landscape() {
    return printer().pageLayout().orientation() == QPageLayout::Landscape;
}

void CanvasPrinter::setLandscape(bool landscape) {
    printer().setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool CanvasPrinter::pageSetupDialog(QWidget* parent) {
    QPageSetupDialog dialog(&printer(), parent);
    const bool accepted = ask(dialog, parent);
    printer().setResolution(kPrinterDotsPerInch);
    return accepted;
}

// Sets where the print goes; false when the dialog was cancelled.
bool CanvasPrinter::chooseTarget(bool now, QWidget* parent, QString* fallbackFile) {
    QPrinter& p = printer();
    const std::optional<QString> forced = printToFileFromEnvironment();
    if (forced) printIntoFile(p, *forced);
    if (!now) {
        // A print into a file is offered a new dated name, not the last print's file.
        if (!forced && p.outputFormat() == QPrinter::PdfFormat)
            p.setOutputFileName(fallbackPdfPath(data_.folder.path(), QDateTime::currentDateTime()));
        QPrintDialog dialog(&p, parent);
        if (!ask(dialog, parent)) return false;
        p.setResolution(kPrinterDotsPerInch);
        p.setDocName(kPrintDocumentName);
        if (forced) printIntoFile(p, *forced);
        return true;
    }
    if (forced) return true;
    if (const QString queue = defaultPrinterQueue(); !queue.isEmpty()) {
        printOnQueue(p, queue);
        return true;
    }
    *fallbackFile = fallbackPdfPath(data_.folder.path(), QDateTime::currentDateTime());
    printIntoFile(p, *fallbackFile);
    return true;
}

bool CanvasPrinter::print(bool now, const QImage& canvas, QWidget* parent) {
    const bool printed = printOnce(now, canvas, parent);
    giveKeysBack(parent);  // also after the message that says where the print went
    return printed;
}

bool CanvasPrinter::printOnce(bool now, const QImage& canvas, QWidget* parent) {
    if (canvas.isNull()) {
        data_.notifier.notify(QStringLiteral("There is no picture to print."));
        return false;
    }
    QString fallbackFile;
    if (!chooseTarget(now, parent, &fallbackFile)) return false;
    const PageMetrics page = metrics();
    placeOnPage(geometry_, page.page, canvas.size());
    if (const std::optional<QString> failure = printCanvas(printer(), canvas, geometry_)) {
        data_.notifier.notify(*failure);
        return false;
    }
    if (!fallbackFile.isEmpty())
        data_.notifier.notify(
            QStringLiteral(
                "There is no default printer queue: the picture was printed into \"%1\".")
                .arg(QDir::toNativeSeparators(fallbackFile)));
    return true;
}

}  // namespace orbisca
