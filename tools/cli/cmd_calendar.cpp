// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli day and range: the position of one day with its names, and of every day of a range
// as CSV.
#include <QString>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "calendar/calendar_state.h"
#include "calendar/calendar_strings.h"
#include "calendar/iso_date.h"
#include "calendar/oracle.h"
#include "cli.h"
#include "data/day_words.h"
#include "range_csv.h"

namespace orbisca::cli {
namespace {

using Fields = std::vector<std::pair<std::string, long long>>;

// The position under the labels of the error log, then the oracle.
Fields positionFields(const MayanDate& m) {
    return {{"KIN:", m.kin},
            {"YEAR SIGN:", m.yearSign},
            {"YEAR TONE:", m.yearTone},
            {"CROMATIC:", m.cromatic},
            {"VINAL:", m.vinal},
            {"VINAL TONE:", m.vinalTone},
            {"WEEK NUMBER:", m.weekNumber},
            {"SIGN:", m.sign},
            {"TONE:", m.tone},
            {"PLASMA:", m.plasma},
            {"MONTH DAY:", m.monthDay},
            {"MONTH:", m.month},
            {"MOON PHASE:", m.moonPhase}};
}

Fields oracleFields(const OracleInfo& o) {
    return {{"GUIDE:", o.guide},           {"ANALOG:", o.analog},
            {"ANTIPOD:", o.antipode},      {"ATEACHER:", o.occultTeacher},
            {"COLOUR:", o.colour},         {"SIGN GROUP:", o.signGroup},
            {"SIGN FLAG:", o.signFlag},    {"MARKED KIN:", o.markedKin},
            {"CENTRAL KIN:", o.centralKin}};
}

// "YEAR SIGN:" becomes "yearSign", the names of the CSV header and the JSON keys.
std::string jsonKey(const std::string& label) {
    std::string key;
    bool upper = false;
    for (char c : label) {
        if (c == ':') break;
        if (c == ' ') {
            upper = true;
            continue;
        }
        key += upper ? c : static_cast<char>(c - 'A' + 'a');
        upper = false;
    }
    return key;
}

using Names = std::vector<std::pair<std::string, QString>>;

// The names of the day from the text database, under the labels of the text output.
Names namesOf(const WorkingFolder& folder, const MayanDate& m) {
    const DayNames names = dayNames(m, readBaseLineEachTime(folder));
    return {{"SIGN NAME:", names.sign},
            {"TONE NAME:", names.tone},
            {"PLASMA NAME:", names.plasma},
            {"MOON NAME:", names.moon}};
}

// A JSON string: quotes, backslashes and control characters escaped, the rest as UTF-8.
std::string jsonString(const QString& text) {
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        if (c == '"' || c == '\\') {
            out.append({'\\', c});
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void printJson(const GregorianDate& date, const MayanDate& m, const OracleInfo& o,
               const Names& names) {
    auto object = [](const Fields& fields) {
        std::string s = "{";
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) s += ',';
            s.append("\"")
                .append(jsonKey(fields[i].first))
                .append("\":")
                .append(std::to_string(fields[i].second));
        }
        return s + "}";
    };
    std::string nameObject = "{";
    for (const auto& [label, name] : names) {
        // "SIGN NAME:" becomes "sign".
        const std::string key = jsonKey(label.substr(0, label.find(' ')));
        nameObject.append(nameObject.size() > 1 ? "," : "")
            .append("\"" + key + "\":")
            .append(jsonString(name));
    }
    nameObject += "}";
    std::string layouts = "[";
    for (int layout = 0; layout <= 5; ++layout)
        layouts.append(layout ? ",\"" : "\"")
            .append(formatGregorianDate(date, layout))
            .append("\"");
    layouts += "]";
    std::printf(
        "{\"date\":\"%s\",\"position\":%s,\"oracle\":%s,\"names\":%s,\"glyphs\":\"%s\","
        "\"layouts\":%s}\n",
        formatIsoDate(date).c_str(), object(positionFields(m)).c_str(),
        object(oracleFields(o)).c_str(), nameObject.c_str(), glyphLetters(m).c_str(),
        layouts.c_str());
}

void printText(const GregorianDate& date, const MayanDate& m, const OracleInfo& o,
               const Names& names) {
    std::printf("DATE:%s\n", formatIsoDate(date).c_str());
    for (const auto& [label, value] : positionFields(m))
        std::printf("%s%lld\n", label.c_str(), value);
    for (const auto& [label, value] : oracleFields(o))
        std::printf("%s%lld\n", label.c_str(), value);
    for (const auto& [label, name] : names)
        std::printf("%s%s\n", label.c_str(), printable(name).c_str());
    std::printf("GLYPHS:%s\n", glyphLetters(m).c_str());
    for (int layout = 0; layout <= 5; ++layout)
        std::printf("LAYOUT %d:%s\n", layout, formatGregorianDate(date, layout).c_str());
}

int runDay(CommandContext& context, const Args& input) {
    Args args = input;
    const bool json = takeFlag(args, "--json");
    rejectUnknownOptions(args);
    GregorianDate date;
    if (args.empty()) {
        date = context.today();
    } else {
        date = dateArgument(args.front());
        args.erase(args.begin());
    }
    expectNoMoreArgs(args);
    const MayanDate m = gregorianToMayan(date);
    const OracleInfo o = makeOracle(m);
    const Names names = namesOf(context.program.data.folder, m);
    if (json)
        printJson(date, m, o, names);
    else
        printText(date, m, o, names);
    flushOutput();
    return 0;
}

int runRange(CommandContext& /*context*/, const Args& input) {
    Args args = input;
    takeFlag(args, "--csv");  // CSV is the one format; the flag is accepted for clarity
    rejectUnknownOptions(args);
    if (args.size() != 2) throw UsageError("range needs two dates, FROM and TO");
    const GregorianDate from = dateArgument(args[0]);
    const GregorianDate to = dateArgument(args[1]);
    if (dateBefore(to, from))
        throw UsageError("FROM (" + args[0] + ") is after TO (" + args[1] + ")");
    const bool ok = writeRangeCsv(from, to, [](std::string_view chunk) {
        return std::fwrite(chunk.data(), 1, chunk.size(), stdout) == chunk.size();
    });
    if (!ok) throw CommandFailed("could not write the output");
    flushOutput();
    return 0;
}

CommandRegistration day{{"day", "day [YYYY-MM-DD] [--json]", runDay}};
CommandRegistration range{{"range", "range FROM TO [--csv]", runRange}};

}  // namespace
}  // namespace orbisca::cli
