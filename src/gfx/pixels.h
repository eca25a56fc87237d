// Small pixel helpers shared by the drawing operations. Every operation works on 24-bit images
// (QImage::Format_RGB888: red, green, blue bytes) walked row by row, since rows are padded.
#pragma once

#include <QImage>
#include <cstdint>

namespace orbisca::gfx {

// round(n / 255) for 0 <= n <= 255 * 255 without a division. 255 is odd, so n / 255 never lies
// exactly halfway between two integers and there is no tie to break.
constexpr std::uint32_t DivRound255(std::uint32_t n) {
    return (n + 128 + ((n + 128) >> 8)) >> 8;
}

// The same image in 24-bit form; a copy only when it is in another format.
inline QImage AsRgb888(const QImage& image) {
    if (image.format() == QImage::Format_RGB888) return image;
    QImage converted = image.convertToFormat(QImage::Format_RGB888);
    return converted;
}

// Turns an image that is drawn on into 24-bit form in place (through a named copy, never a
// temporary: painting on an image converted through a temporary gives garbage in Qt 6.4).
inline void MakeRgb888(QImage& image) {
    if (image.format() == QImage::Format_RGB888) return;
    QImage converted = image.convertToFormat(QImage::Format_RGB888);
    image = converted;
}

}  // namespace orbisca::gfx
