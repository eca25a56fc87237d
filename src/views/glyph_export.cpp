// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/glyph_export.h"

#include <array>
#include <cstdlib>

namespace orbisca {
namespace {

// A font size pair as written after "FONT " and the point size the glyph offsets are taken from.
struct SizePair {
    KindFamily range;
    const char* pair;
    int points;
};

using namespace kinds;

constexpr std::array<SizePair, 22> kSizePairs = {{
    {kLargeSignsY, "72 -96", 72},
    {kLargeSigns, "62 -83", 62},
    {kLargeTones, "78 -104", 78},
    {kLargePlasmas, "50 -67", 50},
    {kSigns45, "40 -53", 40},
    {kSigns35, "30 -40", 30},
    {kTones45, "42 -56", 42},
    {kPlasmas35, "30 -40", 30},
    {kMoonDayMarks, "86 -115", 86},
    {kTones35, "36 -48", 36},
    {kSmallSigns, "14 -19", 14},
    {kSmallTones, "16 -21", 16},
    {kIzinLines, "36 -48", 36},
    {singleKind(kPvsignMark), "20 -27", 20},
    {singleKind(kKin78Mark), "20 -27", 20},
    {singleKind(kWavespellBoard), "100 -133", 100},
    {kIzinFigures, "34 -45", 34},
    {kRunes, "24 -32", 24},
    {kQuarters, "26 -35", 26},
    {kVinals50, "40 -53", 40},
    {kVinals40, "32 -43", 32},
    {kVinalTones40, "40 -53", 40},
}};

const SizePair& sizePairOf(int kind) {
    for (const SizePair& p : kSizePairs)
        if (p.range.contains(kind)) return p;
    return kSizePairs.front();  // not reached: only kinds with a glyph form ask
}

const QString kBlack = QStringLiteral(" 0 0 0 ");

// The colour of an element's glyph by colour index, written with a blank before and after.
QString colourString(int index) {
    static const std::array<const char*, 4> cycle = {" 255 0 0 ", " 255 255 255 ", " 0 0 255 ",
                                                     " 255 255 0 "};
    if (index >= 0 && index <= 43) return QLatin1String(cycle[std::size_t(index % 4)]);
    switch (index) {
        case 100:
            return QStringLiteral(" 255 100 100 ");
        case 101:
        case 252:
            return QStringLiteral(" 180 180 180 ");
        case 102:
            return QStringLiteral(" 100 100 255 ");
        case 103:
            return QStringLiteral(" 255 255 100 ");
        case 239:
            return QStringLiteral(" 250 50 250 ");
        case 243:
            return QStringLiteral(" 50 250 150 ");
        case 251:
            return QStringLiteral(" 255 0 0 ");
        case 253:
            return QStringLiteral(" 0 0 255 ");
        case 254:
            return QStringLiteral(" 255 255 0 ");
        default:
            return kBlack;
    }
}

QString quoted(QChar glyph) { return QLatin1Char('\'') + glyph + QLatin1Char('\''); }
// The sign letter: 'A' for 1 ... 'T' for 20, sign 0 counting as 20.
QChar signLetter(int n) { return QChar(u'A' + (n == 0 ? 19 : n - 1)); }
// The tone letter: 'a' for tone index 0 ... 'm' for 12.
QChar toneLetter(int n) { return QChar(u'a' + n); }

// v / 1000 rounded to the nearest whole number, halves to even; exact for the offsets used.
int roundThousandths(long long v) {
    long long q = v / 1000, r = v % 1000;
    if (r < 0) r += 1000, --q;
    if (r > 500 || (r == 500 && (q & 1))) ++q;
    return int(q);
}

// Collects the lines of one element: its font size, its point after the shifts and its
// alignment word.
class GlyphWriter {
public:
    GlyphWriter(int kind, int x, int y) : size_(sizePairOf(kind)), x_(x), y_(y) {}

