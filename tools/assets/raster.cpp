// SPDX-License-Identifier: GPL-3.0-or-later
#include "raster.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace orbisca::assets {

namespace {
constexpr QRgb kBlack = qRgb(0, 0, 0);
}  // namespace

QImage transparentCanvas(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void smoothPainter(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QImage withLeftMargin(const QImage& picture, int margin, QRgb key) {
    QImage out(picture.width() + margin, picture.height(), QImage::Format_RGB888);
    out.fill(QColor::fromRgb(key));
    QPainter p(&out);
    p.drawImage(margin, 0, picture);
    return out;
}

QRgb avoidKey(QRgb c, QRgb key) {
    if ((c & 0xFFFFFF) != (key & 0xFFFFFF)) return c;
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    // Step the blue channel away from the key: towards the night colour for dark keys.
    return qRgb(r, g, b < 255 ? b + 1 : b - 1);
}

namespace {
int over(int top, int alpha, int under) {
    // `top` is premultiplied by alpha already.
    return top + (under * (255 - alpha) + 127) / 255;
}

// Walks a canvas pixel by pixel into a 24-bit picture of the same size; `toRgb` gets each pixel
// and its index in row order.
template <typename PixelFn>
QImage mapToRgb888(const QImage& canvas, PixelFn toRgb) {
    const QImage src = canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(src.size(), QImage::Format_RGB888);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = toRgb(in[x], static_cast<size_t>(y) * src.width() + x);
            dst[3 * x] = static_cast<uchar>(qRed(c));
            dst[3 * x + 1] = static_cast<uchar>(qGreen(c));
            dst[3 * x + 2] = static_cast<uchar>(qBlue(c));
        }
    }
    return out;
}

// The fully transparent pixels that can be reached from the picture's border through other fully
// transparent pixels (four neighbours). Only those are outside the figure: a transparent pocket
// that the figure closes in would show as a hole where the key is dropped.
std::vector<bool> outsideOf(const QImage& canvas) {
    const int w = canvas.width(), h = canvas.height();
    std::vector<bool> outside(static_cast<size_t>(w) * static_cast<size_t>(h), false);
    auto index = [w](int x, int y) { return static_cast<size_t>(y) * static_cast<size_t>(w) + x; };
    std::vector<QPoint> stack;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || outside[index(x, y)]) return;
        if (qAlpha(canvas.pixel(x, y)) != 0) return;
        outside[index(x, y)] = true;
        stack.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
    for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    return outside;
}

QImage flatten(const QImage& canvas, QRgb under, bool keyOnClear, QRgb key, Inside inside) {
    const std::vector<bool> outside =
        keyOnClear && inside == Inside::Filled ? outsideOf(canvas) : std::vector<bool>{};
    return mapToRgb888(canvas, [&](QRgb px, size_t at) {
        const int a = qAlpha(px);
        if (keyOnClear && a == 0 && (outside.empty() || outside[at])) return key;
        const QRgb c = qRgb(std::min(255, over(qRed(px), a, qRed(under))),
                            std::min(255, over(qGreen(px), a, qGreen(under))),
                            std::min(255, over(qBlue(px), a, qBlue(under))));
        return keyOnClear ? avoidKey(c, key) : c;
    });
}
}  // namespace

QImage flattenOnKey(const QImage& canvas, QRgb key, QRgb under, Inside inside) {
    return flatten(canvas, under, true, key, inside);
}

QImage flattenOnto(const QImage& canvas, QRgb fill) {
    return flatten(canvas, fill, false, 0, Inside::Open);
}

QImage alphaAsGrey(const QImage& canvas) {
    return mapToRgb888(canvas,
                       [](QRgb px, size_t) { return qRgb(qAlpha(px), qAlpha(px), qAlpha(px)); });
}

QImage spriteColours(const QImage& canvas, QRgb fill) {
    return mapToRgb888(canvas, [&](QRgb px, size_t) {
        const int a = qAlpha(px);
        if (a == 0) return fill;
        return avoidKey(qRgb(std::min(255, qRed(px) * 255 / a), std::min(255, qGreen(px) * 255 / a),
                             std::min(255, qBlue(px) * 255 / a)),
                        kBlack);
    });
}

namespace {
void put16(QByteArray& b, uint16_t v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}
void put32(QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}
}  // namespace

QByteArray encodeBmp24(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB888);
    const int w = img.width(), h = img.height();
    const int stride = (3 * w + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride) * static_cast<uint32_t>(h);
    QByteArray b;
    b.reserve(static_cast<int>(54 + pixelBytes));
    // File header.
    b.append("BM", 2);
    put32(b, 54 + pixelBytes);
    put32(b, 0);
    put32(b, 54);
    // Information header: positive height means bottom-up rows.
    put32(b, 40);
    put32(b, static_cast<uint32_t>(w));
    put32(b, static_cast<uint32_t>(h));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, pixelBytes);
    put32(b, 2835);  // 72 dpi
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    QByteArray row(stride, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const uchar* src = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<char>(src[3 * x + 2]);
            row[3 * x + 1] = static_cast<char>(src[3 * x + 1]);
            row[3 * x + 2] = static_cast<char>(src[3 * x]);
        }
        b.append(row);
    }
    return b;
}

}  // namespace orbisca::assets
