// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli data: tools for the data pack. encode-print turns a text file of donation details
// (one entry per line) into "print.dat"; decode-print shows the entries of a "print.dat".
#include <QString>
#include <cstdio>

#include "cli.h"
#include "data/data_error.h"
#include "data/donation_files.h"
#include "data/text_file.h"

namespace orbisca::cli {
namespace {

// The entries of the details text, one a line. A NUL byte would end the entry early wherever it
// is shown, so a line that holds one is refused.
QStringList detailEntries(const std::string& input) {
    const QStringList entries = splitTextLines(decodeText(readInputFile(input)));
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].contains(QChar(0)))
            throw UsageError(input + " line " + std::to_string(i + 1) + ": holds a NUL byte (" +
                             printable(entries[i]) + ")");
    return entries;
}

int encodePrint(CommandContext& /*context*/, Args& args) {
    rejectUnknownOptions(args);
    if (args.size() != 2) throw UsageError("data encode-print needs INPUT.txt and OUTPUT.dat");
    writeOutputFile(args[1], encodeDetails(detailEntries(args[0])));
    return 0;
}

int decodePrint(CommandContext& /*context*/, Args& args) {
    rejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("data decode-print needs one INPUT.dat");
    try {
        for (const QString& entry : decodeDetails(readInputFile(args[0])))
            std::printf("%s\n", entry.toUtf8().constData());
    } catch (const DataFileError& e) {
        throw CommandFailed(args[0] + ": " + printable(e.message()));
    }
    flushOutput();
    return 0;
}

int runData(CommandContext& context, const Args& args) {
    return runSubcommand(context, "data", args,
                         {{"encode-print", encodePrint}, {"decode-print", decodePrint}});
}

CommandRegistration data{{"data",
                          "data encode-print INPUT.txt OUTPUT.dat\n"
                          "data decode-print INPUT.dat",
                          runData}};

}  // namespace
}  // namespace orbisca::cli
