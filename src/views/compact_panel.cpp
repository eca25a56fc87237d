// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/compact_panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <stdexcept>

#include "calendar/oracle.h"
#include "data/affirmation.h"
#include "data/day_words.h"
#include "data/error_log.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"
#include "gfx/pixels.h"
#include "views/element_kinds.h"

namespace orbisca {
namespace {

// The texts the panel was working on when it failed, for the report.
struct PanelTexts {
    QString drawing;  // the text being drawn
    QString tone;     // the tone word
    QString colour;   // the colour word
};

}  // namespace

std::optional<PanelPictureFiles> panelPictureFiles(int code) {
    using namespace kinds;
    const QString dir = QStringLiteral("graphic\\");
    // Sign 20 is drawn as sign 0.
    if (kLargeSignsY.contains(code)) {
        const QString n = QString::number(kLargeSignsY.member(code) % 20);
        return PanelPictureFiles{dir + n + "Y.bmp", dir + "SBalfa.bmp"};
    }
    if (kLargeSigns.contains(code)) {
        const QString n = QString::number(kLargeSigns.member(code) % 20);
        return PanelPictureFiles{dir + n + ".bmp", dir + "Smalfa.bmp"};
    }
    if (kLargeTones.contains(code)) {
        const QString n = QString::number(kLargeTones.member(code));
        return PanelPictureFiles{dir + "Tone" + n + ".bmp", dir + "ToneAlfa" + n + ".bmp"};
    }
    // Plasma 0: the socket's picture of the day out of time, which has no plasma.
    const int plasma = kLargePlasmas.member(code);
    if (plasma >= 0 && plasma <= kLargePlasmas.count)
        return PanelPictureFiles{dir + QString::number(plasma) + "X.bmp", dir + "plalfa.bmp"};
    return std::nullopt;
}

int panelTextWidth(const FontTable& fonts, const QString& text, int font) {
    return QFontMetrics(fonts.font(font).font).horizontalAdvance(text);
}

int drawPanelText(const FontTable& fonts, QImage& face, int x, int y, const QString& text, int font,
                  bool centred, PanelTrace* trace) {
    const TableFont f = fonts.font(font);
    const QFontMetrics metrics(f.font);
    const int width = metrics.horizontalAdvance(text);
    const int left = centred ? kPanelCentreX + x - width / 2 : x;
    gfx::makeRgb888(face);
    QPainter painter(&face);
    painter.setFont(f.font);
    painter.setPen(f.colour);
    painter.drawText(QPoint(left, y + metrics.ascent()), text);
    if (trace) trace->push_back({PanelItem::Text, text, left, y, font, width, metrics.height()});
    return left;
}

void drawPanelPicture(const WorkingFolder& folder, QImage& face, int x, int y, int code,
                      bool centred, PanelTrace* trace) {
    const std::optional<PanelPictureFiles> files = panelPictureFiles(code);
    const QString picturePath = files ? files->picture : QString();
    const QString maskPath = files ? files->mask : QString();
    int left = x;
    QImage picture;
    try {
        if (!files) throw std::invalid_argument("no picture has the code " + std::to_string(code));
        picture = gfx::loadBitmap(folder.resolve(picturePath));
        left = centred ? kPanelCentreX + x - picture.width() / 2 : x;
        const QImage mask = gfx::loadBitmap(folder.resolve(maskPath));
        if (gfx::maskDraw(picture, face, mask, gfx::MaskMode::Mask, 0, left, y) != gfx::kMaskDrawn)
            throw std::runtime_error(picturePath.toStdString() +
                                     " does not fit on the face or differs from its mask in size");
    } catch (const std::exception& e) {
        throw FatalError(
            kErrorReadText, kSenderPanelPicture,
            {"filename:" + picturePath, "X:" + QString::number(x), "Y:" + QString::number(y),
             "CX:" + QString::number(left), "transpfile:" + maskPath, "ID" + QString::number(code)},
            QString::fromUtf8(e.what()));
    }
    if (trace)
        trace->push_back(
            {PanelItem::Picture, picturePath, left, y, 0, picture.width(), picture.height()});
}

namespace {

// The panel's steps, each text remembered for the error report.
class PanelPainter {
public:
    PanelPainter(const PanelSources& sources, QImage& face, PanelTrace* trace)
        : sources_(sources), face_(face), trace_(trace) {}

