// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmap loader: any file either loads as a 24-bit picture within the size limits, which
// saves as BMP and loads back pixel for pixel, and whose outline region covers no more than its
// pixels; or is refused with an error naming the file. Never a crash, never a huge allocation.
#include <QImage>
#include <cstring>

#include "fuzz_support.h"
#include "gfx/image_io.h"
#include "gfx/region.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

// Same size and pixels; a PNG's colour space does not travel through a BMP and does not count.
bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return false;
    const qsizetype rowBytes = qsizetype(a.width()) * 3;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(rowBytes)) != 0)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = fuzz::fuzzFolder().filePath("input.bmp");
    fuzz::putFile("input.bmp", fuzz::inputBytes(data, size));
    QImage image;
    try {
        image = gfx::loadBitmap(path);
    } catch (const gfx::ImageError& e) {
        check(QString::fromUtf8(e.what()).contains(path), "error names no file",
              QString::fromUtf8(e.what()));
        return 0;
    }
    check(image.format() == QImage::Format_RGB888, "not a 24-bit picture");
    check(image.width() >= 1 && image.height() >= 1, "an empty picture accepted");
    check(image.width() <= gfx::kMaxImageSide && image.height() <= gfx::kMaxImageSide,
          "a side beyond the limit");
    check(std::int64_t(image.width()) * image.height() * 4 <= gfx::kMaxImageBytes,
          "more pixels than the limit");
    if (std::int64_t(image.width()) * image.height() > 512 * 512) return 0;  // keep the runs fast

    const QString saved = fuzz::fuzzFolder().filePath("saved.bmp");
    gfx::saveImage(image, saved, "bmp");
    check(samePixels(gfx::loadBitmap(saved), image), "a saved picture loads back differently");
    const QRgb key = image.pixel(0, 0);
    const QRegion region = gfx::bitmapToRegion(image, key, gfx::RegionMode::KeepDiffering);
    check(gfx::regionArea(region) <= std::int64_t(image.width()) * image.height(),
          "region larger than the picture");
    check(image.rect().contains(region.boundingRect()) || region.isEmpty(),
          "region outside the picture");
    return 0;
}
