// SPDX-License-Identifier: GPL-3.0-or-later
// The words that name a day, read from "BASE.KTX" by line number. This is the one place that
// knows which line holds which name or label; the compact window, the day pages and the calendar
// feed all take their words from here, each with its own way of reading a line.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "calendar/oracle.h"
#include "data/working_folder.h"

namespace orbisca {

// Line n of the main text database, "" for a line that is not there. The windows read through
// readDatabaseLine at every repaint; a writer of many days reads the file once and looks lines up.
using BaseLineReader = std::function<QString(int line)>;
// Line `line` of the folder's "BASE.KTX", "" when it is not there.
QString baseLine(const WorkingFolder& folder, int line);
// Reads each line from the folder as it is asked for; the folder must outlive the reader.
BaseLineReader readBaseLineEachTime(const WorkingFolder& folder);
BaseLineReader baseLinesFrom(QStringList lines);

// Lines that hold one fixed caption or label.
namespace base_line {
inline constexpr int kSealLabel = 0;         // before the colour and sign of the sign page
inline constexpr int kMoonTitleEnding = 29;  // written directly after the moon name
inline constexpr int kToneLabel = 34;
inline constexpr int kDayLabel = 59;   // before the day of the moon
inline constexpr int kKinLabel = 60;   // before the kin number
inline constexpr int kMoonLabel = 61;  // the word "moon"
inline constexpr int kAntipodeLabel = 145;
inline constexpr int kAnalogLabel = 146;
inline constexpr int kOccultTeacherFirst = 147;   // "hidden" ...
inline constexpr int kOccultTeacherSecond = 149;  // ... "teacher", joined by a blank
inline constexpr int kPlasmaLabel = 165;
inline constexpr int kPhaseOfLabel = 166;  // "phase of" ...
inline constexpr int kLongSignLabel = 168;
inline constexpr int kOracleTitle = 390;
inline constexpr int kGuideLabel = 391;
inline constexpr int kTheMoonLabel = 392;  // ... "the moon"
inline constexpr int kColourLabel = 402;
inline constexpr int kExtraDay = 419;  // stands for the moon and day on 25 July
inline constexpr int kYearLabel = 422;
inline constexpr int kBearerLabel = 423;  // "bearer of this" (year)
inline constexpr int kWeekLabel = 566;
inline constexpr int kFeedName = 680;     // the name of the calendar feed
inline constexpr int kLeapDayNote = 681;  // 29 February counted as 28 February
// The names of the full-mode window's nineteen buttons, left to right, shown as their hints.
inline constexpr int kFullModeButtonNameFirst = 718;
// The tray's menu, its message when the desktop has none, the About box and the settings of the
// tray, the morning notice and the start with the desktop.
inline constexpr int kTrayCompactWindow = 737;
inline constexpr int kTrayFullCalendar = 738;
inline constexpr int kTrayPrintManager = 739;
inline constexpr int kTrayConfiguration = 740;
inline constexpr int kAboutTitle = 741;
inline constexpr int kTrayQuit = 742;
inline constexpr int kNoTrayOnDesktop = 743;
inline constexpr int kCodeLicence = 744;
inline constexpr int kPackLicence = 745;
inline constexpr int kFontLicence = 746;
inline constexpr int kHomepageLabel = 747;
inline constexpr int kShowInTraySetting = 748;
inline constexpr int kNewDayNoticeSetting = 749;
inline constexpr int kStartWithDesktopSetting = 750;
}  // namespace base_line

// Lines chosen by a field of the position or of its oracle.
constexpr int sealNameLine(int sign) { return sign; }  // colour and sign, "Red Dragon"
constexpr int signNameLine(int sign) { return 80 + sign; }
constexpr int longSignNameLine(int sign) { return 170 + sign; }
constexpr int toneNumberLine(int tone) { return 34 + tone; }  // "One" ... "Thirteen"
constexpr int plasmaNameLine(int plasma) { return 49 + plasma; }
constexpr int moonNameLine(int month) { return 66 + month; }
constexpr int moonSecondNameLine(int month) { return 150 + month; }  // after the word "moon"

// The colour and tone words in the form the sign takes (two variants, chosen by its flag).
QString colourWord(const OracleInfo& oracle, const BaseLineReader& line);
QString toneWord(const OracleInfo& oracle, const BaseLineReader& line);
// The moon's name with its grammatical ending, "Magnetic".
QString moonTitle(int month, const BaseLineReader& line);

// The names of a day as the compact window and orbisca-cli show them.
struct DayNames {
    QString sign;    // "Worldbridger"
    QString tone;    // "Self-Existing": the tone word of the form that goes with the sign
    QString colour;  // "White"
    QString plasma;  // "Dali"
    QString moon;    // "Moon of the Rabbit"; on the extra day, the name of that day
};
DayNames dayNames(const MayanDate& position, const BaseLineReader& line);

// The captions that the compact window and the full-mode day overview both show, each already in
// its letter-case pattern; each window puts them at its own places.
struct DayCaptions {
    QString moonTitle;    // "Magnetic Moon" (empty on the extra day)
    QString moonName;     // "Moon of the Bat"
    QString dayOfMoon;    // "Day 27"
    QString plasmaLabel;  // "PLASMA:"
    QString plasmaName;   // "DALI"
    QString colourLine;   // "Signature: White"
    QString tone;         // the tone word
    QString sign;         // the sign's name
    QString longSign;     // "MAYA: AKBAL"
    QString kinLine;      // "Kin: 230"
    QString toneLine;     // "Tone: 9"
    QString phaseOf;      // "Phase Of"
    QString theMoon;      // "the moon"
    QString extraDay;     // stands for the moon lines on 25 July
};
DayCaptions dayCaptions(const MayanDate& position, const BaseLineReader& line);

}  // namespace orbisca