    void align(bool centred, int ifCentred, int otherwise) {
        align_ = centred ? QStringLiteral("cnt") : QStringLiteral("rgt");
        x_ += centred ? ifCentred : otherwise;
    }
    void shift(int dx, int dy) { x_ += dx, y_ += dy; }
    // Offsets in thousandths of the point size (0.05 and 0.22 unless a family says otherwise).
    void offsets(int fxMille, int fyMille) { fx_ = fxMille, fy_ = fyMille; }

    void font(const QString& colour, const QString& face) {
        lines.append(QStringLiteral("FONT ") + QLatin1String(size_.pair) + colour +
                     QStringLiteral("thn nrm ") + face);
    }
    void text(const QString& glyph) { textAt(x_, y_, glyph); }
    void textAt(int x, int y, const QString& glyph) {
        lines.append(QStringLiteral("TEXT ") + QString::number(pointX(x)) + QLatin1Char(' ') +
                     QString::number(pointY(y)) + QLatin1Char(' ') + align_ + QLatin1Char(' ') +
                     glyph);
    }
    int pointX(int x) const { return roundThousandths(1000LL * x - 1LL * size_.points * fx_); }
    int pointY(int y) const { return roundThousandths(1000LL * y - 1LL * size_.points * fy_); }
    int x() const { return x_; }
    int y() const { return y_; }

