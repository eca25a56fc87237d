// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli ics: the count as an iCalendar file, one all-day event per day, for calendar
// programs on phones and desktops.
#include <QString>
#include <cstdio>
#include <optional>

#include "calendar/calendar_state.h"
#include "calendar/iso_date.h"
#include "cli.h"
#include "data/atomic_file.h"
#include "data/day_words.h"
#include "data/text_file.h"
#include "ics_feed.h"
#include "range_csv.h"

namespace orbisca::cli {
namespace {

// "HH:MM" as minutes after midnight.
int parseAlarm(const std::string& text) {
    const std::size_t colon = text.find(':');
    const bool shaped = colon != std::string::npos && colon >= 1 && colon <= 2 &&
                        text.size() == colon + 3 &&
                        text.find_first_not_of("0123456789:") == std::string::npos;
    if (!shaped) throw UsageError("--alarm needs a time HH:MM, not \"" + text + "\"");
    const long long hours = parseInteger(text.substr(0, colon), "the alarm's hour", 0, 23);
    const long long minutes = parseInteger(text.substr(colon + 1), "the alarm's minute", 0, 59);
    return static_cast<int>(hours * 60 + minutes);
}

GregorianDate parseFeedDate(const std::string& text) {
    const GregorianDate date = dateArgument(text);
    if (dateBefore(date, kFirstFeedDate) || dateBefore(kLastFeedDate, date))
        throw UsageError("\"" + text + "\" is outside the dates a calendar file can hold (" +
                         formatIsoDate(kFirstFeedDate) + " to " + formatIsoDate(kLastFeedDate) +
                         ")");
    return date;
}

BaseLineReader loadBaseLines(const WorkingFolder& folder) {
    QString error;
    std::optional<QStringList> lines = readTextLines(folder, QStringLiteral("BASE.KTX"), &error);
    if (!lines) throw CommandFailed(error.toStdString());
    return baseLinesFrom(std::move(*lines));
}

int runIcs(CommandContext& context, const Args& input) {
    Args args = input;
    const std::string alarm = takeOption(args, "--alarm");
    const std::string output = takeOption(args, "-o");
    rejectUnknownOptions(args);
    if (args.size() != 2) throw UsageError("ics needs two dates, FROM and TO");
    const GregorianDate from = parseFeedDate(args[0]);
    const GregorianDate to = parseFeedDate(args[1]);
    if (dateBefore(to, from))
        throw UsageError("FROM (" + args[0] + ") is after TO (" + args[1] + ")");
    IcsFeedOptions options;
    if (!alarm.empty()) options.alarmMinutes = parseAlarm(alarm);
    options.stamp = icsTimestamp(context.program.data.day.now());
    const IcsFeed feed(loadBaseLines(context.program.data.folder), options);

    if (output.empty()) {
        const bool written = writeIcsFeed(feed, from, to, [](std::string_view chunk) {
            return std::fwrite(chunk.data(), 1, chunk.size(), stdout) == chunk.size();
        });
        if (!written) throw CommandFailed("could not write the output");
        flushOutput();
        return 0;
    }
    writeOutputFile(output, [&](QIODevice& file) {
        return writeIcsFeed(feed, from, to, [&](std::string_view chunk) {
            const auto size = static_cast<qint64>(chunk.size());
            return file.write(chunk.data(), size) == size;
        });
    });
    return 0;
}

CommandRegistration ics{{"ics", "ics FROM TO [--alarm HH:MM] [-o FILE.ics]", runIcs}};

}  // namespace
}  // namespace orbisca::cli
