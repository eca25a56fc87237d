// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/script_file.h"

#include "data/atomic_file.h"
#include "data/input_limits.h"
#include "data/text_file.h"
#include "printpage/print_page.h"

namespace orbisca {

QStringList scriptFileLines(const QStringList& script, const QStringList& yearPage) {
    const QStringList& kept = holdsYearPage(script) ? yearPage : QStringList();
    if (kept.isEmpty() && !script.contains(kYearLinesHeader)) return script;
    return script + QStringList{kYearLinesHeader} + kept;
}

ScriptFileContent splitScriptFile(const QStringList& lines) {
    const qsizetype header = lines.lastIndexOf(kYearLinesHeader);
    if (header < 0) return {lines, {}, {}};
    return {lines.first(header), lines.sliced(header + 1), {}};
}

std::optional<ScriptFileContent> readScriptFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = readRegularFile(
        path, QStringLiteral("The script \"%1\"").arg(path), error, kMaxScriptBytes);
    if (!bytes) return std::nullopt;
    QString why;
    const std::optional<DecodedText> decoded = decodeTextFile(*bytes, &why);
    if (!decoded) {
        if (error) *error = QStringLiteral("The script \"%1\": %2").arg(path, why);
        return std::nullopt;
    }
    ScriptFileContent content = splitScriptFile(splitTextLines(decoded->text));
    content.format = decoded->format;
    return content;
}

bool writeScriptFile(const QString& path, const QStringList& script, const QStringList& yearPage,
                     const TextFormat& format, QString* error) {
    return writeFileAtomically(path, encodeTextLines(scriptFileLines(script, yearPage), format),
                               error);
}

}  // namespace orbisca
