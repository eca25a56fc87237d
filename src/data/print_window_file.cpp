// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/print_window_file.h"

#include <QFileInfo>
#include <limits>

#include "data/atomic_file.h"
#include "data/data_error.h"
#include "data/data_state.h"
#include "data/input_limits.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {

const QString kWindowFile = QStringLiteral("WindWHP.dat");
const QString kLastScript = QStringLiteral("~last.spt");
constexpr int kWindowLines = 22;
constexpr std::int32_t kMaxSide = kMaxPictureSide;

QString flag(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

// Reads the lines in order. A line that does not hold a usable value is named in `problems` and
// leaves its value as it was (the default), so that one bad line costs no other.
class LineReader {
public:
    LineReader(const QStringList& lines, QStringList& problems)
        : lines_(lines), problems_(problems) {}
    void number(std::int32_t& into) {
        read(into, std::numeric_limits<std::int32_t>::min(),
             std::numeric_limits<std::int32_t>::max(), QString());
    }
    void positive(std::int32_t& into) {
        read(into, 1, std::numeric_limits<std::int32_t>::max(), QStringLiteral("a size"));
    }
    // Canvas sides and font heights within the largest picture side.
    void side(std::int32_t& into) { read(into, 1, kMaxSide, QStringLiteral("a canvas side")); }
    void fontHeight(std::int32_t& into) {
        read(into, -kMaxSide, kMaxSide, QStringLiteral("a font height"));
    }
    void colourValue(std::int32_t& into) { read(into, 0, 255, QStringLiteral("a colour value")); }
    void flag(bool& into) {
        if (const std::optional<QString> text = next()) into = *text == QLatin1String("1");
    }
    // The canvas as a whole, once both of its sides are read: both sides fall back together.
    void checkCanvas(std::int32_t& width, std::int32_t& height) {
        if (const std::optional<QString> problem = pictureSizeProblem(width, height)) {
            say(QStringLiteral("the canvas of ") + *problem);
            width = PrintWindowValues{}.canvasWidth;
            height = PrintWindowValues{}.canvasHeight;
        }
    }

private:
    // The value of the next line when it is a whole number from `low` to `high`; `what` names
    // the value in the message ("a colour value").
    void read(std::int32_t& into, std::int32_t low, std::int32_t high, const QString& what) {
        const std::optional<QString> text = next();
        if (!text) return;
        bool ok = false;
        const std::int32_t value = text->trimmed().toInt(&ok);
        const bool unbounded = high == std::numeric_limits<std::int32_t>::max();
        if (!ok)
            say(QStringLiteral("\"%1\" is not a whole number").arg(*text));
        else if (value < low || value > high)
            say(QStringLiteral("%1 is not %2 ").arg(value).arg(what) +
                (unbounded ? QStringLiteral("of at least %1").arg(low)
                           : QStringLiteral("from %1 to %2").arg(low).arg(high)));
        else
            into = value;
    }
    std::optional<QString> next() {
        ++index_;
        if (index_ <= lines_.size()) return lines_.at(index_ - 1);
        if (index_ == lines_.size() + 1)  // the missing lines are named once, at the first
            say(QStringLiteral("the line is missing (the file has %1 of %2 lines)")
                    .arg(lines_.size())
                    .arg(kWindowLines));
        return std::nullopt;
    }
    void say(const QString& why) {
        problems_ << QStringLiteral("%1 line %2: %3").arg(kWindowFile).arg(index_).arg(why);
    }
    const QStringList& lines_;
    QStringList& problems_;
    int index_ = 0;
};

}  // namespace

QStringList windowValueLines(const PrintWindowValues& v) {
    auto n = [](std::int32_t value) { return QString::number(value); };
    return {n(v.width),       n(v.height),         n(v.left),          n(v.top),
            n(v.setupLeft),   n(v.setupTop),       n(v.configLeft),    n(v.configTop),
            flag(v.easyMode), flag(v.textGraphic), flag(v.blackWhite), flag(v.autoOptimize),
            flag(v.autoBlur), n(v.sampleHeight),   n(v.backRed),       n(v.backGreen),
            n(v.backBlue),    n(v.textRed),        n(v.textGreen),     n(v.textBlue),
            n(v.canvasWidth), n(v.canvasHeight)};
}

