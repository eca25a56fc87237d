// SPDX-License-Identifier: GPL-3.0-or-later
// The program's printer and where the print manager's canvas goes on its page: "Print...",
// "Print now" and the printer's own page setup dialog, shared by the print manager and the page
// setup window.
//
// Where a print goes: ORBISCA_PRINT_TO names a PDF file that takes every print; otherwise
// "Print..." goes where the print dialog says, and "Print now" to the default queue, or, with no
// queue at all, into "Orbisca-YYYYMMDD-HHMMSS.pdf" in the working folder (said in a message).
// The placement is worked out anew after the dialogs, as they may change paper or orientation.
#pragma once

#include <QImage>
#include <functional>
#include <memory>

#include "printing/print_manager_links.h"
#include "printpage/page_geometry.h"

class QDialog;
class QPrinter;
class QWidget;

namespace orbisca {

struct DataState;

class CanvasPrinter : public PrinterPage {
public:
    // Messages go to the state's notifier; a print into a file lands in its working folder.
    explicit CanvasPrinter(DataState& data);
    ~CanvasPrinter() override;

    // Made at first use: asking the system for its queues may take a moment.
    QPrinter& printer();
    PageGeometry& geometry() { return geometry_; }
    // The page in device pixels.
    QSize printerPage() override { return metrics().page; }
    PageMetrics metrics();
    bool landscape();
    void setLandscape(bool landscape);

    // The printer's page setup dialog; true on OK.
    bool pageSetupDialog(QWidget* parent);
    // Prints `canvas` placed by the geometry (the dialog first unless `now`). False on Cancel or
    // failure; a failure is said with its reason.
    bool print(bool now, const QImage& canvas, QWidget* parent);

    // Runs a dialog and tells whether it was accepted; tests replace it.
    std::function<bool(QDialog&)> runDialog;

private:
    bool chooseTarget(bool now, QWidget* parent, QString* fallbackFile);
    // Runs a dialog; the window it came from is active again afterwards.
    bool ask(QDialog& dialog, QWidget* parent);
    bool printOnce(bool now, const QImage& canvas, QWidget* parent);

    DataState& data_;
    std::unique_ptr<QPrinter> printer_;
    PageGeometry geometry_;
};

}  // namespace orbisca
