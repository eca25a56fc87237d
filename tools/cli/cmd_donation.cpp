// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli donation: the donation reminder's files without its window. launch counts a start
// in "strt.dat" as the program does and says whether the reminder is due; info writes the
// donation details as "Donation info.txt" holds them.
#include <QString>
#include <cstdio>

#include "cli.h"
#include "data/atomic_file.h"
#include "data/data_state.h"
#include "data/donation_details.h"
#include "data/donation_files.h"

namespace orbisca::cli {
namespace {

// Messages the data layer gave (a file that could not be written): stderr, and a failure.
void failOnMessages(const Notifier& notifier) {
    const QStringList& messages = notifier.messages;
    if (!messages.isEmpty()) throw CommandFailed(messages.join(u'\n').toStdString());
}

int countThisLaunch(CommandContext& context, Args& args) {
    rejectUnknownOptions(args);
    expectNoMoreArgs(args);
    DataState& data = context.program.data;
    const bool due = countLaunch(data);
    failOnMessages(data.notifier);
    std::printf("%s\n", due ? "due" : "not due");
    flushOutput();
    return 0;
}

int writeDetails(CommandContext& context, Args& args) {
    const std::string output = takeOption(args, "-o");
    rejectUnknownOptions(args);
    expectNoMoreArgs(args);
    const DonationTexts texts = readDonationTexts(context.program.data.folder);
    if (!texts.problems.isEmpty())
        throw CommandFailed(texts.problems.join(QStringLiteral("; ")).toStdString());
    const QByteArray content = textFileContent(detailsFileLines(texts));
    if (output.empty()) {
        std::fwrite(content.constData(), 1, std::size_t(content.size()), stdout);
        flushOutput();
        return 0;
    }
    writeOutputFile(output, content);
    return 0;
}

int runDonation(CommandContext& context, const Args& args) {
    return runSubcommand(context, "donation", args,
                         {{"launch", countThisLaunch}, {"info", writeDetails}});
}

CommandRegistration donation{{"donation",
                              "donation launch\n"
                              "donation info [-o FILE]",
                              runDonation}};

}  // namespace
}  // namespace orbisca::cli
