// The error log written when something fails that the program cannot work around, and the
// loading log of the compact window's start-up.
#pragma once

#include "data/atomic_file.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace orbisca {

// Up to ten detail lines from the caller ("filename:" + name, "line:" + number ...); the rest
// empty.
using ErrorDetails = std::array<QString, 10>;

// Error codes and the sender texts their callers pass.
inline constexpr std::int32_t kErrorReadText = 101;     // "readtext in orbisca" and others
inline constexpr std::int32_t kErrorPaintAll = 102;     // "PAINTALL in orbisca"
inline constexpr std::int32_t kErrorFillPyr = 103;      // "FILLPYR in orbisca"
inline constexpr std::int32_t kErrorStartUp = 104;      // "orbisca window"
inline constexpr std::int32_t kErrorWriteAccess = 114;  // never writes a log file
inline constexpr std::int32_t kErrorLoader = 120;       // "orbisca window fx loader"

struct ErrorLogState {
    bool logWritten = false;  // one error log per run
    QString programFolder;    // where logs go first; empty: the executable's folder
};

ErrorLogState& errorLogState();
void resetErrorLogState();

// The folder of the executable: the application's folder when a Qt application exists, else the
// folder of /proc/self/exe; overridden by ErrorLogState::programFolder.
QString programFolder();

// The lines of an error log for the current state of the program (dates, positions, the window
// state structs and settings), taken at `now`.
QStringList errorLogLines(std::int32_t code, const QString& sender, const ErrorDetails& details,
                          const QDateTime& now);

// Reports a failure. Unless a log was already written in this run or the code is 114, writes
// "errorlog<N>.err" (smallest free N from 1) into the program's folder, or into the working folder
// when the program's folder cannot take it; then shows "ERROR! ERROR CODE:<code>" through the
// notifier and returns true: the caller then asks the program to end (requestProgramEnd).
// When neither folder can take the log, shows "FATAL ERROR! FILE ACCESS LOCKED! PROGRAMM WILL BE
// CLOSED.", requests the program's end itself and returns false.
bool writeerror(std::int32_t code, const QString& sender, const ErrorDetails& details = {});

// The start-up steps of the compact window, in order, each logged as "<step>=ok".
inline constexpr std::array<const char*, 19> kLoadingSteps = {
    "ControlsStyle",     "SetAttributes",      "RectsCreated",
    "MoonBitmapCreated", "MoonLoaded",         "MoonTransparency",
    "WindowPosition",    "FrameBitmapCreated", "FrameBitmapLoaded",
    "GetGregorianDate",  "TodaySet",           "GregorianToMayan",
    "GetMayanString",    "SetTextValue",       "Load!FrameClr!Bitmap",
    "CreateRegion",      "SetWindowRegion",    "DeleteRegion",
    "ReadingFonts"};

// "Loading.log" in the working folder, created anew at each start and written line by line, so
// that a failed start shows how far it got. A log that cannot be written is left out silently:
// the start-up itself must not fail for it.
class LoadingLog {
public:
    // Creates the file and writes "StartTime=<hh:mm:ss>".
    void start(const QDateTime& now);
    void stepDone(const QString& step);  // "<step>=ok"
    void finish(const QDateTime& now);   // "EndTime=<hh:mm:ss>", then closes the file
    // "ERROR!!!", closes the file, and reports code 104 "orbisca window" through writeerror.
    bool fail();

private:
    LineLog log_;
};

// The current time of the program's clock (calendarState().clock) as a local date and time.
QDateTime programNow();

}  // namespace orbisca
