// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <vector>

namespace orbisca::assets {

// The compact window's face: a stepped pyramid standing in a round night sky.
inline constexpr int kFaceWidth = 600;
inline constexpr int kFaceHeight = 450;

// Inside pixels of the face's outline (255) and outside (0), one byte per pixel.
QImage faceShape();

// The rectangles that the outline mask marks with red corner pairs; stacked so that in scan
// order each pair's second corner comes before the next pair's first.
std::vector<QRect> faceMarkedRectangles(const QImage& shape);

QImage facePicture();            // pyr0.bmp
QImage faceRegionMask();         // pyrA0.bmp
QImage faceSoftEdge();           // pyrS0.bmp: the outline with an anti-aliased rim
QImage splashOutline(int size);  // frame1.bmp: the first, small outline
QImage splashPicture(int size);  // frameclr.bmp: the picture shown inside it

}  // namespace orbisca::assets
