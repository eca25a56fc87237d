// SPDX-License-Identifier: GPL-3.0-or-later
// Loading pictures into 24-bit images and saving them.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>

#include "data/atomic_file.h"
#include "data/input_limits.h"

namespace orbisca::gfx {

// A picture that cannot be read or written. what() names the file and the reason, e.g.
// "cannot read picture "graphic/moon.bmp": the file is truncated".
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest picture accepted: each side at most 16384 pixels and at most 256 MB of pixels
// once decoded (4 bytes a pixel, the form Qt decodes into).
inline constexpr std::int64_t kMaxImageSide = kMaxPictureSide;
inline constexpr std::int64_t kMaxImageBytes = kMaxPictureBytes;

// Reads a BMP (1, 4 and 8-bit palettes, 16, 24 and 32 bits, bottom-up or top-down, RLE), a PNG or
// any other format Qt reads, as Format_RGB888. The claimed size is checked in the file's header
// before anything is decoded, so a picture that claims a huge size never allocates.
// Throws ImageError for a missing, unreadable, truncated, oversized or non-picture file.
QImage loadBitmap(const QString& path);

// Writes the image in the given format ("bmp", "png", ...; empty: from the file's suffix) through a
// temporary file in the same folder that is renamed over the target; only a regular file is
// replaced. An output the user named (WriteTarget::UserOutput) may also be a device or a pipe,
// written through directly (writeUserOutput). Throws ImageError on failure.
void saveImage(const QImage& image, const QString& path, const QByteArray& format = {},
               WriteTarget target = WriteTarget::DataFile);

// The formats saveImage can write, lower case ("bmp", "png", "jpg", ...).
QStringList saveFormats();

}  // namespace orbisca::gfx
