// orbisca: the program. Creates the seven windows in their order, the compact window first, and
// runs until the compact window closes.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>
#include <cstdio>

#include "app/print_windows.h"
#include "calendar/calendar_state.h"
#include "compact/compact_window.h"
#include "compact/setdate.h"
#include "compact/window_links.h"
#include "config/config.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/working_folder.h"
#include "donation/Donation.h"
#include "fullmode/fullmode.h"
#include "gfx/glyph_fonts.h"
#include "iso_date.h"

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
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("The working folder with the texts and pictures."),
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
            options.date = cli::ParseIsoDate(parser.value(date).toStdString());
        } catch (const std::exception& e) {
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
        auto showBox = [text] {
            QMessageBox::warning(nullptr, QStringLiteral("Orbisca v1.2"), text);
        };
        if (QThread::currentThread() == qApp->thread())
            showBox();
        else
            QMetaObject::invokeMethod(qApp, showBox, Qt::QueuedConnection);
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
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2"));
    int exitCode = 0;
    std::optional<Options> options;
    {
        QCoreApplication commandLine(argc, argv);
        options = parseOptions(commandLine, exitCode);
    }
    if (!options) return exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orbisca v1.2"));
    if (!options->home.isEmpty()) setWorkingFolder(options->home);
    installNotifier();
    gfx::registerGlyphFonts(notify);

    TForm1 form1;
    if (options->date) form1.setStartDate(*options->date);
    if (!form1.FormCreate()) return 1;  // reported; the log says how far the start got
    TForm2 form2;
    form1.setDateDialog(&form2);
    TForm3 form3;
    TForm4 form4;
    TForm5 form5;
    TForm6 form6;
    TForm7 form7;
    form7.FormCreate();

    WindowLinks& links = windowLinks();
    links.showFullMode = [&form3] { form3.showRequested(); };
    links.reminderDue = [&form7] { return form7.reminderDue(); };
    links.showReminder = [&form7] { form7.showReminder(); };
    form3.returnToCompact = [&form1] {
        compactState().STATE = 0;
        form1.show();
    };
    if (options->reportStartTime) {
        form1.panelPainted = [&sinceStart] {
            std::fprintf(stderr, "painted after %lld ms\n",
                         static_cast<long long>(sinceStart.elapsed()));
        };
    }

    form1.show();
    const int result = app.exec();
    return notifierState().endRequested ? notifierState().exitCode : result;
}
