// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/full_mode_frame.h"

#include <QPainter>
#include <QTransform>
#include <cmath>
#include <cstring>
#include <numbers>

#include "calendar/calendar_state.h"
#include "data/conf_file.h"
#include "data/text_file.h"
#include "gfx/blur.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"
#include "views/glyph_export.h"
#include "views/mode_table.h"

namespace orbisca {
namespace {

// The day overview is exported shifted to the page origin: its items stand 145 pixels right of
// and 50 pixels below a page's corner.
constexpr int kDayShiftX = 145;
constexpr int kDayShiftY = 50;
// The moon of the day: drawn at 100 x 100, shown at 60 x 60, blended in with this alpha.
constexpr int kMoonDrawingSide = 100;
constexpr int kDayMoonSide = 60;
// The export canvas of the Day export, whose moon is placed from the page origin.
constexpr int kDayExportWidth = 380;

QImage newFrameImage() {
    QImage image(kFrameWidth, kFrameHeight, QImage::Format_RGB888);
    image.fill(QColor(kFrameBackground));
    return image;
}

void clearRoleFlags(FullModeState& s) { s.roles = RoleFlags{}; }

void setRoleFlag(FullModeState& s, ElementRole role) {
    switch (role) {
        case ElementRole::None:
            break;
        case ElementRole::Kin:
            s.roles.drawingKin = true;
            break;
        case ElementRole::Tone:
            s.roles.drawingTone = true;
            break;
        case ElementRole::Guide:
            s.roles.drawingGuide = true;
            break;
        case ElementRole::Analog:
            s.roles.drawingAnalog = true;
            break;
        case ElementRole::Antipode:
            s.roles.drawingAntipode = true;
            break;
        case ElementRole::OccultTeacher:
            s.roles.drawingOccultTeacher = true;
            break;
        case ElementRole::Plasma:
            s.roles.drawingPlasma = true;
            break;
    }
}

// Ends every paint, also one that fails: the flags that steer a single paint or a single element
// must not leak into the next screen paint (which would write script lines or right-align).
struct PaintGuard {
    FullModeState& state;
    ~PaintGuard() {
        state.exports.exporting = false;
        state.drawing.alignRight = false;
        state.year.drawIntoYearBuffer = false;
        clearRoleFlags(state);
    }
};

struct RoleGuard {
    FullModeState& state;
    ~RoleGuard() { clearRoleFlags(state); }
};

void shiftForDayOverview(const FullModeState& s, int& x, int& y, bool centred) {
    if (s.exports.exportMode != FullModeView::Day) return;
    if (!centred) x -= kDayShiftX;
    y -= kDayShiftY;
}

QString number(int n) { return QString::number(n); }

int roundHalfEven(double v) { return int(std::nearbyint(v)); }

// Draws one character with its cell's top-left corner at (x, y), turned counter-clockwise by
// `escapement` tenths of a degree about that corner.
// Where a letter turned by `escapement` (tenths of a degree, anticlockwise) about the top left of
// its cell at (x, y) is drawn: its cell's own coordinates onto the frame's.
QTransform turnedCell(int x, int y, int escapement) {
    return QTransform::fromTranslate(x, y).rotate(-escapement / 10.0);
}

}  // namespace

void clearFrame(QImage& image) {
    if (!image.isDetached() || image.size() != QSize(kFrameWidth, kFrameHeight) ||
        image.format() != QImage::Format_RGB888) {
        image = newFrameImage();
        return;
    }
    image.fill(QColor(kFrameBackground));
}

void copyFrame(const QImage& from, QImage& to) {
    if (!to.isDetached() || to.size() != from.size() || to.format() != from.format()) {
        to = from.copy();
        return;
    }
    std::memcpy(to.bits(), from.constBits(), std::size_t(from.sizeInBytes()));
}

FrameBuffers::FrameBuffers()
    : frame(newFrameImage()),
      blend(newFrameImage()),
      incoming(newFrameImage()),
      second(newFrameImage()) {}

FullModeFrame::FullModeFrame(DataState& data, const FontTable& fonts)
    : glyphExport(exportElementAsGlyphs),
      data_(data),
      fontTable_(fonts),
      painters_(defaultModePainters(data.folder)),
      pictures_(data.folder),
      fonts_(fonts) {}

namespace {
// The place of a view in the painter table, none beyond it.
std::optional<std::size_t> tableIndex(FullModeView view) {
    const int n = modeNumber(view);
    if (n < 0 || n >= kModeCount) return std::nullopt;
    return std::size_t(n);
}
}  // namespace

bool FullModeFrame::hasPainter(FullModeView view) const {
    const std::optional<std::size_t> i = tableIndex(view);
    return i && bool(painters_[*i]);
}

void FullModeFrame::setModePainter(FullModeView view, ModePainter painter) {
    if (const std::optional<std::size_t> i = tableIndex(view)) painters_[*i] = std::move(painter);
}

void FullModeFrame::resetSinks() {
    scriptSink_ = &ownScript_;
    yearSink_ = &ownYear_;
}

FrameRequest FullModeFrame::paintMode(FullModeView view, PaintOccasion occasion) {
    PaintGuard guard{state_};
    const bool exporting = state_.exports.exporting;
    state_.exports.exportMode = view;
    fonts_.clear();  // the font table may have been read again
    if (exporting)
        state_.exports.lastExportFont =
            255;  // every script sets its own font before its first text
    else
        clearFrame(buffers_.frame);
    date_ = data_.day.date();
    day_ = data_.day.position();
    oracle_ = makeOracle(day_);
    if (hasPainter(view)) painters_[*tableIndex(view)](*this);
    if (occasion != PaintOccasion::Arrival || exporting) return FrameRequest::None;
    if (view == FullModeView::PrintManager) {
        state_.print.printFromFullMode = true;
        state_.fade.requestedMode = FullModeView::Day;  // the window returns to the day overview
        state_.fade.fadeStepsLeft = 0;
        return FrameRequest::OpenPrintManager;
    }
    if (view == FullModeView::Configuration) return FrameRequest::OpenConfiguration;
    return FrameRequest::None;
}

QImage& FullModeFrame::drawingTarget() {
    if (state_.exports.exporting) {
        if (exportScratch_.isNull()) exportScratch_ = newFrameImage();
        return exportScratch_;
    }
    return state_.year.drawIntoYearBuffer ? buffers_.second : buffers_.frame;
}

void FullModeFrame::drawElement(int x, int y, int kind, bool centred, ElementRole role) {
    setRoleFlag(state_, role);
    RoleGuard guard{state_};
    state_.exports.exportGlyphFont =
        settings().glyphFont;  // the glyph export writes sign glyphs in it
    const std::optional<QString> name = elementFileName(kind);
    if (!name) return;
    if (state_.exports.exporting) {
        exportElement(x, y, kind, centred);
        return;
    }
    const QImage& picture = pictures_.picture(*name);
    const int left = centred ? kViewCentreX + x - picture.width() / 2 : x;
    const QPoint at(state_.drawing.originX + left, state_.drawing.originY + y);
    gfx::drawTransparent(picture, drawingTarget(), at.x(), at.y(), elementKeyColour(kind));
    if (onPicturePlaced) onPicturePlaced({*name, QRect(at, picture.size())});
}

const QImage& FullModeFrame::picture(const QString& writtenName) {
    return pictures_.picture(writtenName);
}

int FullModeFrame::drawMasked(const QImage& picture, const QImage& mask, int x, int y,
                              const QString& file) {
    const int code = gfx::maskDraw(picture, drawingTarget(), mask, gfx::MaskMode::Mask, 255, x, y);
    if (onPicturePlaced) onPicturePlaced({file, QRect(QPoint(x, y), picture.size()), true, code});
    return code;
}

void FullModeFrame::exportElement(int x, int y, int kind, bool centred) {
    shiftForDayOverview(state_, x, y, centred);
    if (state_.exports.exportAsGlyphText && glyphExport) {
        glyphExport(*this, ExportedElement{x, y, kind, centred});
        return;
    }
    const QRgb key = elementKeyColour(kind);
    x += centred ? 2 : 35;
    scriptSink_->append(QStringLiteral("PICT ") + number(x) + ' ' + number(y) + ' ' +
                        number(qRed(key)) + ' ' + number(qGreen(key)) + ' ' + number(qBlue(key)) +
                        (centred ? QStringLiteral(" cnt '") : QStringLiteral(" rgt '")) +
                        *printedFileName(kind) + '\'');
}

const ChosenFont& FullModeFrame::chosenFont(int choice) {
    const ChosenFont& chosen = fonts_.get(choice, state_.drawing.lastFontChoice);
    if (choice >= 0 && choice < kFontChoices) state_.drawing.lastFontChoice = choice;
    return chosen;
}

int FullModeFrame::textWidth(const QString& text, int font) {
    return fonts_.get(font, state_.drawing.lastFontChoice).metrics.horizontalAdvance(text);
}

void FullModeFrame::drawText(int x, int y, const QString& text, int font, bool centred) {
    const ChosenFont& chosen = chosenFont(font);
    if (state_.exports.exporting) {
        exportText(x, y, text, font, centred);
        return;
    }
    int left = x;  // a left-aligned text is not measured: shaping is most of a text's cost
    if (state_.drawing.alignRight) {
        left = x - chosen.metrics.horizontalAdvance(text);
    } else if (centred) {
        // The year view is centred on the whole frame, every other view on the centre line.
        const int centre =
            state_.exports.exportMode == FullModeView::Year ? kFrameWidth / 2 : kViewCentreX;
        left = centre + x - chosen.metrics.horizontalAdvance(text) / 2;
    }
    const QPoint at(state_.drawing.originX + left, state_.drawing.originY + y);
    const QPoint baseline = at + QPoint(0, chosen.metrics.ascent());
    if (onTextPlacing) {
        QRegion ink;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const int advance = chosen.metrics.horizontalAdvance(text.left(i));
            ink += chosen.metrics.tightBoundingRect(text.mid(i, 1))
                       .translated(baseline + QPoint(advance, 0));
        }
        onTextPlacing({text, QRect(at, chosen.metrics.size(0, text)), chosen.colour, ink});
    }
    QPainter painter(&buffers_.frame);
    painter.setFont(chosen.font);
    painter.setPen(chosen.colour);
    painter.drawText(baseline, text);
}

