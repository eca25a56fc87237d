// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/error_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <map>

#include "data/data_state.h"

namespace orbisca {

FatalError::FatalError(std::int32_t code, QString sender, ErrorDetails details,
                       const QString& reason)
    : std::runtime_error(reason.toStdString()),
      code_(code),
      sender_(std::move(sender)),
      details_(std::move(details)) {}

ErrorLogSource::ErrorLogSource(ErrorLogState& log, std::function<LogValues()> snapshot)
    : log_(log), id_(log.nextSourceId++) {
    log_.sources.emplace_back(id_, std::move(snapshot));
}

ErrorLogSource::~ErrorLogSource() {
    std::erase_if(log_.sources, [this](const auto& source) { return source.first == id_; });
}

QString programFolder(const ErrorLogState& log) {
    const QString& chosen = log.programFolder;
    if (!chosen.isEmpty()) return chosen;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QDateTime programNow(const DayModel& day) {
    const auto now = day.now();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms);
}

namespace {

// How a value is written: a number in decimal, Y/N, a floating-point number in general format,
// or the text alone on its line.
enum class Kind { Number, YesNo, Real, Text };

QString formatted(const LogValue& value) {
    struct Format {
        QString operator()(long long v) const { return QString::number(v); }
        QString operator()(bool v) const { return v ? QStringLiteral("Y") : QStringLiteral("N"); }
        QString operator()(double v) const { return QString::number(v, 'g', 15); }
        QString operator()(const QString& v) const { return v; }
    };
    return std::visit(Format{}, value);
}

LogValue emptyValue(Kind kind) {
    switch (kind) {
        case Kind::Number:
            return 0LL;
        case Kind::YesNo:
            return false;
        case Kind::Real:
            return 0.0;
        default:
            return QString();
    }
}

// One line of the windows' groups: its label as the log has always written it, and where its
// value comes from: a field a window gives, a setting, or (for values nothing sets) nothing.
struct LabelledLine {
    const char* label;
    Kind kind;
    std::variant<std::monostate, LogField, LogValue (*)(const Settings&)> source;
};

using F = LogField;
const LabelledLine kCompactLines[] = {
    {"STATE:", Kind::Number, F::CompactPhase}, {"modeF:", Kind::Number, {}},
    {"xm:", Kind::Number, F::DragStartX},      {"ym:", Kind::Number, F::DragStartY},
    {"sym:", Kind::Number, F::HintShown},      {"move:", Kind::YesNo, F::Dragging},
    {"moved:", Kind::YesNo, F::PressUsed},     {"closed:", Kind::YesNo, F::CompactClosed},
};

const LabelledLine kFullModeLines[] = {
    {"FULLMODE STATE:", Kind::Number, F::FullMode},
    {"rx:", Kind::Number, F::OriginX},
    {"pb2ys:", Kind::Number, F::CachedYearSign},
    {"pb2yt:", Kind::Number, F::CachedYearTone},
    {"DOTS:", Kind::Number, F::YearStartSign},
    {"DOTT:", Kind::Number, F::YearStartTone},
    {"DOTC:", Kind::Number, F::YearStartCromatic},
    {"USEPB2:", Kind::YesNo, F::DrawIntoYearBuffer},
    {"rightallign:", Kind::YesNo, F::AlignRight},
    {"_trc:", Kind::Number, F::FadeOpacity},
    {"_newstate:", Kind::Number, F::RequestedMode},
    {"spin:", Kind::Number, F::FadeStepsLeft},
    {"t1:", Kind::Real, {}},
    {"t2:", Kind::Real, F::TickTime},
    {"_pfont:", Kind::Number, F::LastExportFont},
    {"_Yline:", Kind::YesNo, [](const Settings& s) -> LogValue { return s.yearLine; }},
    {"_Yshine:", Kind::YesNo, [](const Settings& s) -> LogValue { return s.yearShine; }},
    {"_Yfigure:", Kind::YesNo, [](const Settings& s) -> LogValue { return s.yearDayIcon; }},
    {"_Sfigure:", Kind::YesNo, [](const Settings& s) -> LogValue { return s.castleDayIcon; }},
    {"", Kind::Text, [](const Settings& s) -> LogValue { return s.glyphFont; }},
    {"_SFX:", Kind::YesNo, [](const Settings& s) -> LogValue { return s.useTransition; }},
    {"", Kind::Text, F::LastHint},
    {"_spconst:", Kind::Number,
     [](const Settings& s) -> LogValue { return (long long)s.fadeSteps(); }},
    {"_Swapbtn:", Kind::YesNo, [](const Settings& s) -> LogValue { return s.swapDayKeys; }},
    {"_Export:", Kind::YesNo, F::Exporting},
    {"_TEXTGRAPHIC:", Kind::YesNo, F::ExportAsGlyphText},
    {"_expstate:", Kind::Number, F::ExportMode},
    {"_teldrawed:", Kind::YesNo, F::BoardDrawn},
    {"phx:", Kind::Number, F::PressX},
    {"phy:", Kind::Number, F::PressY},
    {"_KIN:", Kind::YesNo, F::DrawingKin},
    {"_TONE:", Kind::YesNo, F::DrawingTone},
    {"_GUIDE:", Kind::YesNo, F::DrawingGuide},
    {"_ANALOG:", Kind::YesNo, F::DrawingAnalog},
    {"_ANTIPOD:", Kind::YesNo, F::DrawingAntipode},
    {"_ATEACHER:", Kind::YesNo, F::DrawingOccultTeacher},
    {"_PLASM:", Kind::YesNo, F::DrawingPlasma},
};

// The values every registered source gives now.
std::map<LogField, LogValue> windowValues(const ErrorLogState& log) {
    std::map<LogField, LogValue> values;
    for (const auto& [id, snapshot] : log.sources)
        for (auto& [field, value] : snapshot()) values[field] = std::move(value);
    return values;
}

template <std::size_t N>
void appendLabelled(QStringList& lines, const LabelledLine (&table)[N],
                    const std::map<LogField, LogValue>& values, const Settings& settings) {
    for (const LabelledLine& line : table) {
        LogValue value = emptyValue(line.kind);
        if (const auto* field = std::get_if<LogField>(&line.source)) {
            const auto found = values.find(*field);
            if (found != values.end()) value = found->second;
        } else if (const auto* setting = std::get_if<LogValue (*)(const Settings&)>(&line.source)) {
            value = (*setting)(settings);
        }
        lines << QString::fromLatin1(line.label) + formatted(value);
    }
}

QString labelled(const char* label, long long value) {
    return QString::fromLatin1(label) + QString::number(value);
}

void appendDate(QStringList& lines, const GregorianDate& d) {
    lines << labelled("DAY:", d.day) << labelled("MONTH:", d.month) << labelled("YEAR:", d.year)
          << labelled("WEEK DAY:", d.weekDay);
}

void appendPosition(QStringList& lines, const MayanDate& m) {
    lines << labelled("KIN:", m.kin) << labelled("YEAR SIGN:", m.yearSign)
          << labelled("YEAR TONE:", m.yearTone) << labelled("CROMATIC:", m.cromatic)
          << labelled("VINAL:", m.vinal) << labelled("VINAL TONE:", m.vinalTone)
          << labelled("WEEK NUMBER:", m.weekNumber) << labelled("SIGN:", m.sign)
          << labelled("TONE:", m.tone) << labelled("PLASMA:", m.plasma)
          << labelled("MONTH DAY:", m.monthDay) << labelled("MONTH:", m.month)
          << labelled("MOON PHASE:", m.moonPhase);
}

// A program run from its build tree ("<build>/bin" beside "<build>/CMakeCache.txt").
bool runsFromBuildTree(const QString& folder) {
    return QFileInfo::exists(folder + QStringLiteral("/../CMakeCache.txt"));
}

QString stateFolder();

// Where a log may go, in order. The program's own folder only in a build tree: an installed
// program's folder is a system folder (writable for root), never a place for logs; the user's
// working folder, then the user's state folder take them instead.
QStringList errorLogFolders(const DataState& state) {
    const QString program = programFolder(state.errorLog);
    if (runsFromBuildTree(program)) return {program, state.folder.path()};
    return {state.folder.path(), stateFolder()};
}

// Creates errorlog<N>.err with the smallest free N in `folder`; false when it cannot be written.
bool writeLogInto(const QString& folder, const QStringList& lines) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    const QByteArray content = textFileContent(lines);
    for (int n = 1; n < 1'000'000; ++n) {
        QFile file(QDir(folder).filePath(QStringLiteral("errorlog%1.err").arg(n)));
        if (file.exists()) continue;
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists()) continue;  // another process took this number meanwhile
            return false;
        }
        const bool written = file.write(content) == content.size() && file.flush();
        file.close();
        if (!written) file.remove();
        return written;
    }
    return false;
}

