// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/glyph_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace orbisca {

GlyphButton::GlyphButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GlyphButton::setGlyph(const QImage& strip) {
    glyph_ = strip;
    if (!glyph_.isNull()) setFixedSize(glyph_.width() / kGlyphStates, glyph_.height());
    update();
}

GlyphButton::GlyphState GlyphButton::glyphState() const {
    if (!isEnabled()) return GlyphState::Disabled;
    if (pressed_ && hot_) return GlyphState::Down;
    return hot_ ? GlyphState::Hot : GlyphState::Normal;
}

QImage GlyphButton::statePicture(GlyphState state) const {
    if (glyph_.isNull()) return {};
    const int w = glyph_.width() / kGlyphStates;
    return glyph_.copy(w * int(state), 0, w, glyph_.height());
}

void GlyphButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (glyph_.isNull()) {
        p.fillRect(rect(), palette().window());
        return;
    }
    const int w = glyph_.width() / kGlyphStates;
    p.drawImage(QPoint(0, 0), glyph_, QRect(w * int(glyphState()), 0, w, glyph_.height()));
}

void GlyphButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
}

void GlyphButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void GlyphButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != hot_) {
        hot_ = inside;
        update();
    }
    emit mouseMoved();
}

void GlyphButton::enterEvent(QEnterEvent*) {
    hot_ = true;
    update();
}

void GlyphButton::leaveEvent(QEvent*) {
    hot_ = false;
    update();
}

void GlyphButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

}  // namespace orbisca
