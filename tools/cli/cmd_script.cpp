// orbisca-cli script run and script rescale: printing scripts rendered onto a page and rewritten
// for another resolution.
#include <QByteArray>
#include <cstdio>
#include <string>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "data/atomic_file.h"
#include "data/text_file.h"
#include "gfx/image_io.h"
#include "printpage/image_ops.h"
#include "printpage/page_services.h"
#include "printpage/print_page.h"
#include "printpage/script_line.h"

namespace orbisca::cli {
namespace {

// "WxH" with both sides 1..16384.
QSize parseSize(const std::string& text, const std::string& what) {
    const auto x = text.find('x');
    if (x == std::string::npos)
        throw UsageError(what + " must be written WIDTHxHEIGHT, not \"" + text + "\"");
    return QSize(int(parseInteger(text.substr(0, x), what + " width", 1, kMaxImageSide)),
                 int(parseInteger(text.substr(x + 1), what + " height", 1, kMaxImageSide)));
}

QRgb parseColour(const std::string& text) {
    int rgb[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? text.find(',', start) : text.size();
        if (comma == std::string::npos)
            throw UsageError("--background must be written R,G,B, not \"" + text + "\"");
        rgb[i] = int(parseInteger(text.substr(start, comma - start), "--background", 0, 255));
        start = comma + 1;
    }
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

// A script file: UTF-8 when it is valid UTF-8, else Windows-1251; LF or CR LF line ends.
QStringList readScript(const std::string& name) {
    return splitTextLines(decodeText(readInputFile(name)));
}

void writeScript(const QStringList& lines, const std::string& name) {
    QString error;
    if (!writeFileAtomically(QString::fromStdString(name), textFileContent(lines), &error))
        throw CommandFailed(error.toStdString());
}

// The page with the program's services; messages go to stderr.
PrintPageState& preparePage() {
    resetPrintPageState();
    PrintPageState& page = printPageState();
    page.services = ProgramPageServices();
    page.services.notify = [](const QString& text) {
        if (!text.startsWith(u"Syntax error at line "))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    };
    return page;
}

void reportSyntaxError(const PrintPageState& page) {
    std::fprintf(stderr, "Syntax error at line %d: %s\n", page.interp.errorLine,
                 qPrintable(page.interp.errorReason));
}

int runScript(Args& args) {
    const std::string output = takeOption(args, "-o");
    const std::string date = takeOption(args, "--date");
    const std::string canvas = takeOption(args, "--canvas");
    const std::string background = takeOption(args, "--background");
    const std::string printer = takeOption(args, "--optimize");
    const bool blackAndWhite = takeFlag(args, "--bw");
    const bool mark = takeFlag(args, "--mark");
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("script run needs one script FILE");
    if (output.empty()) throw UsageError("script run needs -o OUT.png");
    const std::string file = args.front();
    const QSize canvasSize = canvas.empty() ? QSize(768, 1024) : parseSize(canvas, "--canvas");
    const QSize printerPage = printer.empty() ? QSize() : parseSize(printer, "--optimize");
    const QRgb backgroundColour =
        background.empty() ? qRgb(255, 255, 255) : parseColour(background);
    const GregorianDate day =
        date.empty() ? GetGregorianDate(calendarState().clock()) : dateArgument(date);

    QStringList script = readScript(file);
    startGuiApplication();
    PrintPageState& page = preparePage();
    SetScriptDay(page, GregorianToMayan(day));
    page.background = backgroundColour;
    page.interp.blackAndWhite = blackAndWhite;
    page.script = script;
    page.canvasWidth = canvasSize.width();
    page.canvasHeight = canvasSize.height();
    bool ran = false;
    try {
        setCanvas(page, page.canvasWidth, page.canvasHeight, true);
        if (printerPage.isValid()) {
            page.autoOptimize = page.autoBlur = true;
            page.interp.progressMode = ProgressMode::ExportShare;
            ran = optimizeForPrinter(page, printerPage);
        } else {
            ran = redrawPage(page);
        }
        gfx::SaveImage(page.canvas, QString::fromStdString(output));
    } catch (const std::exception& e) {
        throw CommandFailed(e.what());
    }
    if (ran) return 0;
    reportSyntaxError(page);
    if (mark) writeScript(page.script, file);
    return 1;
}

int runRescale(Args& args) {
    const std::string output = takeOption(args, "-o");
    const std::string factorText = takeOption(args, "--factor");
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("script rescale needs one script FILE");
    if (factorText != "2" && factorText != "0.5") throw UsageError("--factor must be 2 or 0.5");
    QStringList script = readScript(args.front());
    startGuiApplication();
    PrintPageState& page = preparePage();
    page.script = script;
    if (!RescaleScript(page, factorText == "2" ? 2.0 : 0.5)) {
        reportSyntaxError(page);
        return 1;
    }
    if (!output.empty()) {
        writeScript(page.script, output);
        return 0;
    }
    for (const QString& line : page.script) std::printf("%s\n", line.toUtf8().constData());
    flushOutput();
    return 0;
}

int runScriptCommand(const Args& args) {
    return runSubcommand("script", args, {{"run", runScript}, {"rescale", runRescale}});
}

CommandRegistration script{
    {"script",
     "script run FILE [--date YYYY-MM-DD] [--canvas WxH] [--background R,G,B] [--bw] "
     "[--optimize WxH] [--mark] -o OUT.png\n"
     "script rescale FILE --factor 2|0.5 [-o OUT]",
     runScriptCommand}};

}  // namespace
}  // namespace orbisca::cli
