// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace orbisca::assets {

// Draws every picture of the manifest and writes it to outDir/graphic/<file> as a 24-bit BMP.
// Returns the problems met (an empty list on success); a picture whose drawing does not match its
// manifest size, or a mask whose outline does not match its picture, is a problem, not a file.
QStringList writePack(const QString& outDir);

// One labelled sheet with every picture, and a preview of the compact face with a sample day.
QStringList writeContactSheet(const QString& file);

}  // namespace orbisca::assets
