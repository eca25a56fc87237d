// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a canvas on a printer or into a PDF file, without a window: the printer's settings,
// its page as the page setup measures it, where a print goes, and the print itself.
//
// The printer works at kPrinterDotsPerInch, draws from the top-left corner of its printable area,
// and reports its page in the orientation chosen, so nothing is turned here.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

#include "printpage/page_geometry.h"

class QPrinter;

namespace orbisca {

inline const QString kPrintDocumentName = QStringLiteral("Orbisca");
// Any print goes into this PDF file when the variable is set (for scripts and tests).
inline constexpr char kPrintToVariable[] = "ORBISCA_PRINT_TO";

// High resolution, 600 dpi, the document's name; A4 unless the printer chose its paper already.
void preparePrinter(QPrinter& printer);
// Sends the prints to a PDF file, keeping paper, orientation and resolution.
void printIntoFile(QPrinter& printer, const QString& path);
// Sends the prints to the queue `name`, keeping paper and orientation where the queue has them.
void printOnQueue(QPrinter& printer, const QString& name);

// The printer's printable page in pixels, its paper in centimetres and its resolution.
PageMetrics printerMetrics(const QPrinter& printer);

// The file named by ORBISCA_PRINT_TO, if set.
std::optional<QString> printToFileFromEnvironment();
// The printer queues the system knows, and its default one (empty when there is none).
QStringList printerQueues();
QString defaultPrinterQueue();
// The PDF a print without any queue goes to: "Orbisca-YYYYMMDD-HHMMSS.pdf" in `folder`, with
// "-2", "-3" ... before ".pdf" when that file exists already.
QString fallbackPdfPath(const QString& folder, const QDateTime& when);

// Places `canvas` by `geometry` (already placed on this printer's page) and prints it as one
// page. Nothing on success; the reason otherwise (the job could not start: no printer, a file
// that cannot be written; or the printer reported an error).
std::optional<QString> printCanvas(QPrinter& printer, const QImage& canvas,
                                   const PageGeometry& geometry);

}  // namespace orbisca
