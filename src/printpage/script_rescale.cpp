// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/script_rescale.h"

#include <climits>
#include <cmath>

#include "printpage/script_line.h"

namespace orbisca {
namespace {

constexpr int kYearOriginX = 53;
constexpr int kYearOriginY = 12;

int scaledNumber(int v, double factor, const char* what) {
    const double scaled = static_cast<double>(v) * factor;
    if (!(std::fabs(scaled) < static_cast<double>(INT_MAX)))
        throw ScriptSyntaxError(std::string(what) + " is out of range after rescaling");
    return static_cast<int>(roundHalfEven(scaled));
}

// origin + round((v - origin) * factor), within 32 bits.
int scaledAround(int v, int origin, double factor, const char* what) {
    const double scaled =
        origin + static_cast<double>(roundHalfEven((static_cast<double>(v) - origin) * factor));
    if (!(std::fabs(scaled) < static_cast<double>(INT_MAX)))
        throw ScriptSyntaxError(std::string(what) + " is out of range after rescaling");
    return static_cast<int>(scaled);
}

int scaledFontNumber(int v, double factor) {
    return qBound(-kMaxImageSide, scaledNumber(v, factor, "the font size"), kMaxImageSide);
}

// A picture's side once scaled: at least one pixel, and no more than a picture may have.
int scaledSide(int v, double factor) {
    return qBound(1, scaledNumber(v, factor, "the picture size"), kMaxImageSide);
}

QString join(const QStringList& parts) { return parts.join(u' '); }

}  // namespace

qint64 roundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kLimit = 9.0e18;  // within qint64, so the conversion is defined
    return static_cast<qint64>(std::nearbyint(qBound(-kLimit, v, kLimit)));
}

int clampToInt(qint64 v) {
    return static_cast<int>(qBound<qint64>(qint64(INT_MIN), v, qint64(INT_MAX)));
}

QString rescaledScriptLine(const QString& line, double factor, const PictureSizeOf& pictureSize) {
    const ScriptCommand command = parseScriptLine(line);  // validates every field
    if (const auto* font = std::get_if<FontCommand>(&command)) {
        const ScriptArguments a = splitScriptArguments(line, 7);
        return join({"FONT", scriptInt(scaledFontNumber(font->size, factor)),
                     scriptInt(scaledFontNumber(font->height, factor)), a.fields[2], a.fields[3],
                     a.fields[4], a.fields[5], a.fields[6], a.tail});
    }
    if (const auto* text = std::get_if<TextCommand>(&command)) {
        const ScriptArguments a = splitScriptArguments(line, 3);
        return join({"TEXT", scriptInt(scaledNumber(text->x, factor, "x")),
                     scriptInt(scaledNumber(text->y, factor, "y")), a.fields[2], a.tail});
    }
    if (const auto* pict = std::get_if<PictCommand>(&command)) {
        const ScriptArguments a = splitScriptArguments(line, 6);
        const QSize size = pict->size.isValid() ? pict->size
                           : pictureSize        ? pictureSize(pict->file)
                                                : QSize();
        QString tail = a.tail;
        if (size.isValid() && !size.isEmpty())
            tail = '\'' + pict->file + "' " + scriptInt(scaledSide(size.width(), factor)) + ' ' +
                   scriptInt(scaledSide(size.height(), factor));
        return join({"PICT", scriptInt(scaledNumber(pict->x, factor, "x")),
                     scriptInt(scaledNumber(pict->y, factor, "y")), a.fields[2], a.fields[3],
                     a.fields[4], a.fields[5], tail});
    }
    if (const auto* moon = std::get_if<MoonCommand>(&command)) {
        const ScriptArguments a = splitScriptArguments(line, 4);
        const int size = qBound(1, scaledNumber(moon->size, factor, "the moon size"), kMaxMoonSize);
        return join({"MOON", scriptInt(scaledNumber(moon->x, factor, "x")),
                     scriptInt(scaledNumber(moon->y, factor, "y")), scriptInt(size), a.fields[3],
                     a.tail});
    }
    if (const auto* year = std::get_if<YearCommand>(&command)) {
        // The year page is shifted by x - 53 and y - 12, so it is the shift that scales.
        const int scale = scriptNumber(year->scale, "the year scale");
        return join({"YEAR", scriptInt(scaledAround(year->x, kYearOriginX, factor, "x")),
                     scriptInt(scaledAround(year->y, kYearOriginY, factor, "y")),
                     scriptInt(scaledNumber(scale, factor, "the year scale"))});
    }
    return QString();
}

}  // namespace orbisca
