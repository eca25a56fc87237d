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

// Every line of "BASE.KTX" that holds one fixed caption or label, or starts a run of them: the
// one table of its line numbers.
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
// The date dialog.
inline constexpr int kApplyButton = 167;
inline constexpr int kCancelButton = 169;
inline constexpr int kTodayButton = 389;
inline constexpr int kDayFieldLabel = 420;
inline constexpr int kMonthFieldLabel = 421;
inline constexpr int kYearFieldLabel = 422;
// The compact window's hints: the areas, then its two buttons.
inline constexpr int kGuideHint = 393;
inline constexpr int kToneHint = 394;
inline constexpr int kSignHint = 395;
inline constexpr int kPlasmaHint = 396;
inline constexpr int kMoonHint = 397;
inline constexpr int kAffirmationHint = 398;
inline constexpr int kCloseButtonHint = 399;
inline constexpr int kExpandButtonHint = 413;
// The views: the wavespell and castle pages, the kin book, the extra day, the month.
inline constexpr int kFirstLongSignName = 170;  // + sign
inline constexpr int kLegendCentreFirst = 414;
inline constexpr int kLegendCentreSecond = 415;
inline constexpr int kLegendPortal = 416;
inline constexpr int kWavespellTitle = 417;
inline constexpr int kWavespellSubtitle = 418;
inline constexpr int kExtraDayFirst = 420;  // the two lines under the extra day's seal
inline constexpr int kExtraDaySecond = 424;
inline constexpr int kCastleTitle = 425;
inline constexpr int kFirstCastleName = 426;     // + castle
inline constexpr int kFirstCastleColour = 431;   // + castle
inline constexpr int kFirstCastleCourt = 436;    // + castle
inline constexpr int kFirstCastleText = 442;     // + castle
inline constexpr int kFirstWavespellName = 447;  // + wavespell
inline constexpr int kMonthLabel = 469;          // + month for the month's own name
inline constexpr int kFirstWavespellText = 523;  // + 2 x wavespell, and the line after it
inline constexpr int kFirstRowCaption = 566;     // + the row's colour code
// The print manager's captions come in four runs (entry 1 is line 484).
inline constexpr int kCaptionRunLines[4] = {483, 586, 596, 614};
// The configuration dialog.
inline constexpr int kConfigCaption = 637;
inline constexpr int kConfigSpeedLabel = 644;
inline constexpr int kConfigSaveButton = 645;
inline constexpr int kConfigTurtlesHeading = 656;
inline constexpr int kFirstDateFormat = 658;  // 658..664
inline constexpr int kConfigMoonLabel = 665;
inline constexpr int kFirstMoonEntry = 666;  // 666, 667
inline constexpr int kConfigDateFormatLabel = 668;
inline constexpr int kYearShineSwitch = 638;
inline constexpr int kYearLineSwitch = 639;
inline constexpr int kYearDayIconSwitch = 640;
inline constexpr int kCastleDayIconSwitch = 641;
inline constexpr int kSwapDayKeysSwitch = 642;
inline constexpr int kTransitionSwitch = 643;
inline constexpr int kGregorianOnKinBookSwitch = 653;
inline constexpr int kGregorianOnDaySwitch = 654;
inline constexpr int kGregorianInViewsSwitch = 655;
inline constexpr int kThreeTurtlesSwitch = 657;
// The page setup window's labels, one after the other.
inline constexpr int kPageSetupFirstLabel = 682;
// The donation reminder.
inline constexpr int kDonationCaption = 697;
inline constexpr int kDonationBack = 698;
inline constexpr int kDonationRemind = 699;
inline constexpr int kDonationLaunches = 700;
inline constexpr int kDonationNever = 701;
inline constexpr int kDonationCountryLabel = 702;
inline constexpr int kDonationCurrencyLabel = 703;
inline constexpr int kFirstDonationCountry = 704;   // 704, 705
inline constexpr int kFirstDonationCurrency = 706;  // 706..711
inline constexpr int kDonationPrint = 712;
inline constexpr int kDonationClose = 713;
inline constexpr int kDonate = 714;
inline constexpr int kDonationRefused = 716;
inline constexpr int kDonationDetailsWritten = 717;
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
// The configuration dialog's choice of language, and each pack's own name for its language.
inline constexpr int kLanguageLabel = 751;
inline constexpr int kLanguageName = 752;
// A third form of the colour and tone words, for languages whose adjectives take three genders:
// the seals (numbers 1..20, separated by blanks) that take it, then the thirteen tone words and
// the four colour words in that form. Empty in a language without it.
inline constexpr int kThirdFormSeals = 753;
inline constexpr int kThirdFormToneFirst = 754;
inline constexpr int kThirdFormColourFirst = 767;
}  // namespace base_line

// Lines chosen by a field of the position or of its oracle.
constexpr int sealNameLine(int sign) { return sign; }  // colour and sign, "Red Dragon"
constexpr int signNameLine(int sign) { return 80 + sign; }
constexpr int longSignNameLine(int sign) { return 170 + sign; }
constexpr int toneNumberLine(int tone) { return 34 + tone; }  // "One" ... "Thirteen"
constexpr int plasmaNameLine(int plasma) { return 49 + plasma; }
constexpr int moonNameLine(int month) { return 66 + month; }
constexpr int moonSecondNameLine(int month) { return 150 + month; }  // after the word "moon"

// The colour and tone words in the form the sign takes: two variants chosen by its flag, or the
// pack's third form for the seals it names.
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
