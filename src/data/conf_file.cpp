// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/conf_file.h"

#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "data/atomic_file.h"
#include "data/data_state.h"
#include "data/file_kind.h"
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
    QString name;  // the setting's name on orbisca-cli's command line
    std::function<void(Settings&, const QString&)> read;
    std::function<QString(const Settings&)> write;
    bool yesOrNo = false;  // a switch: the file reads any text but "Y" as N
};

ConfLine switchLine(const char* name, bool Settings::*field) {
    return {QLatin1String(name),
            [field](Settings& s, const QString& text) { s.*field = isYes(text); },
            [field](const Settings& s) { return yesNo(s.*field); }, true};
}

ConfLine textLine(const char* name, QString Settings::*field) {
    return {QLatin1String(name), [field](Settings& s, const QString& text) { s.*field = text; },
            [field](const Settings& s) { return s.*field; }};
}

ConfLine numberLine(const char* name, std::int32_t Settings::*field,
                    std::function<std::int32_t(const QString&)> parse = numberIn) {
    return {QLatin1String(name),
            [field, parse](Settings& s, const QString& text) { s.*field = parse(text); },
            [field](const Settings& s) { return QString::number(s.*field); }};
}

// A number taken to the nearer end of low..high.
ConfLine boundedLine(const char* name, std::int32_t Settings::*field, int low, int high) {
    return numberLine(name, field, [low, high](const QString& text) {
        return std::clamp(numberIn(text), low, high);
    });
}

ConfLine entryLine(const char* name, std::int32_t Settings::*field, int entries) {
    return numberLine(name, field,
                      [entries](const QString& text) { return entryIn(text, entries); });
}

const std::vector<ConfLine>& confLines() {
    static const std::vector<ConfLine> lines = {
        switchLine("year_shine", &Settings::yearShine),
        switchLine("year_line", &Settings::yearLine),
        switchLine("year_icon", &Settings::yearDayIcon),
        switchLine("castle_icon", &Settings::castleDayIcon),
        switchLine("transition", &Settings::useTransition),
        boundedLine("speed", &Settings::transitionSpeed, kTransitionSpeedMin, kTransitionSpeedMax),
        switchLine("swap_keys", &Settings::swapDayKeys),
        textLine("glyph_font", &Settings::glyphFont),
        boundedLine("help_pages", &Settings::helpPages, kHelpPagesMin, kHelpPagesMax),
        switchLine("greg_izin", &Settings::gregorianOnKinBook),
        switchLine("greg_day", &Settings::gregorianOnDay),
        switchLine("greg_views", &Settings::gregorianInViews),
        switchLine("three_turtles", &Settings::threeTurtles),
        entryLine("date_format", &Settings::dateFormatEntry, kDateFormatEntries),
        entryLine("moon", &Settings::moonEntry, kMoonEntries),
        // Our own lines after the fifteen that older versions read.
        textLine("language", &Settings::language),
        switchLine("tray", &Settings::showInTray),
        switchLine("notify", &Settings::notifyNewDay),
        switchLine("autostart", &Settings::startWithDesktop),
    };
    return lines;
}

}  // namespace

QStringList confFileLines(const Settings& s) {
    QStringList lines;
    for (const ConfLine& line : confLines()) lines << line.write(s);
    // Our own lines are written only up to the last one that differs from its default, so that
    // the file of a user who never set them stays the fifteen lines every version reads.
    const Settings defaults;
    while (lines.size() > kSharedConfLines &&
           lines.last() == confLines()[std::size_t(lines.size() - 1)].write(defaults))
        lines.removeLast();
    return lines;
}

ConfigLoad readConfFile(DataState& state, Settings& into) {
    QString error;
    const std::optional<QStringList> lines = readSettingsLines(state.folder, kConfFile, &error);
    if (!lines) {
        if (fileKindOf(state.folder.resolve(kConfFile)) == FileKind::Missing) {
            state.notifier.notify(QStringLiteral("Error. Configuration file not exists!"));
            return ConfigLoad::Missing;
        }
        // A file that is there but cannot be used says what is wrong with it.
        state.notifier.notify(QStringLiteral("Error. Configuration file cannot be read! ") + error);
        return ConfigLoad::Unreadable;
    }
    // Every line is read: a bad one keeps its setting and is named, the others still count, so
    // that a later save does not replace the lines after it with stale values.
    QStringList problems;
    int number = 0;
    for (const ConfLine& line : confLines()) {
        ++number;
        // A file of an older version, or one that ends before our own lines, keeps them as they
        // are (the language chosen stays).
        if (number > kSharedConfLines && number > lines->size()) break;
        try {
            line.read(into, lines->value(number - 1));
        } catch (const BadLine& bad) {
            problems << QStringLiteral("conf.dat line %1: %2").arg(number).arg(bad.message);
        }
    }
    into.helpPages = limitHelpPages(state.folder, into.helpPages);
    const QString report = problems.join(u'\n');
    if (std::exchange(state.confRead.lastMalformedReport, report) != report && !report.isEmpty())
        state.notifier.notify(report);
    return problems.isEmpty() ? ConfigLoad::Loaded : ConfigLoad::Malformed;
}

std::optional<QString> confLanguage(const WorkingFolder& folder) {
    const std::optional<QStringList> lines = readSettingsLines(folder, kConfFile);
    if (!lines || lines->size() <= kSharedConfLines) return std::nullopt;
    return lines->at(kSharedConfLines);
}

int limitHelpPages(const WorkingFolder& folder, std::int32_t pages) {
    int available = 0;
    while (available < kHelpPagesMax &&
           QFileInfo::exists(folder.resolve(QStringLiteral("hlp%1.ktx").arg(available + 1))))
        ++available;
    return std::clamp(pages, 0, available);
}

QStringList settingNames() {
    QStringList names;
    for (const ConfLine& line : confLines()) names << line.name;
    return names;
}

bool applySetting(Settings& into, const QString& name, const QString& value, QString* error) {
    for (const ConfLine& line : confLines()) {
        if (line.name != name) continue;
        // A value given by hand is meant: "1" or "yes" for a switch is refused instead of
        // quietly reading as N, as it would in the file.
        if (line.yesOrNo && value != yesNo(true) && value != yesNo(false)) {
            if (error) *error = QStringLiteral("%1: \"%2\" is neither Y nor N").arg(name, value);
            return false;
        }
        try {
            line.read(into, value);
            return true;
        } catch (const BadLine& bad) {
            if (error) *error = name + ": " + bad.message;
            return false;
        }
    }
    if (error)
        *error = QStringLiteral("no setting is called \"%1\" (settings: %2)")
                     .arg(name, settingNames().join(QStringLiteral(", ")));
    return false;
}

ConfigLoad loadSettings(DataState& state) {
    Settings read = state.settings;
    const ConfigLoad result = readConfFile(state, read);
    if (result != ConfigLoad::Missing) state.settings = read;
    return result;
}

bool saveSettings(DataState& state, const Settings& s) {
    QString error;
    if (writeFileAtomically(state.folder.resolve(kConfFile), textFileContent(confFileLines(s)),
                            &error, state.beforeRename))
        return true;
    state.notifier.notify(QStringLiteral("The configuration could not be saved. ") + error);
    return false;
}

}  // namespace orbisca
