// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/help_rects.h"

#include <QtEndian>
#include <cstdlib>
#include <optional>

#include "data/data_error.h"
#include "data/input_limits.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {
constexpr qsizetype kRecordSize = 16;
}

namespace {

// Why record `index` (from 0) is no field of the board: each is a rectangle with its left edge
// before its right and its top above its bottom, no farther from the board's corner than the
// largest picture is wide.
std::optional<QString> recordProblem(const HelpRect& r, int index) {
    const auto onBoard = [](std::int32_t v) { return std::abs(v) <= kMaxPictureSide; };
    if (onBoard(r.left) && onBoard(r.top) && onBoard(r.right) && onBoard(r.bottom) &&
        r.left < r.right && r.top < r.bottom)
        return std::nullopt;
    return QStringLiteral(
               "HRCT.dat record %1: %2 %3 %4 %5 is no field (left, top, right, bottom "
               "from -%6 to %6, left before right, top above bottom)")
        .arg(index + 1)
        .arg(r.left)
        .arg(r.top)
        .arg(r.right)
        .arg(r.bottom)
        .arg(kMaxPictureSide);
}

HelpRect recordAt(const QByteArray& content, qsizetype index) {
    const char* record = content.constData() + index * kRecordSize;
    return {qFromLittleEndian<std::int32_t>(record), qFromLittleEndian<std::int32_t>(record + 4),
            qFromLittleEndian<std::int32_t>(record + 8),
            qFromLittleEndian<std::int32_t>(record + 12)};
}

}  // namespace

std::array<HelpRect, kHelpRectCount> parseHelpRects(const QByteArray& content) {
    const qsizetype records = content.size() / kRecordSize;
    if (records < kHelpRectCount)
        throw DataFileError(
            QStringLiteral("HRCT.dat: %1 bytes hold %2 whole records; %3 are needed")
                .arg(content.size())
                .arg(records)
                .arg(kHelpRectCount));
    if (content.size() % kRecordSize != 0)
        throw DataFileError(QStringLiteral("HRCT.dat: %1 bytes are no whole number of records of "
                                           "four numbers (%2 bytes each)")
                                .arg(content.size())
                                .arg(kRecordSize));
    // Every record is checked, those after the 70th too: a file of other data is refused whole.
    for (qsizetype i = 0; i < records; ++i)
        if (const std::optional<QString> problem = recordProblem(recordAt(content, i), int(i)))
            throw DataFileError(*problem);
    std::array<HelpRect, kHelpRectCount> rects;
    for (int i = 0; i < kHelpRectCount; ++i) rects[i] = recordAt(content, i);
    return rects;
}

HelpRectsState loadHelpFields(const WorkingFolder& folder) {
    QString error;
    const std::optional<QByteArray> content = readRegularFile(
        folder.resolve(QStringLiteral("HRCT.dat")), QStringLiteral("HRCT.dat"), &error);
    if (!content) throw DataFileError(error);
    HelpRectsState loaded;
    loaded.rects = parseHelpRects(*content);
    const QStringList lines = requireTextLines(folder, QStringLiteral("Fieldhlp.ktx"));
    if (lines.size() < kHelpRectCount)
        throw DataFileError(QStringLiteral("Fieldhlp.ktx: %1 lines; %2 are needed")
                                .arg(lines.size())
                                .arg(kHelpRectCount));
    for (int i = 0; i < kHelpRectCount; ++i) loaded.texts[i] = lines[i];
    return loaded;
}

bool findHelpField(const HelpRectsState& state, std::int32_t x, std::int32_t y, QString& text) {
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
