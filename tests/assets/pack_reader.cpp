#include "pack_reader.h"

#include <QDir>
#include <QFile>

namespace packtest {

QString graphicDir() { return QDir(QStringLiteral(ORBISCA_HOME_DIR)).filePath("graphic"); }

QByteArray readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

namespace {
quint32 le32(const QByteArray& b, int at) {
  return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16 |
         quint32(uchar(b[at + 3])) << 24;
}
int le16(const QByteArray& b, int at) { return int(uchar(b[at])) | int(uchar(b[at + 1])) << 8; }
}  // namespace

BmpHeader parseBmpHeader(const QByteArray& bytes) {
  BmpHeader h;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return h;
  h.fileSize = le32(bytes, 2);
  h.pixelOffset = le32(bytes, 10);
  h.width = static_cast<qint32>(le32(bytes, 18));
  h.height = static_cast<qint32>(le32(bytes, 22));
  h.bitsPerPixel = le16(bytes, 28);
  h.compression = static_cast<int>(le32(bytes, 30));
  h.valid = true;
  return h;
}

QImage loadPicture(const QString& file) {
  QImage img(QDir(graphicDir()).filePath(file), "BMP");
  return img.isNull() ? img : img.convertToFormat(QImage::Format_RGB888);
}

QRgb rgbAt(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

namespace {
QString coded(int index, int variant = 0) {
  return QString::number(variant) + QString::number(index).rightJustified(3, '0');
}
}  // namespace

QString fileForKind(int kind) {
  auto in = [kind](int a, int b) { return kind >= a && kind <= b; };
  if (kind == 0 || kind == 20) return "0Y.bmp";
  if (in(1, 19)) return QString::number(kind) + "Y.bmp";
  if (kind == 30 || kind == 50) return "0.bmp";
  if (in(31, 49)) return QString::number(kind - 30) + ".bmp";
  if (in(51, 63)) return "Tone" + QString::number(kind - 50) + ".bmp";
  if (in(71, 77)) return QString::number(kind - 70) + "X.bmp";
  if (in(78, 97)) return "zc45" + coded(kind - 78) + ".bmp";
  if (in(98, 117)) return "zc35" + coded(kind - 98) + ".bmp";
  if (in(118, 130)) return "tn45" + coded(kind - 118) + ".bmp";
  if (in(131, 137)) return "pl35" + coded(kind - 131) + ".bmp";
  if (in(138, 141)) return "md" + coded(kind - 137) + ".bmp";
  if (in(142, 154)) return "tn35" + coded(kind - 142) + ".bmp";
  if (in(155, 174)) return "zcs15" + coded(kind - 155) + ".bmp";
  if (in(175, 178)) return "fr" + QString::number(kind - 174) + ".bmp";
  if (in(179, 231)) return "tn6h" + coded(kind - 179) + ".bmp";
  if (kind == 232) return "DOT.bmp";
  if (in(235, 238)) return "md" + coded(kind - 230) + ".bmp";
  if (kind == 372) return "DOT1.bmp";
  return {};
}

}  // namespace packtest