    void paint(const PanelPictures& pictures, const MayanDate& m) {
        const OracleInfo o = makeOracle(m);
        face_ = pictures.frame.copy();
        gfx::makeRgb888(face_);
        const BaseLineReader line = readBaseLineEachTime(sources_.folder);
        const DayCaptions c = dayCaptions(m, line);
        texts_.colour = colourWord(o, line);
        texts_.tone = c.tone;
        if (m.month > 0) {
            centred(97, c.moonTitle, 2);
            centred(113, c.moonName, 2);
            centred(128, c.dayOfMoon, 3);
            picture(150, 216, kinds::kLargePlasmas.kindOf(m.plasma));
            at(170, 198, c.plasmaName, 3);
            at(170, 186, c.plasmaLabel, 3);
        } else {
            centred(117, c.extraDay, 5);
            picture(150, 216, kinds::kLargePlasmas.kindOf(0));
        }
        picture(227, 182, kinds::kLargeTones.kindOf(m.tone));
        centred(140, c.colourLine, 2);
        paintMoon(pictures.moon, m.moonPhase / 10'000'000, pictures.mirroredMoon);
        const QStringList toneSign = toneSignLines(sources_.fonts, c.tone, c.sign);
        for (int i = 0; i < toneSign.size(); ++i) centred(155 + 12 * i, toneSign[i], 2);
        at(304, 214, c.longSign, 3);
        at(304, 188, c.kinLine, 3);
        at(304, 202, c.toneLine, 3);
        at(396, 186, c.phaseOf, 3);
        at(400, 198, c.theMoon, 3);
        picture(224, 220, kinds::kLargeSignsY.kindOf(m.sign));
        picture(308, 229, kinds::kLargeSigns.kindOf(o.guide));
        paintAffirmation(m, line);
    }

    const PanelTexts& texts() const { return texts_; }

private:
    void centred(int y, const QString& text, int font) {
        texts_.drawing = text;
        drawPanelText(sources_.fonts, face_, 0, y, text, font, true, trace_);
    }
    void at(int x, int y, const QString& text, int font) {
        texts_.drawing = text;
        drawPanelText(sources_.fonts, face_, x, y, text, font, false, trace_);
    }
    void picture(int x, int y, int code) {
        drawPanelPicture(sources_.folder, face_, x, y, code, false, trace_);
    }

    void paintMoon(const QImage& moonPicture, int phase, bool mirrored) {
        if (gfx::drawMaskedMoon(face_, moonPicture, phase, kPanelMoonSize, kPanelMoonX, kPanelMoonY,
                                mirrored) != gfx::kMaskDrawn)
            throw std::runtime_error("the moon does not fit on the face");
        if (trace_)
            trace_->push_back({PanelItem::Moon, QString::number(phase), kPanelMoonX, kPanelMoonY, 0,
                               kPanelMoonSize, kPanelMoonSize});
    }

    void paintAffirmation(const MayanDate& m, const BaseLineReader& line) {
        const Affirmation lines = shapedAffirmation(m, line);
        for (int i = 0; i < 6; ++i) centred(298 + 14 * i, lines[i], 5);
    }

    const PanelSources& sources_;
    QImage& face_;
    PanelTrace* trace_;
    PanelTexts texts_;
};

}  // namespace

void paintPanel(const PanelSources& sources, QImage& face, const PanelPictures& pictures,
                const MayanDate& position, PanelTrace* trace) {
    PanelPainter painter(sources, face, trace);
    try {
        painter.paint(pictures, position);
    } catch (const FatalError&) {
        throw;
    } catch (const std::exception& e) {
        const PanelTexts& t = painter.texts();
        throw FatalError(kErrorPanelPaint, kSenderPanelFace,
                         {"string2:" + t.drawing, "string1:" + t.tone, "string0:" + t.colour},
                         QString::fromUtf8(e.what()));
    }
}

}  // namespace orbisca
