// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli view, export and fade: the full-mode window's frame painted, exported as a printing
// script, or cross-faded, all without a window.
#include <QDir>
#include <QString>
#include <cstdio>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "data/atomic_file.h"
#include "data/conf_file.h"
#include "data/notifier.h"
#include "export/export_driver.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "page_args.h"
#include "views/export_table.h"
#include "views/fade_engine.h"
#include "views/full_mode_frame.h"
#include "views/mode_table.h"

namespace orbisca::cli {
namespace {

const char* const kModeNames =
    "day, tone, sign, plasma, oracle, zolkin, wavespell, month, pulsars, year, moons13, wings, "
    "kinbook, help1 ... help17";

// A mode by number (0..255) or by name.
FullModeView modeArgument(const CommandContext& context, const std::string& text) {
    using V = FullModeView;
    // clang-format off
    static const std::pair<const char*, FullModeView> names[] = {
        {"day", V::Day},         {"tone", V::Tone},           {"sign", V::Sign},
        {"plasma", V::Plasma},   {"oracle", V::Oracle},       {"zolkin", V::Zolkin},
        {"wavespell", V::Wavespell}, {"month", V::Month},     {"pulsars", V::Pulsars},
        {"year", V::Year},       {"moons13", V::Moons},       {"wings", V::Wings},
        {"kinbook", V::KinBook}};
    // clang-format on
    for (const auto& [name, view] : names)
        if (text == name) return view;
    if (text.rfind("help", 0) == 0 && text.size() > 4) {
        const int page = int(parseInteger(text.substr(4), "the help page", 1, kHelpPagesMax));
        const int pages =
            context.program.data.settings.helpPages;  // as many as the working folder holds
        if (page > pages)
            throw UsageError("there is no help page " + std::to_string(page) + ": " +
                             (pages == 0 ? std::string("the working folder has none")
                                         : "the last is help" + std::to_string(pages)));
        return viewOfHelpPage(page);
    }
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return viewOfModeNumber(int(parseInteger(text, "MODE", 0, 255)));
    throw UsageError("\"" + text + "\" is no mode (a number 0..255, or " + kModeNames + ")");
}

// Messages of the data layer (a missing conf.dat, a short font table) go to stderr.
void printMessages(CommandContext& context) {
    context.program.data.notifier.show = [](const QString& text) {
        std::fprintf(stderr, "orbisca-cli: %s\n", printable(text).c_str());
    };
}

// The settings of the working folder's conf.dat, then every --set KEY=VALUE in order.
void applySettings(CommandContext& context, Args& args) {
    std::vector<std::string> changes;
    for (std::string change = takeOption(args, "--set"); !change.empty();
         change = takeOption(args, "--set"))
        changes.push_back(change);
    loadSettings(context.program.data);
    for (const std::string& change : changes) {
        const auto equals = change.find('=');
        if (equals == std::string::npos)
            throw UsageError("--set takes KEY=VALUE, not \"" + change + "\"");
        QString error;
        if (!applySetting(context.program.data.settings,
                          QString::fromStdString(change.substr(0, equals)),
                          QString::fromStdString(change.substr(equals + 1)), &error))
            throw UsageError("--set " + error.toStdString());
    }
}

// Everything a paint needs: the application for fonts, the font table, the day.
void prepareFrame(CommandContext& context, const std::string& dateText) {
    const GregorianDate date = dateText.empty() ? context.today() : dateArgument(dateText);
    startGuiApplication(context.program);
    printMessages(context);
    try {
        context.program.fonts.load(context.program.data.folder);
    } catch (const std::exception& e) {
        throw CommandFailed(e.what());
    }
    context.program.data.day.setDate(date);
}

void failOnError(const std::function<void()>& work) {
    try {
        work();
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        throw CommandFailed(e.what());
    }
}

int runView(CommandContext& context, const Args& input) {
    Args args = input;
    const std::string dateText = takeOption(args, "--date");
    const std::string output = takeOption(args, "-o");
    applySettings(context, args);
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("view needs one MODE");
    if (output.empty()) throw UsageError("view needs -o FILE.png");
    const FullModeView mode = modeArgument(context, args.front());
    prepareFrame(context, dateText);
    failOnError([&] {
        FullModeFrame frame(context.program.data, context.program.fonts);
        frame.paintMode(mode);
        savePicture(frame.buffers().frame, output);
    });
    return 0;
}

void writeLines(const std::string& file, const QStringList& lines) {
    writeOutputFile(file, textFileContent(lines));
}

// The export as the print manager's easy mode leaves it: the page fitted to a printer page,
// which rewrites the script when the resolution changes.
void optimizedExport(CommandContext& context, FullModeFrame& frame, const ExportView& view,
                     bool glyphs, QSize printerPage, QStringList& script, QStringList& yearLines) {
    PrintPageState& page = preparePage(context);
    ExportOptions options;
    options.printerPage = printerPage;
    options.exportAsText = glyphs;
    ExportDriver(frame, page).run(view.which, options);
    printNotices(context);
    script = page.script;
    yearLines = page.yearPage;
}

int runExport(CommandContext& context, const Args& input) {
    Args args = input;
    const std::string dateText = takeOption(args, "--date");
    const std::string output = takeOption(args, "-o");
    const std::string yearFile = takeOption(args, "--year-lines");
    const std::string printer = takeOption(args, "--optimize");
    const bool glyphs = takeFlag(args, "--glyphs");
    const bool pictures = takeFlag(args, "--pictures");
    if (glyphs && pictures) throw UsageError("export takes --glyphs or --pictures, not both");
    const QSize printerPage = printer.empty() ? QSize() : parsePictureSize(printer, "--optimize");
    applySettings(context, args);
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("export needs one VIEW");
    const std::optional<ExportView> view = findExportView(QString::fromStdString(args.front()));
    if (!view) throw UsageError(noExportView(args.front()));
    prepareFrame(context, dateText);
    FullModeFrame frame(context.program.data, context.program.fonts);
    failOnError([&] {
        frame.state().exports.exportAsGlyphText = !pictures;
        ScriptLines script, yearLines;
        if (printerPage.isValid())
            optimizedExport(context, frame, *view, !pictures, printerPage, script.lines,
                            yearLines.lines);
        else
            exportView(frame, *view, script, yearLines);
        if (!yearFile.empty()) writeLines(yearFile, yearLines.lines);
        if (output.empty()) {
            for (const QString& line : script.lines) std::printf("%s\n", line.toUtf8().constData());
            flushOutput();
            return;
        }
        writeLines(output, script.lines);
    });
    return 0;
}

int runFade(CommandContext& context, const Args& input) {
    Args args = input;
    const std::string dateText = takeOption(args, "--date");
    const std::string speedText = takeOption(args, "--speed");
    const std::string folder = takeOption(args, "--frames");
    applySettings(context, args);
    rejectUnknownOptions(args);
    if (args.size() != 2) throw UsageError("fade needs FROM and TO modes");
    if (folder.empty()) throw UsageError("fade needs --frames DIR");
    const FullModeView from = modeArgument(context, args[0]);
    const FullModeView to = modeArgument(context, args[1]);
    if (!speedText.empty()) {
        const int speed = int(parseInteger(speedText, "--speed", 0, kTransitionSpeedMax));
        context.program.data.settings.useTransition = speed > 0;
        if (speed > 0) context.program.data.settings.transitionSpeed = speed;
    }
    if (!QDir().mkpath(QString::fromStdString(folder)))
        throw CommandFailed("cannot make the folder \"" + folder + "\"");
    prepareFrame(context, dateText);
    int frames = 0;
    failOnError([&] {
        FullModeFrame frame(context.program.data, context.program.fonts);
        FadeEngine fade(frame);
        frame.state().fade.mode = from;
        fade.request(to);
        // A change takes at most 99 blends and a return from the print manager's mode another
        // change; the bound only keeps a fault from running for ever.
        for (bool ticking = true; ticking && frames < 1000;) {
            const TickResult result = fade.tick();
            if (result.failure) throw CommandFailed(result.failure->reason().toStdString());
            if (!result.frame.isNull())
                gfx::saveImage(result.frame, QDir(QString::fromStdString(folder))
                                                 .filePath(QStringLiteral("%1.png").arg(
                                                     frames++, 3, 10, QLatin1Char('0'))));
            ticking = result.keepTicking;
        }
    });
    std::printf("%d frames\n", frames);
    flushOutput();
    return 0;
}

CommandRegistration view{
    {"view", "view MODE [--date YYYY-MM-DD] [--set KEY=VALUE]... -o FILE.png", runView}};
CommandRegistration exportCommand{
    {"export",
     "export VIEW [--date YYYY-MM-DD] [--glyphs|--pictures] [--optimize WxH] [--set KEY=VALUE]...\n"
     "       [--year-lines FILE] [-o FILE.spt]",
     runExport}};
CommandRegistration fade{
    {"fade", "fade FROM TO [--date YYYY-MM-DD] [--speed N] [--set KEY=VALUE]... --frames DIR",
     runFade}};

}  // namespace
}  // namespace orbisca::cli
