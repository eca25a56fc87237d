// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli print: a view exported as a printing script, drawn and enlarged for the printer's
// page as the print manager's easy mode does, and printed on a queue or into a PDF, without a
// window.
#include <QPageLayout>
#include <QPrinter>
#include <cstdio>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "data/conf_file.h"
#include "data/working_folder.h"
#include "export/export_driver.h"
#include "gfx/font_table.h"
#include "page_args.h"
#include "printpage/print_job.h"
#include "views/export_table.h"

namespace orbisca::cli {
namespace {

struct PrintRequest {
    std::string view, date, pdf, queue;
    std::optional<QRgb> background;
    bool glyphs = false, landscape = false, fit = false;
};

PrintRequest parseRequest(Args& args) {
    PrintRequest request;
    request.view = takeOption(args, "--export");
    request.date = takeOption(args, "--date");
    request.pdf = takeOption(args, "--pdf");
    request.queue = takeOption(args, "--printer");
    if (const std::string colour = takeOption(args, "--background"); !colour.empty())
        request.background = parseColour(colour, "--background");
    const bool glyphs = takeFlag(args, "--glyphs");
    const bool pictures = takeFlag(args, "--pictures");
    if (glyphs && pictures) throw UsageError("print takes --glyphs or --pictures, not both");
    request.glyphs = !pictures;  // the glyph form unless pictures are asked for, as for export
    request.landscape = takeFlag(args, "--landscape");
    request.fit = takeFlag(args, "--fit");
    rejectUnknownOptions(args);
    expectNoMoreArgs(args);
    if (request.view.empty()) throw UsageError("print needs --export VIEW");
    if (!request.pdf.empty() && !request.queue.empty())
        throw UsageError("print takes --pdf FILE or --printer QUEUE, not both");
    return request;
}

// Settings, fonts and the date the export is drawn for.
void prepareExport(CommandContext& context, const PrintRequest& request) {
    startGuiApplication(context.program);
    try {
        loadSettings(context.program.data);
        context.program.fonts.load(context.program.data.folder);
    } catch (const std::exception& e) {
        throw CommandFailed(e.what());
    }
    context.program.data.day.setDate(request.date.empty() ? context.today()
                                                          : dateArgument(request.date));
}

// Picks where the print goes: the file or queue asked for, ORBISCA_PRINT_TO, the default queue,
// or without any queue a PDF in the working folder. Says where a print without a target went.
void chooseTarget(const WorkingFolder& folder, QPrinter& printer, const PrintRequest& request) {
    if (!request.queue.empty()) {
        const QString queue = QString::fromStdString(request.queue);
        if (!printerQueues().contains(queue))
            throw CommandFailed("there is no printer queue \"" + request.queue + "\"");
        return printOnQueue(printer, queue);
    }
    if (!request.pdf.empty()) return printIntoFile(printer, QString::fromStdString(request.pdf));
    if (const std::optional<QString> file = printToFileFromEnvironment())
        return printIntoFile(printer, *file);
    if (const QString queue = defaultPrinterQueue(); !queue.isEmpty())
        return printOnQueue(printer, queue);
    const QString file = fallbackPdfPath(folder.path(), QDateTime::currentDateTime());
    std::fprintf(stderr, "There is no default printer queue: the print goes to %s\n",
                 printable(file).c_str());
    printIntoFile(printer, file);
}

// The export drawn and enlarged for the page, softened, as the print manager's easy mode leaves
// it (the year page included).
const QImage& drawForPage(CommandContext& context, const PrintRequest& request,
                          const ExportView& view, QSize page) {
    FullModeFrame frame(context.program.data, context.program.fonts);
    PrintPageState& state = preparePage(context);
    if (request.background) state.background = *request.background;
    ExportOptions options;
    options.printerPage = page;
    options.exportAsText = request.glyphs;
    bool drawn = false;
    try {
        drawn = ExportDriver(frame, state).run(view.which, options);
    } catch (const std::bad_alloc&) {
        throw CommandFailed("the canvas does not fit into memory");
    }
    printNotices(context);
    if (!drawn && state.interp.errorLine < 0)
        throw CommandFailed(printable(state.interp.errorReason));
    if (!drawn)
        throw CommandFailed("the exported script failed at line " +
                            std::to_string(state.interp.errorLine) + ": " +
                            printable(state.interp.errorReason));
    return state.canvas;
}

int runPrint(CommandContext& context, const Args& input) {
    Args args = input;
    const PrintRequest request = parseRequest(args);
    const std::optional<ExportView> view = findExportView(QString::fromStdString(request.view));
    if (!view) throw UsageError(noExportView(request.view));
    prepareExport(context, request);

    QPrinter printer(QPrinter::HighResolution);
    chooseTarget(context.program.data.folder, printer, request);
    preparePrinter(printer);
    if (request.landscape) printer.setPageOrientation(QPageLayout::Landscape);
    const PageMetrics metrics = printerMetrics(printer);
    const QImage& canvas = drawForPage(context, request, *view, metrics.page);
    if (glyphFacesMissing(context.program)) return 1;

    PageGeometry geometry;
    placeOnPage(geometry, metrics.page, canvas.size());
    if (request.fit) switchFit(geometry, true, metrics.page, canvas.size());
    if (const std::optional<QString> failure = printCanvas(printer, canvas, geometry))
        throw CommandFailed(printable(*failure));
    const QString where = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                        : printer.printerName();
    std::printf("printed %dx%d on %s\n", canvas.width(), canvas.height(), printable(where).c_str());
    flushOutput();
    return 0;
}

CommandRegistration print{
    {"print",
     "print --export VIEW [--date YYYY-MM-DD] [--glyphs|--pictures] "
     "[--background R,G,B] [--landscape] [--fit] [--pdf FILE.pdf | --printer QUEUE]",
     runPrint}};

}  // namespace
}  // namespace orbisca::cli
