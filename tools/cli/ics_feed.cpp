// SPDX-License-Identifier: GPL-3.0-or-later
#include "ics_feed.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <ctime>

#include "calendar/iso_date.h"
#include "calendar/oracle.h"
#include "data/affirmation.h"
#include "data/text_case.h"
#include "digit_pairs.h"

namespace orbisca::cli {

// Writes content lines straight into a buffer, folding them at 75 octets as their parts arrive:
// a part that fits is one copy, and a fold moves only the octets between its cut and the end of
// what is written (a few). The buffer needs room for foldedBytes() of every line.
class IcsFeed::LineWriter {
public:
    explicit LineWriter(char* out) : out_(out) {}
    char* end() const { return out_; }

    // Octets that are no content line, or lines already folded.
    void raw(std::string_view text) {
        copyPadded(out_, text.data(), text.size());
        out_ += text.size();
    }
    // The DATE form, "20010821" (the feed's years have four digits), as eight bytes to store.
    static std::uint64_t dateText(const GregorianDate& date) {
        const auto y = static_cast<unsigned>(date.year) % 10000;
        char text[8];
        std::memcpy(text, kDigitPairs.data() + 2 * (y / 100), 2);
        std::memcpy(text + 2, kDigitPairs.data() + 2 * (y % 100), 2);
        std::memcpy(text + 4, kDigitPairs.data() + 2 * date.month, 2);
        std::memcpy(text + 6, kDigitPairs.data() + 2 * date.day, 2);
        std::uint64_t bits;
        std::memcpy(&bits, text, sizeof bits);
        return bits;
    }
    void date(std::uint64_t text) {
        std::memcpy(out_, &text, sizeof text);
        out_ += sizeof text;
    }

    void beginLine() {
        partStart_ = out_;
        limit_ = kFoldOctets;
    }
    // A line whose first text was folded beforehand (see IcsFeed::keepLineStart).
    void beginLine(std::string_view folded, const LineStart& start) {
        raw(folded);
        partStart_ = out_ - start.partOctets;
        limit_ = start.limit;
    }
    // A part of the current line from padded texts (PaddedTexts, or a buffer with as much room).
    void put(std::string_view text) { put<true>(text.data(), text.size()); }
    void number(int value) {
        if (value >= 0 && value < 100) {  // every number of an event: straight from the pairs
            const bool one = value < 10;
            put<true>(kDigitPairs.data() + 2 * value + one, one ? 1 : 2);
            return;
        }
        char digits[48] = {};  // padded as a kept text is
        const char* end = std::to_chars(digits, digits + 16, value).ptr;
        put(std::string_view(digits, std::size_t(end - digits)));
    }
    void endLine() {
        std::memcpy(out_, "\r\n", 2);
        out_ += 2;
    }
    // A part of the current line from any text.
    void putUnpadded(std::string_view text) { put<false>(text.data(), text.size()); }
    // The octets of the current line's last part so far, and how many it may hold.
    LineStart state() const {
        return {std::uint32_t(out_ - partStart_), std::uint32_t(limit_), {}};
    }

    // Room for a line of `octets` octets: a fold adds three octets and leaves at least one octet
    // of the line before it; then the line end, and the block a padded copy may write past it.
    static constexpr std::size_t foldedBytes(std::size_t octets) {
        return 4 * octets + 2 + PaddedTexts::kPadding;
    }

private:
    static constexpr std::size_t kFoldOctets = 75;

    // Whole 32-byte blocks: texts are short, and past their ends both sides have room.
    static void copyPadded(char* to, const char* from, std::size_t size) {
        static_assert(PaddedTexts::kPadding >= 32);
        std::size_t i = 0;
        do {
            std::memcpy(to + i, from + i, 32);
            i += 32;
        } while (i < size);
    }

    template <bool kPadded>
    void put(const char* from, std::size_t size) {
        while (true) {
            const auto used = std::size_t(out_ - partStart_);
            const bool fits = used + size <= limit_;
            // Up to the first octet past the limit, which the cut looks at.
            const std::size_t take = fits ? size : used <= limit_ ? limit_ + 1 - used : 0;
            if constexpr (kPadded)
                copyPadded(out_, from, take);
            else
                std::memcpy(out_, from, take);
            out_ += take;
            if (fits) [[likely]]
                return;
            from += take;
            size -= take;
            fold();
        }
    }

