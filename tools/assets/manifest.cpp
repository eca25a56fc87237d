#include "manifest.h"

#include "buttons.h"
#include "elements.h"
#include "face.h"
#include "moon_pictures.h"
#include "palette.h"

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
// Moon-day marks stand 26 pixels left of a sign (month view: mark at 76c - 30, sign at 76c - 4).
constexpr int kMoonDayMark = 24;
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

class Builder {
public:
    std::vector<Asset> list;

    void add(QString file, QString family, QSize size, QRgb key, bool mask, QString reason,
             std::function<QImage()> draw) {
        list.push_back(Asset{std::move(file), std::move(family), size, key, mask, std::move(reason),
                             std::move(draw)});
    }
};

void addCompact(Builder& b) {
    const QSize face(kFaceWidth, kFaceHeight);
    b.add("pyr0.bmp", "compact", face, kKeyBlack, false,
          "the compact window's face, 600 x 450; texts and pictures of the day lie within it",
          facePicture);
    b.add("pyrA0.bmp", "compact", face, kKeyBlack, true,
          "outline mask of the face, same size as pyr0.bmp; red corner pairs mark its rectangles",
          faceRegionMask);
    b.add("frame1.bmp", "compact", {kSplash, kSplash}, kKeyBlack, true,
          "first outline: the window starts at the screen centre less 40, so 80 x 80 is centred",
          [] { return splashOutline(kSplash); });
    b.add("frameclr.bmp", "compact", {kSplash, kSplash}, kKeyBlack, false,
          "picture shown inside the first outline, the same 80 x 80",
          [] { return splashPicture(kSplash); });
    b.add("SBalfa.bmp", "compact", {kMainSign, kMainSign}, kKeyBlack, true,
          "mask of the sign of the day, same size as the signs nY.bmp",
          [] { return signMask(kMainSign, SignStyle::Main); });
    b.add("Smalfa.bmp", "compact", {kGuideSign, kGuideSign}, kKeyBlack, true,
          "mask of the guide sign, same size as the signs n.bmp",
          [] { return signMask(kGuideSign, SignStyle::Plain); });
    b.add("plalfa.bmp", "compact", {kLargePlasma, kLargePlasma}, kKeyBlack, true,
          "mask of the plasma, same size as nX.bmp", [] { return plasmaMask(kLargePlasma); });
}

void addSigns(Builder& b) {
    for (int sign = 1; sign <= 20; ++sign) {
        const QString n = QString::number(sign % 20);
        b.add(n + "Y.bmp", "sign", {kMainSign, kMainSign}, kKeyBlack, false,
              "sign of the day at (224, 220): covers area A2 (226..298 x 222..294) with a 2-pixel "
              "margin",
              [sign] { return signPicture(sign, kMainSign, SignStyle::Main, kKeyBlack); });
    }
    for (int sign = 1; sign <= 20; ++sign) {
        const QString n = QString::number(sign % 20);
        b.add(n + ".bmp", "sign", {kGuideSign, kGuideSign}, kKeyBlack, false,
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
            b.add(
                QString(s.prefix) + codedIndex(index) + ".bmp", "sign", {size, size}, key, false,
                QString(s.reason) + "; index " + QString::number(index) + " is sign " +
                    QString::number(index + 1),
                [index, size, key] { return signPicture(index + 1, size, SignStyle::Plain, key); });
        }
    }
}

void addTones(Builder& b) {
    for (int tone = 1; tone <= 13; ++tone) {
        const QString n = QString::number(tone);
        b.add("Tone" + n + ".bmp", "tone", kLargeTone, kKeyBlack, false,
              "tone at (227, 182): reaches the right and bottom edges of area A1 (226..298 x "
              "177..217)",
              [tone] { return tonePicture(tone, kLargeTone, true); });
        b.add("ToneAlfa" + n + ".bmp", "tone", kLargeTone, kKeyBlack, true,
              "mask of Tone" + n + ".bmp, the same size",
              [tone] { return toneMask(tone, kLargeTone); });
    }
    for (int index = 0; index < 13; ++index)
        b.add(
            "tn45" + codedIndex(index) + ".bmp", "tone", kTone45, kKeyBlack, false,
            "tone over a size-45 sign, 24 pixels above it in the wavespell; index + 1 is the tone",
            [index] { return tonePicture(index + 1, kTone45, false); });
    for (int index = 0; index < 13; ++index)
        b.add("tn35" + codedIndex(index) + ".bmp", "tone", kTone35, kKeyBlack, false,
              "tone over a size-35 sign, 20 pixels above it in the month view and castle",
              [index] { return tonePicture(index + 1, kTone35, false); });
    for (int index = 0; index < 53; ++index) {
        // Index tone - 1 + 13 (cromatic - 1); the 53rd starts the colours again.
        const int tone = index % 13 + 1;
        const int cromatic = (index / 13) % 4 + 1;
        b.add("tn6h" + codedIndex(index) + ".bmp", "tone", kTinyTone, kKeyLight, false,
              "year-grid tone on the top row of a 17 x 23 cell, above the 15-pixel sign",
              [tone, cromatic] { return tinyTonePicture(tone, cromatic, kTinyTone); });
    }
}

