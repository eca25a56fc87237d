// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/izin.h"

#include <algorithm>
#include <array>

#include "data/text_file.h"
#include "views/full_mode_frame.h"

namespace orbisca {
namespace {

const char* const kIzinFile = "izinfo.dat";
const char* const kNumberFile = "iznum.dat";
constexpr int kPatternLength = 6;
constexpr int kHighestFigure = 64;
constexpr int kMarkStep = 7;
constexpr int kFirstMarkBelow = 42;

// A fault of a data file, told to the user the first time it is met (a view is painted again on
// every key and fade step).
void reportOnce(FullModeFrame& frame, const QString& message) {
    QSet<QString>& reported = frame.state().drawing.reportedDataFaults;
    if (reported.contains(message)) return;
    reported.insert(message);
    frame.data().notifier.notify(message);
}

QString malformedLine(const char* file, int line, const QString& text) {
    return QStringLiteral(
               "%1 line %2: \"%3\" is not an izin figure (six pattern characters, a "
               "separator and a number 1..64)")
        .arg(QLatin1String(file))
        .arg(line + 1)
        .arg(text);
}

}  // namespace

bool hasPvsign(int kin) {
    static constexpr std::array kPvsignKins = {20, 26,  30,  40,  57,  58, 60,
                                               87, 106, 132, 176, 211, 245};
    return std::find(kPvsignKins.begin(), kPvsignKins.end(), kin) != kPvsignKins.end();
}

void drawKinMarks(FullModeFrame& frame, int kin, int x, int y) {
    if (kin == 78) frame.drawElement(x, y, kinds::kKin78Mark, false);
    if (hasPvsign(kin)) frame.drawElement(x, y, kinds::kPvsignMark, false);
}

std::optional<int> izinYear(int yearSign, int yearTone) {
    // Each year sign holds every fourth izin year, at the year tones listed (0: none); the
    // seventeen years run through the four signs in turn.
    struct SignYears {
        int sign;
        std::array<int, 5> tones;
        int firstYear;
    };
    static constexpr std::array<SignYears, 4> kYears = {{{4, {5, 9, 13, 4, 8}, 0},
                                                         {9, {6, 10, 1, 5, 0}, 1},
                                                         {14, {7, 11, 2, 6, 0}, 2},
                                                         {19, {8, 12, 3, 7, 0}, 3}}};
    for (const SignYears& s : kYears) {
        if (s.sign != yearSign) continue;
        for (int i = 0; i < 5; ++i)
            if (yearTone != 0 && s.tones[std::size_t(i)] == yearTone) return s.firstYear + 4 * i;
    }
    return std::nullopt;
}

std::optional<IzinFigure> parseIzinLine(const QString& line) {
    if (line.size() != kPatternLength + 2 && line.size() != kPatternLength + 3) return std::nullopt;
    for (int i = 0; i < kPatternLength; ++i)
        if (line[i].isSpace()) return std::nullopt;
    const QStringView digits = QStringView(line).mid(kPatternLength + 1);
    int number = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        number = 10 * number + (c.unicode() - '0');
    }
    if (number < 1 || number > kHighestFigure) return std::nullopt;
    return IzinFigure{line.left(kPatternLength), number};
}

std::optional<IzinFigure> izinFigureOfWeek(FullModeFrame& frame, std::optional<int> year,
                                           int week) {
    if (!year || week < 0 || week >= kIzinWeeks) return std::nullopt;
    const int lineNumber = kIzinWeeks * *year + week;
    const QString line =
        readDatabaseLine(frame.data().folder, lineNumber, QLatin1String(kIzinFile));
    if (line.isEmpty()) return std::nullopt;
    std::optional<IzinFigure> figure = parseIzinLine(line);
    if (!figure) reportOnce(frame, malformedLine(kIzinFile, lineNumber, line));
    return figure;
}

int drawIzinStack(FullModeFrame& frame, const IzinFigure& figure, int x, int y, int count) {
    count = std::clamp(count, 0, kPatternLength);
    for (int i = 0; i < count; ++i)
        frame.drawElement(x, y + kFirstMarkBelow - kMarkStep * i,
                          kinds::kIzinLines.kindOf(figure.pattern[i] == QLatin1Char('1') ? 1 : 0),
                          false);
    return figure.number;
}

QString izinNumberText(FullModeFrame& frame, const IzinFigure& figure) {
    const QStringList lines = requireTextLines(frame.data().folder, QLatin1String(kNumberFile));
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        const std::optional<IzinFigure> entry = parseIzinLine(lines[i]);
        if (!entry) {
            reportOnce(frame, malformedLine(kNumberFile, i, lines[i]));
            continue;
        }
        if (entry->pattern == figure.pattern) return QString::number(entry->number);
    }
    return QStringLiteral("Error1");
}

}  // namespace orbisca