PrintWindowValues parseWindowValues(const QStringList& lines, QStringList* problems) {
    QStringList found;
    LineReader in(lines, found);
    PrintWindowValues v;
    in.positive(v.width);
    in.positive(v.height);
    in.number(v.left);
    in.number(v.top);
    in.number(v.setupLeft);
    in.number(v.setupTop);
    in.number(v.configLeft);
    in.number(v.configTop);
    in.flag(v.easyMode);
    in.flag(v.textGraphic);
    in.flag(v.blackWhite);
    in.flag(v.autoOptimize);
    in.flag(v.autoBlur);
    in.fontHeight(v.sampleHeight);
    in.colourValue(v.backRed);
    in.colourValue(v.backGreen);
    in.colourValue(v.backBlue);
    in.colourValue(v.textRed);
    in.colourValue(v.textGreen);
    in.colourValue(v.textBlue);
    in.side(v.canvasWidth);
    in.side(v.canvasHeight);
    in.checkCanvas(v.canvasWidth, v.canvasHeight);
    if (problems) *problems = found;
    return v;
}

PrintWindowFiles loadPrintWindowFiles(DataState& state) {
    PrintWindowFiles result;
    const QString windowPath = state.folder.resolve(kWindowFile);
    if (QFileInfo::exists(windowPath)) {
        try {
            QStringList problems;
            result.values =
                parseWindowValues(requireTextLines(state.folder, kWindowFile), &problems);
            if (!problems.isEmpty())
                result.problem = problems.join(u'\n') + QStringLiteral(
                                                            "\nThe other lines are kept; the lines "
                                                            "named take their defaults.");
        } catch (const DataFileError& e) {  // the file cannot be read at all
            result.problem = e.message() + QStringLiteral("; the default window settings are used");
        }
        if (!result.problem.isEmpty()) state.notifier.notify(result.problem);
    }
    if (QFileInfo::exists(state.folder.resolve(kLastScript))) {
        QString error;
        const std::optional<TextLines> read =
            readTextFile(state.folder, kLastScript, &error, kMaxScriptBytes);
        result.lastScriptUnreadable = !read;
        if (read) {
            result.lastScript = read->lines;
            result.lastScriptFormat = read->format;
        } else {
            state.notifier.notify(error);
        }
    }
    return result;
}

namespace {

bool saveWindowFiles(DataState& state, const PrintWindowValues& values, const QStringList* script,
                     const TextFormat& scriptFormat) {
    const QString windowPath = state.folder.resolve(kWindowFile);
    const QString scriptPath = state.folder.resolve(kLastScript);
    QString error;
    // Neither file is written when one of them cannot be replaced (a folder or a pipe there).
    std::optional<QString> problem = replaceProblem(windowPath);
    if (!problem && script) problem = replaceProblem(scriptPath);
    if (problem) error = *problem;
    const bool ok =
        !problem &&
        writeFileAtomically(windowPath, textFileContent(windowValueLines(values)), &error,
                            state.beforeRename) &&
        (!script || writeFileAtomically(scriptPath, encodeTextLines(*script, scriptFormat), &error,
                                        state.beforeRename));
    if (!ok)
        state.notifier.notify(QStringLiteral("The print manager's settings could not be saved. ") +
                              error);
    return ok;
}

}  // namespace

bool savePrintWindowFiles(DataState& state, const PrintWindowValues& values,
                          const QStringList& script, const TextFormat& scriptFormat) {
    return saveWindowFiles(state, values, &script, scriptFormat);
}

bool savePrintWindowValues(DataState& state, const PrintWindowValues& values) {
    return saveWindowFiles(state, values, nullptr, TextFormat{});
}

}  // namespace orbisca
