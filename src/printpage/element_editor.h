// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's element editor without a window: the steps that compose a TEXT, PICT or
// MOON line (typed texts, a click that places the element, "add") and a FONT line from a chosen
// font. Each step leaves in values() what the window shows: the edit line, the instruction and
// the caption of the add button (entries of the caption table), and whether the buttons that start
// an element take clicks.
//
// States: 0 idle; 1 a text being typed; 2 the text being placed; 5 a picture being placed; 6 the
// moon phase, 7 the moon fill, 8 the moon size being typed; 9 the moon being placed (3 and 4 are
// left unused: no step leads there, and "add" there would do nothing). "add" moves
// a state on; in state 0 it hands the edit line to the script. An element never placed by a click
// is written at x 0 centred (text, picture) or at x -1 (moon), and at y 0.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "printpage/print_page.h"

namespace orbisca {

enum class EditorState : int {
    Idle = 0,
    TypingText = 1,
    PlacingText = 2,
    PlacingPicture = 5,
    TypingMoonPhase = 6,
    ChoosingMoonFill = 7,
    TypingMoonSize = 8,
    PlacingMoon = 9,
};

struct ElementEditorValues {
    EditorState state = EditorState::Idle;
    int x = -1;  // -1: not placed by a click yet
    int y = 0;
    QString text;      // the TEXT content, the PICT file or the MOON phase
    QString word;      // "cnt" / "rgt", or the MOON size
    QString moonFill;  // "IMAGE" or "r g b"
    QString editLine;
    QString pointer;           // "X:x Y:y" while placing; shown instead of the instruction
    int instruction = 8;       // caption entry of the instruction
    int addCaption = 11;       // caption entry of the add button
    bool startButtons = true;  // new text, new image, new moon take clicks
};

class ElementEditor {
public:
    const ElementEditorValues& values() const { return v_; }
    void reset() { v_ = {}; }

    void newText();
    // `file`: the picture chosen, none when the dialog was cancelled (the state is 5 all the same).
    void newImage(const std::optional<QString>& file);
    void newMoon();
    // The FONT line of a chosen font in `colour`; the edit line takes it, the state stays.
    void newFont(const QFont& font, const QColor& colour);

    // "add" with the edit line as the user left it. Returns the line to append to the script
    // (state 0 only). In state 7 a fill other than "IMAGE" asks `askColour` (none: cancelled,
    // the state stays). `pictureKey` is the transparent colour of the last picture drawn,
    // `canvas` the canvas a moon must fit. Throws ScriptSyntaxError for a moon phase or size that
    // cannot be read or drawn (size 1..kMaxMoonSize and no larger than the canvas); the state
    // stays.
    std::optional<QString> add(const QString& editLine,
                               const std::function<std::optional<QColor>()>& askColour,
                               QRgb pictureKey, QSize canvas);

    // States 2, 5 and 9 place the element with a click.
    bool placing() const;
    // The canvas point under a displayed point at `viewScale` canvas pixels per displayed pixel.
    static QPoint canvasPoint(QPointF displayed, double viewScale);
    static QString pointerText(QPoint canvasPoint);
    // A click while placing: the element's position and the pointer text.
    void place(QPoint canvasPoint);
    // Draws the element being placed at its position onto the page (after the script's redraw).
    void drawPreview(PrintPageState& page) const;

private:
    void finishElement(const QString& line);
    ElementEditorValues v_;
};

}  // namespace orbisca
