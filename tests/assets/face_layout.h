#pragma once

#include <QRect>
#include <vector>

// Where the compact window puts things on its face: its seven areas and the cells of its texts
// (left, top, right, bottom inclusive). Text widths are those the layout leaves them: centred
// lines up to the 217 pixels at which the tone line wraps, the affirmation across area A6.
namespace facelayout {

inline QRect edges(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); }

inline std::vector<QRect> areas() {
  return {edges(226, 177, 298, 217), edges(226, 222, 298, 294), edges(310, 231, 370, 291),
          edges(154, 218, 208, 272), edges(393, 218, 447, 272), edges(125, 300, 475, 390),
          edges(285, 70, 315, 95)};
}

inline std::vector<QRect> textCells() {
  // Cell heights of the bundled fonts: 18 for fonts 2 and 5, 13 for font 3.
  std::vector<QRect> cells;
  for (int y : {97, 113, 140, 155, 167}) cells.push_back(QRect(299 - 108, y, 217, 18));
  cells.push_back(QRect(299 - 108, 128, 217, 13));
  cells.push_back(QRect(299 - 108, 117, 217, 18));  // the extra day's single line
  for (int i = 0; i < 6; ++i) cells.push_back(QRect(139, 298 + 14 * i, 321, 18));
  cells.push_back(QRect(170, 186, 56, 13));
  cells.push_back(QRect(170, 198, 56, 13));
  for (int y : {188, 202, 214}) cells.push_back(QRect(304, y, 86, 13));
  cells.push_back(QRect(396, 186, 60, 13));
  cells.push_back(QRect(400, 198, 60, 13));
  return cells;
}

}  // namespace facelayout