ErrorDetails withReason(ErrorDetails details, const QString& reason) {
    if (reason.isEmpty()) return details;
    const auto empty = std::find_if(details.begin(), details.end(),
                                    [](const QString& detail) { return detail.isEmpty(); });
    if (empty != details.end()) *empty = reason;
    return details;
}

// Writes the log unless one was written in this run; false only when no folder could take it.
// The flag is set before the message is shown: a message box runs a nested event loop in which
// another failure may report again, and that one gives a message but no second log.
bool writeLogOnce(DataState& state, std::int32_t code, const QString& sender,
                  const ErrorDetails& details) {
    if (state.errorLog.logWritten || code == kErrorWriteAccess) return true;
    state.errorLog.logWritten = true;
    const QStringList lines = errorLogLines(state, code, sender, details, programNow(state.day));
    for (const QString& folder : errorLogFolders(state))
        if (writeLogInto(folder, lines)) return true;
    return false;
}

// "$XDG_STATE_HOME/orbisca" (by default "~/.local/state/orbisca"), made when missing.
QString stateFolder() {
    const QString configured = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(configured)
                             ? configured
                             : QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = base + QStringLiteral("/orbisca");
    QDir().mkpath(folder);
    return folder;
}

}  // namespace

QStringList errorLogLines(const DataState& state, std::int32_t code, const QString& sender,
                          const ErrorDetails& details, const QDateTime& now) {
    const CalendarState& calendar = state.day.calendar();
    const std::map<LogField, LogValue> values = windowValues(state.errorLog);
    QStringList lines;
    lines << "ERROR LOG"
          << " "
          << "DATE & TIME:" << now.toString(QStringLiteral("dd.MM.yyyy"))
          << now.toString(QStringLiteral("hh:mm:ss")) << " "
          << "GREGORIAN SYSTEM:";
    appendDate(lines, calendar.currentDate);
    lines << " "
          << "GREGORIAN TODAY:";
    appendDate(lines, calendar.today);
    lines << " "
          << "MAYAN SYSTEM:";
    appendPosition(lines, calendar.currentPosition);
    lines << " "
          << "ERROR SENDER:" + sender << labelled("ERROR CODE:", code) << " "
          << "SYSTEM VARIABLES:";
    appendLabelled(lines, kCompactLines, values, state.settings);
    lines << " "
          << "FULLMODE PARAMETERS:";
    appendLabelled(lines, kFullModeLines, values, state.settings);
    lines << " "
          << "LOCAL VARIABLES:";
    for (const QString& detail : details) lines << detail;
    lines << " "
          << "WORKING FOLDER:" + state.folder.path();
    return lines;
}

