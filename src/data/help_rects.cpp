#include "data/help_rects.h"

#include <QtEndian>

#include "data/data_error.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {
constexpr qsizetype kRecordSize = 16;
}

HelpRectsState& helpRectsState() {
    static HelpRectsState state;
    return state;
}

void resetHelpRectsState() { helpRectsState() = HelpRectsState{}; }

std::array<HelpRect, kHelpRectCount> parseHelpRects(const QByteArray& content) {
    const qsizetype records = content.size() / kRecordSize;
    if (records < kHelpRectCount)
        throw DataFileError(
            QStringLiteral("HRCT.dat: %1 bytes hold %2 whole records; %3 are needed")
                .arg(content.size())
                .arg(records)
                .arg(kHelpRectCount));
    std::array<HelpRect, kHelpRectCount> rects;
    for (int i = 0; i < kHelpRectCount; ++i) {
        const char* record = content.constData() + i * kRecordSize;
        rects[i] = {qFromLittleEndian<std::int32_t>(record),
                    qFromLittleEndian<std::int32_t>(record + 4),
                    qFromLittleEndian<std::int32_t>(record + 8),
                    qFromLittleEndian<std::int32_t>(record + 12)};
    }
    return rects;
}

void loadHelpFields() {
    QString error;
    const std::optional<QByteArray> content = readRegularFile(
        resolvePath(QStringLiteral("HRCT.dat")), QStringLiteral("HRCT.dat"), &error);
    if (!content) throw DataFileError(error);
    HelpRectsState loaded;
    loaded.rects = parseHelpRects(*content);
    const QStringList lines = requireTextLines(QStringLiteral("Fieldhlp.ktx"));
    if (lines.size() < kHelpRectCount)
        throw DataFileError(QStringLiteral("Fieldhlp.ktx: %1 lines; %2 are needed")
                                .arg(lines.size())
                                .arg(kHelpRectCount));
    for (int i = 0; i < kHelpRectCount; ++i) loaded.texts[i] = lines[i];
    helpRectsState() = loaded;
}

bool findHelpField(std::int32_t x, std::int32_t y, QString& text) {
    const HelpRectsState& state = helpRectsState();
    for (int i = 0; i < kHelpRectCount; ++i) {
        const HelpRect& r = state.rects[i];
        if (r.left < x && x < r.right && r.top < y && y < r.bottom) {
            text = state.texts[i];
            return true;
        }
    }
    return false;
}

QStringList hintLines(const QString& text) {
    QStringList lines;
    QString current;
    bool pendingSpace = false;
    int spacesInRow = 0;
    for (QChar c : text) {
        if (c == u' ') {
            ++spacesInRow;
            pendingSpace = spacesInRow % 2 == 1;
            if (!pendingSpace) {
                lines << current;
                current.clear();
            }
            continue;
        }
        if (pendingSpace) current += u' ';
        pendingSpace = false;
        spacesInRow = 0;
        current += c;
    }
    lines << current;
    return lines;
}

}  // namespace orbisca
