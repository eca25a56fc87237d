// SPDX-License-Identifier: GPL-3.0-or-later
// "WindWHP.dat" (the print manager's window state, 22 lines, one number or flag per line) and
// "~last.spt" (the script shown last), both in the working folder.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "data/text_file.h"

namespace orbisca {

struct DataState;

// The 22 values in file order, at the defaults used when there is no usable file.
struct PrintWindowValues {
    std::int32_t width = 800, height = 600, left = 40, top = 40;  // print manager (1-4)
    std::int32_t setupLeft = 120, setupTop = 120;                 // printing setup window (5-6)
    std::int32_t configLeft = 160, configTop = 160;               // configuration dialog (7-8)
    bool easyMode = true;                                         // 9
    bool textGraphic = true;                                      // 10: "Export as text"
    bool blackWhite = false;                                      // 11
    bool autoOptimize = true;                                     // 12
    bool autoBlur = true;                                         // 13
    std::int32_t sampleHeight = 16;                               // 14: sample label lb1
    std::int32_t backRed = 255, backGreen = 255, backBlue = 255;  // 15-17: background colour
    std::int32_t textRed = 0, textGreen = 0, textBlue = 0;        // 18-20: text colour
    std::int32_t canvasWidth = 768, canvasHeight = 1024;          // 21-22

    friend bool operator==(const PrintWindowValues&, const PrintWindowValues&) = default;
};

struct PrintWindowFiles {
    PrintWindowValues values;
    std::optional<QStringList> lastScript;  // "~last.spt" when it exists
    TextFormat lastScriptFormat;            // as "~last.spt" was written
    bool lastScriptUnreadable = false;      // "~last.spt" exists but could not be read
    QString problem;                        // why the defaults are in use; empty when read well
};

// The 22 lines of a file; flags are "1"/"0".
QStringList windowValueLines(const PrintWindowValues& values);
// Parses the 22 lines; a flag is true only for exactly "1". A line whose number is not a whole
// number, a window size below 1, a canvas side outside 1..16384 (or a canvas beyond the picture
// limits: both sides), a sample height outside -16384..16384 or a colour value outside 0..255
// keeps its default and is named in `problems` ("WindWHP.dat line 3: ..."), as are missing lines;
// every other line is taken as it stands.
PrintWindowValues parseWindowValues(const QStringList& lines, QStringList* problems = nullptr);

// Reads both files. A missing "WindWHP.dat" gives the defaults silently (the first start); a
// malformed one keeps its good lines and gives a `problem` naming the bad ones, which is also
// shown through the notifier. The program goes on in both cases.
PrintWindowFiles loadPrintWindowFiles(DataState& state);

// Writes both files, each replaced in one step, the script in `scriptFormat`. A failure is shown
// and false returned; files not written keep their old content.
bool savePrintWindowFiles(DataState& state, const PrintWindowValues& values,
                          const QStringList& script, const TextFormat& scriptFormat = {});
// Writes "WindWHP.dat" alone, as savePrintWindowFiles() does.
bool savePrintWindowValues(DataState& state, const PrintWindowValues& values);

}  // namespace orbisca