void reportError(DataState& state, std::int32_t code, const QString& sender,
                 const ErrorDetails& details, const QString& reason) {
    if (!writeLogOnce(state, code, sender, withReason(details, reason))) {
        state.notifier.notify(
            QStringLiteral("FATAL ERROR! FILE ACCESS LOCKED! PROGRAMM WILL BE CLOSED."));
        state.notifier.requestProgramEnd(1);
        return;
    }
    QString message = QStringLiteral("ERROR! ERROR CODE:%1").arg(code);
    if (!reason.isEmpty()) message += u'\n' + reason;
    state.notifier.notify(message);
}

void reportFatal(DataState& state, std::int32_t code, const QString& sender,
                 const ErrorDetails& details, const QString& reason) {
    reportError(state, code, sender, details, reason);
    state.notifier.requestProgramEnd(1);
}

void reportFatal(DataState& state, const FatalError& error) {
    reportFatal(state, error.code(), error.sender(), error.details(), error.reason());
}

bool catchFailures(DataState& state, const std::function<void()>& work,
                   const std::function<void(const QString& reason)>& otherFailure) {
    try {
        work();
        return true;
    } catch (const FatalError& e) {
        reportFatal(state, e);
    } catch (const std::exception& e) {
        otherFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        otherFailure(QStringLiteral("an unknown failure"));
    }
    return false;
}

bool reportFailures(DataState& state, std::int32_t code, const QString& sender,
                    const std::function<void()>& work) {
    return catchFailures(
        state, work, [&](const QString& reason) { reportFatal(state, code, sender, {}, reason); });
}

void LoadingLog::start(const QDateTime& now) {
    log_.start(state_.folder.resolve(QStringLiteral("Loading.log")));
    log_.append(QStringLiteral("StartTime=") + now.toString(QStringLiteral("hh:mm:ss")));
}

void LoadingLog::stepDone(const QString& step) { log_.append(step + QStringLiteral("=ok")); }

void LoadingLog::finish(const QDateTime& now) {
    log_.append(QStringLiteral("EndTime=") + now.toString(QStringLiteral("hh:mm:ss")));
    log_.close();
}

void LoadingLog::fail(const QString& reason) {
    log_.append(QStringLiteral("ERROR!!!"));
    log_.close();
    reportFatal(state_, kErrorStartUp, kSenderStartUp, {}, reason);
}

}  // namespace orbisca
