// SPDX-License-Identifier: GPL-3.0-or-later
// Small images for the drawing tests.
#pragma once

#include <QImage>
#include <random>

namespace orbisca::gfx::test {

inline QImage filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

inline QRgb grey(int v) { return qRgb(v, v, v); }

inline QImage randomImage(int w, int h, std::mt19937& gen) {
    QImage image(w, h, QImage::Format_RGB888);
    std::uniform_int_distribution<int> value(0, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) image.scanLine(y)[x] = uchar(value(gen));
    return image;
}

// Same size and pixels, whatever the formats and colour spaces.
inline bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

}  // namespace orbisca::gfx::test
