// SPDX-License-Identifier: GPL-3.0-or-later
#include "ics_feed.h"

#include <charconv>
#include <ctime>

#include "calendar/iso_date.h"
#include "calendar/oracle.h"
#include "data/affirmation.h"
#include "data/text_case.h"

namespace orbisca::cli {
namespace {

constexpr std::size_t kFoldOctets = 75;
constexpr std::string_view kLineEnd = "\r\n";

std::string escaped(const QString& text) { return escapeIcsText(text.toStdString()); }

void appendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// The DATE form, "20010821" (the feed's years have four digits).
void appendDate(std::string& out, const GregorianDate& date) {
    const auto y = static_cast<unsigned>(date.year);
    const char text[8] = {
        static_cast<char>('0' + y / 1000 % 10),   static_cast<char>('0' + y / 100 % 10),
        static_cast<char>('0' + y / 10 % 10),     static_cast<char>('0' + y % 10),
        static_cast<char>('0' + date.month / 10), static_cast<char>('0' + date.month % 10),
        static_cast<char>('0' + date.day / 10),   static_cast<char>('0' + date.day % 10)};
    out.append(text, sizeof text);
}

void appendProperty(std::string& out, std::string_view name, std::string_view value) {
    thread_local std::string line;  // kept: an event costs no allocation
    line.assign(name).append(":").append(value);
    appendFoldedLine(out, line);
}

// "PT9H30M": how far into the day the alarm rings.
std::string alarmTrigger(int minutes) {
    std::string trigger = "PT";
    if (minutes == 0) return trigger + "0S";
    if (minutes / 60) {
        appendNumber(trigger, minutes / 60);
        trigger += 'H';
    }
    if (minutes % 60) {
        appendNumber(trigger, minutes % 60);
        trigger += 'M';
    }
    return trigger;
}

}  // namespace

std::string escapeIcsText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 8);
    for (const char c : utf8) {
        switch (c) {
            case '\\':
            case ';':
            case ',':
                out += '\\';
                out += c;
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) || c == '\t') out += c;
        }
    }
    return out;
}

namespace {
// Appends a part of a line. Kept out of line: inlined where the compiler knows the part is
// short, the copy becomes a "rep movs", whose start-up costs more than the library's copy.
[[gnu::noinline]] void appendPart(std::string& out, const char* part, std::size_t size) {
    out.append(part, size);
}
}  // namespace

void appendFoldedLine(std::string& out, std::string_view line) {
    std::size_t limit = kFoldOctets;
    while (line.size() > limit) {
        std::size_t cut = limit;
        // Never split a character: step back over UTF-8 continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        // Nor an escape such as "\n": some readers unescape before they unfold.
        std::size_t backslashes = 0;
        while (backslashes < cut && line[cut - 1 - backslashes] == '\\') ++backslashes;
        if (backslashes % 2 == 1) --cut;
        if (cut == 0) cut = limit;  // not UTF-8 at all: any cut keeps the octets
        appendPart(out, line.data(), cut);
        out.append("\r\n ", 3);
        line.remove_prefix(cut);
        limit = kFoldOctets - 1;  // the leading blank counts
    }
    appendPart(out, line.data(), line.size());
    out.append(kLineEnd);
}

