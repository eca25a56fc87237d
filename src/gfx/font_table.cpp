// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/font_table.h"

#include <QFontMetricsF>
#include <cmath>
#include <stdexcept>

#include "data/data_error.h"
#include "data/text_file.h"

namespace orbisca {

namespace {

// Sizes and heights beyond the largest picture side draw nothing that fits anywhere; the bound also
// keeps the negation of a height inside int.
constexpr int kMaxFontNumber = 16384;

int wholeNumber(const QString& field, const char* what) {
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    if (!ok)
        throw std::invalid_argument(QStringLiteral("%1 \"%2\" is not a whole number")
                                        .arg(QLatin1String(what), field)
                                        .toStdString());
    if (value < -kMaxFontNumber || value > kMaxFontNumber)
        throw std::invalid_argument(QStringLiteral("%1 %2 is beyond %3 pixels")
                                        .arg(QLatin1String(what))
                                        .arg(value)
                                        .arg(kMaxFontNumber)
                                        .toStdString());
    return value;
}

void applyField(QFont& font, int number, const QString& field) {
    switch (number) {
        case 1:
            font.setFamily(field);
            break;
        case 2: {
            const int size = wholeNumber(field, "size");
            if (size > 0) font.setPointSize(size);
            break;
        }
        case 3:
            applyFontHeight(font, wholeNumber(field, "height"));
            break;
        case 4:
            font.setItalic(field == QLatin1String("italic"));
            break;
        case 5:
            font.setBold(field == QLatin1String("bold"));
            break;
        default:
            break;
    }
}

}  // namespace

// Windows heights: negative is the em height, positive the whole cell, which we reach by scaling
// the pixel size with the face's cell-to-em ratio.
void applyFontHeight(QFont& font, int height) {
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        QFont probe = font;
        probe.setPixelSize(100);
        const qreal cell = QFontMetricsF(probe).height();
        const int pixels = cell > 0 ? static_cast<int>(std::lround(height * 100.0 / cell)) : height;
        font.setPixelSize(std::max(1, pixels));
    }
}

TableFont parseFontLine(const QString& line) {
    TableFont result;
    QString field;
    int number = 1;
    for (QChar c : line) {
        if (c != u'^') {
            field += c;
            continue;
        }
        applyField(result.font, number++, field);
        field.clear();
    }
    return result;
}

void FontTable::load(const WorkingFolder& folder) {
    const QStringList lines = requireTextLines(folder, QStringLiteral("fdb.dat"));
    FontTable built;
    for (int i = 0; i < kFontTableSize; ++i) {
        try {
            built.fonts[i] = parseFontLine(lines.value(i));
        } catch (const std::invalid_argument& e) {
            throw DataFileError(
                QStringLiteral("fdb.dat line %1: %2").arg(i + 1).arg(QString::fromUtf8(e.what())));
        }
    }
    fonts = built.fonts;
}

TableFont FontTable::font(int index) const {
    if (index >= 0 && index < kFontTableSize && fonts[index]) return *fonts[index];
    return TableFont{};
}

}  // namespace orbisca
