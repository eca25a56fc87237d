// SPDX-License-Identifier: GPL-3.0-or-later
#include "manifest.h"

#include "boards.h"
#include "buttons.h"
#include "elements.h"
#include "face.h"
#include "figures.h"
#include "glow.h"
#include "glyph_fonts.h"
#include "layouts.h"
#include "moon_pictures.h"
#include "palette.h"
#include "raster.h"
#include "tables.h"
#include "telectonon.h"

namespace orbisca::assets {

QString codedIndex(int index, int variant) {
    return QString::number(variant) + QStringLiteral("%1").arg(index, 3, 10, QLatin1Char('0'));
}

namespace {

// Sizes, each fixed by where the pictures are placed.
// Compact face: a sign at (224, 220) spans 224..300 x 220..296, area A2 (226..298 x 222..294) and
// a two-pixel margin on every side.
constexpr int kMainSign = 77;
// The guide at (308, 229) spans 308..372 x 229..293: area A3 (310..370 x 231..291) and the margin.
constexpr int kGuideSign = 65;
// The tone at (227, 182) reaches the right and bottom edges of area A1 (298, 217): 72 x 36.
const QSize kLargeTone(72, 36);
// The plasma at (150, 216) spans 150..208 x 216..274: area A4 (154..208 x 218..272) with its
// right edge, a margin above and below.
constexpr int kLargePlasma = 59;
// Views: size-45 and size-35 signs and plasmas are squares of their size; their tones stand on
// top of them (wavespell: tone 24 pixels above a size-45 sign; month view and castle: 20 above a
// size-35 sign).
const QSize kTone45(45, 24);
const QSize kTone35(35, 20);
// Year grid: cells step 17 across and 23 down; the frame fills a cell, the small sign (15 x 15)
// sits 1 in and 7 down, the small tone on the frame's top row above it, 6 high.
const QSize kGridFrame(17, 23);
const QSize kTinyTone(15, 6);
constexpr int kTinySign = 15;
// Moon-day marks stand 26 pixels left of a sign (month view: mark at 76c - 30, sign at 76c - 4),
// and 23 pixels above the kin mark in the same column (month view: 86r + 50 and 86r + 73; year
// view: 217 and 240; castle: 75 and 98).
constexpr int kMoonDayMark = 23;
// The moon is drawn into a 60 x 60 bitmap at (0, 0) and blended through a 60 x 60 disc.
constexpr int kMoon = 60;
// Printed moons are stretched to the disc size of the script line; twice the screen size keeps
// them sharp on an enlarged page.
constexpr int kPrintMoon = 120;
// The compact window starts as an 80 x 80 picture placed at the screen centre less 40.
constexpr int kSplash = 80;
// Full-mode buttons are 33 x 33 and their glyph fills them; the compact window's two buttons are
// smaller, 24 x 24, so they fit on the base of the pyramid.
constexpr int kFullButton = 33;
constexpr int kCompactButton = 24;
// Pulsar brushes: the views stamp about 3,000 of them a paint; a 7 x 7 soft dot draws a line
// about five pixels wide.
constexpr int kBrush = 7;
// Izin lines stack 7 pixels apart (y + 42 - 7 (i - 1)) and are as wide as the stack's column.
const QSize kIzinMark(31, 5);
// A hexagram replaces the seventh stack: six lines 7 apart, the lowest 40 below its top.
const QSize kHexagram(31, 47);
constexpr int kHexagramFirstLine = 40;
// The 13-moon columns are 76 apart and hold, from y 280, the rune, the quarter (325) and the
// vinal (370). What each picture shows has the sizes below; a margin on its left (figures.h)
// centres it under the column's sign.
const QSize kRune(31, 40);
constexpr int kQuarter = 41;
const QSize kVinalLarge(50, 50);
const QSize kVinalSmall(34, 40);
const QSize kVinalTone(17, 30);

QSize widened(QSize size, int margin) { return {size.width() + margin, size.height()}; }
// Week lines: across from x 27 to the right-hand line's outer edge (586), and down from y 100 to
// the bottom line at 424.
const QSize kWeekAcross(559, 4);
// The top line at (27, 72) reaches down to y 273 with the izin sockets: a plate under each
// column's sign (its middle at 76c + 13.5) from y 216, below the dates (198, ten high), to 273,
// above the runes (280); the izin lines' slots where the stacks put them (76c - 2, y 262, 255 ...
// 227, 31 x 5), and in the seventh column the hexagram's tablet (529, 222, 31 x 47).
const QSize kWeekTop(559, 202);
const IzinSockets kIzinSockets{76 + 13.5 - 27, 76,       7, 216 - 72, 273 - 72, 39,
                               {31, 5},        262 - 72, 7, {31, 47}, 222 - 72};
const QSize kWeekDown(4, 324);
constexpr int kStar = 12;
constexpr int kWaveMark = 45;
// Telectonon sprites.
constexpr int kCursor = 33;
constexpr int kPiece = 17;
constexpr int kGem = 20;

class Builder {
public:
    std::vector<Asset> list;

