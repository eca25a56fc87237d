// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyph_fonts.h"

#include "elements.h"
#include "emblems.h"
#include "figures.h"
#include "numerals.h"

#include "data/atomic_file.h"
#include "data/sgn_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>

// Outline files, one per font, plain text with one record a line:
//   family NAME            the family name (may hold blanks)
//   file NAME.ttf          the font file to build
//   metrics UPM ASCENT DESCENT
//   glyph CODE ADVANCE     a glyph: its character code (hexadecimal) and advance in font units
//   X Y X Y ...            one closed contour of the glyph above, in font units, y up
// Lines starting with "#" are comments.

namespace orbisca::assets {

namespace {

constexpr double kPi = 3.14159265358979323846;

// --- Placing pictures in the em. A glyph is drawn from the picture's own geometry in its pixels,
// then moved to where the picture lands in a text cell of a font `em` pixels high: `topLeft` is
// the picture's top left from the cell's top left, both in pixels of that font.

QTransform pictureInEm(QPointF topLeft, double em) {
    QTransform t;
    t.scale(1 / em, 1 / em);
    t.translate(topLeft.x(), topLeft.y());
    return t;
}

// The 100 x 100 design box of the emblems onto a square `box`.
QTransform designInBox(const QRectF& box) {
    const double s = std::min(box.width(), box.height()) / 100.0;
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(s, s);
    t.translate(-50, -50);
    return t;
}

QList<QPainterPath> mapped(const QTransform& t, const QList<QPainterPath>& parts) {
    QList<QPainterPath> out;
    for (const QPainterPath& part : parts) out << t.map(part);
    return out;
}

QPainterPath strokeOf(const QPainterPath& path, double width, Qt::PenCapStyle cap = Qt::RoundCap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCurveThreshold(width * 0.005);
    return stroker.createStroke(path);
}

// A band of `width` just inside the edge of a rounded rectangle.
QPainterPath frame(const QRectF& r, double radius, double width) {
    QPainterPath band;
    band.addRoundedRect(r, radius, radius);
    const double inner = std::max(0.0, radius - width);
    band.addRoundedRect(r.adjusted(width, width, -width, -width), inner, inner);
    band.setFillRule(Qt::OddEvenFill);
    return band;
}

QPainterPath disc(QPointF c, double r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

// A band of `width` centred on the circle of radius r.
QPainterPath ring(QPointF c, double r, double width) {
    QPainterPath band = disc(c, r + width / 2);
    band.addPath(disc(c, r - width / 2));
    band.setFillRule(Qt::OddEvenFill);
    return band;
}

QPainterPath roundedBox(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void add(std::vector<GlyphOutline>& glyphs, QChar letter, double advance,
         QList<QPainterPath> parts) {
    glyphs.push_back(GlyphOutline{letter, advance, std::move(parts)});
}

// --- The sign glyphs. Each picture family is exported with its own font size and shift; the
// boxes below are the best fit over them (the large, the guide, the size-45, size-35 and year-grid
// signs land within about 3 pixels of their pictures).

// The cartouche: the coloured underlay 'W'; each sign letter draws its rim and emblem in black.
const QRectF kCartouche(0.03, 0.145, 0.80, 0.80);
constexpr double kSignAdvance = 0.86;
constexpr double kRimWidth = 0.028;
// The bar-and-dot numeral of the tones, centred across where the tone pictures centre theirs and,
// like theirs, kept to the upper part of its box: on the day and oracle pages, whose tone stands
// 2 pixels above its sign, the bars end about four pixels above the sign glyph's rim.
const QRectF kToneBox(0.105, 0.15, 0.62, 0.34 * kToneOnSignHeight);
constexpr double kToneAdvance = 0.83;
// The plasma disc, its top on the cell's top (plasmas are exported without a downward shift).
const QRectF kPlasmaDisc(0.06, 0.0, 0.88, 0.88);
constexpr double kPlasmaAdvance = 1.0;

void addSignGlyphs(std::vector<GlyphOutline>& g) {
    const double radius = kCartouche.width() * 0.2;
    add(g, u'W', kSignAdvance, {cartoucheShape(kCartouche)});
    const double inset = kCartouche.width() * kSignInset;
    const QTransform emblem = designInBox(kCartouche.adjusted(inset, inset, -inset, -inset));
    for (int sign = 1; sign <= 20; ++sign)
        add(g, QChar(u'A' + sign - 1), kSignAdvance,
            QList<QPainterPath>{frame(kCartouche, radius, kRimWidth)} +
                mapped(emblem, signEmblemParts(sign)));
    for (int tone = 1; tone <= 13; ++tone)
        add(g, QChar(u'a' + tone - 1), kToneAdvance, {toneNumeralPath(tone, kToneBox)});
    const QPointF centre = kPlasmaDisc.center();
    const double r = kPlasmaDisc.width() / 2;
    add(g, u'X', kPlasmaAdvance, {disc(centre, r)});
    const double plasmaInset = kPlasmaDisc.width() * kPlasmaInset;
    const QTransform petals =
        designInBox(kPlasmaDisc.adjusted(plasmaInset, plasmaInset, -plasmaInset, -plasmaInset));
    for (int plasma = 1; plasma <= 7; ++plasma)
        add(g, QChar(u'0' + plasma), kPlasmaAdvance,
            QList<QPainterPath>{ring(centre, r - kRimWidth / 2, kRimWidth)} +
                mapped(petals, plasmaEmblemParts(plasma)));
}

// The marks of the same font, each from its picture's geometry: the moon-day mark (23 pixels, in
// the 115-pixel font), the pvsign and kin mark (12 in 27), a place of the wavespell board (91 x 86
// in 133, centred in its advance) and the izin lines (31 x 5 in 48).
void addMarkGlyphs(std::vector<GlyphOutline>& g) {
    const QTransform moonDay = pictureInEm({21.3, 3.92}, 115);
    add(g, u'\\', 0.34, {moonDay.map(crescentShape({11.5, 11.5}, 0.42 * 23))});
    const QTransform star = pictureInEm({6, 4.4}, 27);
    add(g, u'*', 1.04, {star.map(starPath({6, 6}, 4, 5.7, 0.32 * 5.7, 0))});
    const QTransform place = pictureInEm({7.7, 4}, 133);
    add(g, u'_', 0.8, {place.map(frame(QRectF(0, 0, 91, 86), 8, 2.4))});
    const QTransform izin = pictureInEm({1.8 + kIzinMargin, 30.92}, 48);
    const QRectF line(0.4, 0.4, 30.2, 4.2);
    add(g, u'[', 0.72, {izin.map(izinLineShape(line, true))});
    add(g, u']', 0.72, {izin.map(izinLineShape(line, false))});
}

// --- "RUNES2": the runes on their 31 x 40 tablet (24-point font, 32 pixels), the tablet's rim
// ('0'), the heavier rim of the seventh rune of a week (':') and the sgn figures' tablet (';', 31 x
// 47 in the 45-pixel font, drawn 13 pixels above the figure's line glyphs).
void addRuneGlyphs(std::vector<GlyphOutline>& g) {
    const QSize tablet(31, 40);
    const QTransform t = pictureInEm({-9.8 + kRuneMargin, 1.28}, 32);
    for (int index = 0; index <= 28; ++index)
        add(g, QChar(u'A' + index), 0.7,
            {t.map(strokeOf(runeOnTablet(tablet).map(runeStrokePath(index)), kRuneStroke + 0.1))});
    const QRectF whole(0, 0, tablet.width(), tablet.height());
    add(g, u'0', 0.7, {t.map(frame(whole, kRuneTabletRadius, 1.4))});
    add(g, u':', 0.7,
        {t.map(frame(whole, kRuneTabletRadius, 2.6)),
         t.map(frame(whole.adjusted(4, 4, -4, -4), kRuneTabletRadius - 3, 0.9))});
    const QTransform sgn = pictureInEm({1.7 + kIzinMargin, 1.48}, 45);
    add(g, u';', 0.7, {sgn.map(roundedBox(QRectF(0, 0, 31, 47), kHexagramTabletRadius))});
}

// --- "URRUNE": the six lines of a hexagram figure, solid and broken, each where the figure's
// picture has it (31 x 47, lowest line 40 from the top, in the 45-pixel font).
constexpr int kHexagramLines = 6;

void addHexagramGlyphs(std::vector<GlyphOutline>& g) {
    const QTransform t = pictureInEm({1.7 + kIzinMargin, -11.52}, 45);
    for (int k = 0; k < kHexagramLines; ++k)
        for (bool solid : {true, false})
            add(g, hexagramLineLetter(k, solid), 0.75,
                {t.map(izinLineShape(hexagramLine(QSize(31, 47), 40, k), solid))});
}

// --- "The 7777 game": the quarter of day i of a week (41 pixels in the 35-pixel font), in the
// layers the export writes: the digit i (the lit sectors and the rim, in the week's colour), a
// centre disc ('M'..'S'), the letter 'j' + i in black (the unlit sectors, the dividers and the
// centre's ring), and the second layers drawn on top: the centre disc again ('T', 'V', 'W'), a pip
// in it ('U', 'X') and their black rings ('f', 'h', 'i' and 'g', 'j').
void addQuarterGlyphs(std::vector<GlyphOutline>& g) {
    const QTransform t = pictureInEm({-6.7 + kQuarterMargin, -2.28}, 35);
    const QPointF c(20.5, 20.5);
    const double r = 19.5, rim = 1.6, centre = 3.2, pip = 1.4;
    const double unlit = r - 0.3 - rim / 2;
    for (int day = 1; day <= 7; ++day) {
        QList<QPainterPath> lit{ring(c, r - 0.3, rim)};
        QList<QPainterPath> dark{ring(c, centre, 1.0)};
        for (int k = 0; k < 7; ++k) {
            if (k < day)
                lit << quarterSector(c, r, k);
            else
                dark << finelySubtracted(quarterSector(c, unlit, k), disc(c, centre));
            const double a = (90 - k * 360.0 / 7) * kPi / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            QPainterPath divider(c + centre * dir);
            divider.lineTo(c + unlit * dir);
            dark << strokeOf(divider, 1.2, Qt::FlatCap);
        }
        add(g, QChar(u'0' + day), 0.8, mapped(t, lit));
        add(g, QChar(u'j' + day), 0.8, mapped(t, dark));
    }
    for (QChar letter : QStringLiteral("MNOPQRSTVW")) add(g, letter, 0.8, {t.map(disc(c, centre))});
    for (QChar letter : QStringLiteral("UX")) add(g, letter, 0.8, {t.map(disc(c, pip))});
    for (QChar letter : QStringLiteral("fhi")) add(g, letter, 0.8, {t.map(ring(c, centre, 1.0))});
    for (QChar letter : QStringLiteral("gj")) add(g, letter, 0.8, {t.map(ring(c, pip, 0.6))});
}

// --- "MAYANVINALS": the vinals on the small tablet (34 x 40 in the 43-pixel font) and the vinal
// tones on theirs (17 x 30 in 53). The large tablet, drawn alone on the first day of a vinal and
// printed with the same letters in the 53-pixel font, comes out 42 pixels wide from its picture's
// left edge, where the picture is 50.
void addVinalGlyphs(std::vector<GlyphOutline>& g) {
    const QTransform t = pictureInEm({-1.4 + kVinalMargin, -3.96}, 43);
    const QRectF tablet(0, 0, 34, 40);
    const QTransform motifBox = designInBox(tablet.adjusted(4, 5, -4, -5));
    for (int vinal = 1; vinal <= 19; ++vinal) {
        const VinalMotif motif = vinalMotif(vinal, kVinalStroke);
        QList<QPainterPath> parts{frame(tablet, 5, 1.5)};
        for (const QPainterPath& part : motif.filled) parts << motifBox.map(part);
        for (const QPainterPath& part : motif.stroked)
            parts << motifBox.map(strokeOf(part, motif.strokeWidth));
        add(g, QChar(u'A' + vinal - 1), 0.85, mapped(t, parts));
    }
    const QTransform tone = pictureInEm({12 + kVinalMargin, 3.8}, 53);
    const QRectF toneTablet(0, 0, 17, 30);
    for (int value = 1; value <= 19; ++value)
        add(g, QChar(u'a' + value - 1), 0.85,
            mapped(tone, {frame(toneTablet, 4, 1.3),
                          compactNumeralPath(value, toneTablet.adjusted(2.5, 3, -2.5, -3),
                                             {2.6, 3.1, 3, 2})}));
}

GlyphFont makeFont(QString family, QString file, void (*fill)(std::vector<GlyphOutline>&)) {
    GlyphFont font{std::move(family), std::move(file), {}};
    fill(font.glyphs);
    return font;
}

std::vector<GlyphFont> buildFonts() {
    std::vector<GlyphFont> fonts;
    GlyphFont signs = makeFont(kSignGlyphFamily, "OrbiscaGlyphs.ttf", addSignGlyphs);
    addMarkGlyphs(signs.glyphs);
    fonts.push_back(std::move(signs));
    fonts.push_back(makeFont("RUNES2", "Runes2.ttf", addRuneGlyphs));
    fonts.push_back(makeFont("URRUNE", "Urrune.ttf", addHexagramGlyphs));
    fonts.push_back(makeFont("The 7777 game", "The7777Game.ttf", addQuarterGlyphs));
    fonts.push_back(makeFont("MAYANVINALS", "MayanVinals.ttf", addVinalGlyphs));
    return fonts;
}

// --- Contours

double signedArea(const QPolygonF& poly) {
    double sum = 0;
    for (qsizetype i = 0; i < poly.size(); ++i) {
        const QPointF& a = poly[i];
        const QPointF& b = poly[(i + 1) % poly.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum / 2;
}

// Whether most of `inner`'s corners lie inside `outer` (contours of one simplified part never
// cross, but may touch).
bool liesInside(const QPolygonF& inner, const QPolygonF& outer) {
    int in = 0;
    for (const QPointF& p : inner) in += outer.containsPoint(p, Qt::OddEvenFill) ? 1 : 0;
    return 2 * in > inner.size();
}

QPolygon rounded(const QPolygonF& poly) {
    QPolygon out;
    for (const QPointF& p : poly) {
        const QPoint q(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y())));
        if (out.isEmpty() || out.last() != q) out << q;
    }
    while (out.size() > 1 && out.last() == out.first()) out.removeLast();
    return out;
}

QByteArray outlineFile(const GlyphFont& font) {
    QByteArray out = "# Orbisca glyph outlines, written by orbisca-assets --glyph-outlines\n";
    out += "family " + font.family.toUtf8() + "\nfile " + font.file.toUtf8() + "\n";
    out += "metrics " + QByteArray::number(kGlyphUnitsPerEm) + ' ' +
           QByteArray::number(kGlyphAscent) + ' ' + QByteArray::number(kGlyphDescent) + '\n';
    for (const GlyphOutline& glyph : font.glyphs) {
        out += "glyph " + QByteArray::number(glyph.letter.unicode(), 16) + ' ' +
               QByteArray::number(std::lround(glyph.advance * kGlyphUnitsPerEm)) + '\n';
        for (const QPolygon& contour : glyphContours(glyph)) {
            QByteArray line;
            for (const QPoint& p : contour)
                line += QByteArray::number(p.x()) + ' ' + QByteArray::number(p.y()) + ' ';
            line.chop(1);
            out += line + '\n';
        }
    }
    return out;
}

}  // namespace

const std::vector<GlyphFont>& glyphFonts() {
    static const std::vector<GlyphFont> fonts = buildFonts();
    return fonts;
}

QChar hexagramLineLetter(int k, bool solid) { return QChar((solid ? u'A' : u'a') + k); }

QByteArray sgnTable() {
    SgnTable table;
    for (int m = 0; m < kSgnFigures; ++m) {
        const QString pattern = hexagramPattern(m + 1);
        for (int k = 0; k < kHexagramLines && k < pattern.size(); ++k)
            table.glyphs[static_cast<std::size_t>(m)] += hexagramLineLetter(k, pattern[k] == u'1');
    }
    // The pictures draw the lines of every figure in the same gold.
    table.colours.fill(SgnColour{237, 203, 128});
    return textFileContent(sgnTableLines(table));
}

QList<QPolygon> glyphContours(const GlyphOutline& glyph) {
    const QTransform toUnits(kGlyphUnitsPerEm, 0, 0, -kGlyphUnitsPerEm, 0, kGlyphAscent);
    QList<QPolygon> contours;
    for (const QPainterPath& part : glyph.parts) {
        // Curves are flattened in font units, a twentieth of a pixel at 100 pixels to the em.
        const QList<QPolygonF> polys = toUnits.map(part).simplified().toSubpathPolygons();
        for (qsizetype i = 0; i < polys.size(); ++i) {
            int depth = 0;
            for (qsizetype j = 0; j < polys.size(); ++j)
                if (j != i && liesInside(polys[i], polys[j])) ++depth;
            QPolygonF poly = polys[i];
            const bool outer = depth % 2 == 0;
            if ((signedArea(poly) < 0) != outer) std::reverse(poly.begin(), poly.end());
            const QPolygon contour = rounded(poly);
            if (contour.size() >= 3 && std::abs(signedArea(QPolygonF(contour))) >= 1)
                contours << contour;
        }
    }
    return contours;
}

QStringList writeGlyphOutlines(const QString& dir) {
    if (!QDir().mkpath(dir)) return {"cannot create " + dir};
    QStringList problems;
    for (const GlyphFont& font : glyphFonts()) {
        const QString path =
            QDir(dir).filePath(QFileInfo(font.file).completeBaseName() + ".glyphs");
        const QByteArray content = outlineFile(font);
        QFile old(path);
        if (old.open(QIODevice::ReadOnly) && old.readAll() == content) continue;
        QString error;
        if (!writeFileAtomically(path, content, &error)) problems << path + ": " + error;
    }
    return problems;
}

}  // namespace orbisca::assets
