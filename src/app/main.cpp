// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca: the program. Creates the seven windows, the compact window first (when the program
// starts in it, the others once it has painted its day), and runs until the compact window
// closes.
#include <fontconfig/fontconfig.h>
#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "app/platform_choice.h"
#include "app/program_windows.h"
#include "app/tray_mode.h"
#include "calendar/iso_date.h"
#include "compact/compact_window.h"
#include "config/config_dialog.h"
#include "data/conf_file.h"
#include "data/data_error.h"
#include "data/language.h"
#include "data/program_title.h"
#include "data/text_file.h"
#include "donation/donation_dialog.h"
#include "fullmode/full_mode_window.h"
#include "gfx/glyph_fonts.h"
#include "printing/print_manager_window.h"
#include "state/program_state.h"
#include "views/mode_table.h"
#include "widgets/window_keys.h"

using namespace orbisca;

namespace {

struct Options {
    QString home;
    std::optional<GregorianDate> date;
    bool reportStartTime = false;
    bool verbose = false;                      // with reportStartTime: each phase of the start too
    bool tray = false;                         // --tray: today's kin in the system tray
    QString openWindow;                        // --open: the window to start in
    std::optional<FullModeView> fullModeView;  // --mode with --open full: the view to show
    QString script;                            // --script: the script the print manager opens with
    QString language;                          // --lang: the language of the texts
};

// The windows --open can start with. print, config and donation are shown on their own: closing
// such a window ends the program.
const QString kCompactWindow = QStringLiteral("compact");
const QString kFullModeWindow = QStringLiteral("full");
const QString kPrintWindow = QStringLiteral("print");
const QString kConfigWindow = QStringLiteral("config");
const QString kDonationWindow = QStringLiteral("donation");

// One line on stderr, control characters escaped: it may quote what the command line held.
bool badOption(int& exitCode, const QString& text) {
    std::fprintf(stderr, "orbisca: %s\n", qPrintable(escapeControlCharacters(text)));
    exitCode = 2;
    return false;
}

// The modes a user can open the full-mode window on: the views and the first help page.
bool isOpenableMode(FullModeView view) {
    return (view >= FullModeView::Day && view <= FullModeView::KinBook &&
            view != FullModeView::Empty) ||
           view == FullModeView::FirstHelpPage;
}

// --open, --mode and --script; false (and the exit code set) for a value the program does not
// know or options that do not go together.
bool readWindowOptions(const QCommandLineParser& parser, const QCommandLineOption& open,
                       const QCommandLineOption& mode, const QCommandLineOption& script,
                       Options& options, int& exitCode) {
    options.openWindow = parser.value(open);
    const QStringList windows = {kCompactWindow, kFullModeWindow, kPrintWindow, kConfigWindow,
                                 kDonationWindow};
    if (!windows.contains(options.openWindow))
        return badOption(exitCode,
                         QStringLiteral("--open takes %1, not \"%2\"")
                             .arg(windows.join(QStringLiteral(", ")), options.openWindow));
    if (parser.isSet(mode) && options.openWindow != kFullModeWindow)
        return badOption(exitCode, QStringLiteral("--mode needs --open full"));
    if (options.openWindow == kFullModeWindow) {
        bool number = false;
        const FullModeView view = parser.isSet(mode)
                                      ? viewOfModeNumber(parser.value(mode).toInt(&number))
                                      : FullModeView::Day;
        if (parser.isSet(mode) && (!number || !isOpenableMode(view)))
            return badOption(exitCode,
                             QStringLiteral("--mode takes 0 to 9, 11 to 14 or 19, not \"%1\"")
                                 .arg(parser.value(mode)));
        options.fullModeView = view;
    }
    if (parser.isSet(script)) {
        if (options.openWindow != kPrintWindow)
            return badOption(exitCode, QStringLiteral("--script needs --open print"));
        options.script = parser.value(script);
    }
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
                       "build assembles, or ~/.local/share/orbisca for an installed Orbisca)."),
        QStringLiteral("DIR"));
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("Start on this day (today stays the real date)."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption startTime(
        QStringLiteral("report-start-time"),
        QStringLiteral(
            "Print the milliseconds from start to the painted day (compact or full-mode window)."));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QStringLiteral("With --report-start-time: also print how long each phase of the start "
                       "took."));
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("The window to start in: compact (the default), full (the full-mode "
                       "window), or on its own print (the print manager), config (the "
                       "configuration dialog) or donation (the donation reminder); closing a "
                       "window shown on its own ends the program."),
        QStringLiteral("WINDOW"), QStringLiteral("compact"));
    const QCommandLineOption mode(
        QStringLiteral("mode"),
        QStringLiteral("With --open full: the view to show, 0 to 9, 11 to 14 or 19 (help)."),
        QStringLiteral("N"));
    const QCommandLineOption script(
        QStringLiteral("script"),
        QStringLiteral("With --open print: the printing script to open (.spt or .txt)."),
        QStringLiteral("FILE"));
    const QCommandLineOption tray(
        QStringLiteral("tray"),
        QStringLiteral("Run in the system tray: today's kin as an icon that turns at midnight, "
                       "the compact window a click away."));
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("The language of the texts: en, or a language pack of the working folder "
                       "such as ru (default: the one the configuration names, else the "
                       "locale's when a pack holds it, else English)."),
        QStringLiteral("CODE"));
    parser.addOption(tray);
    parser.addOption(language);
    parser.addOption(home);
    parser.addOption(date);
    parser.addOption(startTime);
    parser.addOption(verbose);
    parser.addOption(open);
    parser.addOption(mode);
    parser.addOption(script);
    if (!parser.parse(app.arguments())) {
        badOption(exitCode, parser.errorText());
        return std::nullopt;
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    // The program takes no arguments of its own: a date or a folder without its option is
    // refused rather than silently ignored.
    if (const QStringList stray = parser.positionalArguments(); !stray.isEmpty()) {
        badOption(exitCode, QStringLiteral("unexpected argument \"%1\"").arg(stray.first()));
        return std::nullopt;
    }
    Options options;
    options.home = parser.value(home);
    // Checked before any window system starts: a wrong folder is bad input, told in one line.
    if (parser.isSet(home)) {
        if (const std::optional<QString> problem = workingFolderProblem(options.home)) {
            badOption(exitCode, QStringLiteral("--home \"%1\" %2").arg(options.home, *problem));
            return std::nullopt;
        }
    }
    options.language = parser.value(language);
    options.reportStartTime = parser.isSet(startTime);
    options.verbose = parser.isSet(verbose);
    if (options.verbose && !options.reportStartTime) {
        badOption(exitCode, QStringLiteral("--verbose goes with --report-start-time"));
        return std::nullopt;
    }
    if (!readWindowOptions(parser, open, mode, script, options, exitCode)) return std::nullopt;
    options.tray = parser.isSet(tray);
    if (options.tray && options.openWindow != kCompactWindow) {
        badOption(exitCode, QStringLiteral("--tray goes with the compact window only"));
        return std::nullopt;
    }
    if (parser.isSet(date)) {
        try {
            options.date = parseIsoDate(parser.value(date).toStdString());
        } catch (const InvalidDate& e) {
            badOption(exitCode, QString::fromUtf8(e.what()));
            return std::nullopt;
        }
    }
    return options;
}

