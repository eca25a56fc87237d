#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Reading the drawn pack back, independently of the generator's own writer.
namespace packtest {

QString graphicDir();  // the working folder's graphic/ that the build filled
QByteArray readBytes(const QString& path);

struct BmpHeader {
  bool valid = false;
  int width = 0;
  int height = 0;       // positive: rows stored bottom-up
  int bitsPerPixel = 0;
  int compression = -1;
  quint32 fileSize = 0;
  quint32 pixelOffset = 0;
};
BmpHeader parseBmpHeader(const QByteArray& bytes);

QImage loadPicture(const QString& file);  // by name under graphicDir(), as 24-bit RGB
QRgb rgbAt(const QImage& img, int x, int y);

// The file that the element renderer loads for an element kind, built from the kind table.
QString fileForKind(int kind);

}  // namespace packtest
