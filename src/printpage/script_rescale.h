// SPDX-License-Identifier: GPL-3.0-or-later
// The rewritten copies of script lines that a change of resolution writes.
#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>
#include <functional>

namespace orbisca {

// Rounds to the nearest whole number, halves to the even neighbour (7.5 -> 8, 0.5 -> 0).
qint64 roundHalfEven(double v);

// The nearest 32-bit value.
int clampToInt(qint64 v);

// The copy of a command line scaled by `factor`: positions, sizes and font sizes scaled, colours,
// words, texts, file names and moon phases as written. A YEAR line scales its shift from 53, 12
// and its scale number. Empty for a line that is no command. Throws ScriptSyntaxError for a
// command line that cannot be read, or whose numbers leave their range once scaled.
// A PICT copy carries the picture's size, scaled: the size its line gives, else the picture's
// own size as `pictureSize` reports it for the file named; without either the copy has no size
// and the picture keeps its pixels.
using PictureSizeOf = std::function<QSize(const QString& file)>;
QString rescaledScriptLine(const QString& line, double factor,
                           const PictureSizeOf& pictureSize = {});

}  // namespace orbisca
