// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/element_editor.h"

#include <cmath>

#include "printpage/script_line.h"
#include "printpage/script_rescale.h"

namespace orbisca {
namespace {

// Caption table entries of the editor's instructions and add button.
constexpr int kIdleInstruction = 8;
constexpr int kTypeTextInstruction = 9;
constexpr int kPlaceInstruction = 10;
constexpr int kAddLineCaption = 11;
constexpr int kTakeTextCaption = 12;
constexpr int kPlaceCaption = 13;
constexpr int kMoonPhaseInstruction = 37;
constexpr int kMoonFillInstruction = 38;
constexpr int kMoonNextCaption = 39;
constexpr int kMoonSizeInstruction = 40;

QString quoted(const QString& text) { return u'\'' + text + u'\''; }

int moonSize(const QString& text, QSize canvas) {
    const int size = scriptNumber(text.trimmed(), "the moon size");
    const int largest = qMin(kMaxMoonSize, qMax(canvas.width(), canvas.height()));
    if (size < 1 || size > largest)
        throw ScriptSyntaxError("the moon size must be 1 to " + std::to_string(largest) + ", not " +
                                std::to_string(size));
    return size;
}

}  // namespace

void ElementEditor::newText() {
    if (v_.state != EditorState::Idle) return;
    v_.x = -1;
    v_.state = EditorState::TypingText;
    v_.startButtons = false;
    v_.instruction = kTypeTextInstruction;
    v_.addCaption = kTakeTextCaption;
    v_.editLine.clear();
}

void ElementEditor::newImage(const std::optional<QString>& file) {
    if (v_.state != EditorState::Idle) return;
    v_.x = -1;
    v_.y = 0;  // a row clicked for the last element is not this one's
    v_.state = EditorState::PlacingPicture;
    v_.startButtons = false;
    if (!file) return;
    v_.text = *file;
    v_.instruction = kPlaceInstruction;
    v_.addCaption = kTakeTextCaption;
    v_.editLine.clear();
}

void ElementEditor::newMoon() {
    if (v_.state != EditorState::Idle) return;
    v_.x = -1;
    v_.y = 0;  // a row clicked for the last element is not this one's
    v_.state = EditorState::TypingMoonPhase;
    v_.startButtons = false;
    v_.addCaption = kMoonNextCaption;
    v_.instruction = kMoonPhaseInstruction;
}

void ElementEditor::newFont(const QFont& font, const QColor& colour) {
    const int height =
        font.pixelSize() > 0 ? font.pixelSize() : int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    const int size = font.pointSize() > 0 ? font.pointSize() : (height * 72 + 48) / 96;
    v_.editLine = QStringLiteral("FONT %1 %2 %3 %4 %5 %6%7%8")
                      .arg(size)
                      .arg(-height)
                      .arg(colour.red())
                      .arg(colour.green())
                      .arg(colour.blue())
                      .arg(font.bold() ? QStringLiteral("bld ") : QStringLiteral("thn "))
                      .arg(font.italic() ? QStringLiteral("itl ") : QStringLiteral("nrm "))
                      .arg(font.family());
}

void ElementEditor::finishElement(const QString& line) {
    v_.editLine = line;
    v_.instruction = kIdleInstruction;
    v_.addCaption = kAddLineCaption;
    v_.pointer.clear();
    v_.state = EditorState::Idle;
    v_.startButtons = true;
}

std::optional<QString> ElementEditor::add(const QString& editLine,
                                          const std::function<std::optional<QColor>()>& askColour,
                                          QRgb pictureKey, QSize canvas) {
    v_.editLine = editLine;
    const auto placedX = [this] {
        const bool centred = v_.x == -1;
        if (centred) v_.x = 0;
        v_.word = centred ? QStringLiteral("cnt") : QStringLiteral("rgt");
        return QString::number(v_.x) + u' ' + QString::number(v_.y) + u' ';
    };
    switch (v_.state) {
        case EditorState::Idle:
            return editLine;
        case EditorState::TypingText:
            v_.text = editLine;
            v_.x = -1;
            v_.y = 0;
            v_.instruction = kPlaceInstruction;
            v_.addCaption = kPlaceCaption;
            v_.state = EditorState::PlacingText;
            break;
        case EditorState::PlacingText: {
            const QString position = placedX();
            finishElement(QStringLiteral("TEXT ") + position + v_.word + u' ' + quoted(v_.text));
            break;
        }
        case EditorState::PlacingPicture: {
            const QString position = placedX();
            finishElement(QStringLiteral("PICT %1%2 %3 %4 %5 %6")
                              .arg(position)
                              .arg(qRed(pictureKey))
                              .arg(qGreen(pictureKey))
                              .arg(qBlue(pictureKey))
                              .arg(v_.word, quoted(v_.text)));
            break;
        }
        case EditorState::TypingMoonPhase:
            scriptNumber(editLine.trimmed(), "the moon phase");
            v_.instruction = kMoonFillInstruction;
            v_.text = editLine.trimmed();
            v_.state = EditorState::ChoosingMoonFill;
            break;
        case EditorState::ChoosingMoonFill:
            if (editLine.trimmed().toUpper() == QStringLiteral("IMAGE")) {
                v_.moonFill = editLine.trimmed();
            } else {
                const std::optional<QColor> colour = askColour ? askColour() : std::nullopt;
                if (!colour) return std::nullopt;
                v_.moonFill = QStringLiteral("%1 %2 %3")
                                  .arg(colour->red())
                                  .arg(colour->green())
                                  .arg(colour->blue());
            }
            v_.instruction = kMoonSizeInstruction;
            v_.state = EditorState::TypingMoonSize;
            break;
        case EditorState::TypingMoonSize:
            v_.word = QString::number(moonSize(editLine, canvas));
            v_.instruction = kPlaceInstruction;
            v_.state = EditorState::PlacingMoon;
            break;
        case EditorState::PlacingMoon:
            finishElement(QStringLiteral("MOON %1 %2 %3 %4 %5")
                              .arg(v_.x)
                              .arg(v_.y)
                              .arg(v_.word, v_.text, v_.moonFill));
            break;
    }
    return std::nullopt;
}

bool ElementEditor::placing() const {
    return v_.state == EditorState::PlacingText || v_.state == EditorState::PlacingPicture ||
           v_.state == EditorState::PlacingMoon;
}

QPoint ElementEditor::canvasPoint(QPointF displayed, double viewScale) {
    return QPoint(clampToInt(roundHalfEven(displayed.x() * viewScale)),
                  clampToInt(roundHalfEven(displayed.y() * viewScale)));
}

QString ElementEditor::pointerText(QPoint p) {
    return QStringLiteral("X:%1 Y:%2").arg(p.x()).arg(p.y());
}

void ElementEditor::place(QPoint p) {
    if (!placing()) return;
    v_.x = p.x();
    v_.y = p.y();
    v_.pointer = pointerText(p);
}

void ElementEditor::drawPreview(PrintPageState& page) const {
    switch (v_.state) {
        case EditorState::PlacingText:
            drawScriptText(page, v_.x, v_.y, v_.text, false);
            break;
        case EditorState::PlacingPicture:
            drawScriptPicture(page, v_.x, v_.y, qRgb(0, 0, 0), false, v_.text);
            break;
        case EditorState::PlacingMoon: {
            MoonCommand moon;
            readMoonFill(v_.moonFill, moon);
            drawScriptMoon(page, v_.x, v_.y, moon.image, moon.fill,
                           scriptNumber(v_.text, "the moon phase"), v_.word.toInt());
            break;
        }
        default:
            break;
    }
}

}  // namespace orbisca
