// SPDX-License-Identifier: GPL-3.0-or-later
// The command table of orbisca-cli. Each command file registers its commands with a static
// CommandRegistration, so a new command needs no change elsewhere.
#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "data/atomic_file.h"
#include "data/input_limits.h"
#include "state/program_state.h"

namespace orbisca::cli {

// Bad input on the command line: printed as one line on stderr, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure of the work itself (a write that failed, a script with a syntax error): exit status 1.
class CommandFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string>;

// What a command works with: the program's state, made in main, and the date --today fixed.
struct CommandContext {
    ProgramState& program;
    std::optional<GregorianDate> fixedToday;
    // The page's messages other than "Syntax error at line N" (said with its reason), kept until
    // the run has ended.
    QStringList pageNotices;

    // The date --today gave, else the local date of the clock.
    GregorianDate today() const;
};

struct Command {
    std::string name;
    std::string usage;  // one line per form, without the program name
    std::function<int(CommandContext&, const Args&)> run;
};

const std::vector<Command>& commands();

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

// Small helpers for the command files.
// Removes a flag from args; true when it was present.
bool takeFlag(Args& args, const std::string& flag);
// Removes "--name VALUE" from args; the value, or "" when absent. A flag without value is a
// UsageError.
std::string takeOption(Args& args, const std::string& name);
// A decimal integer within [low, high], or a UsageError naming what it is for.
long long parseInteger(const std::string& text, const std::string& what, long long low,
                       long long high);
// Fails with a UsageError naming the first argument that looks like an option ("-x", "--xy"; a
// negative date such as -0044-03-15 is no option): the command took all the options it knows.
void rejectUnknownOptions(const Args& args);
// Fails with a UsageError when an argument is left that the command does not know.
void expectNoMoreArgs(const Args& args);
// The date taken as today: the one --today fixed, else the clock's local date.
// The date an argument names; a UsageError naming the argument when it is no date.
GregorianDate dateArgument(const std::string& text);
// The bytes of an input file named on the command line; a UsageError naming it and the reason
// when it cannot be read (missing, a folder, a pipe, no permission, more than `maxBytes`).
QByteArray readInputFile(const std::string& path, std::int64_t maxBytes = kMaxDataFileBytes);
// A UsageError naming the input file and the reason when it is no regular file.
void requireInputFile(const std::string& path);
// Writes an output named on the command line: a regular file is replaced in one step, a device
// or a pipe ("/dev/stdout", "/dev/null", a FIFO) written through; a CommandFailed naming the file
// when that fails ("/dev/full") or the name stands for a folder, a socket or a block device.
void writeOutputFile(const std::string& path, const ContentWriter& write);
void writeOutputFile(const std::string& path, const QByteArray& content);
// Saves a picture to an output named on the command line, as writeOutputFile does, in the format
// its suffix names; PNG when it has none ("/dev/stdout").
void savePicture(const QImage& image, const std::string& path);
// Starts the off-screen GUI application that fonts and pictures need, once; Qt's note that it
// made up a runtime folder is not passed on.
void startGuiApplication(ProgramState& program);
// A page drawn named a glyph face that is not loaded (its notice is among the page's notices):
// the command fails with status 1 rather than write signs drawn as plain letters.
bool glyphFacesMissing(const ProgramState& program);
// Removes and returns the first argument; a UsageError saying `missing` when there is none.
std::string takeFirstArg(Args& args, const std::string& missing);
// Runs the action that the first argument names ("script run ..."), or fails naming the choices.
using Subcommands = std::vector<std::pair<std::string, std::function<int(CommandContext&, Args&)>>>;
int runSubcommand(CommandContext& context, const std::string& command, const Args& args,
                  const Subcommands& actions);
// Flushes standard output; a CommandFailed when it could not be written (a full disk, a closed
// pipe).
void flushOutput();
// A message for the terminal: control characters from file names and file contents escaped.
std::string printable(const QString& message);

// "\"signs\" is no exported view (day, tone, ...)": the views export and print take.
std::string noExportView(const std::string& name);

// A colour written "R,G,B" with each part 0..255; a UsageError naming `what` otherwise.
QRgb parseColour(const std::string& text, const std::string& what);

}  // namespace orbisca::cli
