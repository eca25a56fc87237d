// SPDX-License-Identifier: GPL-3.0-or-later
// The count as an iCalendar (RFC 5545) feed: one all-day event per day, its summary and
// description in the words of the pack, so that any calendar program can show the count.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar.h"
#include "data/day_words.h"

namespace orbisca::cli {

// iCalendar dates have four-digit years (and calendar programs know no year 0); the last day's
// event ends on the day after it.
inline constexpr GregorianDate kFirstFeedDate{1, 1, 0, 1};
inline constexpr GregorianDate kLastFeedDate{30, 12, 0, 9999};

struct IcsFeedOptions {
    int alarmMinutes = -1;  // a display alarm this many minutes into the day; -1 for none
    std::string stamp;      // DTSTAMP of every event, "YYYYMMDDTHHMMSSZ"
};

// Texts kept one after another, each followed by kPadding bytes that may be read: a copy of one
// moves whole 32-byte blocks, however short the text.
class PaddedTexts {
public:
    static constexpr std::size_t kPadding = 32;
    struct Text {
        std::uint32_t at = 0;
        std::uint32_t size = 0;
    };
    Text keep(std::string_view text);
    std::string_view view(Text text) const { return {bytes_.data() + text.at, text.size}; }

private:
    std::string bytes_;
};

class IcsFeed {
public:
    // Prepares every text that depends only on the kin, the moon, the plasma or the year bearer,
    // already escaped, so that an event costs a few copies.
    IcsFeed(const BaseLineReader& line, IcsFeedOptions options);

    // The most bytes that writeHeader, one writeEvent or writeFooter writes.
    std::size_t maxWriteBytes() const { return maxWriteBytes_; }

    // Each writes into a buffer with room for maxWriteBytes() and returns the end of what it wrote.
    char* writeHeader(char* out) const;
    // One VEVENT for a day from kFirstFeedDate to kLastFeedDate (29 February included);
    // `lunation` carries the new moons from one day to the next.
    char* writeEvent(char* out, const GregorianDate& date, LunationCache& lunation) const;
    char* writeFooter(char* out) const;

    class LineWriter;  // content lines into a buffer, folded as they are written

    // The first text of a content line, folded as far as it decides, with the octets of its last
    // part and how many that part may hold.
    struct LineStart {
        std::uint32_t partOctets = 0;
        std::uint32_t limit = 0;
        PaddedTexts::Text text;
    };

private:
    using Text = PaddedTexts::Text;
    LineStart keepLineStart(std::string_view text);
    // The rest of the summary after its head.
    void writeSummary(LineWriter& w, const GregorianDate& date, const MayanDate& position) const;

    IcsFeedOptions options_;
    std::string calendarName_;            // escaped
    PaddedTexts texts_;                   // all that follow
    std::vector<LineStart> summaryHead_;  // by kin: "SUMMARY:Kin 230 - White Solar Dog"
    std::vector<LineStart> alarmHead_;    // by kin: the same text after "DESCRIPTION:"
    std::vector<LineStart> oracle_;  // by kin: "DESCRIPTION:", guide, analog, antipode, teacher
    std::vector<Text> affirm_;  // by kin: " %" ending the phase, the affirmation after a blank line
    std::vector<Text> moonPart_;  // by month: " - Magnetic Moon, day "; 0: the extra day
    std::vector<Text> plasma_;    // by plasma: "\nPlasma: Silio\nWeek "
    std::vector<Text> bearer_;    // by year sign * 14 + year tone, and "\nPhase of the moon: "
    Text leapNote_;               // " (...)" after the summary of 29 February
    Text eventStart_;             // "BEGIN:VEVENT" and the UID's name
    Text afterUid_;               // the event's lines from the end of its UID to its start date
    Text endDate_;                // from the start date to the end date
    // The lines after DESCRIPTION: CATEGORIES, TRANSP and the event's end, or with an alarm the
    // alarm's first lines; then, with an alarm, its lines after its DESCRIPTION and the event's
    // end.
    Text afterDescription_;
    Text alarmTail_;
    std::size_t maxWriteBytes_ = 0;
};

// Writes the calendar with one event per real day from `from` to `to` (from <= to, both within
// the feed dates) through `sink`, in chunks of about 64 KiB; false as soon as a write fails.
// Memory use does not depend on the range.
bool writeIcsFeed(const IcsFeed& feed, const GregorianDate& from, const GregorianDate& to,
                  const std::function<bool(std::string_view)>& sink);

// TEXT value escaping: backslash, semicolon and comma get a backslash, a line break becomes
// "\n"; other control characters (a tab excepted) have no place in a value and are dropped.
std::string escapeIcsText(std::string_view utf8);
// Appends a content line folded at 75 octets (never inside a UTF-8 character), each part ended
// by CR LF and every continuation starting with one blank.
void appendFoldedLine(std::string& out, std::string_view line);
// The UTC date-time form of DTSTAMP.
std::string icsTimestamp(std::chrono::system_clock::time_point time);

}  // namespace orbisca::cli
