// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli script run and script rescale: printing scripts rendered onto a page and rewritten
// for another resolution.
#include <QByteArray>
#include <cstdio>
#include <optional>
#include <string>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "data/atomic_file.h"
#include "data/text_file.h"
#include "page_args.h"
#include "printpage/image_ops.h"
#include "printpage/page_services.h"
#include "printpage/print_page.h"
#include "printpage/script_line.h"

namespace orbisca::cli {
namespace {

struct ScriptText {
    QStringList lines;
    TextFormat format;
};

// A script file: UTF-8 when it is valid UTF-8, else Windows-1251; LF or CR LF line ends. One whose
// lines mix the two is refused, naming the line.
ScriptText readScript(const std::string& name) {
    QString error;
    const std::optional<DecodedText> decoded =
        decodeTextFile(readInputFile(name, kMaxScriptBytes), &error);
    if (!decoded) throw UsageError(printable(QString::fromStdString(name) + ": " + error));
    return {splitTextLines(decoded->text), decoded->format};
}

// The script file itself, marked where it failed: replaced in one step, written as it was read.
void markScript(const QStringList& lines, const TextFormat& format, const std::string& name) {
    QString error;
    if (!writeFileAtomically(QString::fromStdString(name), encodeTextLines(lines, format), &error))
        throw CommandFailed(printable(error));
}

void reportSyntaxError(const PrintPageState& page) {
    std::fprintf(stderr, "%s\n", printable(syntaxErrorMessage(page.interp)).c_str());
}

int runScript(CommandContext& context, Args& args) {
    const std::string output = takeOption(args, "-o");
    const std::string date = takeOption(args, "--date");
    const std::string canvas = takeOption(args, "--canvas");
    const std::string background = takeOption(args, "--background");
    const std::string printer = takeOption(args, "--optimize");
    const bool blackAndWhite = takeFlag(args, "--bw");
    const bool mark = takeFlag(args, "--mark");
    const std::string yearFile = takeOption(args, "--year");
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("script run needs one script FILE");
    if (output.empty()) throw UsageError("script run needs -o OUT.png");
    const std::string file = args.front();
    const QSize canvasSize =
        canvas.empty() ? QSize(768, 1024) : parsePictureSize(canvas, "--canvas");
    const QSize printerPage = printer.empty() ? QSize() : parsePictureSize(printer, "--optimize");
    const QRgb backgroundColour =
        background.empty() ? qRgb(255, 255, 255) : parseColour(background, "--background");
    const GregorianDate day = date.empty() ? context.today() : dateArgument(date);

    const ScriptText script = readScript(file);
    startGuiApplication(context.program);
    PrintPageState& page = preparePage(context);
    setScriptDay(page, gregorianToMayan(day));
    page.background = backgroundColour;
    page.interp.blackAndWhite = blackAndWhite;
    page.script = script.lines;
    if (!yearFile.empty()) page.yearPage = readScript(yearFile).lines;
    page.canvasWidth = canvasSize.width();
    page.canvasHeight = canvasSize.height();
    bool ran = false;
    try {
        // A canvas the memory cannot hold ends here, with its size, before any line runs.
        setCanvas(page, page.canvasWidth, page.canvasHeight, true);
        if (printerPage.isValid()) {
            page.autoOptimize = page.autoBlur = true;
            page.interp.progressMode = ProgressMode::ExportShare;
            ran = optimizeForPrinter(page, printerPage);
        } else {
            ran = redrawPage(page);
        }
    } catch (const std::exception& e) {
        throw CommandFailed(printable(QString::fromUtf8(e.what())));
    }
    // A failure before any line ran (a canvas the memory cannot hold) is the command's failure.
    if (!ran && page.interp.errorLine < 0)
        throw CommandFailed(printable(context.pageNotices.join(QStringLiteral("; "))));
    printNotices(context);
    if (glyphFacesMissing(context.program)) return 1;
    savePicture(page.canvas, output);
    if (ran) return 0;
    reportSyntaxError(page);
    if (mark) markScript(page.script, script.format, file);
    return 1;
}

int runRescale(CommandContext& context, Args& args) {
    const std::string output = takeOption(args, "-o");
    const std::string factorText = takeOption(args, "--factor");
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("script rescale needs one script FILE");
    if (factorText != "2" && factorText != "0.5") throw UsageError("--factor must be 2 or 0.5");
    const ScriptText script = readScript(args.front());
    startGuiApplication(context.program);
    PrintPageState& page = preparePage(context);
    page.script = script.lines;
    const bool rescaled = rescaleScript(page, factorText == "2" ? 2.0 : 0.5);
    printNotices(context);
    if (!rescaled) {
        reportSyntaxError(page);
        return 1;
    }
    if (!output.empty()) {
        writeOutputFile(output, encodeTextLines(page.script, script.format));
        return 0;
    }
    for (const QString& line : page.script) std::printf("%s\n", line.toUtf8().constData());
    flushOutput();
    return 0;
}

int runScriptCommand(CommandContext& context, const Args& args) {
    return runSubcommand(context, "script", args, {{"run", runScript}, {"rescale", runRescale}});
}

CommandRegistration script{
    {"script",
     "script run FILE [--date YYYY-MM-DD] [--canvas WxH] [--background R,G,B] [--bw] "
     "[--optimize WxH] [--mark] [--year YEARLINES] -o OUT.png\n"
     "script rescale FILE --factor 2|0.5 [-o OUT]",
     runScriptCommand}};

}  // namespace

QSize parseSize(const std::string& text, const std::string& what, long long maxSide) {
    const auto x = text.find('x');
    if (x == std::string::npos)
        throw UsageError(what + " must be written WIDTHxHEIGHT, not \"" + text + "\"");
    return {int(parseInteger(text.substr(0, x), what + " width", 1, maxSide)),
            int(parseInteger(text.substr(x + 1), what + " height", 1, maxSide))};
}

QSize parsePictureSize(const std::string& text, const std::string& what) {
    const QSize size = parseSize(text, what, kMaxImageSide);
    if (const std::optional<QString> problem = pictureSizeProblem(size.width(), size.height()))
        throw UsageError(what + " of " + problem->toStdString());
    return size;
}

PrintPageState& preparePage(CommandContext& context) {
    ProgramState& program = context.program;
    PrintPageState& page = program.printPage;
    page = PrintPageState();
    page.services = programPageServices(program.data, program.glyphFonts);
    context.pageNotices.clear();
    page.services.notify = [&notices = context.pageNotices](const QString& text) {
        if (!text.startsWith(u"Syntax error at line ")) notices << text;
    };
    return page;
}

void printNotices(const CommandContext& context) {
    for (const QString& notice : context.pageNotices)
        std::fprintf(stderr, "%s\n", printable(notice).c_str());
}

}  // namespace orbisca::cli
