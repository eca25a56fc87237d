#include "data/conf_file.h"

#include <algorithm>
#include <optional>

#include "data/atomic_file.h"
#include "data/notifier.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {
const QString kConfFile = QStringLiteral("conf.dat");

struct BadLine {
    QString message;
};

std::int32_t numberAt(const QStringList& lines, int index) {
    const QString text = lines.value(index);
    bool ok = false;
    const std::int32_t value = text.trimmed().toInt(&ok);
    if (!ok) throw BadLine{QStringLiteral("\"%1\" is not a whole number").arg(text)};
    return value;
}

std::int32_t entryAt(const QStringList& lines, int index, int entries) {
    const std::int32_t value = numberAt(lines, index);
    if (value < -1 || value >= entries)
        throw BadLine{QStringLiteral("entry %1 is not in the list of %2").arg(value).arg(entries)};
    return value;
}

// Fills the model line by line, so that a bad line leaves the lines before it read.
void readInto(ConfigModel& m, const QStringList& lines) {
    int line = 0;
    try {
        m.cb2 = stob(lines.value(line++));
        m.cb3 = stob(lines.value(line++));
        m.cb4 = stob(lines.value(line++));
        m.cb5 = stob(lines.value(line++));
        m.cb1 = stob(lines.value(line++));
        m.sp = std::clamp(numberAt(lines, line++), kSpinMin, kSpinMax);
        m.cb6 = stob(lines.value(line++));
        m.glyphFont = lines.value(line++);
        m.helppages = numberAt(lines, line++);
        m.cb7 = stob(lines.value(line++));
        m.cb8 = stob(lines.value(line++));
        m.cb9 = stob(lines.value(line++));
        m.cb10 = stob(lines.value(line++));
        m.com1Index = entryAt(lines, line++, kDateFormatEntries);
        m.com2Index = entryAt(lines, line++, kMoonEntries);
    } catch (const BadLine& bad) {
        throw BadLine{QStringLiteral("conf.dat line %1: %2").arg(line).arg(bad.message)};
    }
}

}  // namespace

ConfigModel& configModel() {
    static ConfigModel model;
    return model;
}

void resetConfigModel() { configModel() = ConfigModel{}; }

QString btos(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }

bool stob(const QString& text) { return text == QLatin1String("Y"); }

ConfigLoad load(ConfigModel& model, Settings& target) {
    QString error;
    const std::optional<QStringList> lines = readTextLines(kConfFile, &error);
    if (!lines) {
        notify(QStringLiteral("Error. Configuration file not exists!"));
        assignv(model, target);
        return ConfigLoad::Missing;
    }
    try {
        readInto(model, *lines);
    } catch (const BadLine& bad) {
        notify(bad.message);
        return ConfigLoad::Malformed;
    }
    assignv(model, target);
    return ConfigLoad::Loaded;
}

bool save(const ConfigModel& m) {
    const QStringList lines = {btos(m.cb2),
                               btos(m.cb3),
                               btos(m.cb4),
                               btos(m.cb5),
                               btos(m.cb1),
                               QString::number(m.sp),
                               btos(m.cb6),
                               m.glyphFont,
                               QString::number(m.helppages),
                               btos(m.cb7),
                               btos(m.cb8),
                               btos(m.cb9),
                               btos(m.cb10),
                               QString::number(m.com1Index),
                               QString::number(m.com2Index)};
    QString error;
    if (writeFileAtomically(resolvePath(kConfFile), textFileContent(lines), &error)) return true;
    notify(QStringLiteral("The configuration could not be saved. ") + error);
    return false;
}

void assignv(const ConfigModel& m, Settings& s) {
    s._Yline = m.cb3;
    s._Yshine = m.cb2;
    s._Yfigure = m.cb4;
    s._Sfigure = m.cb5;
    s._SFX = m.cb1;
    s._spconst = m.sp;
    s._Swapbtn = m.cb6;
    s.three_turtles = m.cb10;
    s.greg_views = m.cb9;
    s.glyphFont = m.glyphFont;
    s.helppages = m.helppages;
    s.greg_day = m.cb8;
    s.greg_izin = m.cb7;
    s.moon_flag = m.com2Index == 0;
    s.showgreg = true;
    if (m.com1Index < 6)
        s.datefmt = m.com1Index;
    else
        s.showgreg = false;
    if (!s._SFX) s._spconst = 0;
}

}  // namespace orbisca
