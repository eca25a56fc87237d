// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/print_job.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <functional>

#include "data/atomic_file.h"

namespace orbisca {
namespace {

// Switching the output (file or queue) gives the printer the defaults of the new one: the page
// the user set up is carried over.
void keepLayoutAcross(QPrinter& printer, const std::function<void()>& change) {
    const QPageLayout layout = printer.pageLayout();
    change();
    printer.setPageLayout(layout);
    printer.setResolution(kPrinterDotsPerInch);
    printer.setDocName(kPrintDocumentName);
}

QString cannotWrite(const QString& path) {
    return QStringLiteral("The file \"%1\" cannot be written.").arg(QDir::toNativeSeparators(path));
}

QString cannotStart(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return cannotWrite(printer.outputFileName());
    const QString name = printer.printerName();
    return name.isEmpty() ? QStringLiteral("There is no printer to print on.")
                          : QStringLiteral("The printer \"%1\" cannot start the print.").arg(name);
}

// Draws the canvas into the printable area of the page `painter` paints; the page's origin is the
// area's top-left corner. The picture goes to the page without loss: Qt would otherwise store it
// in a PDF or a print job as a JPEG, which blurs the edges of text and lines.
void drawCanvasOnPage(QPainter& painter, const QImage& canvas, const PageGeometry& geometry) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRect(geometry.left, geometry.top, geometry.width, geometry.height), canvas);
}

std::optional<QString> paintPage(QPrinter& printer, const QImage& canvas,
                                 const PageGeometry& geometry) {
    QPainter painter;
    if (!painter.begin(&printer)) return cannotStart(printer);
    drawCanvasOnPage(painter, canvas, geometry);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        return printer.outputFormat() == QPrinter::PdfFormat
                   ? cannotStart(printer)
                   : QStringLiteral("The printer \"%1\" reported an error; nothing was printed.")
                         .arg(printer.printerName());
    return std::nullopt;
}

}  // namespace

void preparePrinter(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setResolution(kPrinterDotsPerInch);
    printer.setDocName(kPrintDocumentName);
}

void printIntoFile(QPrinter& printer, const QString& path) {
    keepLayoutAcross(printer, [&] { printer.setOutputFileName(path); });
}

void printOnQueue(QPrinter& printer, const QString& name) {
    keepLayoutAcross(printer, [&] {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(name);
    });
}

PageMetrics printerMetrics(const QPrinter& printer) {
    PageMetrics metrics;
    metrics.page = QSize(std::max(1, printer.width()), std::max(1, printer.height()));
    metrics.dotsPerInch =
        QSizeF(std::max(1, printer.logicalDpiX()), std::max(1, printer.logicalDpiY()));
    // The paper as its size is defined (A4: 210 x 297 mm), in the orientation chosen; its
    // device pixels would come from whole points and make A4 20,99 cm wide.
    metrics.paperCm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size() / 10;
    return metrics;
}

std::optional<QString> printToFileFromEnvironment() {
    const QString path = qEnvironmentVariable(kPrintToVariable);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

QStringList printerQueues() { return QPrinterInfo::availablePrinterNames(); }

QString defaultPrinterQueue() { return QPrinterInfo::defaultPrinterName(); }

QString fallbackPdfPath(const QString& folder, const QDateTime& when) {
    const QString stamp =
        QStringLiteral("Orbisca-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QDir(folder).filePath(stamp + QStringLiteral(".pdf"));
    // Two prints in one second: the second gets a name of its own.
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1-%2.pdf").arg(stamp).arg(n));
    return path;
}

namespace {

// Paints the page into a PDF written to `device`, on the printer's paper, margins and resolution:
// the same page the printer would make itself.
bool paintPdf(const QPrinter& printer, QIODevice& device, const QImage& canvas,
              const PageGeometry& geometry) {
    QPdfWriter writer(&device);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    drawCanvasOnPage(painter, canvas, geometry);
    return painter.end();
}

}  // namespace

std::optional<QString> printCanvas(QPrinter& printer, const QImage& canvas,
                                   const PageGeometry& geometry) {
    if (canvas.isNull()) return QStringLiteral("There is no picture to print.");
    const QString path = printer.outputFileName();
    if (path.isEmpty()) return paintPage(printer, canvas, geometry);
    // A PDF goes through the program's writer for outputs: a regular file is replaced whole and
    // keeps its permissions, a device or a pipe is written through, anything else is refused.
    QString error;
    if (writeUserOutput(
            path, [&](QIODevice& device) { return paintPdf(printer, device, canvas, geometry); },
            &error))
        return std::nullopt;
    return cannotWrite(path).chopped(1) + QStringLiteral(": ") + reasonOfWriteError(path, error);
}

}  // namespace orbisca
