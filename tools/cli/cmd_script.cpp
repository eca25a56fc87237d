// orbisca-cli script run and script rescale: printing scripts rendered onto a page and rewritten
// for another resolution.
#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "data/atomic_file.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"
#include "gfx/image_io.h"
#include "iso_date.h"
#include "printpage/image_ops.h"
#include "printpage/page_services.h"
#include "printpage/print_page.h"
#include "printpage/script_line.h"

namespace orbisca::cli {
namespace {

// Fonts need a GUI application; without a display it paints off-screen. It lives until the
// program ends, after the page that holds fonts and images, and is never destroyed: destroyed
// among the static objects, after Qt's own font cache, it would crash while removing the
// registered glyph fonts.
void startGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orbisca-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    Q_UNUSED(app);
}

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
    QString error;
    const auto bytes =
        readRegularFile(QString::fromStdString(name),
                        QString::fromStdString("the script \"" + name + "\""), &error);
    if (!bytes) throw CommandFailed(error.toStdString());
    return splitTextLines(decodeText(*bytes));
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

void useHome(Args& args) {
    const std::string home = takeOption(args, "--home");
    if (home.empty()) return;
    if (!QFileInfo(QString::fromStdString(home)).isDir())
        throw UsageError("--home \"" + home + "\" is no folder");
    setWorkingFolder(QString::fromStdString(home));
}

int runScript(Args& args) {
    const std::string output = takeOption(args, "-o");
    const std::string date = takeOption(args, "--date");
    const std::string canvas = takeOption(args, "--canvas");
    const std::string background = takeOption(args, "--background");
    const std::string printer = takeOption(args, "--optimize");
    const bool blackAndWhite = takeFlag(args, "--bw");
    const bool mark = takeFlag(args, "--mark");
    useHome(args);
    if (args.size() != 1) throw UsageError("script run needs one script FILE");
    if (output.empty()) throw UsageError("script run needs -o OUT.png");
    const std::string file = args.front();
    const QSize canvasSize = canvas.empty() ? QSize(768, 1024) : parseSize(canvas, "--canvas");
    const QSize printerPage = printer.empty() ? QSize() : parseSize(printer, "--optimize");
    const QRgb backgroundColour =
        background.empty() ? qRgb(255, 255, 255) : parseColour(background);
    const GregorianDate day =
        date.empty() ? GetGregorianDate(calendarState().clock()) : ParseIsoDate(date);

    QStringList script = readScript(file);
    startGuiApplication();
    gfx::registerGlyphFonts([](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); });
    PrintPageState& page = preparePage();
    SetScriptDay(page, GregorianToMayan(day));
    page.background = backgroundColour;
    page.interp.blackAndWhite = blackAndWhite;
    page.script = script;
    page.canvasWidth = canvasSize.width();
    page.canvasHeight = canvasSize.height();
    bool ran = false;
    try {
        setcanvas(page, page.canvasWidth, page.canvasHeight, true);
        if (printerPage.isValid()) {
            page.autoOptimize = page.autoblur = true;
            page.interp.progressMode = 1;
            ran = optimize(page, printerPage);
        } else {
            ran = showimage(page);
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
     "[--optimize WxH] [--home DIR] [--mark] -o OUT.png\n"
     "script rescale FILE --factor 2|0.5 [-o OUT]",
     runScriptCommand}};

}  // namespace
}  // namespace orbisca::cli
