// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli: the calendar engine and the renderers from the command line.
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <exception>

#include "cli.h"
#include "data/error_log.h"
#include "data/language.h"
#include "data/working_folder.h"

using namespace orbisca;
using namespace orbisca::cli;

namespace {

// The usage lines of one command; a line that continues the one before (it starts with a space)
// is indented under it instead of repeating the program name.
void printCommandUsage(std::FILE* to, const Command& c) {
    std::size_t start = 0;
    while (start < c.usage.size()) {
        std::size_t end = c.usage.find('\n', start);
        if (end == std::string::npos) end = c.usage.size();
        const std::string line = c.usage.substr(start, end - start);
        std::fprintf(to, "  %s%s\n", line.rfind(' ', 0) == 0 ? "            " : "orbisca-cli ",
                     line.c_str());
        start = end + 1;
    }
}

void printUsage(std::FILE* to) {
    std::fprintf(
        to,
        "usage: orbisca-cli [--today YYYY-MM-DD] [--home DIR] [--lang CODE] COMMAND ...\n\n"
        "commands:\n");
    for (const Command& c : commands()) printCommandUsage(to, c);
    std::fprintf(
        to,
        "\nDates are written YYYY-MM-DD; years may be negative or have more than four digits.\n"
        "--today fixes the date the program takes as today. --home is the working folder the\n"
        "texts and pictures come from; by default the one orbisca uses. --lang is the language\n"
        "of the texts (en, or a language pack of the working folder such as ru); by default the\n"
        "one the settings name, else the locale's when a pack holds it, else English. All three\n"
        "may stand anywhere.\n");
}

// Fixes "today" when --today is given, so runs can be reproduced. The date itself is kept: any
// date the calendar handles is today exactly, and the clock stays the real one.
void applyTodayOption(CommandContext& context, Args& args) {
    const std::string today = takeOption(args, "--today");
    if (!today.empty()) context.fixedToday = dateArgument(today);
}

// The working folder: --home, or the one orbisca takes by default.
void applyHomeOption(DataState& data, Args& args) {
    const std::string home = takeOption(args, "--home");
    if (home.empty()) {
        useDefaultWorkingFolder(data.folder, programFolder(data.errorLog));
        return;
    }
    if (!QFileInfo(QString::fromStdString(home)).isDir())
        throw UsageError("--home \"" + printable(QString::fromStdString(home)) + "\" is no folder");
    data.folder.set(QString::fromStdString(home));
}

// The language of the texts: --lang, which a pack must hold, else as orbisca chooses it.
void applyLanguageOption(DataState& data, Args& args) {
    const QString chosen = QString::fromStdString(takeOption(args, "--lang"));
    if (!chosen.isEmpty() && !hasLanguagePack(data.folder, chosen))
        throw UsageError(
            printable(QStringLiteral("--lang \"%1\": no such language pack (packs: %2)")
                          .arg(chosen, languageCodes(languagePacks(data.folder)))));
    startLanguage(data, chosen);
}

bool isHelpRequest(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int main(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    // "help COMMAND" is "COMMAND --help".
    if (args.size() > 1 && args.front() == "help") args = {args[1], "--help"};
    try {
        if (args.empty() || isHelpRequest(args.front()) || args.front() == "help") {
            if (args.empty()) {
                printUsage(stderr);
                return 2;
            }
            printUsage(stdout);
            flushOutput();  // help that could not be written is a failure like any other output
            return 0;
        }
        ProgramState program;
        CommandContext context{program, std::nullopt, {}};
        applyTodayOption(context, args);
        applyHomeOption(program.data, args);
        applyLanguageOption(program.data, args);
        if (args.empty()) throw UsageError("no command given (try --help)");
        const std::string name = args.front();
        args.erase(args.begin());
        for (const Command& c : commands()) {
            if (c.name != name) continue;
            // "COMMAND --help" (anywhere after the command) shows that command's usage.
            if (std::find_if(args.begin(), args.end(), isHelpRequest) != args.end()) {
                std::fprintf(stdout, "usage:\n");
                printCommandUsage(stdout, c);
                flushOutput();
                return 0;
            }
            return c.run(context, args);
        }
        throw UsageError("unknown command \"" + name + "\" (try --help)");
    } catch (const UsageError& e) {
        std::fprintf(stderr, "orbisca-cli: %s\n", printable(QString::fromUtf8(e.what())).c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orbisca-cli: %s\n", printable(QString::fromUtf8(e.what())).c_str());
        return 1;
    }
}
