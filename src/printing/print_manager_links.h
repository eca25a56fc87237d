// SPDX-License-Identifier: GPL-3.0-or-later
// What the print manager asks of the code around it and must have an answer for (what it only
// announces are signals). Each is given by the program when it wires its windows and may be left
// out: the print manager then says in its status line that the command is not available yet (the
// date) or takes a default (the printer's page), so it works on its own.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace orbisca {

// The printer's page in device pixels, as Optimize enlarges the canvas for it.
class PrinterPage {
public:
    virtual ~PrinterPage() = default;
    virtual QSize printerPage() = 0;
};

// Lets the user pick the current date, modally; true when it closed with OK (the day model then
// holds the new date).
class DatePicker {
public:
    virtual ~DatePicker() = default;
    virtual bool pickDate() = 0;
};

// The canvas the page setup window shows and prints, and where that window stands as the print
// manager's window file keeps it.
class PrintedCanvas {
public:
    virtual ~PrintedCanvas() = default;
    virtual const QImage& printedCanvas() const = 0;
    // Draws the canvas when it shows nothing yet; false when there is no page to print (said).
    virtual bool preparePrintedCanvas() = 0;
    virtual QPoint savedSetupPosition() const = 0;
    virtual void rememberSetupPosition(QPoint position) = 0;
};

// What the status line says of a command nobody answers.
inline const QString kNotAvailableYet = QStringLiteral("This command is not available yet.");

// The printer page Optimize uses when no printer says otherwise: an A4 page at 600 dpi (Qt's
// 4958 x 7017).
QSize defaultPrinterPage();

}  // namespace orbisca
