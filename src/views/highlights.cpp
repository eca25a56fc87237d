// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/highlights.h"

#include <array>
#include <cmath>

#include "gfx/mask_draw.h"

namespace orbisca {
namespace {

int roundHalfEven(double v) { return int(std::nearbyint(v)); }

// What the window's caption says after a highlight; nothing for a mask of another size.
const char* captionOfMaskCode(int code) {
    switch (code) {
        case gfx::kMaskDrawn:
            return "OK";
        case gfx::kMaskTooWide:
            return ">X";
        case gfx::kMaskTooHigh:
            return ">Y";
        case gfx::kMaskNegativeX:
            return "<X";
        case gfx::kMaskNegativeY:
            return "<Y";
        case gfx::kMaskSizeDiffers:
            return nullptr;
        default:
            return "Error!!!";
    }
}

QString graphic(const QString& file) { return QStringLiteral("graphic\\") + file; }

const std::array<const char*, kPulsarColours> kBrushFiles = {"PulsV.bmp", "PulsW.bmp", "PulsB.bmp",
                                                             "PulsY.bmp", "PulsL.bmp", "PulsR.bmp"};
const char* const kBrushMask = "Puls1.bmp";

// A set of pulsar lines and who draws it: the tones whose pulsar (or second pulsar) it is, and its
// colour: a fixed colour number, or the scheme's first, second or third colour.
struct PulsarSet {
    std::array<PulsarLine, 6> lines;
    int lineCount;
    bool secondPulsar;         // drawn as the second pulsar of its tones
    std::array<int, 4> tones;  // 0: no tone
    int colour;                // a colour number, or -1, -2, -3: the scheme's c1, c2, c3
};

constexpr int kSecondPulsarColour = 4;

// The sets in the order they are drawn; each line from the first tone named to the second.
const std::array<PulsarSet, 9> kPulsarSets = {{
    {{{{1, 5}, {5, 9}, {13, 9}, {1, 13}, {5, 13}, {1, 9}}}, 6, false, {1, 5, 9, 13}, 0},
    {{{{1, 6}, {6, 11}, {1, 11}}}, 3, true, {1, 6, 11, 0}, kSecondPulsarColour},
    {{{{2, 6}, {6, 10}, {2, 10}}}, 3, false, {2, 6, 10, 0}, -1},
    {{{{2, 7}, {12, 7}, {2, 12}}}, 3, true, {2, 7, 12, 0}, kSecondPulsarColour},
    {{{{3, 7}, {7, 11}, {3, 11}}}, 3, false, {3, 7, 11, 0}, -2},
    {{{{3, 8}, {13, 8}, {3, 13}}}, 3, true, {3, 8, 13, 0}, kSecondPulsarColour},
    {{{{4, 8}, {12, 8}, {4, 12}}}, 3, false, {4, 8, 12, 0}, -3},
    {{{{4, 9}}}, 1, true, {4, 9, 0, 0}, kSecondPulsarColour},
    {{{{5, 10}}}, 1, true, {5, 10, 0, 0}, kSecondPulsarColour},
}};

// The three colours of a scheme 0..3.
std::array<int, 3> schemeColours(int scheme) {
    static constexpr std::array<std::array<int, 3>, 4> kSchemes = {
        {{1, 2, 3}, {2, 3, 5}, {3, 5, 1}, {5, 1, 2}}};
    return kSchemes[std::size_t(scheme >= 0 && scheme <= 3 ? scheme : 0)];
}

bool setBelongsTo(const PulsarSet& set, int tone) {
    for (int t : set.tones)
        if (t == tone) return true;
    return false;
}

}  // namespace

QString highlightPictureName(Highlight highlight) {
    return graphic(QStringLiteral("shine%1.bmp").arg(int(highlight) + 1));
}

QString highlightMaskName(Highlight highlight) {
    switch (highlight) {
        case Highlight::MonthRed:
        case Highlight::MonthWhite:
        case Highlight::MonthBlue:
        case Highlight::MonthYellow:
            return graphic(QStringLiteral("shine2t.bmp"));
        default:
            return graphic(QStringLiteral("shine%1t.bmp").arg(int(highlight) + 1));
    }
}

Highlight monthHighlight(int cromatic) {
    switch (cromatic) {
        case 2:
            return Highlight::MonthWhite;
        case 3:
            return Highlight::MonthBlue;
        case 4:
            return Highlight::MonthYellow;
        default:
            return Highlight::MonthRed;
    }
}

void shine(FullModeFrame& frame, int x, int y, Highlight highlight) {
    if (frame.state().exports.exporting) return;
    const QString name = highlightPictureName(highlight);
    const QImage& picture = frame.picture(name);
    const QImage& mask = frame.picture(highlightMaskName(highlight));
    const int code = frame.drawMasked(picture, mask, x, y, name);
    if (const char* caption = captionOfMaskCode(code))
        frame.state().drawing.highlightCaption = QLatin1String(caption);
}

QPoint tonePlace(int tone) {
    int column = 4, row = 2;  // tone 13
    if (tone <= 5) {
        column = 1;
        row = tone;
    } else if (tone <= 9) {
        column = tone - 4;
        row = 5;
    } else if (tone <= 12) {
        column = 5;
        row = 14 - tone;
    }
    return {102 * column + 15, 91 * row - 30};
}

std::vector<QPoint> pulsarPoints(QPoint from, QPoint to) {
    std::vector<QPoint> points;
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx == 0) {
        for (int t = 0; t <= dy; ++t) points.emplace_back(from.x(), from.y() + t);
        return points;
    }
    // A level line has the slope of a tiny rise, so that it counts as shallow.
    const double slope = (dy == 0 ? 0.00001 : double(dy)) / dx;
    if (std::abs(slope) <= 1) {
        // One pixel a step across. A line of exactly 45 degrees is stepped the same way, so that
        // one rising to the right does not come out mirrored.
        for (int t = 0; t <= dx; ++t)
            points.emplace_back(from.x() + t, from.y() + roundHalfEven(t * slope));
    } else {
        for (int t = 0; t <= dy; ++t)
            points.emplace_back(roundHalfEven(t / slope + from.x()), from.y() + t);
    }
    return points;
}

