// SPDX-License-Identifier: GPL-3.0-or-later
// The flat glyph button of every window. Its glyph bitmap holds four images of equal width side
// by side: normal, hot (pointer over it), pressed and disabled. The button never takes the
// keyboard focus, so arrow keys always reach its window.
#pragma once

#include <QImage>
#include <QWidget>

#include "gfx/glyph_states.h"

namespace orbisca {

class GlyphButton : public QWidget {
    Q_OBJECT
public:
    using GlyphState = gfx::GlyphState;
    static constexpr int kGlyphStates = gfx::kGlyphStates;

    explicit GlyphButton(QWidget* parent = nullptr);

    // Takes the glyph strip; the button's size becomes one state's width by the strip's height.
    void setGlyph(const QImage& strip);
    const QImage& glyph() const { return glyph_; }

    // The state drawn now.
    GlyphState glyphState() const;
    // One state's picture cut from the strip (empty when there is no glyph).
    QImage statePicture(GlyphState state) const;

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void changeEvent(QEvent* event) override;

private:
    QImage glyph_;
    bool hot_ = false;
    bool pressed_ = false;
};

}  // namespace orbisca
