#include "data/error_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <chrono>
#include <mutex>

#include "calendar/calendar_state.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/working_folder.h"

namespace orbisca {

ErrorLogState& errorLogState() {
    static ErrorLogState state;
    return state;
}

void resetErrorLogState() { errorLogState() = ErrorLogState{}; }

QString programFolder() {
    const QString& chosen = errorLogState().programFolder;
    if (!chosen.isEmpty()) return chosen;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QDateTime programNow() {
    const auto now = calendarState().clock();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms);
}

namespace {

QString yesNo(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }
QString labelled(const char* label, long long value) {
    return QString::fromLatin1(label) + QString::number(value);
}
QString labelled(const char* label, bool value) {
    return QString::fromLatin1(label) + yesNo(value);
}
QString labelled(const char* label, double value) {
    return QString::fromLatin1(label) + QString::number(value, 'g', 15);
}

void appendDate(QStringList& lines, const GregorianDate& d) {
    lines << labelled("DAY:", (long long)d.day) << labelled("MONTH:", (long long)d.month)
          << labelled("YEAR:", (long long)d.year) << labelled("WEEK DAY:", (long long)d.weekDay);
}

void appendPosition(QStringList& lines, const MayanDate& m) {
    lines << labelled("KIN:", (long long)m.kin) << labelled("YEAR SIGN:", (long long)m.yearSign)
          << labelled("YEAR TONE:", (long long)m.yearTone)
          << labelled("CROMATIC:", (long long)m.cromatic) << labelled("VINAL:", (long long)m.vinal)
          << labelled("VINAL TONE:", (long long)m.vinalTone)
          << labelled("WEEK NUMBER:", (long long)m.weekNumber)
          << labelled("SIGN:", (long long)m.sign) << labelled("TONE:", (long long)m.tone)
          << labelled("PLASMA:", (long long)m.plasma)
          << labelled("MONTH DAY:", (long long)m.monthDay) << labelled("MONTH:", (long long)m.month)
          << labelled("MOON PHASE:", (long long)m.moonPhase);
}

void appendCompactState(QStringList& lines, const CompactState& c) {
    lines << labelled("STATE:", (long long)c.STATE) << labelled("modeF:", (long long)c.modeF)
          << labelled("xm:", (long long)c.xm) << labelled("ym:", (long long)c.ym)
          << labelled("sym:", (long long)c.sym) << labelled("move:", c.move)
          << labelled("moved:", c.moved) << labelled("closed:", c.closed);
}

// The two unlabelled text lines are the configured glyph font and the hint shown last.
void appendFullModeState(QStringList& lines, const FullModeState& f, const Settings& s) {
    lines << labelled("FULLMODE STATE:", (long long)f.fmstate) << labelled("rx:", (long long)f.rx)
          << labelled("pb2ys:", (long long)f.pb2ys) << labelled("pb2yt:", (long long)f.pb2yt)
          << labelled("DOTS:", (long long)f.DOTS) << labelled("DOTT:", (long long)f.DOTT)
          << labelled("DOTC:", (long long)f.DOTC) << labelled("USEPB2:", f.USEPB2)
          << labelled("rightallign:", f.rightallign) << labelled("_trc:", (long long)f._trc)
          << labelled("_newstate:", (long long)f._newstate) << labelled("spin:", (long long)f.spin)
          << labelled("t1:", f.t1) << labelled("t2:", f.t2)
          << labelled("_pfont:", (long long)f._pfont) << labelled("_Yline:", s._Yline)
          << labelled("_Yshine:", s._Yshine) << labelled("_Yfigure:", s._Yfigure)
          << labelled("_Sfigure:", s._Sfigure) << s.glyphFont << labelled("_SFX:", s._SFX)
          << f.lasthint << labelled("_spconst:", (long long)s._spconst)
          << labelled("_Swapbtn:", s._Swapbtn) << labelled("_Export:", f._Export)
          << labelled("_TEXTGRAPHIC:", f._TEXTGRAPHIC)
          << labelled("_expstate:", (long long)f._expstate) << labelled("_teldrawed:", f._teldrawed)
          << labelled("phx:", (long long)f.phx) << labelled("phy:", (long long)f.phy)
          << labelled("_KIN:", f._KIN) << labelled("_TONE:", f._TONE)
          << labelled("_GUIDE:", f._GUIDE) << labelled("_ANALOG:", f._ANALOG)
          << labelled("_ANTIPOD:", f._ANTIPOD) << labelled("_ATEACHER:", f._ATEACHER)
          << labelled("_PLASM:", f._PLASM);
}

// Creates errorlog<N>.err with the smallest free N in `folder`; false when it cannot be written.
bool writeLogInto(const QString& folder, const QStringList& lines) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    QByteArray content;
    for (const QString& line : lines) content.append(line.toUtf8()).append('\n');
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

}  // namespace

QStringList errorLogLines(std::int32_t code, const QString& sender, const ErrorDetails& details,
                          const QDateTime& now) {
    const CalendarState& calendar = calendarState();
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
          << "ERROR SENDER:" + sender << labelled("ERROR CODE:", (long long)code) << " "
          << "SYSTEM VARIABLES:";
    appendCompactState(lines, compactState());
    lines << " "
          << "FULLMODE PARAMETERS:";
    appendFullModeState(lines, fullModeState(), settings());
    lines << " "
          << "LOCAL VARIABLES:";
    for (const QString& detail : details) lines << detail;
    return lines;
}

namespace {

// Writes the log unless one was written in this run; false only when no folder could take it.
// The lock covers the file only: a message box shown afterwards may run a nested event loop in
// which another failure reports again.
bool writeLogOnce(std::int32_t code, const QString& sender, const ErrorDetails& details) {
    static std::mutex logMutex;  // the shaped-window loader may fail on its own thread
    std::lock_guard lock(logMutex);
    ErrorLogState& state = errorLogState();
    if (state.logWritten || code == kErrorWriteAccess) return true;
    state.logWritten = true;
    const QStringList lines = errorLogLines(code, sender, details, programNow());
    // An installed program's folder is usually not writable: the working folder takes the log then.
    return writeLogInto(programFolder(), lines) || writeLogInto(workingFolder(), lines);
}

}  // namespace

bool writeerror(std::int32_t code, const QString& sender, const ErrorDetails& details) {
    if (!writeLogOnce(code, sender, details)) {
        notify(QStringLiteral("FATAL ERROR! FILE ACCESS LOCKED! PROGRAMM WILL BE CLOSED."));
        requestProgramEnd(1);
        return false;
    }
    notify(QStringLiteral("ERROR! ERROR CODE:%1").arg(code));
    return true;
}

void LoadingLog::start(const QDateTime& now) {
    log_.start(resolvePath(QStringLiteral("Loading.log")));
    log_.append(QStringLiteral("StartTime=") + now.toString(QStringLiteral("hh:mm:ss")));
}

void LoadingLog::stepDone(const QString& step) { log_.append(step + QStringLiteral("=ok")); }

void LoadingLog::finish(const QDateTime& now) {
    log_.append(QStringLiteral("EndTime=") + now.toString(QStringLiteral("hh:mm:ss")));
    log_.close();
}

bool LoadingLog::fail() {
    log_.append(QStringLiteral("ERROR!!!"));
    log_.close();
    return writeerror(kErrorStartUp, QStringLiteral("orbisca window"));
}

}  // namespace orbisca
