// SPDX-License-Identifier: GPL-3.0-or-later
// Small pixel helpers shared by the drawing operations. Every operation works on 24-bit images
// (QImage::Format_RGB888: red, green, blue bytes) walked row by row, since rows are padded.
#pragma once

#include <QImage>
#include <cstdint>

namespace orbisca::gfx {

// round(n / 255) for 0 <= n <= 255 * 255 without a division: (n + 128) * 257 / 65536, the high
// half of a 16-bit product, which loops over it turn into one vector instruction (pmulhuw) per
// eight or sixteen values. 255 is odd, so n / 255 never lies exactly halfway between two integers
// and there is no tie to break.
constexpr std::uint8_t divRound255(std::uint16_t n) {
    const std::uint16_t m = std::uint16_t(n + 128);
    return std::uint8_t(std::uint16_t((std::uint32_t(m) * 257) >> 16));
}

static_assert(
    [] {
        for (std::uint32_t n = 0; n <= 255 * 255; ++n)
            if (divRound255(std::uint16_t(n)) != (2 * n + 255) / 510) return false;
        return true;
    }(),
    "divRound255 must round every blend sum to the nearest integer");

// round((t (255 - w) + p w) / 255): picture p over target t with weight w.
constexpr std::uint8_t mix(std::uint8_t t, std::uint8_t p, std::uint16_t w) {
    return divRound255(
        std::uint16_t(std::uint16_t(t * std::uint16_t(255 - w)) + std::uint16_t(p * w)));
}

// Marks a loop over pixels to be compiled twice, for SSE2 (every amd64) and for AVX2, the
// processor picking one when the program loads: the same integer arithmetic, so the same bytes,
// in twice the width. Elsewhere the plain build alone, and under the sanitizers, whose
// instrumented choosers would run before their runtime is ready (ThreadSanitizer crashes there).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define ORBISCA_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define ORBISCA_PIXEL_LOOP
#endif

// Loops written with AVX2 instructions by hand, where the compiler's own vector code is slower:
// compiled for AVX2 function by function and called only when the processor has it (hasAvx2()).
#if defined(__x86_64__) && defined(__GNUC__)
#define ORBISCA_AVX2_LOOPS 1
#define ORBISCA_AVX2 __attribute__((target("avx2")))
inline bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// The same image in 24-bit form; a copy only when it is in another format.
inline QImage asRgb888(const QImage& image) {
    if (image.format() == QImage::Format_RGB888) return image;
    QImage converted = image.convertToFormat(QImage::Format_RGB888);
    return converted;
}

// Turns an image that is drawn on into 24-bit form in place (through a named copy, never a
// temporary: painting on an image converted through a temporary gives garbage in Qt 6.4).
inline void makeRgb888(QImage& image) {
    if (image.format() == QImage::Format_RGB888) return;
    QImage converted = image.convertToFormat(QImage::Format_RGB888);
    image = converted;
}

}  // namespace orbisca::gfx
