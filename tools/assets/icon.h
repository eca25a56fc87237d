// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon for the desktop's menus: the sun emblem of the picture pack on a night disc
// in a gold ring. It is one list of filled outlines, so that every PNG size and the SVG show the
// same drawing.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QStringList>

namespace orbisca::assets {

// One filled outline of the icon in its 100 x 100 box, painted in order.
struct IconLayer {
    QPainterPath outline;  // carries its own fill rule
    QColor colour;
};

QList<IconLayer> iconLayers();

// The icon as a square picture of `size` pixels on a transparent ground.
QImage drawIcon(int size);

// The icon as an SVG document with a 100 x 100 view box.
QByteArray iconSvg();

// The sizes of the PNG icons, in pixels.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Writes `dir`/hicolor/<N>x<N>/apps/<name>.png for each of kIconSizes and
// `dir`/hicolor/scalable/apps/<name>.svg; the problems met (an empty list on success).
QStringList writeIcons(const QString& dir, const QString& name);

}  // namespace orbisca::assets
