// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/moon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "gfx/mask_draw.h"

namespace orbisca::gfx {
namespace {

constexpr double kPi = 3.1415926;

int nearest(double v) { return int(std::nearbyint(v)); }

// Where the terminator lies for a phase, measured along the disc's equator from its centre.
// Every row of the disc is the equator squeezed by the row's half-width, so the terminator is a
// half ellipse through the top and bottom of the disc. The lit side lies at increasing
// coordinates: while waxing that is the right, while waning the coordinate is mirrored.
struct Terminator {
    bool waxing = true;
    double centre = 0;  // middle of the grey band
    int halfWidth = 0;  // e: the band has 2e + 1 grey steps

    // The grey level at a signed equator coordinate (already mirrored when waning).
    std::uint8_t level(double v) const {
        const int step = int(std::floor(v - centre + halfWidth + 0.5));
        if (step < 0) return 0;
        if (step > 2 * halfWidth) return 255;
        return std::uint8_t(255 * (step + 1) / (2 * halfWidth + 2));
    }
};

Terminator terminatorFor(int p, int w) {
    Terminator t;
    t.halfWidth = nearest((w / 15) * (0.8 - 0.5 * std::cos(4 * kPi * p / 100)));
    int r = p * w / 100;
    if (r >= w / 2) r -= w / 2;
    r = nearest(0.98 * r - 0.02);
    const int q = p <= 50 ? 2 * p : 2 * (p - 50);
    const int shift = nearest(0.9 * t.halfWidth * (q / 50.0 - 1));
    const double radius = w / 2.0;
    // Waxing: from the right limb (new) through the centre (first quarter) to the left limb;
    // waning (from p = 50, where r starts again at 0): the same walk seen in a mirror.
    t.waxing = p < 50;
    const double reach = t.waxing ? radius - 2 * r : 2 * r - radius;
    // The shift pushes the band outwards, towards the nearer limb, near new and full moon and
    // lets it settle on the terminator at the quarters. (Taking its sign from the side of the
    // terminator keeps full moon whole: q counts p = 50 as the end of the waxing half, where the
    // shift is positive, while r has already started again at 0.)
    const int outwards = std::abs(shift);
    t.centre = reach >= 0 ? reach + outwards : reach - outwards;
    return t;
}

// The first x in [from, to] where `holds` is true, `holds` being false and then true along the
// range; to + 1 when it never is.
template <class Test>
int firstWhere(int from, int to, const Test& holds) {
    int low = from, high = to + 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (holds(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void paintDisc(QImage& image, const Terminator& t) {
    const int w = image.width();
    const double cx = w / 2.0, cy = w / 2.0;
    const double a = w / 2.0 - 1, b = w / 2.0;  // the disc's box runs from (1, 0) to (W - 1, W)
    for (int y = 0; y < w; ++y) {
        const double dy = (y + 0.5 - cy) / b;
        const double squeeze = std::sqrt(std::max(0.0, 1 - dy * dy));
        const double halfSpan = a * squeeze;
        if (halfSpan <= 0) continue;
        std::uint8_t* row = image.scanLine(y);
        const int first = std::max(0, int(std::ceil(cx - halfSpan - 0.5)));
        const int last = std::min(w - 1, int(std::floor(cx + halfSpan - 0.5)));
        const auto levelAt = [&](int x) {
            const double u = (x + 0.5 - cx) / squeeze;
            return t.level(t.waxing ? u : -u);
        };
        // Along a row the level only rises towards the lit side, so the dark and the lit runs
        // are found by halving and only the grey band between them is computed pixel by pixel
        // (the image starts black).
        int greyFrom = 0, greyTo = 0;  // [greyFrom, greyTo): the pixels computed one by one
        if (t.waxing) {
            greyFrom = firstWhere(first, last, [&](int x) { return levelAt(x) > 0; });
            greyTo = firstWhere(greyFrom, last, [&](int x) { return levelAt(x) == 255; });
            if (greyTo <= last)
                std::memset(row + 3 * greyTo, 255, std::size_t(last + 1 - greyTo) * 3);
        } else {
            greyFrom = firstWhere(first, last, [&](int x) { return levelAt(x) < 255; });
            greyTo = firstWhere(greyFrom, last, [&](int x) { return levelAt(x) == 0; });
            if (greyFrom > first)
                std::memset(row + 3 * first, 255, std::size_t(greyFrom - first) * 3);
        }
        for (int x = greyFrom; x < greyTo; ++x) {
            const std::uint8_t g = levelAt(x);
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = g;
        }
    }
}

}  // namespace

QImage drawMoon(int phase, int size) {
    if (phase < 0 || phase > 100)
        throw std::invalid_argument("moon phase " + std::to_string(phase) + " is not 0..100");
    if (size < kMinMoonSize || size > kMaxMoonSize)
        throw std::invalid_argument("moon size " + std::to_string(size) + " is not 20..2000");
    QImage image(size, size, QImage::Format_RGB888);
    // Black is all bytes zero: QImage::fill would draw it with a painter on a 24-bit image.
    std::memset(image.bits(), 0, std::size_t(image.sizeInBytes()));
    paintDisc(image, terminatorFor(phase, size));
    return image;
}

QImage moonMask(int phase, int size) { return shrinkImage(drawMoon(phase, 100), size, size); }

QImage keyedMoonPicture(const QImage& moonPicture, int size) {
    QImage picture(size, size, QImage::Format_RGB888);
    picture.fill(Qt::black);
    drawTransparent(moonPicture, picture, 0, 0, qRgb(0, 0, 0));
    return picture;
}

int drawMaskedMoon(QImage& target, const QImage& moonPicture, int phase, int size, int x, int y,
                   bool mirrored) {
    QImage mask = moonMask(phase, size);
    if (mirrored) mask = mask.mirrored(true, false);
    return maskDraw(keyedMoonPicture(moonPicture, size), target, mask, MaskMode::Mask, 0, x, y);
}

}  // namespace orbisca::gfx
