#include "compact/compact_panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <stdexcept>

#include "calendar/oracle.h"
#include "data/affirmation.h"
#include "data/day_words.h"
#include "data/error_log.h"
#include "data/font_table.h"
#include "data/notifier.h"
#include "data/text_case.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"
#include "gfx/pixels.h"

namespace orbisca {
namespace {

const QString kBase = QStringLiteral("BASE.KTX");

// A text failure that FILLPYR reports with the texts it was working on.
struct PanelTexts {
    QString drawing;  // string2: the text being drawn
    QString tone;     // string1: t
    QString colour;   // string0: c
};

// Line n of the main text database. A file that cannot be read has been reported by readtext
// already; the panel then stops instead of reporting again for every line.
QString L(int n) {
    const auto before = notifierState().messages.size();
    QString line = readtext(n, kBase);
    if (notifierState().messages.size() != before) throw FailureReported();
    return line;
}

[[noreturn]] void reportSignFailure(const QString& picture, const QString& mask, int x, int y,
                                    int left, int code) {
    writeerror(kErrorReadText, QStringLiteral("DRAWSIGNP in orbisca"),
               {"filename:" + picture, "X:" + QString::number(x), "Y:" + QString::number(y),
                "CX:" + QString::number(left), "transpfile:" + mask, "ID" + QString::number(code)});
    requestProgramEnd(1);
    throw FailureReported();
}

}  // namespace

std::optional<SignPictureFiles> signPictureFiles(int code) {
    const QString dir = QStringLiteral("graphic\\");
    if (code == 0 || code == 20) return SignPictureFiles{dir + "0Y.bmp", dir + "SBalfa.bmp"};
    if (code >= 1 && code <= 19)
        return SignPictureFiles{dir + QString::number(code) + "Y.bmp", dir + "SBalfa.bmp"};
    if (code == 30 || code == 50) return SignPictureFiles{dir + "0.bmp", dir + "Smalfa.bmp"};
    if (code >= 31 && code <= 49)
        return SignPictureFiles{dir + QString::number(code - 30) + ".bmp", dir + "Smalfa.bmp"};
    if (code >= 51 && code <= 63) {
        const QString n = QString::number(code - 50);
        return SignPictureFiles{dir + "Tone" + n + ".bmp", dir + "ToneAlfa" + n + ".bmp"};
    }
    if (code >= 71 && code <= 77)
        return SignPictureFiles{dir + QString::number(code - 70) + "X.bmp", dir + "plalfa.bmp"};
    return std::nullopt;
}

int panelTextWidth(const QString& text, int font) {
    return QFontMetrics(tableFont(font).font).horizontalAdvance(text);
}

int panelText(QImage& face, int x, int y, const QString& text, int font, bool centred,
              PanelTrace* trace) {
    const TableFont f = tableFont(font);
    const QFontMetrics metrics(f.font);
    const int left = centred ? kPanelCentreX + x - metrics.horizontalAdvance(text) / 2 : x;
    gfx::MakeRgb888(face);
    QPainter painter(&face);
    painter.setFont(f.font);
    painter.setPen(f.colour);
    painter.drawText(QPoint(left, y + metrics.ascent()), text);
    if (trace) trace->push_back({PanelItem::Text, text, left, y, font});
    return left;
}

void DRAWSIGNP(QImage& face, int x, int y, int code, bool centred, PanelTrace* trace) {
    const std::optional<SignPictureFiles> files = signPictureFiles(code);
    if (!files) reportSignFailure(QString(), QString(), x, y, x, code);
    QImage picture;
    int left = x;
    try {
        picture = gfx::LoadBitmap(resolvePath(files->picture));
        left = centred ? kPanelCentreX + x - picture.width() / 2 : x;
        const QImage mask = gfx::LoadBitmap(resolvePath(files->mask));
        if (gfx::MaskDraw(picture, face, mask, gfx::MaskMode::Mask, 0, left, y) != gfx::kMaskDrawn)
            throw std::runtime_error("picture does not fit");
    } catch (const std::exception&) {
        reportSignFailure(files->picture, files->mask, x, y, left, code);
    }
    if (trace) trace->push_back({PanelItem::Picture, files->picture, left, y, 0});
}

void drawPanelMoon(QImage& face, const QImage& moonPicture, int phase, bool mirrored) {
    QImage mask = gfx::StretchImage(gfx::DrawMoon(phase, 100), kPanelMoonSize, kPanelMoonSize);
    if (mirrored) mask = mask.mirrored(true, false);
    QImage picture(kPanelMoonSize, kPanelMoonSize, QImage::Format_RGB888);
    picture.fill(Qt::black);
    gfx::DrawTransparent(moonPicture, picture, 0, 0, qRgb(0, 0, 0));
    if (gfx::MaskDraw(picture, face, mask, gfx::MaskMode::Mask, 0, kPanelMoonX, kPanelMoonY) !=
        gfx::kMaskDrawn)
        throw std::runtime_error("the moon does not fit on the face");
}

namespace {

// The panel's steps, each text remembered for the error report.
class PanelPainter {
public:
    PanelPainter(QImage& face, PanelTrace* trace) : face_(face), trace_(trace) {}

