// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the drawn pack back, independently of the generator's own writer.
#pragma once

#include "views/element_renderer.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

namespace packtest {

// The working folder's graphic/ that the build filled.
inline QString graphicFile(const QString& file) {
    return QDir(QStringLiteral(ORBISCA_HOME_DIR)).filePath("graphic/" + file);
}

// A picture by name, as 24-bit RGB.
inline QImage loadPicture(const QString& file) {
    QImage img(graphicFile(file), "BMP");
    return img.isNull() ? img : img.convertToFormat(QImage::Format_RGB888);
}

inline QRgb rgbAt(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
inline bool isBlack(QRgb c) { return (c & 0xFFFFFF) == 0; }
inline int luminance(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }

// The picture file that the element renderer loads for an element kind, without its folder; empty
// for the kinds that have no picture.
inline QString fileForKind(int kind) {
    return orbisca::elementFileName(kind).value_or(QString()).section(u'\\', -1);
}

enum class Tint { Red, White, Blue, Yellow, Other };
inline Tint tintOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 150 && g > 150 && b > 150 && std::max({r, g, b}) - std::min({r, g, b}) < 60)
        return Tint::White;
    if (r > g + 80 && r > b + 80) return Tint::Red;
    if (b > r + 80 && b > g + 40) return Tint::Blue;
    if (r > 180 && g > 130 && b < g - 60) return Tint::Yellow;
    return Tint::Other;
}
// Signs run red, white, blue, yellow from sign 1.
inline Tint signTint(int sign) {
    constexpr Tint order[] = {Tint::Red, Tint::White, Tint::Blue, Tint::Yellow};
    return order[(sign - 1) % 4];
}

// The bounding boxes of the connected groups (four neighbours) of pixels for which `in` holds.
inline std::vector<QRect> blobs(const QImage& img, const std::function<bool(QRgb)>& in) {
    std::vector<bool> seen(static_cast<size_t>(img.width() * img.height()));
    auto take = [&](QPoint p) {
        if (!img.rect().contains(p) || seen[static_cast<size_t>(p.y() * img.width() + p.x())] ||
            !in(rgbAt(img, p.x(), p.y())))
            return false;
        return bool(seen[static_cast<size_t>(p.y() * img.width() + p.x())] = true);
    };
    std::vector<QRect> found;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!take({x, y})) continue;
            QRect box(x, y, 1, 1);
            for (std::vector<QPoint> stack{{x, y}}; !stack.empty();) {
                const QPoint p = stack.back();
                stack.pop_back();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    if (take(p + d)) stack.push_back(p + d);
            }
            found.push_back(box);
        }
    return found;
}

}  // namespace packtest
