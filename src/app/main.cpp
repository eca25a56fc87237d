// orbisca: the program. Creates the seven windows in their order, the compact window first, and
// runs until the compact window closes.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMessageBox>
#include <cstdio>
#include <optional>

#include "app/program_windows.h"
#include "calendar/iso_date.h"
#include "compact/compact_window.h"
#include "data/data_error.h"
#include "data/notifier.h"
#include "data/program_title.h"
#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"

using namespace orbisca;

namespace {

struct Options {
    QString home;
    std::optional<GregorianDate> date;
    bool reportStartTime = false;
};

// Reads the command line; --help and --version print and end the program here, before any
// window system is needed.
std::optional<Options> parseOptions(QCoreApplication& app, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Orbisca: a calendar of the 13 moons and the 260-day count."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption home(
        QStringLiteral("home"),
        QStringLiteral("The working folder with the texts and pictures (default: the one the "
                       "build assembles, or ~/.local/share/orbisca for an installed Orbisca)."),
        QStringLiteral("DIR"));
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("Start on this day (today stays the real date)."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption startTime(
        QStringLiteral("report-start-time"),
        QStringLiteral("Print the milliseconds from start to the painted panel."));
    parser.addOption(home);
    parser.addOption(date);
    parser.addOption(startTime);
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "orbisca: %s\n", qPrintable(parser.errorText()));
        exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    Options options;
    options.home = parser.value(home);
    options.reportStartTime = parser.isSet(startTime);
    if (parser.isSet(date)) {
        try {
            options.date = ParseIsoDate(parser.value(date).toStdString());
        } catch (const InvalidDate& e) {
            std::fprintf(stderr, "orbisca: %s\n", e.what());
            exitCode = 2;
            return std::nullopt;
        }
    }
    return options;
}

void installNotifier() {
    NotifierState& notifier = notifierState();
    notifier.show = [](const QString& text) {
        QMessageBox::warning(nullptr, programTitle(), text);
    };
    notifier.endProgram = [](int code) {
        QMetaObject::invokeMethod(
            qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    };
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QCoreApplication::setApplicationName(QStringLiteral("orbisca"));
    QCoreApplication::setApplicationVersion(programVersion());
    int exitCode = 0;
    std::optional<Options> options;
    {
        QCoreApplication commandLine(argc, argv);
        options = parseOptions(commandLine, exitCode);
    }
    if (!options) return exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(programTitle());
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORBISCA_APP_ID));
    installNotifier();
    try {
        if (options->home.isEmpty())
            useDefaultWorkingFolder(QCoreApplication::applicationDirPath());
        else
            setWorkingFolder(options->home);
    } catch (const DataFileError& e) {
        notify(e.message());
        return 1;
    }
    gfx::registerGlyphFonts(notify);

    ProgramWindows windows;
    if (!windows.create(options->date)) return 1;  // reported; the log says how far the start got
    if (options->reportStartTime) {
        windows.compact().panelPainted = [&sinceStart] {
            std::fprintf(stderr, "painted after %lld ms\n",
                         static_cast<long long>(sinceStart.elapsed()));
        };
    }

    windows.compact().show();
    const int result = app.exec();
    return notifierState().endRequested ? notifierState().exitCode : result;
}