    void paint(const PanelPictures& pictures, const MayanDate& m, bool mirroredMoon) {
        const OracleInfo o = MakeOracle(m);
        face_ = pictures.frame.copy();
        gfx::MakeRgb888(face_);
        texts_.colour = colourWord(o, L);
        texts_.tone = toneWord(o, L);
        if (m.month > 0) {
            centred(97, moonTitle(m.month, L), 2);
            centred(113, L(base_line::kMoonLabel) + " " + L(moonSecondNameLine(m.month)), 2);
            centred(128, L(base_line::kDayLabel) + " " + QString::number(m.monthDay), 3);
            DRAWSIGNP(face_, 150, 216, 70 + m.plasma, false, trace_);
            at(170, 198, CasePattern(L(plasmaNameLine(m.plasma)), "AB"), 3);
            at(170, 186, CasePattern(L(base_line::kPlasmaLabel) + ":", "AB"), 3);
        } else {
            centred(117, L(base_line::kExtraDay), 5);
        }
        DRAWSIGNP(face_, 227, 182, 50 + m.tone, false, trace_);
        centred(140, L(base_line::kColourLabel) + " " + texts_.colour, 2);
        paintMoon(pictures.moon, m.moonPhase / 10'000'000, mirroredMoon);
        paintToneSignLine(L(signNameLine(m.sign)));
        at(304, 214,
           CasePattern(L(base_line::kLongSignLabel) + ": " + L(longSignNameLine(m.sign)), "AB"), 3);
        at(304, 188, CasePattern(L(base_line::kKinLabel) + ": " + QString::number(m.kin), "Aa"), 3);
        at(304, 202, CasePattern(L(base_line::kToneLabel) + ": " + QString::number(m.tone), "Aa"),
           3);
        at(396, 186, CasePattern(L(base_line::kPhaseOfLabel), "Aaa"), 3);
        at(400, 198, CasePattern(L(base_line::kTheMoonLabel), "aaa"), 3);
        DRAWSIGNP(face_, 224, 220, m.sign, false, trace_);
        DRAWSIGNP(face_, 308, 229, 30 + o.guide, false, trace_);
        paintAffirmation(m);
    }

    const PanelTexts& texts() const { return texts_; }

private:
    void centred(int y, const QString& text, int font) {
        texts_.drawing = text;
        panelText(face_, 0, y, text, font, true, trace_);
    }
    void at(int x, int y, const QString& text, int font) {
        texts_.drawing = text;
        panelText(face_, x, y, text, font, false, trace_);
    }

    void paintMoon(const QImage& moonPicture, int phase, bool mirrored) {
        drawPanelMoon(face_, moonPicture, phase, mirrored);
        if (trace_)
            trace_->push_back(
                {PanelItem::Moon, QString::number(phase), kPanelMoonX, kPanelMoonY, 0});
    }

    void paintToneSignLine(const QString& signName) {
        const QString line = texts_.tone + " " + signName;
        if (panelTextWidth(line, 2) > kToneSignLineWidth) {
            centred(155, texts_.tone, 2);
            centred(167, signName, 2);
        } else {
            centred(155, line, 2);
        }
    }

    void paintAffirmation(const MayanDate& m) {
        const auto before = notifierState().messages.size();
        const Affirmation lines = loadaffirmation(m);
        if (notifierState().messages.size() != before) throw FailureReported();
        for (int i = 0; i < 6; ++i)
            centred(298 + 14 * i, CasePattern(lines[i], kAffirmationCasePatterns[i]), 5);
    }

    QImage& face_;
    PanelTrace* trace_;
    PanelTexts texts_;
};

}  // namespace

void FILLPYR(QImage& face, const PanelPictures& pictures, const MayanDate& position,
             PanelTrace* trace) {
    PanelPainter painter(face, trace);
    try {
        painter.paint(pictures, position, pictures.mirroredMoon);
    } catch (const FailureReported&) {
        throw;
    } catch (const std::exception&) {
        const PanelTexts& t = painter.texts();
        writeerror(kErrorFillPyr, QStringLiteral("FILLPYR in orbisca"),
                   {"string2:" + t.drawing, "string1:" + t.tone, "string0:" + t.colour});
        requestProgramEnd(1);
        throw FailureReported();
    }
}

}  // namespace orbisca
