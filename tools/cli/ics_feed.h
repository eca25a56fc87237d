// SPDX-License-Identifier: GPL-3.0-or-later
// The count as an iCalendar (RFC 5545) feed: one all-day event per day, its summary and
// description in the words of the pack, so that any calendar program can show the count.
#pragma once

#include <chrono>
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

class IcsFeed {
public:
    // Prepares every text that depends only on the kin, the moon, the plasma or the year bearer,
    // already escaped, so that an event costs a few appends.
    IcsFeed(const BaseLineReader& line, IcsFeedOptions options);

    void appendHeader(std::string& out) const;
    // One VEVENT for a day from kFirstFeedDate to kLastFeedDate (29 February included);
    // `lunation` carries the new moons from one day to the next.
    void appendEvent(std::string& out, const GregorianDate& date, LunationCache& lunation) const;
    void appendFooter(std::string& out) const;

private:
    // "SUMMARY:" and "DESCRIPTION:" with their texts, unfolded, into `line`.
    void summaryLine(std::string& line, const GregorianDate& date, const MayanDate& position) const;
    void descriptionLine(std::string& line, const MayanDate& position) const;

    IcsFeedOptions options_;
    std::string calendarName_;           // escaped
    std::string categoriesLine_;         // folded, with its line end
    std::vector<std::string> kinHead_;   // by kin: "Kin 230 - White Solar Dog"
    std::vector<std::string> oracle_;    // by kin: guide, analog, antipode, hidden teacher
    std::vector<std::string> affirm_;    // by kin: the affirmation after a blank line
    std::vector<std::string> moonPart_;  // by month: " - Magnetic Moon, day "; 0: the extra day
    std::vector<std::string> plasma_;    // by plasma: "\nPlasma: Silio"
    std::vector<std::string> bearer_;    // by year sign * 14 + year tone
    std::string weekLabel_;              // "\nWeek "
    std::string phaseLabel_;             // "\nPhase of the moon: "
    std::string leapNote_;               // " (...)" after the summary of 29 February
    std::string afterUid_;   // the event's lines from the end of its UID to its start date
    std::string alarmTail_;  // the alarm's TRIGGER line and its end, when there is an alarm
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
