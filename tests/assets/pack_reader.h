// Reading the drawn pack back, independently of the generator's own writer.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

namespace packtest {

// The working folder's graphic/ that the build filled.
inline QString graphicFile(const QString& file) {
    return QDir(QStringLiteral(ORBISCA_HOME_DIR)).filePath("graphic/" + file);
}

// A picture by name, as 24-bit RGB.
inline QImage loadPicture(const QString& file) {
    QImage img(graphicFile(file), "BMP");
    return img.isNull() ? img : img.convertToFormat(QImage::Format_RGB888);
}

inline QRgb rgbAt(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
inline bool isBlack(QRgb c) { return (c & 0xFFFFFF) == 0; }
inline int luminance(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }

// The file that the element renderer loads for an element kind, built from the kind table.
inline QString fileForKind(int kind) {
    auto in = [kind](int a, int b) { return kind >= a && kind <= b; };
    auto coded = [](const char* prefix, int index) {
        return prefix + QString("0%1.bmp").arg(index, 3, 10, QChar('0'));
    };
    if (kind == 0 || kind == 20) return "0Y.bmp";
    if (in(1, 19)) return QString::number(kind) + "Y.bmp";
    if (kind == 30 || kind == 50) return "0.bmp";
    if (in(31, 49)) return QString::number(kind - 30) + ".bmp";
    if (in(51, 63)) return "Tone" + QString::number(kind - 50) + ".bmp";
    if (in(71, 77)) return QString::number(kind - 70) + "X.bmp";
    if (in(78, 97)) return coded("zc45", kind - 78);
    if (in(98, 117)) return coded("zc35", kind - 98);
    if (in(118, 130)) return coded("tn45", kind - 118);
    if (in(131, 137)) return coded("pl35", kind - 131);
    if (in(138, 141)) return coded("md", kind - 137);
    if (in(142, 154)) return coded("tn35", kind - 142);
    if (in(155, 174)) return coded("zcs15", kind - 155);
    if (in(175, 178)) return "fr" + QString::number(kind - 174) + ".bmp";
    if (in(179, 231)) return coded("tn6h", kind - 179);
    if (kind == 232) return "DOT.bmp";
    if (in(235, 238)) return coded("md", kind - 230);
    if (kind == 372) return "DOT1.bmp";
    return {};
}

}  // namespace packtest
