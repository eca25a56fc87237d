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
#include "views/mode_table.h"

using namespace orbisca;

namespace {

struct Options {
    QString home;
    std::optional<GregorianDate> date;
    bool reportStartTime = false;
    std::optional<int> fullModeView;  // open straight into the full-mode window on this mode
};

// The modes a user can open the full-mode window on: the views and the first help page.
bool isOpenableMode(int mode) {
    return (mode >= 0 && mode <= 14 && mode != kHiddenMode) || mode == kFirstHelpMode;
}

// --open and --mode: nothing for the compact window, the mode for the full-mode window; false
// with the reason in `error` for a value the program does not know.
bool readOpenOptions(const QString& window, const QString& modeText, bool modeSet, Options& options,
                     QString& error) {
    if (window == QLatin1String("compact") && !modeSet) return true;
    if (window != QLatin1String("full")) {
        error =
            window == QLatin1String("compact")
                ? QStringLiteral("--mode needs --open full")
                : QStringLiteral("--open takes \"compact\" or \"full\", not \"%1\"").arg(window);
        return false;
    }
    bool number = false;
    const int mode = modeSet ? modeText.toInt(&number) : kDayMode;
    if (modeSet && (!number || !isOpenableMode(mode))) {
        error = QStringLiteral("--mode takes 0 to 9, 11 to 14 or 19, not \"%1\"").arg(modeText);
        return false;
    }
    options.fullModeView = mode;
    return true;
}

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
                       "build assembles, or your copy of the installed pack)."),
        QStringLiteral("DIR"));
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("Start on this day (today stays the real date)."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption startTime(
        QStringLiteral("report-start-time"),
        QStringLiteral("Print the milliseconds from start to the painted panel."));
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("The window to start in: compact (the default) or full."),
        QStringLiteral("WINDOW"), QStringLiteral("compact"));
    const QCommandLineOption mode(
        QStringLiteral("mode"),
        QStringLiteral("With --open full: the view to show, 0 to 9, 11 to 14 or 19 (help)."),
        QStringLiteral("N"));
    parser.addOption(home);
    parser.addOption(date);
    parser.addOption(startTime);
    parser.addOption(open);
    parser.addOption(mode);
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
    QString openError;
    if (!readOpenOptions(parser.value(open), parser.value(mode), parser.isSet(mode), options,
                         openError)) {
        std::fprintf(stderr, "orbisca: %s\n", qPrintable(openError));
        exitCode = 2;
        return std::nullopt;
    }
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
    installNotifier();
    try {
        setWorkingFolder(options->home.isEmpty()
                             ? defaultWorkingFolder(QCoreApplication::applicationDirPath())
                             : options->home);
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

    if (options->fullModeView)
        windows.openFullMode(*options->fullModeView);
    else
        windows.compact().show();
    const int result = app.exec();
    return notifierState().endRequested ? notifierState().exitCode : result;
}