std::vector<QPoint> pulsarPointsBetween(QPoint a, QPoint b) {
    if (b.x() < a.x() || (b.x() == a.x() && b.y() < a.y())) std::swap(a, b);
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    if (dx != 0 && double(dy) / dx < -1) std::swap(a, b);  // steep and rising: from the top
    return pulsarPoints(a, b);
}

void stampPulsar(FullModeFrame& frame, const std::vector<QPoint>& points, int colour) {
    if (frame.state().exports.exporting || colour < 0 || colour >= kPulsarColours) return;
    const QString name = graphic(QLatin1String(kBrushFiles[std::size_t(colour)]));
    const QImage& brush = frame.picture(name);
    const QImage& mask = frame.picture(graphic(QLatin1String(kBrushMask)));
    for (const QPoint& p : points) frame.drawMasked(brush, mask, p.x(), p.y(), name);
}

std::vector<ColouredPulsarLine> pulsarLines(int tone, int mode, int scheme) {
    const std::array<int, 3> colours = schemeColours(scheme);
    std::vector<ColouredPulsarLine> lines;
    for (const PulsarSet& set : kPulsarSets) {
        if (!setBelongsTo(set, tone)) continue;
        if (set.secondPulsar ? mode == 0 : mode == 1) continue;
        const int colour = set.colour >= 0 ? set.colour : colours[std::size_t(-set.colour - 1)];
        for (int i = 0; i < set.lineCount; ++i)
            lines.push_back({set.lines[std::size_t(i)], colour});
    }
    return lines;
}

void drawPulsars(FullModeFrame& frame, int mode, int scheme) {
    if (frame.state().exports.exporting) return;
    for (const ColouredPulsarLine& l : pulsarLines(frame.day().tone, mode, scheme))
        stampPulsar(frame, pulsarPoints(tonePlace(l.line.fromTone), tonePlace(l.line.toTone)),
                    l.colour);
}

}  // namespace orbisca
