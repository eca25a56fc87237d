// Small images for the drawing tests.
#pragma once

#include <QImage>
#include <random>
#include <string>

namespace orbisca::gfx::test {

inline QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// Every channel of every pixel drawn from the generator; values limited to [0, top].
inline QImage RandomImage(int w, int h, std::mt19937& gen, int top = 255) {
    QImage image(w, h, QImage::Format_RGB888);
    std::uniform_int_distribution<int> value(0, top);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) image.scanLine(y)[x] = uchar(value(gen));
    return image;
}

// The three channels of pixel (x, y) of a Format_RGB888 image.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline Rgb At(const QImage& image, int x, int y) {
    const uchar* p = image.constScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}
inline void Put(QImage& image, int x, int y, Rgb c) {
    uchar* p = image.scanLine(y) + 3 * x;
    p[0] = uchar(c.r);
    p[1] = uchar(c.g);
    p[2] = uchar(c.b);
}

// "" when both images have the same size and pixels, else where and how they first differ.
inline std::string FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!(At(a, x, y) == At(b, x, y))) {
                const Rgb p = At(a, x, y), q = At(b, x, y);
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(p.r) + " " +
                       std::to_string(p.g) + " " + std::to_string(p.b) + " against " + std::to_string(q.r) + " " +
                       std::to_string(q.g) + " " + std::to_string(q.b);
            }
    return "";
}

}  // namespace orbisca::gfx::test
