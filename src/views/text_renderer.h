// SPDX-License-Identifier: GPL-3.0-or-later
// Font choices and the pieces of the text renderer that need no frame: the sixteen font choices,
// the rainbow colours of arc texts and the FONT line of an exported text.
//
// Font choices 0..8 are the fonts of the font table (fdb.dat) in white; 9..15 are table font 6 in
// a fixed colour: 9 red (255, 0, 0), 10 blue (0, 57, 253), 11 gold (255, 217, 0), 12 silver
// (192, 192, 192), 13 light red (255, 102, 102), 14 light blue (102, 140, 255), 15 yellow
// (255, 255, 0). A choice above 15 keeps the font drawn last, in white.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <array>
#include <optional>

namespace orbisca {

struct FontTable;

inline constexpr int kFontChoices = 16;
// drawArcText's modes besides an arc's radius (> 0).
inline constexpr int kArcHorizontal = -1;
inline constexpr int kArcVertical = -2;

// A font choice resolved: the font, its colour and its metrics.
struct ChosenFont {
    QFont font;
    QColor colour;
    QFontMetrics metrics;
    explicit ChosenFont(const QFont& f, const QColor& c) : font(f), colour(c), metrics(f) {}
};

// The font and colour of a choice; `lastChoice` is the choice drawn last (for choices above 15;
// -1: none, then the default font).
ChosenFont resolveFontChoice(const FontTable& table, int choice, int lastChoice);

// The sixteen choices of one font table resolved once; reset when the table may have changed.
class FontChoiceCache {
public:
    explicit FontChoiceCache(const FontTable& table) : table_(table) {}
    const ChosenFont& get(int choice, int lastChoice);
    void clear();

private:
    const FontTable& table_;
    std::array<std::optional<ChosenFont>, kFontChoices> choices_;
    std::optional<ChosenFont> other_;  // the last choice above 15
    int otherFrom_ = -2;
};

// The rainbow colour at a position 0..120: red, yellow, green, cyan, blue, magenta and back to
// red, each step of 20 moving one component linearly (rounded, halves to even); above 120 white,
// below 0 red.
QColor rainbowColour(int position);

// The FONT line of an exported text in `font`: point size, character height (negative), colour
// (red, green and blue with a blank before and after each, " 0 0 0 " black), weight, slant and
// face: "FONT 8 -11 0 0 0 bld nrm DejaVu Sans".
QString exportedFontLine(const QFont& font, const QString& colour = QStringLiteral(" 0 0 0 "));

}  // namespace orbisca
