// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>

#include "calendar/calendar_state.h"
#include "calendar/iso_date.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"
#include "gfx/image_io.h"

namespace orbisca::cli {

namespace {

// Filled while the program starts, before main, by the command files' registrations; only read
// afterwards.
std::vector<Command>& commandTable() {
    static std::vector<Command> table;
    return table;
}

}  // namespace

const std::vector<Command>& commands() { return commandTable(); }

CommandRegistration::CommandRegistration(Command command) {
    commandTable().push_back(std::move(command));
}

bool takeFlag(Args& args, const std::string& flag) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == flag) {
            args.erase(it);
            return true;
        }
    }
    return false;
}

std::string takeOption(Args& args, const std::string& name) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == name) {
            if (it + 1 == args.end()) throw UsageError("option " + name + " needs a value");
            std::string value = *(it + 1);
            args.erase(it, it + 2);
            return value;
        }
    }
    return {};
}

long long parseInteger(const std::string& text, const std::string& what, long long low,
                       long long high) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw UsageError(what + " must be a whole number, not \"" + text + "\"");
    if (value < low || value > high)
        throw UsageError(what + " must be between " + std::to_string(low) + " and " +
                         std::to_string(high) + ", not " + text);
    return value;
}

void rejectUnknownOptions(const Args& args) {
    for (const std::string& arg : args) {
        const bool option = arg.size() > 1 && arg[0] == '-' &&
                            !std::isdigit(static_cast<unsigned char>(arg[1])) && arg[1] != '+';
        if (option) throw UsageError("unknown option \"" + arg + "\" (try --help)");
    }
}

void expectNoMoreArgs(const Args& args) {
    rejectUnknownOptions(args);
    if (!args.empty()) throw UsageError("unexpected argument \"" + args.front() + "\"");
}

GregorianDate CommandContext::today() const {
    return fixedToday ? *fixedToday : getGregorianDate(program.data.day.now());
}

GregorianDate dateArgument(const std::string& text) {
    try {
        return parseIsoDate(text);
    } catch (const InvalidDate& e) {
        throw UsageError(e.what());
    }
}

QByteArray readInputFile(const std::string& path, std::int64_t maxBytes) {
    QString error;
    const QString name = QString::fromStdString(path);
    const std::optional<QByteArray> bytes = readRegularFile(name, name, &error, maxBytes);
    if (!bytes) throw UsageError(printable(error));
    return *bytes;
}

void requireInputFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    if (const std::optional<QString> problem = regularFileProblem(name))
        throw UsageError(printable(name + QStringLiteral(": ") + *problem));
}

void writeOutputFile(const std::string& path, const ContentWriter& write) {
    QString error;
    if (!writeUserOutput(QString::fromStdString(path), write, &error))
        throw CommandFailed(printable(error));
}

void writeOutputFile(const std::string& path, const QByteArray& content) {
    writeOutputFile(path, [&](QIODevice& out) { return out.write(content) == content.size(); });
}

void savePicture(const QImage& image, const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QString suffix = QFileInfo(name).suffix();
    try {
        gfx::saveImage(image, name, suffix.isEmpty() ? QByteArray("png") : QByteArray(),
                       WriteTarget::UserOutput);
    } catch (const gfx::ImageError& e) {
        throw CommandFailed(printable(QString::fromUtf8(e.what())));
    }
}

namespace {

QtMessageHandler passOnMessage = nullptr;

// Qt notes on standard error that it chose a runtime folder of its own when XDG_RUNTIME_DIR is
// not set, and that a painter could not start on a PDF it cannot write; neither concerns a
// command-line run, which says itself what failed, in exactly one line.
void withoutRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
        message == QLatin1String("QPainter::begin(): Returned false"))
        return;
    if (passOnMessage)
        passOnMessage(type, context, message);
    else
        std::fprintf(stderr, "%s\n", printable(qFormatLogMessage(type, context, message)).c_str());
}

}  // namespace

void startGuiApplication(ProgramState& program) {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    passOnMessage = qInstallMessageHandler(withoutRuntimeFolderNote);
    // It lives until the program ends and is never destroyed: destroyed among the static
    // objects, after Qt's own font cache, it would crash while removing the registered fonts.
    static int argc = 1;
    static char name[] = "orbisca-cli";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    // The glyph fonts of the working folder, before any page is drawn. What is wrong with them
    // is said by a page that names a glyph face it cannot draw (glyphFacesMissing()), in one
    // line; commands that draw none have nothing to say about them.
    program.glyphFonts.registerFolder(program.data.folder, [](const QString&) {});
}

std::string takeFirstArg(Args& args, const std::string& missing) {
    if (args.empty()) throw UsageError(missing);
    std::string first = args.front();
    args.erase(args.begin());
    return first;
}

int runSubcommand(CommandContext& context, const std::string& command, const Args& input,
                  const Subcommands& actions) {
    std::string choices;
    for (const auto& [name, run] : actions) choices += (choices.empty() ? "" : " or ") + name;
    Args args = input;
    const std::string action = takeFirstArg(args, command + " needs " + choices);
    for (const auto& [name, run] : actions)
        if (name == action) return run(context, args);
    throw UsageError("unknown " + command + " action \"" + action + "\" (" + choices + ")");
}

bool glyphFacesMissing(const ProgramState& program) {
    return !program.glyphFonts.unloadedFaces().isEmpty();
}

void flushOutput() {
    if (std::fflush(stdout) != 0) throw CommandFailed("could not write the output");
}

std::string printable(const QString& message) {
    return escapeControlCharacters(message).toStdString();
}

std::string noExportView(const std::string& name) {
    return "\"" + name +
           "\" is no exported view (day, tone, sign, plasm, oracle, wavespell, month, year, "
           "kinbook, or their mode numbers 0, 1, 2, 3, 4, 6, 7, 9, 14)";
}

QRgb parseColour(const std::string& text, const std::string& what) {
    int rgb[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? text.find(',', start) : text.size();
        if (comma == std::string::npos)
            throw UsageError(what + " must be written R,G,B, not \"" + text + "\"");
        rgb[i] = int(parseInteger(text.substr(start, comma - start), what, 0, 255));
        start = comma + 1;
    }
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

}  // namespace orbisca::cli
