// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/text_renderer.h"

#include <algorithm>
#include <cmath>

#include "gfx/font_table.h"
#include "views/full_mode_frame.h"

namespace orbisca {
namespace {

// The table font that choices 9..15 take, and their colours.
constexpr int kColouredFont = 6;
constexpr std::array<QRgb, 7> kChoiceColours = {
    qRgb(255, 0, 0),     qRgb(0, 57, 253),    qRgb(255, 217, 0), qRgb(192, 192, 192),
    qRgb(255, 102, 102), qRgb(102, 140, 255), qRgb(255, 255, 0)};

int roundHalfEven(double v) { return int(std::nearbyint(v)); }

}  // namespace

ChosenFont resolveFontChoice(const FontTable& table, int choice, int lastChoice) {
    if (choice >= 0 && choice < kFontTableSize)
        return ChosenFont(table.font(choice).font, Qt::white);
    if (choice >= kFontTableSize && choice < kFontChoices)
        return ChosenFont(table.font(kColouredFont).font,
                          QColor(kChoiceColours[choice - kFontTableSize]));
    if (lastChoice >= 0 && lastChoice < kFontChoices)
        return ChosenFont(resolveFontChoice(table, lastChoice, -1).font, Qt::white);
    return ChosenFont(QFont(), Qt::white);
}

const ChosenFont& FontChoiceCache::get(int choice, int lastChoice) {
    if (choice >= 0 && choice < kFontChoices) {
        std::optional<ChosenFont>& slot = choices_[choice];
        if (!slot) slot.emplace(resolveFontChoice(table_, choice, -1));
        return *slot;
    }
    const int from = lastChoice >= 0 && lastChoice < kFontChoices ? lastChoice : -1;
    if (!other_ || otherFrom_ != from) {
        other_.emplace(resolveFontChoice(table_, choice, from));
        otherFrom_ = from;
    }
    return *other_;
}

void FontChoiceCache::clear() {
    for (auto& slot : choices_) slot.reset();
    other_.reset();
    otherFrom_ = -2;
}

namespace {

// Relative luminance (sRGB, as contrast ratios are measured) of one colour.
double luminance(const QColor& c) {
    auto channel = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// Pure blue is dim on the frame's night blue (2.5 : 1); the blues around position 80 are mixed
// with up to 40 % white, which brings pure blue to 4.7 : 1 and leaves cyan and magenta as they are.
// Where the violets between blue and magenta still read below 4.5 : 1, they take the least
// further white that brings them there.
QColor liftedBlue(QColor c, int position) {
    constexpr double kLeastContrast = 4.5;
    const double ground = luminance(QColor::fromRgb(kFrameBackground)) + 0.05;
    double white = 0.4 * (1.0 - std::abs(position - 80) / 20.0);
    for (;; white += 0.01) {
        auto lift = [white](int v) { return roundHalfEven(v + (255 - v) * white); };
        const QColor lifted(lift(c.red()), lift(c.green()), lift(c.blue()));
        if (white >= 1.0 || (luminance(lifted) + 0.05) / ground >= kLeastContrast) return lifted;
    }
}

}  // namespace

QColor rainbowColour(int position) {
    if (position > 120) return Qt::white;
    position = std::max(position, 0);
    // Segments 0..20, 21..40, ... 101..120; the first segment also takes 0.
    const int segment = position == 0 ? 0 : (position - 1) / 20;
    const double t = (position - 20.0 * segment) * 255.0 / 20.0;
    const int rising = roundHalfEven(t);
    const int falling = roundHalfEven(255.0 - t);
    switch (segment) {
        case 0:
            return QColor(255, rising, 0);  // red to yellow
        case 1:
            return QColor(falling, 255, 0);  // yellow to green
        case 2:
            return QColor(0, 255, rising);  // green to cyan
        case 3:
            return liftedBlue(QColor(0, falling, 255), position);  // cyan to blue
        case 4:
            return liftedBlue(QColor(rising, 0, 255), position);  // blue to magenta
        default:
            return QColor(255, 0, falling);  // magenta to red
    }
}

QString exportedFontLine(const QFont& font, const QString& colour) {
    // The character height in pixels, negative as a script's FONT line takes it, and the point
    // size at 96 pixels an inch that goes with it (rounded half away from zero).
    const int pixels =
        font.pixelSize() > 0 ? font.pixelSize() : int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    const int points = (pixels * 72 + 48) / 96;
    return QStringLiteral("FONT %1 %2%3%4%5%6")
        .arg(points)
        .arg(-pixels)
        .arg(colour)
        .arg(font.bold() ? QStringLiteral("bld ") : QStringLiteral("thn "))
        .arg(font.italic() ? QStringLiteral("itl ") : QStringLiteral("nrm "))
        .arg(font.family());
}

}  // namespace orbisca