void addPlasmas(Builder& b) {
    for (int plasma = 1; plasma <= 7; ++plasma)
        b.add(QString::number(plasma) + "X.bmp", "plasma", {kLargePlasma, kLargePlasma}, kKeyBlack,
              false, "plasma at (150, 216): covers area A4 (154..208 x 218..272) to its right edge",
              [plasma] { return plasmaPicture(plasma, kLargePlasma); });
    for (int index = 0; index < 7; ++index)
        b.add("pl35" + codedIndex(index) + ".bmp", "plasma", {35, 35}, kKeyBlack, false,
              "plasma of size 35, one column of the month view (76 wide)",
              [index] { return plasmaPicture(index + 1, 35); });
}

void addMarks(Builder& b) {
    for (int mark = 1; mark <= 8; ++mark)
        b.add("md" + codedIndex(mark) + ".bmp", "mark", {kMoonDayMark, kMoonDayMark}, kKeyBlack,
              false,
              "moon-day mark, in the 26 pixels left of a sign (mark at 76c - 30, sign at 76c - 4)",
              [mark] { return moonDayMark(mark, kMoonDayMark); });
    for (int cromatic = 1; cromatic <= 4; ++cromatic)
        b.add("fr" + QString::number(cromatic) + ".bmp", "mark", kGridFrame, kKeyBlack, false,
              "year-grid cell frame: cells step 17 across and 23 down",
              [cromatic] { return yearGridFrame(cromatic, kGridFrame); });
    b.add("DOT.bmp", "mark", {12, 12}, kKeyBlack, false,
          "year-view marker beside the grid, smaller than a 17 x 23 cell",
          [] { return dotPicture(12, false); });
    b.add("DOT1.bmp", "mark", {16, 16}, kKeyBlack, false,
          "marker of the extra day, centred above its sign in the month view",
          [] { return dotPicture(16, true); });
}

void addMoons(Builder& b) {
    b.add("moon.bmp", "moon", {kMoon, kMoon}, kKeyBlack, false,
          "drawn at (0, 0) into the 60 x 60 bitmap that the 60 x 60 phase disc masks",
          [] { return moonPicture(kMoon, true); });
    b.add("moon2.bmp", "moon", {kPrintMoon, kPrintMoon}, kKeyBlack, false,
          "printed moon, stretched to the disc size; twice the screen size",
          [] { return moonPicture(kPrintMoon, true); });
    b.add("moon3.bmp", "moon", {kPrintMoon, kPrintMoon}, kKeyBlack, false,
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
        {"btnIzin.bmp", Pictogram::Izin},
        {"btnPrint.bmp", Pictogram::Print},
        {"btnHelp.bmp", Pictogram::Help},
        {"btnConfig.bmp", Pictogram::Config},
        {"btnCompact.bmp", Pictogram::Compact},
        {"btnExit.bmp", Pictogram::Exit},
    };
    for (const Glyph& g : full) {
        const Pictogram icon = g.icon;
        b.add(g.file, "button", {kFullButton * kGlyphStates, kFullButton}, kNight, false,
              "full-mode button glyph: four 33 x 33 states (normal, hot, pressed, disabled) side "
              "by side",
              [icon] { return buttonGlyph(icon, kFullButton, false); });
    }
    const Glyph compact[] = {{"btnExpand.bmp", Pictogram::Expand},
                             {"btnClose.bmp", Pictogram::Close}};
    for (const Glyph& g : compact) {
        const Pictogram icon = g.icon;
        b.add(g.file, "button", {kCompactButton * kGlyphStates, kCompactButton}, kNight, false,
              "compact-window button glyph: four 24 x 24 states side by side",
              [icon] { return buttonGlyph(icon, kCompactButton, true); });
    }
}

std::vector<Asset> buildManifest() {
    Builder b;
    addCompact(b);
    addSigns(b);
    addTones(b);
    addPlasmas(b);
    addMarks(b);
    addMoons(b);
    addButtons(b);
    return std::move(b.list);
}

}  // namespace

const std::vector<Asset>& manifest() {
    static const std::vector<Asset> list = buildManifest();
    return list;
}

}  // namespace orbisca::assets
