// SPDX-License-Identifier: GPL-3.0-or-later
// The user's settings and their file, "conf.dat": one value a line, the 15 lines that every
// version reads, then our own.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace orbisca {

// The lines every version of conf.dat has; ours follow them.
inline constexpr int kSharedConfLines = 15;
inline constexpr int kDateFormatEntries = 7;  // six layouts, then "no date"
inline constexpr int kMoonEntries = 2;        // seen from the north, from the south
inline constexpr int kTransitionSpeedMin = 1;
inline constexpr int kTransitionSpeedMax = 99;
// The full-mode window has help pages 1 to 17 (its modes 19 and 25 to 40); 0 shows none.
inline constexpr int kHelpPagesMin = 0;
inline constexpr int kHelpPagesMax = 17;

// The settings, at their values when the program starts without a conf.dat.
struct Settings {
    bool yearShine = false;             // a glow over the day in the year view
    bool yearLine = false;              // a line from the day to its moon in the year view
    bool yearDayIcon = false;           // the day's icon in the year view
    bool castleDayIcon = false;         // the day's icon in the castle view
    bool useTransition = false;         // cross-fade between the full-mode views
    std::int32_t transitionSpeed = 10;  // steps of a cross-fade, 1..99
    bool swapDayKeys = false;           // the keys that step the day go the other way
    QString glyphFont;                  // font of exported sign glyphs
    std::int32_t helpPages = 4;         // number of help pages of the full-mode window, 1..17
    bool gregorianOnKinBook = false;    // the Gregorian date on the kin book page
    bool gregorianOnDay = false;        // the Gregorian date on the day overview
    bool gregorianInViews =
        false;                  // Gregorian dates in the month, 13-moon, wings and wavespell views
    bool threeTurtles = false;  // option of the telectonon board
    std::int32_t dateFormatEntry = -1;  // chosen date format, 0..6; -1 none
    std::int32_t moonEntry = -1;  // 0 the moon as seen from the north, 1 from the south; -1 none
    // Line 16: the language of the texts, kept as written ("" for the desktop's language).
    QString language;
    bool showInTray = false;        // line 17: run in the system tray
    bool notifyNewDay = false;      // line 18: a desktop notification at the first turn of a day
    bool startWithDesktop = false;  // line 19: an autostart entry for the user's desktop

    // Steps of a cross-fade in force: none while transitions are off.
    std::int32_t fadeSteps() const { return useTransition ? transitionSpeed : 0; }
    // Gregorian dates are shown unless the seventh date format ("no date") is chosen.
    bool showsGregorian() const { return dateFormatEntry < 6; }
    // The layout of formatGregorianDate for the chosen entry; -1 (no text) for none.
    std::int32_t dateLayout() const { return showsGregorian() ? dateFormatEntry : -1; }
    // The moon's lit side is drawn as seen from the southern hemisphere.
    bool southernMoon() const { return moonEntry == 1; }

    friend bool operator==(const Settings&, const Settings&) = default;
};

struct DataState;
class WorkingFolder;

// The bad lines of conf.dat said last: conf.dat is read at every window switch, and the same bad
// lines are said once, not at every switch. A file mended in between, or bad in another way, is
// said again.
struct ConfReadMemory {
    QString lastMalformedReport;
};

enum class ConfigLoad { Loaded, Missing, Unreadable, Malformed };

// The lines of conf.dat for the settings: Y/N for the switches, decimal numbers, the glyph font
// as it stands, and the chosen entries.
QStringList confFileLines(const Settings& settings);

// Reads "conf.dat" of the state's folder into `into` line by line; messages go to its notifier. A
// missing file shows "Error. Configuration file not exists!"; one that is there but cannot be read
// (a folder, a pipe, no permission, too large) shows a message that says so, naming it
// (Unreadable). Every line is read: a bad number or an entry index outside its list (-1, "no
// entry", is in every list) leaves that setting as it was in `into`, and one message names each bad
// line (Malformed); the same bad lines read again are not said again until the file has been read
// well. A Y/N line is true exactly for "Y"; a speed outside 1..99 is taken to the nearer end; the
// help pages are kept to limitHelpPages().
ConfigLoad readConfFile(DataState& state, Settings& into);

// Line 16 of conf.dat (the language), read without a word about the file, for the texts shown
// before any window reads the settings; nothing when the file or the line is not there.
std::optional<QString> confLanguage(const WorkingFolder& folder);

// The number of help pages the full-mode window can show: `pages` within 0..17 and no more than
// the help files "hlp1.ktx", "hlp2.ktx" ... that exist one after the other.
int limitHelpPages(const WorkingFolder& folder, std::int32_t pages);

// The names of the settings in the order of the file ("year_shine" ... "transition", "speed",
// ... "greg_day" ... "moon"), as orbisca-cli's --set takes them.
QStringList settingNames();

// Sets one setting by name from its text in the file's form ("Y", "12", a font name). False, with
// the reason in `error`, for an unknown name or a value the file would refuse.
bool applySetting(Settings& into, const QString& name, const QString& value,
                  QString* error = nullptr);

// Reads "conf.dat" over the state's settings; the good lines of a malformed file count too.
ConfigLoad loadSettings(DataState& state);

// Writes "conf.dat", replacing the old file in one step. A failure is shown through the notifier,
// the old file kept, and false returned.
bool saveSettings(DataState& state, const Settings& settings);

}  // namespace orbisca
