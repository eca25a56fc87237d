#include "data/conf_file.h"

#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

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

QString yesNo(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }

// Only exactly "Y" is true: "y", "Yes" and an empty line are false.
bool isYes(const QString& text) { return text == QLatin1String("Y"); }

std::int32_t numberIn(const QString& text) {
    bool ok = false;
    const std::int32_t value = text.trimmed().toInt(&ok);
    if (!ok) throw BadLine{QStringLiteral("\"%1\" is not a whole number").arg(text)};
    return value;
}

std::int32_t entryIn(const QString& text, int entries) {
    const std::int32_t value = numberIn(text);
    if (value < -1 || value >= entries)
        throw BadLine{QStringLiteral("entry %1 is not in the list of %2").arg(value).arg(entries)};
    return value;
}

// One line of the file and the setting it holds: reading and writing share one table.
struct ConfLine {
    std::function<void(Settings&, const QString&)> read;
    std::function<QString(const Settings&)> write;
};

ConfLine switchLine(bool Settings::*field) {
    return {[field](Settings& s, const QString& text) { s.*field = isYes(text); },
            [field](const Settings& s) { return yesNo(s.*field); }};
}

ConfLine numberLine(std::int32_t Settings::*field,
                    std::function<std::int32_t(const QString&)> parse = numberIn) {
    return {[field, parse](Settings& s, const QString& text) { s.*field = parse(text); },
            [field](const Settings& s) { return QString::number(s.*field); }};
}

ConfLine entryLine(std::int32_t Settings::*field, int entries) {
    return numberLine(field, [entries](const QString& text) { return entryIn(text, entries); });
}

const std::vector<ConfLine>& confLines() {
    static const std::vector<ConfLine> lines = {
        switchLine(&Settings::yearShine),
        switchLine(&Settings::yearLine),
        switchLine(&Settings::yearDayIcon),
        switchLine(&Settings::castleDayIcon),
        switchLine(&Settings::useTransition),
        numberLine(&Settings::transitionSpeed,
                   [](const QString& text) {
                       return std::clamp(numberIn(text), kTransitionSpeedMin, kTransitionSpeedMax);
                   }),
        switchLine(&Settings::swapDayKeys),
        {[](Settings& s, const QString& text) { s.glyphFont = text; },
         [](const Settings& s) { return s.glyphFont; }},
        numberLine(&Settings::helpPages),
        switchLine(&Settings::gregorianOnIzin),
        switchLine(&Settings::gregorianOnDay),
        switchLine(&Settings::gregorianInViews),
        switchLine(&Settings::threeTurtles),
        entryLine(&Settings::dateFormatEntry, kDateFormatEntries),
        entryLine(&Settings::moonEntry, kMoonEntries),
    };
    return lines;
}

}  // namespace

Settings& settings() {
    static Settings inForce;
    return inForce;
}

void resetSettings() { settings() = Settings{}; }

QStringList confFileLines(const Settings& s) {
    QStringList lines;
    for (const ConfLine& line : confLines()) lines << line.write(s);
    return lines;
}

ConfigLoad readConfFile(Settings& into) {
    QString error;
    const std::optional<QStringList> lines = readTextLines(kConfFile, &error);
    if (!lines) {
        notify(QStringLiteral("Error. Configuration file not exists!"));
        return ConfigLoad::Missing;
    }
    // Every line is read: a bad one keeps its setting and is named, the others still count, so
    // that a later save does not replace the lines after it with stale values.
    QStringList problems;
    int number = 0;
    for (const ConfLine& line : confLines()) {
        ++number;
        try {
            line.read(into, lines->value(number - 1));
        } catch (const BadLine& bad) {
            problems << QStringLiteral("conf.dat line %1: %2").arg(number).arg(bad.message);
        }
    }
    into.helpPages = limitHelpPages(into.helpPages);
    if (problems.isEmpty()) return ConfigLoad::Loaded;
    notify(problems.join(u'\n'));
    return ConfigLoad::Malformed;
}

int limitHelpPages(std::int32_t pages) {
    int available = 0;
    while (available < kHelpPagesMax &&
           QFileInfo::exists(resolvePath(QStringLiteral("hlp%1.ktx").arg(available + 1))))
        ++available;
    return std::clamp(pages, 0, available);
}

ConfigLoad loadSettings() {
    Settings read = settings();
    const ConfigLoad result = readConfFile(read);
    if (result != ConfigLoad::Missing) settings() = read;
    return result;
}

bool saveSettings(const Settings& s) {
    QString error;
    if (writeFileAtomically(resolvePath(kConfFile), textFileContent(confFileLines(s)), &error))
        return true;
    notify(QStringLiteral("The configuration could not be saved. ") + error);
    return false;
}

}  // namespace orbisca
