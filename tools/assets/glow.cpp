// SPDX-License-Identifier: GPL-3.0-or-later
#include "glow.h"

#include <algorithm>
#include <cmath>

namespace orbisca::assets {

namespace {

constexpr int kHaloPeak = 230;
constexpr double kInnerTint = 0.1;

// 1 at the core's edge, 0 at the picture's edge and beyond: a Gaussian whose tail is cut off so
// that no halo shows a hard border.
double falloff(double n) {
    const double tail = std::exp(-1.9 * 1.9);
    return std::max(0.0, (std::exp(-(1.9 * n) * (1.9 * n)) - tail) / (1 - tail));
}

// The halo's strength at the centre of pixel (x, y), 0..1: outside the core the distance is
// measured in units of the margin on that side, so that a halo fills a picture whose margins
// differ across and down; inside, it drops within two pixels to a faint warm tint.
double haloAt(QSize size, const QRectF& core, int x, int y) {
    const double px = x + 0.5, py = y + 0.5;
    const double dx = std::max(core.left() - px, px - core.right());
    const double dy = std::max(core.top() - py, py - core.bottom());
    if (dx <= 0 && dy <= 0) {
        const double inside = std::max(dx, dy);  // negative: the distance to the nearest edge
        return std::max(kInnerTint, std::exp(-(inside / 1.2) * (inside / 1.2)));
    }
    const double mx = dx > 0 ? (px < core.left() ? core.left() : size.width() - core.right()) : 1;
    const double my = dy > 0 ? (py < core.top() ? core.top() : size.height() - core.bottom()) : 1;
    const double u = std::max(0.0, dx) / mx, v = std::max(0.0, dy) / my;
    return falloff(std::sqrt(u * u + v * v));
}

int channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

QRgb mix(QColor a, QColor b, double t) {
    return qRgb(channel(a.red() + (b.red() - a.red()) * t),
                channel(a.green() + (b.green() - a.green()) * t),
                channel(a.blue() + (b.blue() - a.blue()) * t));
}

template <typename PixelFn>
QImage paint(QSize size, PixelFn at) {
    QImage img(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) img.setPixel(x, y, at(x, y));
    return img;
}

double brushAt(int size, int x, int y) {
    const double c = size / 2.0, r = std::hypot(x + 0.5 - c, y + 0.5 - c);
    return falloff(r / c);
}

}  // namespace

QImage haloMask(QSize size, const QRectF& core) {
    return paint(size, [&](int x, int y) {
        const int m = channel(kHaloPeak * haloAt(size, core, x, y));
        return qRgb(m, m, m);
    });
}

QImage haloPicture(QSize size, const QRectF& core, QColor glow) {
    // Whiter where the halo is strongest, the pure glow colour in its tail.
    return paint(size, [&](int x, int y) {
        return mix(glow, QColor(255, 255, 250), 0.55 * haloAt(size, core, x, y));
    });
}

// The brush is stamped once a pixel along a line, so every pixel near the line is blended some
// seven times: a faint, narrow dot adds up to a thin line of about half opacity that leaves the
// date labels it crosses readable.
QImage brushMask(int size) {
    constexpr double kPeak = 96, kNarrow = 1.8;
    return paint(QSize(size, size), [&](int x, int y) {
        const int m = channel(kPeak * std::min(1.0, kNarrow * brushAt(size, x, y) - 0.8));
        return qRgb(m, m, m);
    });
}

QImage brushPicture(int size, QColor colour) {
    return paint(QSize(size, size), [&](int x, int y) {
        return mix(colour, QColor(255, 255, 255), 0.35 * brushAt(size, x, y));
    });
}

}  // namespace orbisca::assets