void FullModeFrame::exportText(int x, int y, const QString& text, int font, bool centred) {
    shiftForDayOverview(state_, x, y, centred);
    if (state_.exports.lastExportFont != std::uint8_t(font))
        scriptSink_->append(exportedFontLine(fonts_.get(font, state_.drawing.lastFontChoice).font,
                                             state_.exports.exportTextColour));
    if (!centred) x += 37;
    scriptSink_->append(QStringLiteral("TEXT ") + number(x) + ' ' + number(y) +
                        (centred ? QStringLiteral(" cnt '") : QStringLiteral(" rgt '")) + text +
                        '\'');
    state_.exports.lastExportFont = std::uint8_t(font);
}

void FullModeFrame::drawTextBlock(int x, int y, int firstLine, int step, int count, int font,
                                  bool centred, const QString& fileName) {
    for (int i = 0; i < count; ++i)
        drawText(x, y + step * i, readDatabaseLine(data_.folder, firstLine + i, fileName), font,
                 centred);
}

void FullModeFrame::drawArcText(int x, int y, bool rainbow, bool centred, int mode, int endAngle,
                                int startAngle, int font, const QString& text) {
    const int n = int(text.size());
    if (n == 0 || state_.exports.exporting)
        return;  // no export form; an export leaves the frame alone
    if (mode <= 0 && mode != kArcHorizontal && mode != kArcVertical) return;
    const ChosenFont& chosen = chosenFont(font);
    const QFontMetrics& metrics = chosen.metrics;
    const int whole = metrics.horizontalAdvance(text);
    const int half = centred ? whole / 2 : 0;
    QPainter painter(&buffers_.frame);
    painter.setFont(chosen.font);
    QRegion ink;  // each letter's box, turned as it is drawn
    double angle = startAngle;
    const double step = double(endAngle - startAngle) / n;
    for (int i = 0; i < n; ++i) {
        const QString letter = text.mid(i, 1);
        painter.setPen(rainbow ? rainbowColour(roundHalfEven(i * 120.0 / n)) : chosen.colour);
        const int before = metrics.horizontalAdvance(text.left(i));
        QTransform cell;
        if (mode == kArcHorizontal) {
            cell = QTransform::fromTranslate(x + before - half, y);
        } else if (mode == kArcVertical) {
            cell = turnedCell(x, y + whole - before - half, 900);
        } else {
            const double radians = angle * std::numbers::pi / 180.0;
            const int px = x + roundHalfEven(std::cos(radians) * mode);
            const int py = y + roundHalfEven(-std::sin(radians) * mode);
            angle += step;
            const int escapement =
                roundHalfEven(angle <= 180 ? 10 * angle - 900 : 10 * angle + 900);
            cell = turnedCell(px, py, escapement);
        }
        painter.setTransform(cell);
        painter.drawText(QPoint(0, metrics.ascent()), letter);
        if (onTextPlacing && !letter.trimmed().isEmpty())
            ink += QRegion(cell.map(
                QPolygon(metrics.tightBoundingRect(letter).translated(0, metrics.ascent()))));
    }
    if (onTextPlacing) onTextPlacing({text, ink.boundingRect(), chosen.colour, ink});
}

