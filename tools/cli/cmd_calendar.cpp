// orbisca-cli day and range: the position of one day, and of every day of a range as CSV.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "calendar/calendar_state.h"
#include "calendar/calendar_strings.h"
#include "calendar/oracle.h"
#include "cli.h"
#include "iso_date.h"
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
    return {
        {"GUIDE:", o.guide},        {"ANALOG:", o.analog},        {"ANTIPOD:", o.antipod},
        {"ATEACHER:", o.ateacher},  {"COLOUR:", o.colour},        {"SIGN GROUP:", o.signGroup},
        {"SIGN FLAG:", o.signFlag}, {"MARKED KIN:", o.markedKin}, {"CENTRAL KIN:", o.centralKin}};
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

void printJson(const GregorianDate& date, const MayanDate& m, const OracleInfo& o) {
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
    std::string layouts = "[";
    for (int layout = 0; layout <= 5; ++layout)
        layouts.append(layout ? ",\"" : "\"").append(gregtostr(date, layout)).append("\"");
    layouts += "]";
    std::printf(
        "{\"date\":\"%s\",\"position\":%s,\"oracle\":%s,\"glyphs\":\"%s\",\"layouts\":%s}\n",
        FormatIsoDate(date).c_str(), object(positionFields(m)).c_str(),
        object(oracleFields(o)).c_str(), GetMayanString(m).c_str(), layouts.c_str());
}

void printText(const GregorianDate& date, const MayanDate& m, const OracleInfo& o) {
    std::printf("DATE:%s\n", FormatIsoDate(date).c_str());
    for (const auto& [label, value] : positionFields(m))
        std::printf("%s%lld\n", label.c_str(), value);
    for (const auto& [label, value] : oracleFields(o))
        std::printf("%s%lld\n", label.c_str(), value);
    std::printf("GLYPHS:%s\n", GetMayanString(m).c_str());
    for (int layout = 0; layout <= 5; ++layout)
        std::printf("LAYOUT %d:%s\n", layout, gregtostr(date, layout).c_str());
}

int runDay(const Args& input) {
    Args args = input;
    const bool json = takeFlag(args, "--json");
    GregorianDate date;
    if (args.empty()) {
        date = GetGregorianDate(calendarState().clock());
    } else {
        date = ParseIsoDate(args.front());
        args.erase(args.begin());
    }
    expectNoMoreArgs(args);
    const MayanDate m = GregorianToMayan(date);
    const OracleInfo o = MakeOracle(m);
    if (json)
        printJson(date, m, o);
    else
        printText(date, m, o);
    flushOutput();
    return 0;
}

int runRange(const Args& input) {
    Args args = input;
    takeFlag(args, "--csv");  // CSV is the one format; the flag is accepted for clarity
    if (args.size() != 2) throw UsageError("range needs two dates, FROM and TO");
    const GregorianDate from = ParseIsoDate(args[0]);
    const GregorianDate to = ParseIsoDate(args[1]);
    if (DateBefore(to, from))
        throw UsageError("FROM (" + args[0] + ") is after TO (" + args[1] + ")");
    const bool ok = WriteRangeCsv(from, to, [](std::string_view chunk) {
        return std::fwrite(chunk.data(), 1, chunk.size(), stdout) == chunk.size();
    });
    if (!ok) throw CommandFailed("could not write the output");
    flushOutput();
    return 0;
}

CommandRegistration day{{"day", "day [YYYY-MM-DD] [--json]", runDay}};
CommandRegistration range{{"range", "range FROM TO --csv", runRange}};

}  // namespace
}  // namespace orbisca::cli
