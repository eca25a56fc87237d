#include "data/print_window_file.h"

#include <QFileInfo>

#include "data/atomic_file.h"
#include "data/data_error.h"
#include "data/input_limits.h"
#include "data/notifier.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {

const QString kWindowFile = QStringLiteral("WindWHP.dat");
const QString kLastScript = QStringLiteral("~last.spt");
constexpr int kWindowLines = 22;
constexpr std::int32_t kMaxSide = kMaxPictureSide;

QString flag(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

class LineReader {
public:
    explicit LineReader(const QStringList& lines) : lines_(lines) {}
    std::int32_t number() {
        const QString text = next();
        bool ok = false;
        const std::int32_t value = text.trimmed().toInt(&ok);
        if (!ok) fail(QStringLiteral("\"%1\" is not a whole number").arg(text));
        return value;
    }
    std::int32_t positive() {
        const std::int32_t value = number();
        if (value < 1) fail(QStringLiteral("%1 is not a size of at least 1").arg(value));
        return value;
    }
    // Canvas sides and font heights within the largest picture side.
    std::int32_t side() {
        const std::int32_t value = number();
        if (value < 1 || value > kMaxSide)
            fail(QStringLiteral("%1 is not a canvas side from 1 to %2").arg(value).arg(kMaxSide));
        return value;
    }
    std::int32_t fontHeight() {
        const std::int32_t value = number();
        if (value < -kMaxSide || value > kMaxSide)
            fail(QStringLiteral("%1 is not a font height from -%2 to %2").arg(value).arg(kMaxSide));
        return value;
    }
    std::int32_t colourValue() {
        const std::int32_t value = number();
        if (value < 0 || value > 255)
            fail(QStringLiteral("%1 is not a colour value from 0 to 255").arg(value));
        return value;
    }
    bool flag() { return next() == QLatin1String("1"); }
    // The canvas as a whole, once both of its sides are read.
    void checkCanvas(std::int32_t width, std::int32_t height) const {
        if (const std::optional<QString> problem = pictureSizeProblem(width, height))
            fail(QStringLiteral("the canvas of ") + *problem);
    }

private:
    QString next() {
        if (index_ >= lines_.size()) {
            ++index_;
            fail(QStringLiteral("the line is missing (the file has %1 of %2 lines)")
                     .arg(lines_.size())
                     .arg(kWindowLines));
        }
        return lines_.at(index_++);
    }
    [[noreturn]] void fail(const QString& why) const {
        throw DataFileError(QStringLiteral("%1 line %2: %3").arg(kWindowFile).arg(index_).arg(why));
    }
    const QStringList& lines_;
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

PrintWindowValues parseWindowValues(const QStringList& lines) {
    LineReader in(lines);
    PrintWindowValues v;
    v.width = in.positive();
    v.height = in.positive();
    v.left = in.number();
    v.top = in.number();
    v.setupLeft = in.number();
    v.setupTop = in.number();
    v.configLeft = in.number();
    v.configTop = in.number();
    v.easyMode = in.flag();
    v.textGraphic = in.flag();
    v.blackWhite = in.flag();
    v.autoOptimize = in.flag();
    v.autoBlur = in.flag();
    v.sampleHeight = in.fontHeight();
    v.backRed = in.colourValue();
    v.backGreen = in.colourValue();
    v.backBlue = in.colourValue();
    v.textRed = in.colourValue();
    v.textGreen = in.colourValue();
    v.textBlue = in.colourValue();
    v.canvasWidth = in.side();
    v.canvasHeight = in.side();
    in.checkCanvas(v.canvasWidth, v.canvasHeight);
    return v;
}

PrintWindowFiles loadPrintWindowFiles() {
    PrintWindowFiles result;
    const QString windowPath = resolvePath(kWindowFile);
    if (QFileInfo::exists(windowPath)) {
        try {
            result.values = parseWindowValues(requireTextLines(kWindowFile));
        } catch (const DataFileError& e) {
            result.values = PrintWindowValues{};
            result.problem = e.message() + QStringLiteral("; the default window settings are used");
            notify(result.problem);
        }
    }
    if (QFileInfo::exists(resolvePath(kLastScript))) {
        QString error;
        result.lastScript = readTextLines(kLastScript, &error, kMaxScriptBytes);
        result.lastScriptUnreadable = !result.lastScript;
        if (!result.lastScript) notify(error);
    }
    return result;
}

namespace {

bool saveWindowFiles(const PrintWindowValues& values, const QStringList* script) {
    const QString windowPath = resolvePath(kWindowFile);
    const QString scriptPath = resolvePath(kLastScript);
    QString error;
    // Neither file is written when one of them cannot be replaced (a folder or a pipe there).
    std::optional<QString> problem = replaceProblem(windowPath);
    if (!problem && script) problem = replaceProblem(scriptPath);
    if (problem) error = *problem;
    const bool ok =
        !problem &&
        writeFileAtomically(windowPath, textFileContent(windowValueLines(values)), &error) &&
        (!script || writeFileAtomically(scriptPath, textFileContent(*script), &error));
    if (!ok) notify(QStringLiteral("The print manager's settings could not be saved. ") + error);
    return ok;
}

}  // namespace

bool savePrintWindowFiles(const PrintWindowValues& values, const QStringList& script) {
    return saveWindowFiles(values, &script);
}

bool savePrintWindowValues(const PrintWindowValues& values) {
    return saveWindowFiles(values, nullptr);
}

}  // namespace orbisca