    // The part holds more than limit_ octets: it ends at the cut with CR LF, and the rest
    // continues after a blank.
    void fold() {
        const char* line = partStart_;
        std::size_t cut = limit_;
        // Never split a character: step back over UTF-8 continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        // Nor an escape such as "\n": some readers unescape before they unfold.
        std::size_t backslashes = 0;
        while (backslashes < cut && line[cut - 1 - backslashes] == '\\') ++backslashes;
        if (backslashes % 2 == 1) --cut;
        if (cut == 0) cut = limit_;  // not UTF-8 at all: any cut keeps the octets
        char* at = partStart_ + cut;
        // The octets from the cut on move three places: a few, moved as one block (the buffer
        // has room for a padded copy past them).
        if (const auto tail = std::size_t(out_ - at); tail <= 32) {
            char moved[32];
            std::memcpy(moved, at, sizeof moved);
            std::memcpy(at + 3, moved, sizeof moved);
        } else {
            std::memmove(at + 3, at, tail);
        }
        std::memcpy(at, "\r\n ", 3);
        out_ += 3;
        partStart_ = at + 3;
        limit_ = kFoldOctets - 1;  // the leading blank counts
    }

    char* out_;
    char* partStart_ = nullptr;
    std::size_t limit_ = kFoldOctets;
};

namespace {

constexpr std::string_view kHeader =
    "BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\n"
    "PRODID:-//Orbisca//orbisca-cli 1.2//EN\r\n"
    "CALSCALE:GREGORIAN\r\n"
    "METHOD:PUBLISH\r\n";
constexpr std::string_view kCalendarName = "X-WR-CALNAME:";
constexpr std::string_view kFooter = "END:VCALENDAR\r\n";
constexpr std::string_view kEventStart = "BEGIN:VEVENT\r\nUID:";
constexpr std::string_view kEndDate = "\r\nDTEND;VALUE=DATE:";
constexpr std::string_view kSummary = "SUMMARY:";
constexpr std::string_view kDescription = "DESCRIPTION:";
constexpr std::string_view kEventEnd = "END:VEVENT\r\n";
constexpr std::size_t kNumberOctets = 11;  // "-2147483648"

std::string escaped(const QString& text) { return escapeIcsText(text.toStdString()); }

// "PT9H30M": how far into the day the alarm rings.
std::string alarmTrigger(int minutes) {
    if (minutes == 0) return "PT0S";
    std::string trigger = "PT";
    if (minutes / 60) trigger += std::to_string(minutes / 60) + 'H';
    if (minutes % 60) trigger += std::to_string(minutes % 60) + 'M';
    return trigger;
}

std::size_t longest(const std::vector<PaddedTexts::Text>& texts) {
    std::size_t size = 0;
    for (const PaddedTexts::Text& text : texts) size = std::max<std::size_t>(size, text.size);
    return size;
}

std::size_t longest(const std::vector<IcsFeed::LineStart>& starts) {
    std::size_t size = 0;
    for (const IcsFeed::LineStart& start : starts)
        size = std::max<std::size_t>(size, start.text.size);
    return size;
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

void appendFoldedLine(std::string& out, std::string_view line) {
    const std::size_t start = out.size();
    out.resize(start + IcsFeed::LineWriter::foldedBytes(line.size()));
    IcsFeed::LineWriter w(out.data() + start);
    w.beginLine();
    w.putUnpadded(line);
    w.endLine();
    out.resize(std::size_t(w.end() - out.data()));
}

std::string icsTimestamp(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

PaddedTexts::Text PaddedTexts::keep(std::string_view text) {
    const Text kept{static_cast<std::uint32_t>(bytes_.size()),
                    static_cast<std::uint32_t>(text.size())};
    bytes_.append(text);
    bytes_.append(kPadding, '\0');
    return kept;
}

IcsFeed::LineStart IcsFeed::keepLineStart(std::string_view text) {
    std::string folded(LineWriter::foldedBytes(text.size()), '\0');
    LineWriter w(folded.data());
    w.beginLine();
    w.putUnpadded(text);
    LineStart start = w.state();
    start.text = texts_.keep(std::string_view(folded.data(), std::size_t(w.end() - folded.data())));
    return start;
}

IcsFeed::IcsFeed(const BaseLineReader& line, IcsFeedOptions options)
    : options_(std::move(options)),
      summaryHead_(261),
      alarmHead_(261),
      oracle_(261),
      affirm_(261),
      moonPart_(14),
      plasma_(8),
      bearer_(21 * 14) {
    namespace bl = base_line;
    calendarName_ = escaped(line(bl::kFeedName));
    const QString labelSep = QStringLiteral(": ");
    for (int kin = 1; kin <= 260; ++kin) {
        const MayanDate position = positionOfKin(kin);
        const OracleInfo o = makeOracle(position);
        const std::string head =
            escaped(line(bl::kKinLabel) + " " + QString::number(kin) + " - " + colourWord(o, line) +
                    " " + toneWord(o, line) + " " + line(signNameLine(o.sign)));
        summaryHead_[kin] = keepLineStart(std::string(kSummary) + head);
        alarmHead_[kin] = keepLineStart(std::string(kDescription) + head);
        oracle_[kin] = keepLineStart(
            std::string(kDescription) +
            escaped(line(bl::kGuideLabel) + labelSep + line(sealNameLine(o.guide)) + "\n" +
                    line(bl::kAnalogLabel) + labelSep + line(sealNameLine(o.analog)) + "\n" +
                    line(bl::kAntipodeLabel) + labelSep + line(sealNameLine(o.antipode)) + "\n" +
                    line(bl::kOccultTeacherFirst) + " " + line(bl::kOccultTeacherSecond) +
                    labelSep + line(sealNameLine(o.occultTeacher))));
        QString affirmation = QStringLiteral(" %\n");
        for (const QString& sentence : shapedAffirmation(position, line))
            if (!sentence.isEmpty()) affirmation += "\n" + sentence;
        affirm_[kin] = texts_.keep(escaped(affirmation));
    }
    const QString dayWord = applyCasePattern(line(bl::kDayLabel), QStringLiteral("a"));
    for (int month = 1; month <= 13; ++month)
        moonPart_[month] = texts_.keep(escaped(" - " + moonTitle(month, line) + " " +
                                               line(bl::kMoonLabel) + ", " + dayWord + " "));
    moonPart_[0] = texts_.keep(escaped(" - " + line(bl::kExtraDay)));
    for (int plasma = 1; plasma <= 7; ++plasma)
        plasma_[plasma] =
            texts_.keep(escaped("\n" + line(bl::kPlasmaLabel) + labelSep +
                                line(plasmaNameLine(plasma)) + "\n" + line(bl::kWeekLabel) + " "));
    for (int sign : {4, 9, 14, 19}) {
        for (int tone = 1; tone <= 13; ++tone) {
            MayanDate year;
            year.sign = static_cast<std::uint8_t>(sign);
            year.tone = static_cast<std::uint8_t>(tone);
            const OracleInfo o = makeOracle(year);
            bearer_[sign * 14 + tone] = texts_.keep(escaped(
                "\n" + line(bl::kBearerLabel) + " " + line(bl::kYearLabel) + labelSep +
                colourWord(o, line) + " " + toneWord(o, line) + " " + line(signNameLine(sign)) +
                "\n" + line(bl::kPhaseOfLabel) + " " + line(bl::kTheMoonLabel) + labelSep));
        }
    }
    leapNote_ = texts_.keep(escaped(" (" + line(bl::kLeapDayNote) + ")"));
    eventStart_ = texts_.keep(kEventStart);
    afterUid_ =
        texts_.keep("@orbisca.invalid\r\nDTSTAMP:" + options_.stamp + "\r\nDTSTART;VALUE=DATE:");
    endDate_ = texts_.keep(kEndDate);
    std::string afterDescription, alarmTail;
    appendFoldedLine(afterDescription, "CATEGORIES:" + calendarName_);
    afterDescription += "TRANSP:TRANSPARENT\r\n";
    if (options_.alarmMinutes >= 0) {
        afterDescription += "BEGIN:VALARM\r\nACTION:DISPLAY\r\n";
        appendFoldedLine(alarmTail, "TRIGGER:" + alarmTrigger(options_.alarmMinutes));
        alarmTail += "END:VALARM\r\n";
        alarmTail += kEventEnd;
    } else {
        afterDescription += kEventEnd;
    }
    afterDescription_ = texts_.keep(afterDescription);
    alarmTail_ = texts_.keep(alarmTail);

    const std::size_t summary = std::max(longest(summaryHead_), longest(alarmHead_)) +
                                longest(moonPart_) + kNumberOctets + leapNote_.size;
    const std::size_t description = longest(oracle_) + longest(plasma_) + longest(bearer_) +
                                    2 * kNumberOctets + longest(affirm_);
    const std::size_t event = eventStart_.size + afterUid_.size + endDate_.size + 3 * 8 + 2 +
                              2 * LineWriter::foldedBytes(summary) +
                              LineWriter::foldedBytes(description) + afterDescription_.size +
                              alarmTail_.size + PaddedTexts::kPadding;
    const std::size_t header =
        kHeader.size() + LineWriter::foldedBytes(kCalendarName.size() + calendarName_.size());
    maxWriteBytes_ = std::max({event, header, kFooter.size()});
}

char* IcsFeed::writeHeader(char* out) const {
    std::memcpy(out, kHeader.data(), kHeader.size());
    LineWriter w(out + kHeader.size());
    w.beginLine();
    w.putUnpadded(kCalendarName);
    w.putUnpadded(calendarName_);
    w.endLine();
    return w.end();
}

char* IcsFeed::writeFooter(char* out) const {
    std::memcpy(out, kFooter.data(), kFooter.size());
    return out + kFooter.size();
}

void IcsFeed::writeSummary(LineWriter& w, const GregorianDate& date, const MayanDate& m) const {
    w.put(texts_.view(moonPart_[m.month]));
    if (m.month > 0) w.number(m.monthDay);
    if (date.month == 2 && date.day == 29) w.put(texts_.view(leapNote_));
}

char* IcsFeed::writeEvent(char* out, const GregorianDate& date, LunationCache& lunation) const {
    const MayanDate m = gregorianToMayan(date, lunation);
    GregorianDate next = date;
    nextGregorianDay(next);
    LineWriter w(out);
    const std::uint64_t start = LineWriter::dateText(date);
    w.raw(texts_.view(eventStart_));
    w.date(start);
    w.raw(texts_.view(afterUid_));
    w.date(start);
    w.raw(texts_.view(endDate_));
    w.date(LineWriter::dateText(next));
    w.endLine();

    w.beginLine(texts_.view(summaryHead_[m.kin].text), summaryHead_[m.kin]);
    writeSummary(w, date, m);
    w.endLine();

    w.beginLine(texts_.view(oracle_[m.kin].text), oracle_[m.kin]);
    if (m.month > 0) {  // the extra day belongs to no week and shows no plasma
        w.put(texts_.view(plasma_[m.plasma]));
        w.number(m.weekNumber);
    }
    w.put(texts_.view(bearer_[m.yearSign * 14 + m.yearTone]));
    w.number(m.moonPhase / 10'000'000);
    w.put(texts_.view(affirm_[m.kin]));
    w.endLine();

    w.raw(texts_.view(afterDescription_));
    if (options_.alarmMinutes >= 0) {
        // The alarm says the summary: the same text under the other name.
        w.beginLine(texts_.view(alarmHead_[m.kin].text), alarmHead_[m.kin]);
        writeSummary(w, date, m);
        w.endLine();
        w.raw(texts_.view(alarmTail_));
    }
    return w.end();
}

bool writeIcsFeed(const IcsFeed& feed, const GregorianDate& from, const GregorianDate& to,
                  const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 64 * 1024;
    std::vector<char> buffer(kChunk + feed.maxWriteBytes());
    char* const begin = buffer.data();
    char* out = feed.writeHeader(begin);
    LunationCache lunation;
    for (GregorianDate day = from;; nextGregorianDay(day)) {
        out = feed.writeEvent(out, day, lunation);
        if (std::size_t(out - begin) >= kChunk) {
            if (!sink(std::string_view(begin, std::size_t(out - begin)))) return false;
            out = begin;
        }
        if (day == to) break;
    }
    out = feed.writeFooter(out);
    return sink(std::string_view(begin, std::size_t(out - begin)));
}

}  // namespace orbisca::cli