const QImage& FullModeFrame::dayMoon(int phase) {
    const bool mirrored = settings().southernMoon();
    auto found = moonMasks_.find({phase, mirrored});
    if (found != moonMasks_.end()) return found->second;
    QImage disc = gfx::drawMoon(phase, kMoonDrawingSide);
    gfx::meanFilter(disc, QRect(0, 0, kMoonDrawingSide, kMoonDrawingSide));
    QImage mask = gfx::shrinkImage(disc, kDayMoonSide, kDayMoonSide);
    if (mirrored) mask = mask.mirrored(true, false);
    return moonMasks_.emplace(std::make_pair(phase, mirrored), std::move(mask)).first->second;
}

void FullModeFrame::drawDayMoon(int phaseValue, int x, int y) {
    const int phase = phaseValue / 10'000'000;
    if (state_.exports.exporting) {
        // The Day export's page starts at the overview's corner; every other page keeps the
        // frame's places, moved as the script's moon is drawn.
        const bool dayPage = state_.exports.exportCanvasWidth == kDayExportWidth;
        const int moonX = state_.drawing.originX + x + (dayPage ? -109 : 40);
        const int moonY = state_.drawing.originY + y + (dayPage ? -kDayShiftY : 2);
        scriptSink_->append(QStringLiteral("MOON ") + number(moonX) + ' ' + number(moonY) + ' ' +
                            number(kDayMoonSide) + ' ' + number(phase) + QStringLiteral(" IMAGE"));
        return;
    }
    const QImage& moon = pictures_.picture(QStringLiteral("graphic\\moon.bmp"));
    if (moonPicture_.isNull() || moonPictureKey_ != moon.cacheKey()) {
        moonPicture_ = gfx::keyedMoonPicture(moon, kDayMoonSide);
        moonPictureKey_ = moon.cacheKey();
    }
    gfx::maskDraw(moonPicture_, buffers_.frame, dayMoon(phase), gfx::MaskMode::Mask, 200,
                  state_.drawing.originX + x, state_.drawing.originY + y);
}

void FullModeFrame::clearCaches() {
    pictures_.clear();
    fonts_.clear();
    moonMasks_.clear();
    moonPicture_ = QImage();
    moonPictureKey_ = 0;
}

}  // namespace orbisca
