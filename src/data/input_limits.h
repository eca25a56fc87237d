// SPDX-License-Identifier: GPL-3.0-or-later
// The largest inputs the program takes. Each limit stands well above any real file, so that a
// damaged or hostile file (a sparse file of gigabytes, a header that claims a huge picture) is
// refused with a message naming it and the limit, instead of exhausting memory or time.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace orbisca {

inline constexpr std::int64_t kMegabyte = 1024 * 1024;
// Printing scripts (".spt", ".txt", "~last.spt").
inline constexpr std::int64_t kMaxScriptBytes = 64 * kMegabyte;
// Text databases (".ktx"), settings and tables (".dat").
inline constexpr std::int64_t kMaxDataFileBytes = 16 * kMegabyte;
// Pictures and canvases: at most 16384 pixels on a side and 256 MB of pixels at 4 bytes a pixel
// (the form pictures are decoded into), so every canvas the program saves can be loaded again.
inline constexpr std::int64_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPictureBytes = 256 * kMegabyte;

// Why a picture or canvas of width x height pixels is refused ("20000 x 10 pixels, more than 16384
// on a side"); nothing when it is within the limits.
inline std::optional<QString> pictureSizeProblem(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0)
        return QStringLiteral("%1 x %2 pixels, no pixels at all").arg(width).arg(height);
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return QStringLiteral("%1 x %2 pixels, more than %3 on a side")
            .arg(width)
            .arg(height)
            .arg(kMaxPictureSide);
    if (width * height * 4 > kMaxPictureBytes)
        return QStringLiteral("%1 x %2 pixels, more than the limit of %3 MB")
            .arg(width)
            .arg(height)
            .arg(kMaxPictureBytes / kMegabyte);
    return std::nullopt;
}

}  // namespace orbisca
