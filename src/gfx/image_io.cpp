// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/image_io.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <cstring>

#include "data/text_file.h"
#include "gfx/pixels.h"

namespace orbisca::gfx {
namespace {

// Enough for every BMP and PNG header field we look at.
constexpr qint64 kHeaderProbeBytes = 64;
// A BMP file header (14 bytes) and the smallest info header (12 bytes).
constexpr qint64 kMinBmpBytes = 26;

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw ImageError(
        QStringLiteral("cannot read picture \"%1\": %2").arg(path, reason).toStdString());
}

std::uint32_t le16(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}
std::uint32_t le32(const QByteArray& b, int at) { return le16(b, at) | le16(b, at + 2) << 16; }
std::uint32_t be32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) << 24 | std::uint32_t(std::uint8_t(b[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 8 | std::uint32_t(std::uint8_t(b[at + 3]));
}

void checkSize(const QString& path, std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) fail(path, QStringLiteral("the picture has no pixels"));
    if (const std::optional<QString> problem = pictureSizeProblem(width, height))
        fail(path, QStringLiteral("the picture is ") + *problem);
}

struct BmpHeader {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows stored top-down
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
};

BmpHeader parseBmpHeader(const QString& path, const QByteArray& head) {
    if (head.size() < kMinBmpBytes) fail(path, QStringLiteral("the file is truncated"));
    BmpHeader h;
    h.pixelOffset = le32(head, 10);
    const std::uint32_t infoSize = le32(head, 14);
    h.infoSize = infoSize;
    if (infoSize == 12) {  // the old OS/2 form: 16-bit sides, no compression
        h.width = le16(head, 18);
        h.height = le16(head, 20);
        h.bitsPerPixel = le16(head, 24);
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (head.size() < 14 + 40) fail(path, QStringLiteral("the file is truncated"));
        h.width = std::int32_t(le32(head, 18));
        h.height = std::int32_t(le32(head, 22));
        h.bitsPerPixel = le16(head, 28);
        h.compression = le32(head, 30);
    } else {
        fail(path, QStringLiteral("unknown BMP header size %1").arg(infoSize));
    }
    switch (h.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            fail(path, QStringLiteral("unsupported BMP depth of %1 bits").arg(h.bitsPerPixel));
    }
    return h;
}

// Whether a run-length encoded pixel stream (RLE8 or RLE4) reaches its end-of-picture mark:
// Qt decodes a cut-off stream without complaint, leaving the missing rows blank.
bool rleStreamComplete(const QByteArray& bytes, qsizetype at, bool fourBit) {
    const qsizetype end = bytes.size();
    while (at + 1 < end) {
        const int count = std::uint8_t(bytes[at]), code = std::uint8_t(bytes[at + 1]);
        at += 2;
        if (count > 0 || code == 0) continue;  // a run, or the end of a line
        if (code == 1) return true;            // the end of the picture
        if (code == 2) {                       // a jump: two more bytes
            at += 2;
            continue;
        }
        const qsizetype literal = fourBit ? (code + 1) / 2 : code;
        at += literal + (literal & 1);  // literal pixels, padded to a whole word
    }
    return false;
}

// Uncompressed BMP rows are padded to 4 bytes; the file must hold all of them.
void checkBmpData(const QString& path, const BmpHeader& h, qint64 fileSize) {
    const bool uncompressed = h.compression == 0 || h.compression == 3 || h.compression == 6;
    if (!uncompressed) {
        if (h.pixelOffset >= fileSize) fail(path, QStringLiteral("the file is truncated"));
        return;
    }
    const std::int64_t rowBytes = (h.width * h.bitsPerPixel + 31) / 32 * 4;
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (std::int64_t(h.pixelOffset) + rowBytes * rows > fileSize)
        fail(path, QStringLiteral("the file is truncated"));
}

// Checks what the header claims; returns normally when the picture may be decoded.
void checkHeader(const QString& path, const QByteArray& head, qint64 fileSize) {
    if (head.startsWith("BM")) {
        const BmpHeader h = parseBmpHeader(path, head);
        checkSize(path, h.width, h.height < 0 ? -h.height : h.height);
        checkBmpData(path, h, fileSize);
    } else if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        if (head.size() < 24) fail(path, QStringLiteral("the file is truncated"));
        checkSize(path, be32(head, 16), be32(head, 20));
    }
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        // A folder on the way that cannot be searched hides the file: that is said as it is.
        if (const std::optional<QString> problem = regularFileProblem(path);
            problem && problem->startsWith(QLatin1String("cannot be read")))
            fail(path, *problem);
        fail(path, QStringLiteral("the file does not exist"));
    }
    // A folder is refused by open(); a pipe or a device would be opened and read for ever.
    if (!QFileInfo(path).isFile()) fail(path, QStringLiteral("it is not a regular file"));
    if (!file.open(QIODevice::ReadOnly)) fail(path, file.errorString());
    const QByteArray head = file.read(kHeaderProbeBytes);
    checkHeader(path, head, file.size());
    // A compressed picture is smaller than its pixels, so this bounds every accepted file.
    if (file.size() > kMaxImageBytes + 65536)
        fail(path, QStringLiteral("the file is larger than 256 MB"));
    file.seek(0);
    return file.readAll();
}

