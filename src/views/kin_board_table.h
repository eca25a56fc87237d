// SPDX-License-Identifier: GPL-3.0-or-later
// Where each kin's cell lies on the wings board: "tech.dat", two lines per kin (x, then y, in
// frame pixels), written by the picture generator together with the board itself.
#pragma once

#include <QPoint>
#include <QSize>
#include <QStringList>
#include <vector>

namespace orbisca {

class WorkingFolder;

inline constexpr int kKins = 260;
// The castle view puts the highlight of a kin this far from the kin's point.
inline constexpr QPoint kCastleHighlightOffset(-7, -14);

// The 260 points of a table's lines, kin 1 first. Every line is a whole number, and the
// highlight (of size `highlight`) of every kin lies inside the frame; otherwise throws
// DataFileError naming the file, the line and what is wrong. Lines after the 520th are ignored.
std::vector<QPoint> parseKinBoardTable(const QStringList& lines, QSize highlight);

// The table of a working folder, read and checked once and again only when the file or the
// highlight's size changes.
class KinBoardTable {
public:
    // Throws DataFileError when the file is missing or malformed.
    const std::vector<QPoint>& points(const WorkingFolder& folder, QSize highlight);

private:
    QStringList lines_;
    QSize highlight_;
    std::vector<QPoint> points_;
};

}  // namespace orbisca