std::string icsTimestamp(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

IcsFeed::IcsFeed(const BaseLineReader& line, IcsFeedOptions options)
    : options_(std::move(options)),
      kinHead_(261),
      oracle_(261),
      affirm_(261),
      moonPart_(14),
      plasma_(8),
      bearer_(21 * 14) {
    namespace bl = base_line;
    calendarName_ = escaped(line(bl::kFeedName));
    appendFoldedLine(categoriesLine_, "CATEGORIES:" + calendarName_);
    const QString labelSep = QStringLiteral(": ");
    for (int kin = 1; kin <= 260; ++kin) {
        const MayanDate position = positionOfKin(kin);
        const OracleInfo o = makeOracle(position);
        kinHead_[kin] =
            escaped(line(bl::kKinLabel) + " " + QString::number(kin) + " - " + colourWord(o, line) +
                    " " + toneWord(o, line) + " " + line(signNameLine(o.sign)));
        oracle_[kin] =
            escaped(line(bl::kGuideLabel) + labelSep + line(sealNameLine(o.guide)) + "\n" +
                    line(bl::kAnalogLabel) + labelSep + line(sealNameLine(o.analog)) + "\n" +
                    line(bl::kAntipodeLabel) + labelSep + line(sealNameLine(o.antipode)) + "\n" +
                    line(bl::kOccultTeacherFirst) + " " + line(bl::kOccultTeacherSecond) +
                    labelSep + line(sealNameLine(o.occultTeacher)));
        QString affirmation = QStringLiteral("\n");
        for (const QString& sentence : shapedAffirmation(position, line))
            if (!sentence.isEmpty()) affirmation += "\n" + sentence;
        affirm_[kin] = escaped(affirmation);
    }
    const QString dayWord = applyCasePattern(line(bl::kDayLabel), QStringLiteral("a"));
    for (int month = 1; month <= 13; ++month)
        moonPart_[month] = escaped(" - " + moonTitle(month, line) + " " + line(bl::kMoonLabel) +
                                   ", " + dayWord + " ");
    moonPart_[0] = escaped(" - " + line(bl::kExtraDay));
    for (int plasma = 1; plasma <= 7; ++plasma)
        plasma_[plasma] =
            escaped("\n" + line(bl::kPlasmaLabel) + labelSep + line(plasmaNameLine(plasma)));
    for (int sign : {4, 9, 14, 19}) {
        for (int tone = 1; tone <= 13; ++tone) {
            MayanDate year;
            year.sign = static_cast<std::uint8_t>(sign);
            year.tone = static_cast<std::uint8_t>(tone);
            const OracleInfo o = makeOracle(year);
            bearer_[sign * 14 + tone] = escaped(
                "\n" + line(bl::kBearerLabel) + " " + line(bl::kYearLabel) + labelSep +
                colourWord(o, line) + " " + toneWord(o, line) + " " + line(signNameLine(sign)));
        }
    }
    weekLabel_ = escaped("\n" + line(bl::kWeekLabel) + " ");
    phaseLabel_ =
        escaped("\n" + line(bl::kPhaseOfLabel) + " " + line(bl::kTheMoonLabel) + labelSep);
    leapNote_ = escaped(" (" + line(bl::kLeapDayNote) + ")");
    afterUid_ = "@orbisca.invalid\r\nDTSTAMP:" + options_.stamp + "\r\nDTSTART;VALUE=DATE:";
    if (options_.alarmMinutes >= 0) {
        appendProperty(alarmTail_, "TRIGGER", alarmTrigger(options_.alarmMinutes));
        alarmTail_ += "END:VALARM\r\n";
    }
}

void IcsFeed::appendHeader(std::string& out) const {
    out.append(
        "BEGIN:VCALENDAR\r\n"
        "VERSION:2.0\r\n"
        "PRODID:-//Orbisca//orbisca-cli 1.2//EN\r\n"
        "CALSCALE:GREGORIAN\r\n"
        "METHOD:PUBLISH\r\n");
    appendProperty(out, "X-WR-CALNAME", calendarName_);
}

void IcsFeed::appendFooter(std::string& out) const { out.append("END:VCALENDAR\r\n"); }

void IcsFeed::summaryLine(std::string& line, const GregorianDate& date, const MayanDate& m) const {
    line.assign("SUMMARY:");
    line += kinHead_[m.kin];
    line += moonPart_[m.month];
    if (m.month > 0) appendNumber(line, m.monthDay);
    if (date.month == 2 && date.day == 29) line += leapNote_;
}

void IcsFeed::descriptionLine(std::string& line, const MayanDate& m) const {
    line.assign("DESCRIPTION:");
    line += oracle_[m.kin];
    if (m.month > 0) {  // the extra day belongs to no week and shows no plasma
        line += plasma_[m.plasma];
        line += weekLabel_;
        appendNumber(line, m.weekNumber);
    }
    line += bearer_[m.yearSign * 14 + m.yearTone];
    line += phaseLabel_;
    appendNumber(line, m.moonPhase / 10'000'000);
    line += " %";
    line += affirm_[m.kin];
}

void IcsFeed::appendEvent(std::string& out, const GregorianDate& date,
                          LunationCache& lunation) const {
    // Kept from event to event: an event costs no allocation.
    thread_local std::string summary, description;
    const MayanDate m = gregorianToMayan(date, lunation);
    GregorianDate next = date;
    nextGregorianDay(next);
    out += "BEGIN:VEVENT\r\nUID:";
    appendDate(out, date);
    out += afterUid_;
    appendDate(out, date);
    out += "\r\nDTEND;VALUE=DATE:";
    appendDate(out, next);
    out += kLineEnd;
    summaryLine(summary, date, m);
    appendFoldedLine(out, summary);
    descriptionLine(description, m);
    appendFoldedLine(out, description);
    out += categoriesLine_;
    out += "TRANSP:TRANSPARENT\r\n";
    if (options_.alarmMinutes >= 0) {
        out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\n";
        // The alarm says the summary: the same text under the other name.
        appendProperty(out, "DESCRIPTION", std::string_view(summary).substr(8));
        out += alarmTail_;
    }
    out += "END:VEVENT\r\n";
}

bool writeIcsFeed(const IcsFeed& feed, const GregorianDate& from, const GregorianDate& to,
                  const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 64 * 1024;
    std::string buffer;
    buffer.reserve(kChunk + 8 * 1024);
    feed.appendHeader(buffer);
    LunationCache lunation;
    for (GregorianDate day = from;; nextGregorianDay(day)) {
        feed.appendEvent(buffer, day, lunation);
        if (buffer.size() >= kChunk) {
            if (!sink(buffer)) return false;
            buffer.clear();
        }
        if (day == to) break;
    }
    feed.appendFooter(buffer);
    return sink(buffer);
}

}  // namespace orbisca::cli