    void keyed(QString file, QString family, QSize size, QRgb key, QString reason,
               std::function<QImage()> draw) {
        add(std::move(file), std::move(family), size, key, Use::Keyed, {}, std::move(reason),
            std::move(draw));
    }
    void mask(QString file, QString family, QSize size, QString reason,
              std::function<QImage()> draw) {
        add(std::move(file), std::move(family), size, kKeyBlack, Use::Mask, {}, std::move(reason),
            std::move(draw));
    }
    void opaque(QString file, QString family, QSize size, QString reason,
                std::function<QImage()> draw) {
        add(std::move(file), std::move(family), size, kKeyBlack, Use::Opaque, {}, std::move(reason),
            std::move(draw));
    }
    void blended(QString file, QString family, QSize size, QString maskFile, QString reason,
                 std::function<QImage()> draw) {
        add(std::move(file), std::move(family), size, kKeyBlack, Use::Blended, std::move(maskFile),
            std::move(reason), std::move(draw));
    }

private:
    void add(QString file, QString family, QSize size, QRgb key, Use use, QString maskFile,
             QString reason, std::function<QImage()> draw) {
        list.push_back(Asset{std::move(file), std::move(family), size, key, use,
                             std::move(maskFile), std::move(reason), std::move(draw)});
    }
};

void addCompact(Builder& b) {
    const QSize face(kFaceWidth, kFaceHeight);
    b.opaque("pyr0.bmp", "compact", face,
             "the compact window's face, 600 x 450; texts and pictures of the day lie within it",
             facePicture);
    b.mask("pyrA0.bmp", "compact", face,
           "outline mask of the face, same size as pyr0.bmp; red corner pairs mark its rectangles",
           faceRegionMask);
    b.mask("pyrS0.bmp", "compact", face,
           "the outline with an anti-aliased rim, same size as pyr0.bmp: the window's alpha when "
           "the desktop composites",
           faceSoftEdge);
    b.mask("frame1.bmp", "compact", {kSplash, kSplash},
           "first outline: the window starts at the screen centre less 40, so 80 x 80 is centred",
           [] { return splashOutline(kSplash); });
    b.opaque("frameclr.bmp", "compact", {kSplash, kSplash},
             "picture shown inside the first outline, the same 80 x 80",
             [] { return splashPicture(kSplash); });
    b.mask("SBalfa.bmp", "compact", {kMainSign, kMainSign},
           "mask of the sign of the day, same size as the signs nY.bmp",
           [] { return signMask(kMainSign, SignStyle::Main); });
    b.mask("Smalfa.bmp", "compact", {kGuideSign, kGuideSign},
           "mask of the guide sign, same size as the signs n.bmp",
           [] { return signMask(kGuideSign, SignStyle::Plain); });
    b.mask("plalfa.bmp", "compact", {kLargePlasma, kLargePlasma},
           "mask of the plasma, same size as nX.bmp", [] { return plasmaMask(kLargePlasma); });
}

void addSigns(Builder& b) {
    for (int sign = 1; sign <= 20; ++sign) {
        const QString n = QString::number(sign % 20);
        b.keyed(
            n + "Y.bmp", "sign", {kMainSign, kMainSign}, kKeyBlack,
            "sign of the day at (224, 220): covers area A2 (226..298 x 222..294) with a 2-pixel "
            "margin",
            [sign] { return signPicture(sign, kMainSign, SignStyle::Main, kKeyBlack); });
    }
    for (int sign = 1; sign <= 20; ++sign) {
        const QString n = QString::number(sign % 20);
        b.keyed(n + ".bmp", "sign", {kGuideSign, kGuideSign}, kKeyBlack,
                "guide at (308, 229): covers area A3 (310..370 x 231..291) with a 2-pixel margin",
                [sign] { return signPicture(sign, kGuideSign, SignStyle::Plain, kKeyBlack); });
    }
    struct Size {
        const char* prefix;
        int size;
        const char* reason;
    };
    const Size sizes[] = {
        {"zc45", 45, "sign of size 45, a 45 x 45 square"},
        {"zc35", 35, "sign of size 35, a 35 x 35 square"},
        {"zcs15", kTinySign, "year-grid sign: 15 x 15 inside a 17 x 23 cell"},
    };
    for (const Size& s : sizes) {
        for (int index = 0; index < 20; ++index) {
            const bool lightKey = s.size == kTinySign || (s.size == 35 && index == 2);
            const QRgb key = lightKey ? kKeyLight : kKeyBlack;
            const int size = s.size;
            b.keyed(
                QString(s.prefix) + codedIndex(index) + ".bmp", "sign", {size, size}, key,
                QString(s.reason) + "; index " + QString::number(index) + " is sign " +
                    QString::number(index + 1),
                [index, size, key] { return signPicture(index + 1, size, SignStyle::Plain, key); });
        }
    }
}

void addTones(Builder& b) {
    for (int tone = 1; tone <= 13; ++tone) {
        const QString n = QString::number(tone);
        b.keyed("Tone" + n + ".bmp", "tone", kLargeTone, kKeyBlack,
                "tone at (227, 182): reaches the right and bottom edges of area A1 (226..298 x "
                "177..217)",
                [tone] { return tonePicture(tone, kLargeTone, true); });
        b.mask("ToneAlfa" + n + ".bmp", "tone", kLargeTone,
               "mask of Tone" + n + ".bmp, the same size",
               [tone] { return toneMask(tone, kLargeTone); });
    }
    for (int index = 0; index < 13; ++index)
        b.keyed(
            "tn45" + codedIndex(index) + ".bmp", "tone", kTone45, kKeyBlack,
            "tone over a size-45 sign, 24 pixels above it in the wavespell; index + 1 is the tone",
            [index] { return tonePicture(index + 1, kTone45, false); });
    for (int index = 0; index < 13; ++index)
        b.keyed("tn35" + codedIndex(index) + ".bmp", "tone", kTone35, kKeyBlack,
                "tone over a size-35 sign, 20 pixels above it in the month view and castle",
                [index] { return tonePicture(index + 1, kTone35, false); });
    for (int index = 0; index < 53; ++index) {
        // Index tone - 1 + 13 (cromatic - 1); the 53rd starts the colours again.
        const int tone = index % 13 + 1;
        const int cromatic = (index / 13) % 4 + 1;
        b.keyed("tn6h" + codedIndex(index) + ".bmp", "tone", kTinyTone, kKeyLight,
                "year-grid tone on the top row of a 17 x 23 cell, above the 15-pixel sign",
                [tone, cromatic] { return tinyTonePicture(tone, cromatic, kTinyTone); });
    }
}

void addPlasmas(Builder& b) {
    for (int plasma = 1; plasma <= 7; ++plasma)
        b.keyed(QString::number(plasma) + "X.bmp", "plasma", {kLargePlasma, kLargePlasma},
                kKeyBlack,
                "plasma at (150, 216): covers area A4 (154..208 x 218..272) to its right edge",
                [plasma] { return plasmaPicture(plasma, kLargePlasma); });
    b.keyed("0X.bmp", "plasma", {kLargePlasma, kLargePlasma}, kKeyBlack,
            "the compact window's plasma socket on the day out of time, which has no plasma: "
            "the size of nX.bmp, drawn through plalfa.bmp",
            [] { return extraDayEmblem(kLargePlasma); });
    for (int index = 0; index < 7; ++index)
        b.keyed("pl35" + codedIndex(index) + ".bmp", "plasma", widened({35, 35}, kPlasmaMargin),
                kKeyBlack,
                "plasma of size 35 at 76c - 13 in the month and 13-moon views, its disc 9 pixels "
                "in: under the column's sign",
                [index] {
                    return withLeftMargin(plasmaPicture(index + 1, 35), kPlasmaMargin, kKeyBlack);
                });
}

void addMarks(Builder& b) {
    for (int mark = 1; mark <= 8; ++mark)
        b.keyed("md" + codedIndex(mark) + ".bmp", "mark", {kMoonDayMark, kMoonDayMark}, kKeyBlack,
                "moon-day mark, in the 26 pixels left of a sign (mark at 76c - 30, sign at 76c - "
                "4) and above the kin mark 23 pixels below it (month view, year view, castle)",
                [mark] { return moonDayMark(mark, kMoonDayMark); });
    for (int mark = 1; mark <= 4; ++mark)
        b.keyed("md" + codedIndex(mark) + "_print.bmp", "mark", {kMoonDayMark, kMoonDayMark},
                kKeyBlack,
                "moon-day mark of a page printed in picture form, the size of md" +
                    codedIndex(mark) + ".bmp; pale where the black day number stands",
                [mark] { return moonDayMark(mark, kMoonDayMark, Medium::Paper); });
    for (int cromatic = 1; cromatic <= 4; ++cromatic)
        b.keyed("fr" + QString::number(cromatic) + ".bmp", "mark", kGridFrame, kKeyBlack,
                "year-grid cell frame: cells step 17 across and 23 down",
                [cromatic] { return yearGridFrame(cromatic, kGridFrame); });
    b.keyed("DOT.bmp", "mark", {12, 12}, kKeyBlack,
            "year-view marker beside the grid, smaller than a 17 x 23 cell",
            [] { return dotPicture(12, false); });
    b.keyed("DOT1.bmp", "mark", {16, 16}, kKeyBlack,
            "marker of the extra day, centred above its sign in the month view",
            [] { return dotPicture(16, true); });
}

void addMoons(Builder& b) {
    b.keyed("moon.bmp", "moon", {kMoon, kMoon}, kKeyBlack,
            "drawn at (0, 0) into the 60 x 60 bitmap that the 60 x 60 phase disc masks",
            [] { return moonPicture(kMoon, true); });
    b.keyed("moon2.bmp", "moon", {kPrintMoon, kPrintMoon}, kKeyBlack,
            "printed moon, stretched to the disc size; twice the screen size",
            [] { return moonPicture(kPrintMoon, true); });
    b.keyed("moon3.bmp", "moon", {kPrintMoon, kPrintMoon}, kKeyBlack,
            "printed moon in black and white, same size as moon2.bmp",
            [] { return moonPicture(kPrintMoon, false); });
}

void addButtons(Builder& b) {
    struct Glyph {
        const char* file;
        Pictogram icon;
    };
    const Glyph full[] = {
        {"btnDay.bmp", Pictogram::Day},
        {"btnTone.bmp", Pictogram::Tone},
        {"btnSign.bmp", Pictogram::Sign},
        {"btnPlasma.bmp", Pictogram::Plasma},
        {"btnOracle.bmp", Pictogram::Oracle},
        {"btnMonth.bmp", Pictogram::Month},
        {"btnZolkin.bmp", Pictogram::Zolkin},
        {"btnWavespell.bmp", Pictogram::Wavespell},
        {"btnPulsars.bmp", Pictogram::Pulsars},
        {"btnYear.bmp", Pictogram::Year},
        {"btnMoons.bmp", Pictogram::Moons},
        {"btnCastle.bmp", Pictogram::Castle},
        {"btnTelectonon.bmp", Pictogram::Telectonon},
        {"btnIzin.bmp", Pictogram::KinBook},
        {"btnPrint.bmp", Pictogram::Print},
        {"btnHelp.bmp", Pictogram::Help},
        {"btnConfig.bmp", Pictogram::Config},
        {"btnCompact.bmp", Pictogram::Compact},
        {"btnExit.bmp", Pictogram::Exit},
    };
    for (const Glyph& g : full) {
        const Pictogram icon = g.icon;
        b.opaque(
            g.file, "button", {kFullButton * kGlyphStates, kFullButton},
            "full-mode button glyph: four 33 x 33 images side by side, in the order normal, hot, "
            "down, disabled",
            [icon] { return buttonGlyph(icon, kFullButton, false); });
    }
    const Glyph compact[] = {{"btnExpand.bmp", Pictogram::Expand},
                             {"btnClose.bmp", Pictogram::Close}};
    for (const Glyph& g : compact) {
        const Pictogram icon = g.icon;
        b.opaque(g.file, "button", {kCompactButton * kGlyphStates, kCompactButton},
                 "compact-window button glyph: four 24 x 24 states side by side",
                 [icon] { return buttonGlyph(icon, kCompactButton, true); });
    }
}

// --- Highlights. Each is a halo centred on what it marks, with a clear middle; its size follows
// from the point the view puts it at, and every place any date puts it lies inside the frame
// (the masked drawing draws nothing for a picture that reaches beyond the frame).
struct Halo {
    const char* picture;
    const char* mask;  // empty: drawn through the mask of another
    QSize size;
    QRectF core;  // what it marks, in its own pixels
    QColor colour;
    const char* reason;
};

void addHighlights(Builder& b) {
    const QColor gold(255, 196, 72);
    const Halo halos[] = {
        {"shine1.bmp",
         "shine1t.bmp",
         {142, 127},
         QRectF(25, 20, 92, 87),
         gold,
         "wavespell highlight at (X + 50, Y - 91): the place's panel (X + 75..X + 166, Y - 71..Y + "
         "15) with a halo of 25 and 20; at the last place, (458, 364), it ends at 600 x 491"},
        {"shine2.bmp",
         "shine2t.bmp",
         {81, 94},
         QRectF(10, 10, 61, 74),
         familyOf(0).light,
         "month highlight at (76c - 40, 86r + 40), cromatic 1: the day's pictures and numbers "
         "(76c - 30..76c + 30, 86r + 50..86r + 123) with a halo of 10; the last cell's at (492, "
         "384) ends at 573 x 478"},
        {"shine3.bmp",
         "shine3t.bmp",
         {51, 50},
         QRectF(14, 14, 23, 22),
         gold,
         "Zolkin highlight at (23 col + 156, 22 row + 16): the kin's 23 x 22 cell with a halo of "
         "14; for kin 260, at (432, 434), it ends at 483 x 484"},
        {"shine4.bmp",
         "shine4t.bmp",
         {31, 51},
         QRectF(7, 14, 17, 23),
         gold,
         "castle highlight at the kin's tech.dat point less (7, 14): its 17 x 23 cell with a halo "
         "of 7 across and 14 down; the lowest kin's, at (558, 498), ends at 589 x 549"},
        {"shine5.bmp",
         "shine5t.bmp",
         {41, 47},
         QRectF(12, 12, 17, 23),
         gold,
         "year highlight at the day's point less (13, 19): the 17 x 23 grid cell with a halo of "
         "12; the farthest day's, at (621, 472), ends at 662 x 519"},
        {"shine6.bmp",
         "shine6t.bmp",
         {97, 311},
         QRectF(10, 10, 77, 291),
         gold,
         "13-moon highlight at (76c - 40, 119): the day's column (76c - 30..76c + 46, 129..419), "
         "wide enough for its date label (centred at 76c + 4) and its sign, with a halo of 10; "
         "the seventh column's ends at 589 x 430"},
        {"shine7.bmp",
         "",
         {81, 94},
         QRectF(10, 10, 61, 74),
         familyOf(1).light,
         "month highlight of cromatic 2: drawn through shine2t.bmp, so exactly its size"},
        {"shine8.bmp",
         "",
         {81, 94},
         QRectF(10, 10, 61, 74),
         familyOf(2).light,
         "month highlight of cromatic 3: drawn through shine2t.bmp, so exactly its size"},
        {"shine9.bmp",
         "",
         {81, 94},
         QRectF(10, 10, 61, 74),
         familyOf(3).light,
         "month highlight of cromatic 4: drawn through shine2t.bmp, so exactly its size"},
    };
    for (const Halo& h : halos) {
        const QString mask = *h.mask ? QString(h.mask) : QStringLiteral("shine2t.bmp");
        const QSize size = h.size;
        const QRectF core = h.core;
        const QColor colour = h.colour;
        b.blended(h.picture, "highlight", size, mask, h.reason,
                  [size, core, colour] { return haloPicture(size, core, colour); });
        if (*h.mask)
            b.mask(h.mask, "highlight", size,
                   QStringLiteral("mask of %1, the same size").arg(h.picture),
                   [size, core] { return haloMask(size, core); });
    }
    // Pulsar brushes by colour number 0..5; the views stamp them along a line, the brush's top
    // left on each point of the line.
    const struct {
        const char* file;
        QColor colour;
    } brushes[] = {{"PulsV.bmp", QColor(190, 120, 255)}, {"PulsW.bmp", QColor(244, 244, 250)},
                   {"PulsB.bmp", QColor(90, 150, 255)},  {"PulsY.bmp", QColor(255, 218, 72)},
                   {"PulsL.bmp", QColor(150, 238, 120)}, {"PulsR.bmp", QColor(255, 92, 80)}};
    for (const auto& brush : brushes) {
        const QColor colour = brush.colour;
        b.blended(brush.file, "highlight", {kBrush, kBrush}, "Puls1.bmp",
                  "pulsar brush: a soft dot stamped once a pixel along a line; the line from tone "
                  "5 to tone 9 runs at y 425, its brush down to 432",
                  [colour] { return brushPicture(kBrush, colour); });
    }
    b.mask("Puls1.bmp", "highlight", {kBrush, kBrush}, "mask of every pulsar brush, their size",
           [] { return brushMask(kBrush); });
}

void addFigures(Builder& b) {
    const QSize izinMarkSize = widened(kIzinMark, kIzinMargin);
    b.keyed("izin6.bmp", "izin", izinMarkSize, kKeyBlack,
            "broken izin line: the stacks of six step 7 pixels up, leaving 2 between lines; at "
            "76c - 14, the line 12 pixels in, under the column's sign",
            [] { return withLeftMargin(izinMark(false, kIzinMark), kIzinMargin, kKeyBlack); });
    b.keyed("izin9.bmp", "izin", izinMarkSize, kKeyBlack, "solid izin line, the size of izin6.bmp",
            [] { return withLeftMargin(izinMark(true, kIzinMark), kIzinMargin, kKeyBlack); });
    for (int number = 1; number <= 64; ++number) {
        const int m = number - 1;
        b.keyed("sgn" + codedIndex(m % 8, m / 8) + ".bmp", "izin", widened(kHexagram, kIzinMargin),
                kKeyBlack,
                "hexagram " + QString::number(number) +
                    ": in the 13-moon view at (517, 222), where the seventh stack would stand, "
                    "its lines at the heights of the six stacks (y 262, 255 ... 227) and as far in",
                [number] {
                    return withLeftMargin(hexagramFigure(number, kHexagram, kHexagramFirstLine),
                                          kIzinMargin, kKeyBlack);
                });
    }
    for (int index = 0; index <= 28; ++index)
        b.keyed(
            "rns" + codedIndex(index) + ".bmp", "rune", widened(kRune, kRuneMargin), kKeyBlack,
            "rune of moon day " + QString::number(index + 1) +
                ": at (76c - 15, 280) in a 13-moon column, its tablet 13 pixels in, under "
                "the column's sign and above the quarter at 325",
            [index] { return withLeftMargin(runePicture(index, kRune), kRuneMargin, kKeyBlack); });
    const char* weeks[] = {"qntr", "qntw", "qntb", "qnty"};
    for (int week = 0; week < 4; ++week)
        for (int day = 1; day <= 7; ++day)
            b.keyed(weeks[week] + codedIndex(day - 1) + ".bmp", "rune",
                    widened({kQuarter, kQuarter}, kQuarterMargin), kKeyBlack,
                    "quarter: at (76c - 20, 325) in a 13-moon column, its disc 13 pixels in, "
                    "under the column's sign and above the vinal at 370",
                    [week, day] {
                        return withLeftMargin(quarterPicture(week, day, kQuarter), kQuarterMargin,
                                              kKeyBlack);
                    });
    for (int vinal = 1; vinal <= 19; ++vinal) {
        b.keyed("vnl50" + codedIndex(vinal) + ".bmp", "vinal", widened(kVinalLarge, kVinalMargin),
                kKeyBlack,
                "large vinal: alone on the izin page at (367, 145); behind the small vinal "
                "(16 in, 5 down) and the vinal tone in a 13-moon column at (76c - 20, 370); "
                "all three 9 pixels in, under the column's sign",
                [vinal] {
                    return withLeftMargin(vinalPicture(vinal, kVinalLarge, VinalTablet::Large),
                                          kVinalMargin, kKeyBlack);
                });
    }
    for (int vinal = 1; vinal <= 19; ++vinal)
        b.keyed("vnl40" + codedIndex(vinal) + ".bmp", "vinal", widened(kVinalSmall, kVinalMargin),
                kKeyBlack,
                "small vinal: at (383, 145) on the izin page and (76c - 4, 375) in a 13-moon "
                "column, filling the large tablet's right part to its edge",
                [vinal] {
                    return withLeftMargin(vinalPicture(vinal, kVinalSmall, VinalTablet::Small),
                                          kVinalMargin, kKeyBlack);
                });
    for (int index = 0; index < 19; ++index)
        b.keyed("vnt40" + codedIndex(index) + ".bmp", "vinal", widened(kVinalTone, kVinalMargin),
                kKeyBlack,
                "vinal tone " + QString::number(index + 1) +
                    ": 17 pixels left of the small vinal and 5 lower, (366, 150) and "
                    "(76c - 21, 380), ending where the small vinal begins",
                [index] {
                    return withLeftMargin(vinalTonePicture(index + 1, kVinalTone), kVinalMargin,
                                          kKeyBlack);
                });
    const char* colours[] = {"R", "W", "B", "Y"};
    for (int week = 0; week < 4; ++week) {
        b.keyed(QString("LN") + colours[week] + "1.bmp", "line", kWeekTop, kKeyBlack,
                "top week line at (27, 72): from x 27 across the right-hand line at 582..585; "
                "below it the sockets of the week's izin lines, empty in a week without them",
                [week] { return weekTopLine(week, kWeekTop, kWeekAcross.height(), kIzinSockets); });
        b.keyed(QString("LN") + colours[week] + "2.bmp", "line", kWeekAcross, kKeyBlack,
                "bottom week line at (27, 424), closing the corners with the lines at x 27 and "
                "582",
                [week] { return weekLine(week, kWeekAcross); });
        b.keyed(QString("LN") + colours[week] + "3.bmp", "line", kWeekDown, kKeyBlack,
                "side week line at (27, 100) and (582, 100), down to the bottom line at 424",
                [week] { return weekLine(week, kWeekDown); });
    }
    b.keyed("pvsign.bmp", "izin", {kStar, kStar}, kKeyBlack,
            "pvsign mark at (76c - 18, 86r + 73): the 14 pixels left of a sign, above the date",
            [] { return starMark(kStar, QColor(250, 50, 250), 4); });
    b.keyed("kin78.bmp", "izin", {kStar, kStar}, kKeyBlack,
            "kin mark, at the pvsign mark's place and of its size",
            [] { return starMark(kStar, QColor(50, 250, 150), 5); });
}

void addBoards(Builder& b) {
    b.keyed("zolkin.bmp", "board", kZolkinBoard, kKeyBlack,
            "13 x 20 cells of 23 x 22 and a pixel each side at x 169..469, y 30..469, on a board "
            "centred at (20, 30) that reaches x 66..572: light plates under the dark blue row "
            "captions, which end at x 141 and start at 496",
            zolkinBoard);
    b.keyed("wavespell.bmp", "board", kWavespellBoard, kKeyBlack,
            "the thirteen places (x 124..620, y 23..470 in the frame) and a margin, centred at "
            "(25, 12): x 49..598, y 12..481",
            [] { return wavespellBoard(); });
    b.keyed("wavespell_print.bmp", "board", kWavespellBoard, kKeyBlack,
            "the wavespell board of a page printed in picture form, the size of wavespell.bmp, in "
            "light inks under the black title and dates",
            [] { return wavespellBoard(Medium::Paper); });
    b.keyed("wings.bmp", "board", kWingsBoard, kKeyBlack,
            "the widest board centred at (0, 10) that fits the frame: 598 x 540; its top corners "
            "stay clear for the castle and wavespell texts",
            wingsBoard);
    b.keyed("wave1.bmp", "board", {kWaveMark, kWaveMark}, kKeyBlack,
            "wave mark, the size of a size-45 sign", [] { return waveMark(kWaveMark); });
}

void addTelectonon(Builder& b) {
    b.keyed("telectonon.bmp", "telectonon", kTelectononBoard, kKeyBlack,
            "the whole frame: the board is drawn at (0, 0) and its cache is the frame's size",
            telectononBoard);
    b.blended("tlcr.bmp", "telectonon", {kCursor, kCursor}, "tlcrA.bmp",
              "day-sign marker at its cell's top left: one cell (33.5 pixels) less half a pixel",
              [] { return dayCursor(kCursor); });
    b.mask("tlcrA.bmp", "telectonon", {kCursor, kCursor}, "mask of tlcr.bmp, the same size",
           [] { return dayCursorMask(kCursor); });
    b.blended("tlstB.bmp", "telectonon", {kMarker, kMarker}, "tlstA.bmp",
              "dial marker of sign and day: the slots of the outer ring lie 18 and 12.9 degrees "
              "apart on radius 52, 16 and 11.7 pixels",
              [] { return dialMarkerPicture(DialMarker::Outer, kMarker); });
    b.blended("tlstW.bmp", "telectonon", {kMarker, kMarker}, "tlstA.bmp",
              "dial marker of tone and month, the size of tlstB.bmp; the middle three stand 13 "
              "pixels apart",
              [] { return dialMarkerPicture(DialMarker::Inner, kMarker); });
    b.mask("tlstA.bmp", "telectonon", {kMarker, kMarker}, "mask of both dial markers",
           [] { return dialMarkerMask(kMarker); });
    const struct {
        const char* prefix;
        Piece piece;
        std::initializer_list<int> poses;
    } pieces[] = {{"trY", Piece::Yellow, {0, 1, 2}},
                  {"trW", Piece::White, {0, 2, 3}},
                  {"trG", Piece::Green, {0, 1, 2, 3}}};
    for (const auto& set : pieces)
        for (int pose : set.poses) {
            const Piece piece = set.piece;
            b.blended(set.prefix + QString::number(pose) + ".bmp", "telectonon", {kPiece, kPiece},
                      "trA" + QString::number(pose) + ".bmp",
                      "walking piece: about half a cell, so that pieces moved 10 or 15 pixels "
                      "within a cell stand apart",
                      [piece, pose] { return piecePicture(piece, pose, kPiece); });
        }
    for (int pose = 0; pose <= 3; ++pose)
        b.mask("trA" + QString::number(pose) + ".bmp", "telectonon", {kPiece, kPiece},
               "mask of the three pieces of pose " + QString::number(pose) + ", their size",
               [pose] { return pieceMask(pose, kPiece); });
    const struct {
        const char* file;
        Gem gem;
    } gems[] = {{"tlpyrG.bmp", Gem::Generic},
                {"tlpyrR.bmp", Gem::Red},
                {"tlpyrW.bmp", Gem::White},
                {"tlpyrB.bmp", Gem::Blue},
                {"tlpyrY.bmp", Gem::Yellow}};
    for (const auto& g : gems) {
        const Gem gem = g.gem;
        b.blended(g.file, "telectonon", {kGem, kGem}, "tlpyrA.bmp",
                  "pyramid marker at its cell's top left: markers sharing a cell move 15 pixels "
                  "left and right and still overlap by 5",
                  [gem] { return gemPicture(gem, kGem); });
    }
    b.mask("tlpyrA.bmp", "telectonon", {kGem, kGem}, "mask of the pyramid markers",
           [] { return gemMask(kGem); });
}

std::vector<Asset> buildManifest() {
    Builder b;
    addCompact(b);
    addSigns(b);
    addTones(b);
    addPlasmas(b);
    addMarks(b);
    addMoons(b);
    addHighlights(b);
    addFigures(b);
    addBoards(b);
    addTelectonon(b);
    addButtons(b);
    return std::move(b.list);
}

}  // namespace

const std::vector<Asset>& manifest() {
    static const std::vector<Asset> list = buildManifest();
    return list;
}

const std::vector<Table>& tables() {
    static const std::vector<Table> list = {
        {"tech.dat",
         "520 lines: x and y of kins 1..260, the top left of each kin's cell on wings.bmp drawn "
         "centred at (0, 10)",
         techTable},
        {"HRCT.dat",
         "70 records of 16 bytes: the 28 days of the path, the 20 fields of the day sign, the 16 "
         "pyramid cells off the path, the 4 columns of the cube and the 2 dials of "
         "telectonon.bmp, in the order of Fieldhlp.ktx",
         helpRectTable},
        {"sgn.dat",
         "72 lines: the \"URRUNE\" letters that draw each of the 64 sgn figures (hexagrams 1..64 "
         "of iznum.dat, lines from the bottom up) on a glyph page, then the colour of the lines "
         "for each group of eight figures",
         sgnTable},
    };
    return list;
}

}  // namespace orbisca::assets
