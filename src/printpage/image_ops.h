// SPDX-License-Identifier: GPL-3.0-or-later
// What the print manager does to a whole page: the mean filter, changing the resolution by
// rewriting the script, fitting the page to a printer page and to the view, zoom and
// black-and-white.
#pragma once

#include <QSize>

#include "printpage/print_page.h"

namespace orbisca {

inline constexpr double kZoomStep = 1.414;
inline const QString kAfterResizeHeader = QStringLiteral("/[AFTER RESIZE]");

// One 3 x 3 mean-filter pass over the canvas (row 0 and column 0 keep their pixels).
void blurCanvas(PrintPageState& page);

// The rewrite pass of a resolution change: every command line is commented out and a copy with
// positions and sizes scaled by `factor` is appended; the comments of an earlier pass are
// removed first. The canvas is left alone. False when a line failed (it is then marked).
bool rescaleScript(PrintPageState& page, double factor);

// Increase (x 2) or Decrease (/ 2) resolution: canvas, script and redraw. The canvas stays within
// the picture limits (1..16384 a side, 256 MB): Increase beyond them, and Decrease of a side
// below 2, are refused with a message (false, nothing changed).
bool increaseResolution(PrintPageState& page);
bool decreaseResolution(PrintPageState& page);

// Enlarges the page for a printer page of `printerPage` pixels (when autoOptimize is on), fits
// the view, redraws and softens the page (when autoBlur is on and the canvas is at least
// 901 x 701). A canvas side below 1 is refused with a message (false).
bool optimizeForPrinter(PrintPageState& page, QSize printerPage);

// The largest view scale step at which the page fits the view box.
void fitView(PrintPageState& page);

// Zoom changes only the view scale; a step that would show the page larger than 65536 or
// smaller than one pixel is refused (false).
bool zoomIn(PrintPageState& page);
bool zoomOut(PrintPageState& page);
void showAtScreenScale(PrintPageState& page);
// The displayed size from the canvas size and the view scale.
void showAtViewScale(PrintPageState& page);

// Toggles black-and-white mode and redraws.
bool toggleBlackAndWhite(PrintPageState& page);

}  // namespace orbisca
