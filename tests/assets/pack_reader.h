// Reading the drawn pack back, independently of the generator's own writer.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

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

// The file that the element renderer loads for an element kind, built from the kind table; empty
// for the kinds that have no file.
inline QString fileForKind(int kind) {
    auto in = [kind](int a, int b) { return kind >= a && kind <= b; };
    auto coded = [](const char* prefix, int index, int variant = 0) {
        return prefix + QString("%1%2.bmp").arg(variant).arg(index, 3, 10, QChar('0'));
    };
    auto plain = [](const char* prefix, int n, const char* suffix = ".bmp") {
        return prefix + QString::number(n) + suffix;
    };
    if (kind == 0 || kind == 20) return "0Y.bmp";
    if (in(1, 19)) return plain("", kind, "Y.bmp");
    if (kind == 30 || kind == 50) return "0.bmp";
    if (in(31, 49)) return plain("", kind - 30);
    if (in(51, 63)) return plain("Tone", kind - 50);
    if (in(71, 77)) return plain("", kind - 70, "X.bmp");
    if (in(78, 97)) return coded("zc45", kind - 78);
    if (in(98, 117)) return coded("zc35", kind - 98);
    if (in(118, 130)) return coded("tn45", kind - 118);
    if (in(131, 137)) return coded("pl35", kind - 131);
    if (in(138, 141)) return coded("md", kind - 137);
    if (in(142, 154)) return coded("tn35", kind - 142);
    if (in(155, 174)) return coded("zcs15", kind - 155);
    if (in(175, 178)) return plain("fr", kind - 174);
    if (in(179, 231)) return coded("tn6h", kind - 179);
    if (in(235, 238)) return coded("md", kind - 230);
    if (in(251, 314)) return coded("sgn", (kind - 251) % 8, (kind - 251) / 8);
    if (in(315, 343)) return coded("rns", kind - 315);
    const char* weeks[] = {"qntr", "qntw", "qntb", "qnty"};
    if (in(344, 371)) return coded(weeks[(kind - 344) / 7], (kind - 344) % 7);
    if (in(374, 392)) return coded("vnl50", kind - 373);
    if (in(393, 411)) return coded("vnl40", kind - 392);
    if (in(412, 430)) return coded("vnt40", kind - 412);
    const char* lines[] = {"LNR", "LNW", "LNB", "LNY"};
    if (in(431, 442)) return plain(lines[(kind - 431) / 3], (kind - 431) % 3 + 1);
    switch (kind) {
        case 232:
            return "DOT.bmp";
        case 233:
            return "izin6.bmp";
        case 234:
            return "izin9.bmp";
        case 239:
            return "pvsign.bmp";
        case 240:
            return "zolkin.bmp";
        case 241:
            return "wavespell.bmp";
        case 242:
            return "wave1.bmp";
        case 243:
            return "kin78.bmp";
        case 244:
            return "wings.bmp";
        case 372:
            return "DOT1.bmp";
        case 373:
            return "telectonon.bmp";
        default:
            return {};
    }
}

enum class Tint { Red, White, Blue, Yellow, Other };
inline Tint tintOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 150 && g > 150 && b > 150 && std::max({r, g, b}) - std::min({r, g, b}) < 60)
        return Tint::White;
    if (r > g + 80 && r > b + 80) return Tint::Red;
    if (b > r + 80 && b > g + 40) return Tint::Blue;
    if (r > 180 && g > 130 && b < g - 60) return Tint::Yellow;
    return Tint::Other;
}

// The bounding boxes of the connected groups (four neighbours) of pixels for which `in` holds.
inline std::vector<QRect> blobs(const QImage& img, const std::function<bool(QRgb)>& in) {
    std::vector<bool> seen(static_cast<size_t>(img.width() * img.height()));
    auto take = [&](QPoint p) {
        if (!img.rect().contains(p) || seen[static_cast<size_t>(p.y() * img.width() + p.x())] ||
            !in(rgbAt(img, p.x(), p.y())))
            return false;
        return bool(seen[static_cast<size_t>(p.y() * img.width() + p.x())] = true);
    };
    std::vector<QRect> found;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!take({x, y})) continue;
            QRect box(x, y, 1, 1);
            for (std::vector<QPoint> stack{{x, y}}; !stack.empty();) {
                const QPoint p = stack.back();
                stack.pop_back();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    if (take(p + d)) stack.push_back(p + d);
            }
            found.push_back(box);
        }
    return found;
}

}  // namespace packtest
