// SPDX-License-Identifier: GPL-3.0-or-later
// The picture formats "Save image..." offers for the canvas, and the file name it saves under.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace orbisca {

struct ImageSaveFormat {
    QString filter;        // the file dialog's name filter, "Bitmaps (*.bmp)"
    QByteArray format;     // the image writer's format, "bmp"
    QStringList suffixes;  // the file name endings of the format, the one added first
};

// BMP (24 bits a pixel, the default), PNG and JPEG, as far as the image writer knows them.
QList<ImageSaveFormat> imageSaveFormats();

// The format of a dialog name filter; the first format for an unknown filter.
ImageSaveFormat imageSaveFormat(const QString& filter);

// `path`, with the format's suffix added unless it already ends in one of the format's.
QString pathWithSuffix(const QString& path, const ImageSaveFormat& format);

}  // namespace orbisca
