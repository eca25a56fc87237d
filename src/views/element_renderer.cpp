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
    KindFamily range;
    const char* prefix;
    Naming naming;
    int indexOfFirst;  // the index of the family's first kind
    const char* suffix = ".bmp";
};

using namespace kinds;

// clang-format off
constexpr std::array kFamilies = {
    ElementFamily{singleKind(0), "0Y", Naming::Single, 0},
    ElementFamily{{1, 19}, "", Naming::Plain, 1, "Y.bmp"},
    ElementFamily{singleKind(20), "0Y", Naming::Single, 0},
    ElementFamily{singleKind(30), "0", Naming::Single, 0},
    ElementFamily{{31, 19}, "", Naming::Plain, 1},
    ElementFamily{singleKind(50), "0", Naming::Single, 0},
    ElementFamily{kLargeTones, "Tone", Naming::Plain, 1},
    ElementFamily{kLargePlasmas, "", Naming::Plain, 1, "X.bmp"},
    ElementFamily{kSigns45, "zc45", Naming::Coded, 0},
    ElementFamily{kSigns35, "zc35", Naming::Coded, 0},
    ElementFamily{kTones45, "tn45", Naming::Coded, 0},
    ElementFamily{kPlasmas35, "pl35", Naming::Coded, 0},
    ElementFamily{kMoonDayMarks, "md", Naming::Coded, 1},
    ElementFamily{kTones35, "tn35", Naming::Coded, 0},
    ElementFamily{kSmallSigns, "zcs15", Naming::Coded, 0},
    ElementFamily{kFrames, "fr", Naming::Plain, 1},
    ElementFamily{kSmallTones, "tn6h", Naming::Coded, 0},
    ElementFamily{singleKind(kSpareSmallTone), "tn6h0052", Naming::Single, 0},
    ElementFamily{singleKind(kYearDot), "DOT", Naming::Single, 0},
    ElementFamily{singleKind(kIzinLines.kindOf(0)), "izin6", Naming::Single, 0},
    ElementFamily{singleKind(kIzinLines.kindOf(1)), "izin9", Naming::Single, 0},
    ElementFamily{kWeekMoonDayMarks, "md", Naming::Coded, 5},
    ElementFamily{singleKind(kPvsignMark), "pvsign", Naming::Single, 0},
    ElementFamily{singleKind(kZolkinBoard), "zolkin", Naming::Single, 0},
    ElementFamily{singleKind(kWavespellBoard), "wavespell", Naming::Single, 0},
    ElementFamily{singleKind(kWaveBoard), "wave1", Naming::Single, 0},
    ElementFamily{singleKind(kKin78Mark), "kin78", Naming::Single, 0},
    ElementFamily{singleKind(kWingsBoard), "wings", Naming::Single, 0},
    ElementFamily{kIzinFigures, "sgn", Naming::CodedByEight, 0},
    ElementFamily{kRunes, "rns", Naming::Coded, 0},
    ElementFamily{{kQuarters.first, 7}, "qntr", Naming::Coded, 0},
    ElementFamily{{kQuarters.first + 7, 7}, "qntw", Naming::Coded, 0},
    ElementFamily{{kQuarters.first + 14, 7}, "qntb", Naming::Coded, 0},
    ElementFamily{{kQuarters.first + 21, 7}, "qnty", Naming::Coded, 0},
    ElementFamily{singleKind(kExtraDayDot), "DOT1", Naming::Single, 0},
    ElementFamily{singleKind(kTelectononBoard), "telectonon", Naming::Single, 0},
    ElementFamily{kVinals50, "vnl50", Naming::Coded, 1},
    ElementFamily{kVinals40, "vnl40", Naming::Coded, 1},
    ElementFamily{kVinalTones40, "vnt40", Naming::Coded, 0},
    ElementFamily{{kWeekLines.first, 3}, "LNR", Naming::Plain, 1},
    ElementFamily{{kWeekLines.first + 3, 3}, "LNW", Naming::Plain, 1},
    ElementFamily{{kWeekLines.first + 6, 3}, "LNB", Naming::Plain, 1},
    ElementFamily{{kWeekLines.first + 9, 3}, "LNY", Naming::Plain, 1},
};
// clang-format on

QString threeDigits(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

QString nameIn(const ElementFamily& family, int kind) {
    const QString prefix = QLatin1String(family.prefix);
    const int index = family.range.index(kind) + family.indexOfFirst;
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
        if (family.range.contains(kind)) return QStringLiteral("graphic\\") + nameIn(family, kind);
    return std::nullopt;
}

std::optional<QString> printedFileName(int kind) {
    std::optional<QString> name = elementFileName(kind);
    const bool paperVariant = kinds::kMoonDayMarks.contains(kind) || kind == kinds::kWavespellBoard;
    if (name && paperVariant) name->insert(name->size() - 4, QStringLiteral("_print"));
    return name;
}

QRgb elementKeyColour(int kind) {
    const bool light = kind == kinds::kSigns35.kindOf(3) || kinds::kSmallSigns.contains(kind) ||
                       kinds::kSmallTones.contains(kind) || kind == kinds::kSpareSmallTone;
    return light ? qRgb(216, 208, 200) : qRgb(0, 0, 0);
}

const QImage& PictureCache::picture(const QString& writtenName) {
    const QString path = folder_.resolve(writtenName);
    const auto [modified, size] = fileStamp(path);
    auto found = entries_.find(path);
    if (found != entries_.end() && size >= 0 && found->second.modified == modified &&
        found->second.size == size)
        return found->second.image;
    QImage image = gfx::loadBitmap(path);  // throws for a missing or damaged file
    Entry& entry = entries_[path];
    entry = Entry{modified, size, image};
    return entry.image;
}

}  // namespace orbisca