    QStringList lines;

private:
    const SizePair& size_;
    int x_, y_;
    int fx_ = 50, fy_ = 220;
    QString align_;  // empty for the families that set none: two blanks before the glyph
};

// The role word of a sign when the state marks it, the last one set winning.
QString signWord(const RoleFlags* roles, int n) {
    QString word = quoted(signLetter(n));
    if (!roles) return word;
    if (roles->drawingGuide) word = QStringLiteral("guide");
    if (roles->drawingAnalog) word = QStringLiteral("analog");
    if (roles->drawingAntipode) word = QStringLiteral("antipod");
    if (roles->drawingOccultTeacher) word = QStringLiteral("ateacher");
    if (roles->drawingKin) word = QStringLiteral("kin");
    return word;
}

void writeSign(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    int n = kLargeSignsY.member(e.kind);
    w.align(e.centred, 6, 35);
    if (kLargeSigns.contains(e.kind)) {
        n = kLargeSigns.member(e.kind);
        w.shift(-2, 0);
    } else if (kSigns45.contains(e.kind)) {
        n = kSigns45.member(e.kind);
        w.shift(e.centred ? -2 : 3, 3);
    } else if (kSigns35.contains(e.kind)) {
        n = kSigns35.member(e.kind);
        w.shift(3, 3);
    }
    w.font(colourString(n + 3), c.signFont);
    w.text(QStringLiteral("'W'"));
    w.font(kBlack, c.signFont);
    w.text(signWord(c.roles, n));
}

void writeTone(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    int n = kLargeTones.index(e.kind);
    w.align(e.centred, 5, 30);
    if (kTones45.contains(e.kind)) {
        n = kTones45.index(e.kind);
        w.shift(6, 0);
    } else if (kTones35.contains(e.kind)) {
        n = kTones35.index(e.kind);
        w.shift(5, 1);
    }
    w.font(kBlack, c.signFont);
    w.text(c.roles && c.roles->drawingTone ? QStringLiteral("tone") : quoted(toneLetter(n)));
}

void writePlasma(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    int n = kPlasmas35.index(e.kind);
    w.align(e.centred, 6, 35);
    w.offsets(45, 0);
    if (kLargePlasmas.contains(e.kind)) {
        n = kLargePlasmas.index(e.kind);
        w.shift(-4, 0);
    }
    w.font(colourString(n + 3), c.signFont);
    w.text(QStringLiteral("'X'"));
    w.font(kBlack, c.signFont);
    w.text(c.roles && c.roles->drawingPlasma ? QStringLiteral("plasm") : quoted(QChar(u'1' + n)));
}

void writeMoonDayMark(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    w.align(e.centred, 5, 30);
    w.shift(-12, 15);
    w.font(colourString(kMoonDayMarks.index(e.kind) + 100), c.signFont);
    w.text(QStringLiteral("'\\'"));
}

void writeMark(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    w.align(e.centred, 5, 30);
    w.font(colourString(e.kind), c.signFont);
    w.text(QStringLiteral("'*'"));
}

// Thirteen marks around the wavespell's panels, wherever the element was asked for.
void writeWavespell(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    static constexpr std::array<std::array<int, 2>, 13> places = {{{1, 1},
                                                                   {1, 2},
                                                                   {1, 3},
                                                                   {1, 4},
                                                                   {1, 5},
                                                                   {2, 5},
                                                                   {3, 5},
                                                                   {4, 5},
                                                                   {5, 5},
                                                                   {5, 4},
                                                                   {5, 3},
                                                                   {5, 2},
                                                                   {4, 2}}};
    w.align(e.centred, 0, 0);
    w.font(QStringLiteral(" 200 20 200 "), c.signFont);
    for (const auto& [column, row] : places)
        w.textAt(102 * column - 275, 91 * row - 53, QStringLiteral("'_'"));
}

void writeIzinMark(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    w.shift(35, -23);
    w.font(kBlack, c.signFont);
    w.text(kIzinLines.member(e.kind) == 0 ? QStringLiteral("']'") : QStringLiteral("'['"));
}

void writeSmallTone(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    w.shift(35, -1);
    w.font(kBlack, c.signFont);
    w.text(quoted(toneLetter(kSmallTones.index(e.kind) % 13)));
}

void writeSmallSign(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    const int n = kSmallSigns.member(e.kind);
    w.shift(36, 0);
    w.font(colourString(n + 3), c.signFont);
    w.text(QStringLiteral("'W'"));
    w.font(kBlack, c.signFont);
    w.text(quoted(signLetter(n)));
}

void writeVinal(GlyphWriter& w, const ExportedElement& e) {
    QChar glyph;
    if (kVinals50.contains(e.kind)) {
        w.shift(37, 14);
        glyph = QChar(u'A' + kVinals50.index(e.kind));
    } else if (kVinals40.contains(e.kind)) {
        w.shift(38, 11);
        glyph = QChar(u'A' + kVinals40.index(e.kind));
    } else {
        w.shift(25, 5);
        glyph = QChar(u'a' + kVinalTones40.index(e.kind));
    }
    w.font(kBlack, kVinalFont);
    w.text(quoted(glyph));
}

// The seventh rune of each week carries a mark and its letter in the week's colour.
void writeRune(GlyphWriter& w, const ExportedElement& e) {
    const int n = kRunes.index(e.kind);
    const QString glyph = quoted(QChar(u'A' + n));
    w.shift(46, 4);
    w.font(kBlack, kRuneFont);
    if ((n + 1) % 7 == 0) {
        w.text(QStringLiteral("':'"));
        w.font(colourString(n / 7 + 251), kRuneFont);
        w.text(glyph);
    } else {
        w.text(glyph);
        w.text(QStringLiteral("'0'"));
    }
}

// A tablet behind the figure, then the figure's line letters of "sgn.dat" in its group's colour.
void writeSgnFigure(GlyphWriter& w, const ExportedElement& e, const GlyphContext& c) {
    const int m = kIzinFigures.index(e.kind);
    w.shift(35, 19);
    w.font(QStringLiteral(" 128 128 128 "), kRuneFont);
    w.textAt(w.x(), w.y() - 13, QStringLiteral("';'"));
    const SgnTable table = c.sgnTable ? c.sgnTable() : SgnTable{};
    w.font(table.colourOf(m).scriptText(), kFigureFont);
    for (const QChar letter : table.glyphsOf(m)) w.text(quoted(letter));
}

void writeQuarter(GlyphWriter& w, const ExportedElement& e) {
    static const std::array<QString, 4> groupColours = {
        QStringLiteral(" 255 128 128 "), QStringLiteral(" 255 255 255 "),
        QStringLiteral(" 128 128 255 "), QStringLiteral(" 255 255 128 ")};
    const QString yellow = QStringLiteral(" 255 255 0 ");
    const QString pink = QStringLiteral(" 255 128 128 ");
    const QString white = QStringLiteral(" 255 255 255 ");
    const QString paleYellow = QStringLiteral(" 255 255 128 ");
    const int group = kQuarters.index(e.kind) / 7;
    const int i = kQuarters.index(e.kind) % 7 + 1;
    const auto glyph = [&w](const QString& colour, char letter) {
        w.font(colour, kQuarterFont);
        w.text(quoted(QLatin1Char(letter)));
    };
    w.shift(43, 8);
    glyph(i == 4 ? QStringLiteral(" 128 128 255 ") : groupColours[std::size_t(group)],
          char('0' + i));
    static constexpr std::array<char, 8> firstLayer = {0, 'M', 'N', 'O', 0, 'Q', 'R', 'S'};
    const std::array<QString, 8> firstColour = {QString(), yellow, pink, white,
                                                QString(), yellow, pink, white};
    if (firstLayer[std::size_t(i)]) glyph(firstColour[std::size_t(i)], firstLayer[std::size_t(i)]);
    glyph(kBlack, char('k' + i - 1));
    switch (i) {
        case 2:
            glyph(paleYellow, 'T');
            glyph(kBlack, 'f');
            break;
        case 3:
            glyph(paleYellow, 'T');
            glyph(pink, 'U');
            glyph(kBlack, 'f');
            glyph(kBlack, 'g');
            break;
        case 4:
            glyph(pink, 'V');
            glyph(kBlack, 'h');
            break;
        case 6:
            glyph(paleYellow, 'W');
            glyph(kBlack, 'i');
            break;
        case 7:
            glyph(paleYellow, 'W');
            glyph(pink, 'X');
            glyph(kBlack, 'i');
            glyph(kBlack, 'j');
            break;
        default:
            break;
    }
}

}  // namespace

GlyphLines glyphExportLines(const ExportedElement& e, const GlyphContext& c) {
    GlyphLines out;
    const int k = e.kind;
    GlyphWriter w(k, e.x, e.y);
    if (kLargeSignsY.contains(k) || kLargeSigns.contains(k) || kSigns45.contains(k) ||
        kSigns35.contains(k))
        writeSign(w, e, c);
    else if (kLargeTones.contains(k) || kTones45.contains(k) || kTones35.contains(k))
        writeTone(w, e, c);
    else if (kLargePlasmas.contains(k) || kPlasmas35.contains(k))
        writePlasma(w, e, c);
    else if (kMoonDayMarks.contains(k))
        writeMoonDayMark(w, e, c);
    else if (k == kPvsignMark || k == kKin78Mark)
        writeMark(w, e, c);
    else if (k == kWavespellBoard)
        writeWavespell(w, e, c);
    else if (kIzinLines.contains(k))
        writeIzinMark(w, e, c);
    else if (kSmallTones.contains(k))
        writeSmallTone(w, e, c);
    else if (kSmallSigns.contains(k))
        writeSmallSign(w, e, c);
    else if (kVinals50.contains(k) || kVinals40.contains(k) || kVinalTones40.contains(k))
        writeVinal(w, e);
    else if (kRunes.contains(k))
        writeRune(w, e);
    else if (kIzinFigures.contains(k))
        writeSgnFigure(w, e, c);
    else if (kQuarters.contains(k))
        writeQuarter(w, e);
    out.lines = std::move(w.lines);
    if (kSmallSigns.contains(k) || kSmallTones.contains(k))
        out.destination = GlyphDestination::YearLines;
    return out;
}

void exportElementAsGlyphs(FullModeFrame& frame, const ExportedElement& element) {
    FullModeState& state = frame.state();
    const WorkingFolder& folder = frame.data().folder;
    const GlyphContext context{state.exports.exportGlyphFont, &state.roles,
                               [&folder] { return loadSgnTable(folder); }};
    const GlyphLines glyphs = glyphExportLines(element, context);
    ScriptSink& sink =
        glyphs.destination == GlyphDestination::YearLines ? frame.yearSink() : frame.scriptSink();
    for (const QString& line : glyphs.lines) sink.append(line);
    state.exports.lastExportFont = 255;  // the next text writes its font line again
}

}  // namespace orbisca
