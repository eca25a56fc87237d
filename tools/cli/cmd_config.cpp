// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli config show: the settings of "conf.dat" as the program puts them in force, by name.
// Problems of the file go to stderr, and the status is 1 then: the values printed are those the
// program would use all the same (the defaults for what could not be read).
#include <QString>
#include <cstdio>

#include "cli.h"
#include "data/conf_file.h"
#include "data/notifier.h"
#include "data/settings_report.h"

namespace orbisca::cli {
namespace {

int showConfig(CommandContext& context, Args& args) {
    rejectUnknownOptions(args);
    expectNoMoreArgs(args);
    const ConfigLoad result = loadSettings(context.program.data);
    for (const QString& line : settingsReport(context.program.data.settings))
        std::printf("%s\n", printable(line).c_str());
    flushOutput();
    for (const QString& message : context.program.data.notifier.messages)
        std::fprintf(stderr, "%s\n", printable(message).c_str());
    return result == ConfigLoad::Loaded ? 0 : 1;
}

int runConfig(CommandContext& context, const Args& args) {
    return runSubcommand(context, "config", args, {{"show", showConfig}});
}

CommandRegistration config{{"config", "config show", runConfig}};

}  // namespace
}  // namespace orbisca::cli
