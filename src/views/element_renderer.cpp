// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/element_renderer.h"

#include <sys/stat.h>

#include <QFile>
#include <array>

#include "data/working_folder.h"
#include "gfx/image_io.h"

namespace orbisca {
namespace {

// How a family turns its index into a file name.
enum class Naming {
    Single,        // one file for every kind of the family: the prefix is the whole name
    Plain,         // prefix + index + suffix
    Coded,         // prefix + "0" + index in three digits + ".bmp"
    CodedByEight,  // prefix + index / 8 + index % 8 in three digits + ".bmp"
};

struct ElementFamily {
    int first, last;
    const char* prefix;
    Naming naming;
    int indexOfFirst;  // the index of the family's first kind
    const char* suffix = ".bmp";
};

// clang-format off
constexpr std::array kFamilies = {
    ElementFamily{0, 0, "0Y", Naming::Single, 0},
    ElementFamily{1, 19, "", Naming::Plain, 1, "Y.bmp"},
    ElementFamily{20, 20, "0Y", Naming::Single, 0},
    ElementFamily{30, 30, "0", Naming::Single, 0},
    ElementFamily{31, 49, "", Naming::Plain, 1},
    ElementFamily{50, 50, "0", Naming::Single, 0},
    ElementFamily{51, 63, "Tone", Naming::Plain, 1},
    ElementFamily{71, 77, "", Naming::Plain, 1, "X.bmp"},
    ElementFamily{78, 97, "zc45", Naming::Coded, 0},
    ElementFamily{98, 117, "zc35", Naming::Coded, 0},
    ElementFamily{118, 130, "tn45", Naming::Coded, 0},
    ElementFamily{131, 137, "pl35", Naming::Coded, 0},
    ElementFamily{138, 141, "md", Naming::Coded, 1},
    ElementFamily{142, 154, "tn35", Naming::Coded, 0},
    ElementFamily{155, 174, "zcs15", Naming::Coded, 0},
    ElementFamily{175, 178, "fr", Naming::Plain, 1},
    ElementFamily{179, 231, "tn6h", Naming::Coded, 0},
    ElementFamily{232, 232, "DOT", Naming::Single, 0},
    ElementFamily{233, 233, "izin6", Naming::Single, 0},
    ElementFamily{234, 234, "izin9", Naming::Single, 0},
    ElementFamily{235, 238, "md", Naming::Coded, 5},
    ElementFamily{239, 239, "pvsign", Naming::Single, 0},
    ElementFamily{240, 240, "zolkin", Naming::Single, 0},
    ElementFamily{241, 241, "wavespell", Naming::Single, 0},
    ElementFamily{242, 242, "wave1", Naming::Single, 0},
    ElementFamily{243, 243, "kin78", Naming::Single, 0},
    ElementFamily{244, 244, "wings", Naming::Single, 0},
    ElementFamily{251, 314, "sgn", Naming::CodedByEight, 0},
    ElementFamily{315, 343, "rns", Naming::Coded, 0},
    ElementFamily{344, 350, "qntr", Naming::Coded, 0},
    ElementFamily{351, 357, "qntw", Naming::Coded, 0},
    ElementFamily{358, 364, "qntb", Naming::Coded, 0},
    ElementFamily{365, 371, "qnty", Naming::Coded, 0},
    ElementFamily{372, 372, "DOT1", Naming::Single, 0},
    ElementFamily{373, 373, "telectonon", Naming::Single, 0},
    ElementFamily{374, 392, "vnl50", Naming::Coded, 1},
    ElementFamily{393, 411, "vnl40", Naming::Coded, 1},
    ElementFamily{412, 430, "vnt40", Naming::Coded, 0},
    ElementFamily{431, 433, "LNR", Naming::Plain, 1},
    ElementFamily{434, 436, "LNW", Naming::Plain, 1},
    ElementFamily{437, 439, "LNB", Naming::Plain, 1},
    ElementFamily{440, 442, "LNY", Naming::Plain, 1},
};
// clang-format on

QString threeDigits(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

QString nameIn(const ElementFamily& family, int kind) {
    const QString prefix = QLatin1String(family.prefix);
    const int index = kind - family.first + family.indexOfFirst;
    switch (family.naming) {
        case Naming::Single:
            return prefix + QStringLiteral(".bmp");
        case Naming::Plain:
            return prefix + QString::number(index) + QLatin1String(family.suffix);
        case Naming::Coded:
            return prefix + QStringLiteral("0") + threeDigits(index) + QStringLiteral(".bmp");
        case Naming::CodedByEight:
            return prefix + QString::number(index / 8) + threeDigits(index % 8) +
                   QStringLiteral(".bmp");
    }
    return {};
}

// Modification time (nanoseconds) and size of a file; size -1 when it cannot be examined.
std::pair<std::int64_t, std::int64_t> fileStamp(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {0, -1};
    return {std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            std::int64_t(st.st_size)};
}

}  // namespace

std::optional<QString> elementFileName(int kind) {
    for (const ElementFamily& family : kFamilies)
        if (kind >= family.first && kind <= family.last)
            return QStringLiteral("graphic\\") + nameIn(family, kind);
    return std::nullopt;
}

std::optional<QString> printedFileName(int kind) {
    std::optional<QString> name = elementFileName(kind);
    const bool paperVariant = (kind >= 138 && kind <= 141) || kind == 241;
    if (name && paperVariant) name->insert(name->size() - 4, QStringLiteral("_print"));
    return name;
}

QRgb elementKeyColour(int kind) {
    const bool light = kind == 100 || (kind >= 155 && kind <= 174) || (kind >= 179 && kind <= 231);
    return light ? qRgb(216, 208, 200) : qRgb(0, 0, 0);
}

const QImage& PictureCache::picture(const QString& writtenName) {
    const QString path = folder_.resolve(writtenName);
    const auto [modified, size] = fileStamp(path);
    auto found = entries_.find(path);
    if (found != entries_.end() && size >= 0 && found->second.modified == modified &&
        found->second.size == size)
        return found->second.image;
    QImage image = gfx::LoadBitmap(path);  // throws for a missing or damaged file
    Entry& entry = entries_[path];
    entry = Entry{modified, size, image};
    return entry.image;
}

}  // namespace orbisca