// One colour channel of a 16-bit pixel, described by its bit mask.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t top = 0;  // the channel's largest value

    explicit Channel(std::uint32_t m) : mask(m) {
        if (!mask) return;
        while (!((mask >> shift) & 1)) ++shift;
        top = mask >> shift;
    }
    // Scaled to 0..255 over the channel's whole range, so that white stays 255.
    std::uint8_t expand(std::uint32_t pixel) const {
        return top ? std::uint8_t((((pixel & mask) >> shift) * 255 + top / 2) / top) : 0;
    }
};

// The picture a decoder of uncompressed rows fills, once the bytes read hold every row (the file
// may have shrunk since its size was checked); a size the memory cannot hold fails as a bad
// picture would.
QImage newRgb888(const QString& path, const QByteArray& bytes, const BmpHeader& h,
                 qsizetype rowBytes) {
    const int width = int(h.width), height = int(h.height < 0 ? -h.height : h.height);
    if (qint64(h.pixelOffset) + qint64(rowBytes) * height > bytes.size())
        fail(path, QStringLiteral("the file is truncated"));
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull()) fail(path, QStringLiteral("there is not enough memory for its pixels"));
    return image;
}

// 16-bit BMPs are decoded here: Qt widens a 5-bit channel by a plain shift, so white would read
// as (248, 252, 248) and no longer match a white key or mask.
QImage decode16BitBmp(const QString& path, const QByteArray& bytes, const BmpHeader& h) {
    const bool bitfields = h.compression == 3 || h.compression == 6;
    const Channel red(bitfields ? le32(bytes, 54) : 0x7C00u);
    const Channel green(bitfields ? le32(bytes, 58) : 0x03E0u);
    const Channel blue(bitfields ? le32(bytes, 62) : 0x001Fu);
    const int width = int(h.width), height = int(h.height < 0 ? -h.height : h.height);
    const qsizetype rowBytes = (qsizetype(width) * 16 + 31) / 32 * 4;
    QImage image = newRgb888(path, bytes, h, rowBytes);
    for (int y = 0; y < height; ++y) {
        const int fileRow = h.height < 0 ? y : height - 1 - y;
        const qsizetype at = h.pixelOffset + fileRow * rowBytes;
        std::uint8_t* out = image.scanLine(y);
        for (int x = 0; x < width; ++x, out += 3) {
            const std::uint32_t pixel = le16(bytes, int(at + 2 * x));
            out[0] = red.expand(pixel);
            out[1] = green.expand(pixel);
            out[2] = blue.expand(pixel);
        }
    }
    return image;
}

