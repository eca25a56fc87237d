// SPDX-License-Identifier: GPL-3.0-or-later
// The error log written when something fails that the program cannot work around, the one road
// by which such a failure reaches the user and ends the program, and the loading log of the
// compact window's start-up.
//
// A failure travels as a FatalError from where it happens to the edge of the event handler that
// runs it, which reports it once with reportFatal(). The windows lend their state to the log
// through ErrorLogSource; the log's labels and their order live in error_log.cpp alone.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

#include "data/atomic_file.h"

namespace orbisca {

struct DataState;
class DayModel;

// Up to ten detail lines from the caller ("filename:" + name, "line:" + number ...); the rest
// empty.
using ErrorDetails = std::array<QString, 10>;

// Error codes.
inline constexpr std::int32_t kErrorReadText = 101;      // a text or a panel picture unreadable
inline constexpr std::int32_t kErrorPanelRepaint = 102;  // the compact panel's repaint
inline constexpr std::int32_t kErrorPanelPaint = 103;    // the compact panel's face
inline constexpr std::int32_t kErrorStartUp = 104;
inline constexpr std::int32_t kErrorViewPaint = 105;    // a full-mode view
inline constexpr std::int32_t kErrorWriteAccess = 114;  // never writes a log file
inline constexpr std::int32_t kErrorLoader = 120;

// The sender texts written into the error log after the code, exactly as earlier logs hold them.
inline constexpr char kSenderReadText[] = "readtext in orbisca";
inline constexpr char kSenderPanelPicture[] = "DRAWSIGNP in orbisca";
inline constexpr char kSenderPanelRepaint[] = "PAINTALL in orbisca";
inline constexpr char kSenderPanelFace[] = "FILLPYR in orbisca";
inline constexpr char kSenderViewPaint[] = "paintall in orbisca";
inline constexpr char kSenderStartUp[] = "orbisca window";
inline constexpr char kSenderLoader[] = "orbisca window fx loader";

// A failure the program cannot work around, on its way to the handler that reports it. what() is
// the reason in one line.
class FatalError : public std::runtime_error {
public:
    FatalError(std::int32_t code, QString sender, ErrorDetails details, const QString& reason);

    std::int32_t code() const { return code_; }
    const QString& sender() const { return sender_; }
    const ErrorDetails& details() const { return details_; }
    QString reason() const { return QString::fromUtf8(what()); }

private:
    std::int32_t code_;
    QString sender_;
    ErrorDetails details_;
};

// The values of the windows that the error log prints under "SYSTEM VARIABLES:" and "FULLMODE
// PARAMETERS:". A field that no window gives is printed as 0, "N" or an empty line.
enum class LogField {
    // The compact window.
    CompactPhase,
    DragStartX,
    DragStartY,
    HintShown,
    Dragging,
    PressUsed,
    CompactClosed,
    // The full-mode window.
    FullMode,
    OriginX,
    CachedYearSign,
    CachedYearTone,
    YearStartSign,
    YearStartTone,
    YearStartCromatic,
    DrawIntoYearBuffer,
    AlignRight,
    FadeOpacity,
    RequestedMode,
    FadeStepsLeft,
    TickTime,
    LastExportFont,
    LastHint,
    Exporting,
    ExportAsGlyphText,
    ExportMode,
    BoardDrawn,
    PressX,
    PressY,
    DrawingKin,
    DrawingTone,
    DrawingGuide,
    DrawingAnalog,
    DrawingAntipode,
    DrawingOccultTeacher,
    DrawingPlasma,
};
using LogValue = std::variant<long long, bool, double, QString>;
using LogValues = std::vector<std::pair<LogField, LogValue>>;

// The log's state for the run. Everything here runs on the user-interface thread.
struct ErrorLogState {
    bool logWritten = false;  // one error log per run
    QString programFolder;    // where logs go first (tests); empty: the executable's folder
    std::vector<std::pair<int, std::function<LogValues()>>> sources;
    int nextSourceId = 0;
};

// While it lives, the error log asks `snapshot` for its owner's values whenever it writes a log.
class ErrorLogSource {
public:
    ErrorLogSource(ErrorLogState& log, std::function<LogValues()> snapshot);
    ~ErrorLogSource();
    ErrorLogSource(const ErrorLogSource&) = delete;
    ErrorLogSource& operator=(const ErrorLogSource&) = delete;

private:
    ErrorLogState& log_;
    int id_;
};

// The folder of the executable: the application's folder when a Qt application exists, else the
// folder of /proc/self/exe; overridden by ErrorLogState::programFolder.
QString programFolder(const ErrorLogState& log);

// The lines of an error log for the current state of the program (dates, position, the values of
// the registered sources and the settings in force, and last the working folder), taken at `now`.
QStringList errorLogLines(const DataState& state, std::int32_t code, const QString& sender,
                          const ErrorDetails& details, const QDateTime& now);

// Reports a failure the program goes on after. Unless a log was already written in this run or the
// code is 114, writes "errorlog<N>.err" (smallest free N from 1): for a program run from its build
// tree into the program's folder, or into the working folder when that cannot take it; for an
// installed program into the working folder, or "$XDG_STATE_HOME/orbisca" when that cannot; the
// reason, when there is one, takes the first empty detail line. Then shows "ERROR! ERROR
// CODE:<code>" with the reason on a second line. When neither folder can take the log, shows "FATAL
// ERROR! FILE ACCESS LOCKED! PROGRAMM WILL BE CLOSED." and requests the program's end with
// status 1.
void reportError(DataState& state, std::int32_t code, const QString& sender,
                 const ErrorDetails& details, const QString& reason);

// Reports a failure as reportError() does and requests the program's end with status 1. The
// caller unwinds normally afterwards: the request only schedules the end.
void reportFatal(DataState& state, std::int32_t code, const QString& sender,
                 const ErrorDetails& details, const QString& reason);
void reportFatal(DataState& state, const FatalError& error);

// Runs `work` at the edge of an event handler: a FatalError is reported as it stands, any other
// exception as a failure of `code` and `sender` with its message as the reason. False when
// something failed.
bool reportFailures(DataState& state, std::int32_t code, const QString& sender,
                    const std::function<void()>& work);
// The same with any other exception handed to `otherFailure` with its message, for failures the
// program goes on after.
bool catchFailures(DataState& state, const std::function<void()>& work,
                   const std::function<void(const QString& reason)>& otherFailure);

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
    explicit LoadingLog(DataState& state) : state_(state) {}

    // Creates the file and writes "StartTime=<hh:mm:ss>".
    void start(const QDateTime& now);
    void stepDone(const QString& step);  // "<step>=ok"
    void finish(const QDateTime& now);   // "EndTime=<hh:mm:ss>", then closes the file
    // "ERROR!!!", closes the file, and reports code 104 "orbisca window" with the reason as a
    // fatal failure.
    void fail(const QString& reason);

private:
    DataState& state_;
    LineLog log_;
};

// The current time of the day model's clock as a local date and time.
QDateTime programNow(const DayModel& day);

}  // namespace orbisca