// The settings are read here already: the compact window, which reads them when it shows, may
// stay hidden in the tray.
bool startsInTray(DataState& data, const Options& options) {
    loadSettings(data);
    return options.tray || data.settings.showInTray;
}

void installNotifier(Notifier& notifier) {
    notifier.show = [](const QString& text) {
        const QPointer<QWidget> active = QApplication::activeWindow();
        QMessageBox::warning(nullptr, programTitle(), text);
        giveKeysBack(active);  // the window the message interrupted
    };
    notifier.endProgram = [](int code) {
        QMetaObject::invokeMethod(
            qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    };
}

// Whether the command line asks for the phases of the start: their clock must run before the
// command line is read.
bool asksForPhases(int argc, char** argv) {
    return std::any_of(argv + 1, argv + argc,
                       [](const char* argument) { return qstrcmp(argument, "--verbose") == 0; });
}

void reportPainted(qint64 milliseconds, const StartPhases& phases) {
    std::fprintf(stderr, "painted after %lld ms\n", static_cast<long long>(milliseconds));
    std::fputs(qPrintable(phases.report()), stderr);  // empty without --verbose
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    StartPhases phases = asksForPhases(argc, argv) ? StartPhases::started() : StartPhases();
    QCoreApplication::setApplicationName(QStringLiteral("orbisca"));
    QCoreApplication::setApplicationVersion(programVersion());
    int exitCode = 0;
    std::optional<Options> options;
    {
        QCoreApplication commandLine(argc, argv);
        options = parseOptions(commandLine, exitCode);
    }
    if (!options) return exitCode;
    // Reading the font configuration takes milliseconds that another core can spend while the
    // window system is connected; the fonts are first needed after that.
    std::thread fontConfiguration([] { FcInit(); });
    phases.mark("command line");
    if (const std::optional<QByteArray> platform = platformToForce(currentPlatformEnvironment()))
        qputenv("QT_QPA_PLATFORM", *platform);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(programTitle());
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORBISCA_APP_ID));
    fontConfiguration.join();
    // On a desktop the accessibility bridge connects to the session bus when the first window
    // shows, and the window waits for it; where no bus runs yet, one is started first. The
    // connection is made on another core while the start goes on.
    std::jthread sessionBus;
    if (QGuiApplication::platformName() == QLatin1String("xcb") ||
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        sessionBus = std::jthread([] { QDBusConnection::sessionBus(); });
    phases.mark("Qt platform");
    ProgramState program;
    program.data.startPhases = std::move(phases);
    Notifier& notifier = program.data.notifier;
    installNotifier(notifier);
    try {
        if (options->home.isEmpty())
            useDefaultWorkingFolder(program.data.folder, QCoreApplication::applicationDirPath());
        else
            program.data.folder.set(options->home);
    } catch (const DataFileError& e) {
        notifier.notify(e.message());
        return 1;
    }
    if (!options->language.isEmpty() && !hasLanguagePack(program.data.folder, options->language)) {
        badOption(exitCode,
                  QStringLiteral("--lang \"%1\": no such language pack (packs: %2)")
                      .arg(options->language, languageCodes(languagePacks(program.data.folder))));
        return exitCode;
    }
    startLanguage(program.data, options->language);
    program.data.startPhases.mark("working folder and texts");

    ProgramWindows windows(program);
    std::unique_ptr<TrayMode> trayMode;  // after the windows: it leaves them as it found them
    // The compact window starts alone: the other windows are made once it has painted its panel.
    const bool compactFirst = options->openWindow == kCompactWindow;
    if (!(compactFirst ? windows.createCompact(options->date, true)
                       : windows.create(options->date, false)))
        return 1;  // reported; the log says how far the start got
    if (options->reportStartTime) {
        // The first window that paints its day, the compact window or the full-mode window
        // opened on a view, says when.
        auto reported = std::make_shared<bool>(false);
        const auto report = [&sinceStart, reported, &phases = program.data.startPhases] {
            if (!std::exchange(*reported, true)) reportPainted(sinceStart.elapsed(), phases);
        };
        QObject::connect(&windows.compact(), &CompactWindow::panelPainted, report);
        if (windows.complete())
            QObject::connect(&windows.fullMode(), &FullModeWindow::framePainted, report);
    }

    if (options->openWindow == kDonationWindow) {
        windows.donation().runReminder();
        return notifier.endRequested ? notifier.exitCode : 0;
    }
    if (options->openWindow == kPrintWindow) {
        windows.printManager().openOnItsOwn();
        if (!options->script.isEmpty()) windows.printManager().loadScriptFile(options->script);
    } else if (options->openWindow == kConfigWindow) {
        QObject::connect(&windows.config(), &ConfigDialog::closed, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        windows.showConfiguration();
    } else if (options->fullModeView) {
        windows.openFullMode(*options->fullModeView);
    } else if (startsInTray(program.data, *options)) {
        if (!windows.createRest()) return 1;  // reported
        trayMode = std::make_unique<TrayMode>(
            program, windows, [] { return QDateTime::currentDateTime(); },
            makeSystemMidnightAlarm(&app));
        if (trayMode->start()) {
            QApplication::setQuitOnLastWindowClosed(false);
            trayMode->noticeNewDay();  // the first start of the day
        }
    } else {
        program.data.settingsJustRead = true;  // by startsInTray()
        windows.showCompact();
    }
    const int result = app.exec();
    return notifier.endRequested ? notifier.exitCode : result;
}