// Whether the pixels are plain 24-bit rows that begin after the headers: the common bitmap, which
// is decoded here in one pass instead of through Qt's reader and a second conversion.
bool isPlain24BitBmp(const BmpHeader& h) {
    return h.bitsPerPixel == 24 && h.compression == 0 && h.pixelOffset >= 14 + h.infoSize;
}

// Rows of blue, green, red triples, padded to 4 bytes, bottom-up unless the height is negative.
QImage decode24BitBmp(const QString& path, const QByteArray& bytes, const BmpHeader& h) {
    const int width = int(h.width), height = int(h.height < 0 ? -h.height : h.height);
    const qsizetype rowBytes = (qsizetype(width) * 24 + 31) / 32 * 4;
    QImage image = newRgb888(path, bytes, h, rowBytes);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + h.pixelOffset;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = pixels + (h.height < 0 ? y : height - 1 - y) * rowBytes;
        std::uint8_t* out = image.scanLine(y);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return image;
}

}  // namespace

QImage loadBitmap(const QString& path) {
    QByteArray bytes = readAll(path);
    if (bytes.startsWith("\x89PNG") && bytes.lastIndexOf("IEND") < 0)
        fail(path, QStringLiteral("the file is truncated"));
    if (bytes.startsWith("BM")) {
        const BmpHeader h = parseBmpHeader(path, bytes);
        const bool rle = (h.compression == 1 && h.bitsPerPixel == 8) ||
                         (h.compression == 2 && h.bitsPerPixel == 4);
        if (rle && !rleStreamComplete(bytes, h.pixelOffset, h.compression == 2))
            fail(path, QStringLiteral("the file is truncated"));
        const bool bitfields = h.compression == 3 || h.compression == 6;
        if (bitfields && bytes.size() < 66) fail(path, QStringLiteral("the file is truncated"));
        if (h.bitsPerPixel == 16 && (h.compression == 0 || bitfields))
            return decode16BitBmp(path, bytes, h);
        if (isPlain24BitBmp(h)) return decode24BitBmp(path, bytes, h);
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // A bitmap goes straight to Qt's own reader: guessing the format would first load every
    // image plugin and ask each of them.
    if (bytes.startsWith("BM")) {
        reader.setFormat("bmp");
        reader.setAutoDetectImageFormat(false);
    }
    reader.setAllocationLimit(int(kMaxImageBytes / (1024 * 1024)));
    if (reader.format().isEmpty()) fail(path, QStringLiteral("the file is not a picture"));
    const QSize size = reader.size();
    if (size.isValid()) checkSize(path, size.width(), size.height());
    QImage image;
    if (!reader.read(&image) || image.isNull()) fail(path, reader.errorString());
    return asRgb888(image);
}

void saveImage(const QImage& image, const QString& path, const QByteArray& format,
               WriteTarget target) {
    auto failWrite = [&](const QString& reason) {
        throw ImageError(
            QStringLiteral("cannot write picture \"%1\": %2").arg(path, reason).toStdString());
    };
    QByteArray fmt =
        format.isEmpty() ? QFileInfo(path).suffix().toLower().toLatin1() : format.toLower();
    if (!saveFormats().contains(QString::fromLatin1(fmt)))
        failWrite(QStringLiteral("unknown picture format"));
    if (image.isNull()) failWrite(QStringLiteral("the image is empty"));
    // Encoded in memory first: a target that refuses the bytes ("/dev/full") is then told by the
    // file's own reason, not by the encoder's "Write Error".
    const ContentWriter encode = [&](QIODevice& device) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, fmt);
        if (!writer.write(image)) throw ImageError(writer.errorString().toStdString());
        return device.write(bytes) == bytes.size();
    };
    QString error;
    if (!writeFile(path, encode, target, &error))
        throw ImageError(QStringLiteral("cannot write picture %1: %2")
                             .arg(path, reasonOfWriteError(path, error))
                             .toStdString());
}

QStringList saveFormats() {
    QStringList formats;
    for (const QByteArray& f : QImageWriter::supportedImageFormats())
        formats << QString::fromLatin1(f).toLower();
    return formats;
}

}  // namespace orbisca::gfx
