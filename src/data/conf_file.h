// "conf.dat": the user's settings, 15 lines, and the values of the configuration dialog's
// controls as a plain model, so that reading, writing and applying work without any window.
//
// Lines: 1-4 shine, line, day icon in the year view, day icon in the castle view (cb2..cb5);
// 5 use transition (cb1); 6 transition speed (sp); 7 swap up/down (cb6); 8 glyph font name;
// 9 help pages; 10-13 cb7..cb10; 14 date format entry (com1); 15 moon entry (com2).
// Y/N lines are true exactly for "Y"; an entry index of -1 means nothing chosen.
#pragma once

#include <QString>
#include <cstdint>

#include "data/program_state.h"

namespace orbisca {

inline constexpr int kDateFormatEntries = 7;  // com1: six layouts, then "no date"
inline constexpr int kMoonEntries = 2;        // com2
inline constexpr int kSpinMin = 1;
inline constexpr int kSpinMax = 99;

// The dialog's controls, at their values when the program starts.
struct ConfigModel {
    bool cb1 = false;             // use transition
    bool cb2 = false;             // shine in the year view
    bool cb3 = false;             // line in the year view
    bool cb4 = false;             // day icon in the year view
    bool cb5 = false;             // day icon in the castle view
    bool cb6 = false;             // swap up/down keys
    bool cb7 = false;             // Gregorian date on the izin page
    bool cb8 = false;             // Gregorian date on the day overview
    bool cb9 = false;             // Gregorian dates in the other views
    bool cb10 = false;            // option of the telectonon board
    std::int32_t sp = 10;         // transition speed, 1..99
    QString glyphFont;            // line 8, unchanged
    std::int32_t helppages = 4;   // line 9
    std::int32_t com1Index = -1;  // chosen date format entry; -1 none
    std::int32_t com2Index = -1;  // chosen moon entry; -1 none

    friend bool operator==(const ConfigModel&, const ConfigModel&) = default;
};

// The dialog's model: one per process, like the dialog.
ConfigModel& configModel();
void resetConfigModel();

QString btos(bool value);        // "Y" / "N"
bool stob(const QString& text);  // true exactly for "Y"

enum class ConfigLoad { Loaded, Missing, Malformed };

// Reads "conf.dat" into `model` and then applies it with assignv. A missing file shows "Error.
// Configuration file not exists!" and applies the model unchanged. A bad number or an entry index
// outside its list stops the reading with a message naming the line; the lines before it stay in
// the model, and `target` keeps the settings in force.
ConfigLoad load(ConfigModel& model, Settings& target);

// Writes "conf.dat" from the model, replacing the old file in one step. A failure is shown
// through the notifier, the old file kept, and false returned.
bool save(const ConfigModel& model);

// Copies the controls into the settings, with the derived values: datefmt and showgreg from the
// date format entry (entries 6 and above hide the date), moon_flag from the moon entry, and
// _spconst 0 while transitions are off.
void assignv(const ConfigModel& model, Settings& target);

}  // namespace orbisca
