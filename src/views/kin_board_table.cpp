// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/kin_board_table.h"

#include <QRect>

#include "data/data_error.h"
#include "data/text_file.h"
#include "views/full_mode_frame.h"

namespace orbisca {
namespace {

const char* const kTableFile = "tech.dat";

QString fault(const QString& what) { return QLatin1String(kTableFile) + what; }

int wholeNumber(const QStringList& lines, int i) {
    bool ok = false;
    const int n = lines[i].trimmed().toInt(&ok, 10);
    if (!ok)
        throw DataFileError(fault(
            QStringLiteral(" line %1: \"%2\" is not a whole number").arg(i + 1).arg(lines[i])));
    return n;
}

}  // namespace

std::vector<QPoint> parseKinBoardTable(const QStringList& lines, QSize highlight) {
    if (lines.size() < 2 * kKins)
        throw DataFileError(fault(QStringLiteral(" has %1 lines; the wings board needs %2, the x "
                                                 "and the y of each of the %3 kins")
                                      .arg(lines.size())
                                      .arg(2 * kKins)
                                      .arg(kKins)));
    const QRect frame(0, 0, kFrameWidth, kFrameHeight);
    std::vector<QPoint> points;
    points.reserve(kKins);
    for (int kin = 1; kin <= kKins; ++kin) {
        const int line = 2 * (kin - 1);
        const QPoint point(wholeNumber(lines, line), wholeNumber(lines, line + 1));
        if (!frame.contains(QRect(point + kCastleHighlightOffset, highlight)))
            throw DataFileError(fault(QStringLiteral(" lines %1 and %2: kin %3 at (%4, %5) puts "
                                                     "its highlight beyond the %6 x %7 frame")
                                          .arg(line + 1)
                                          .arg(line + 2)
                                          .arg(kin)
                                          .arg(point.x())
                                          .arg(point.y())
                                          .arg(kFrameWidth)
                                          .arg(kFrameHeight)));
        points.push_back(point);
    }
    return points;
}

const std::vector<QPoint>& KinBoardTable::points(const WorkingFolder& folder, QSize highlight) {
    // The text layer keeps the file's lines while the file is unchanged; comparing them with the
    // lines parsed last is cheap next to parsing them again.
    const QStringList lines = requireTextLines(folder, QLatin1String(kTableFile));
    if (points_.empty() || highlight_ != highlight || lines_ != lines) {
        points_.clear();
        points_ = parseKinBoardTable(lines, highlight);
        lines_ = lines;
        highlight_ = highlight;
    }
    return points_;
}

}  // namespace orbisca
