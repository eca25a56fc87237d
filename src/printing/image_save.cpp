// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/image_save.h"

#include <QFileInfo>
#include <QImageWriter>

namespace orbisca {

QList<ImageSaveFormat> imageSaveFormats() {
    const QList<ImageSaveFormat> wanted = {
        {QStringLiteral("Bitmaps (*.bmp)"), "bmp", {QStringLiteral("bmp")}},
        {QStringLiteral("PNG pictures (*.png)"), "png", {QStringLiteral("png")}},
        {QStringLiteral("JPEG pictures (*.jpg *.jpeg)"),
         "jpg",
         {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
    };
    const QList<QByteArray> known = QImageWriter::supportedImageFormats();
    QList<ImageSaveFormat> offered;
    for (const ImageSaveFormat& format : wanted)
        if (known.contains(format.format)) offered.append(format);
    return offered;
}

ImageSaveFormat imageSaveFormat(const QString& filter) {
    const QList<ImageSaveFormat> formats = imageSaveFormats();
    for (const ImageSaveFormat& format : formats)
        if (format.filter == filter) return format;
    return formats.value(0);
}

QString pathWithSuffix(const QString& path, const ImageSaveFormat& format) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (format.suffixes.isEmpty() || format.suffixes.contains(suffix)) return path;
    return path + u'.' + format.suffixes.first();
}

}  // namespace orbisca
