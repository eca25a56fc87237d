// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/page_preview_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace orbisca {
namespace {

constexpr int kGripHalf = 3;  // a grip is the corner +-3 pixels

Qt::CursorShape cursorFor(PreviewGrip grip) {
    switch (grip) {
        case PreviewGrip::Body:
            return Qt::SizeAllCursor;
        case PreviewGrip::TopLeft:
        case PreviewGrip::BottomRight:
            return Qt::SizeFDiagCursor;
        case PreviewGrip::BottomLeft:
        case PreviewGrip::TopRight:
            return Qt::SizeBDiagCursor;
        case PreviewGrip::None:
            break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

PagePreviewWidget::PagePreviewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pagePreview"));
    setMouseTracking(true);
    setFixedSize(kPreviewLongSide, kPreviewLongSide * 2 / 3);
}

void PagePreviewWidget::setCanvas(const QImage& canvas) {
    canvasSize_ = canvas.isNull() ? QSize(1, 1) : canvas.size();
    const QSize box(kPreviewLongSide, kPreviewLongSide);
    shrunk_ = canvas.width() > box.width() || canvas.height() > box.height()
                  ? canvas.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                  : canvas;
    update();
}

void PagePreviewWidget::setPage(QSize page) {
    page_ = page.expandedTo(QSize(1, 1));
    setFixedSize(layout().size);
    update();
}

void PagePreviewWidget::setShowFrame(bool show) {
    showFrame_ = show;
    drag_.reset();
    if (!show) unsetCursor();
    update();
}

PagePreview PagePreviewWidget::layout() const {
    return geometry_ ? previewOf(*geometry_, page_) : PagePreview{};
}

void PagePreviewWidget::draw(QPainter& painter) const {
    const PagePreview preview = layout();
    painter.fillRect(QRect(QPoint(), preview.size), Qt::white);
    painter.drawImage(preview.picture, shrunk_);
    if (!showFrame_) return;
    const QRect r = preview.picture;
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::white);
    for (const QPoint corner : {r.topLeft(), QPoint(r.left(), r.bottom() + 1),
                                QPoint(r.right() + 1, r.top()), r.bottomRight() + QPoint(1, 1)})
        painter.drawRect(QRect(corner - QPoint(kGripHalf, kGripHalf), QSize(6, 6)));
}

void PagePreviewWidget::render(QImage& target) const {
    QPainter painter(&target);
    draw(painter);
}

void PagePreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter);
}

void PagePreviewWidget::updateCursor(QPoint point) {
    if (!geometry_ || geometry_->fit || !showFrame_) return unsetCursor();
    setCursor(cursorFor(gripAt(layout(), point, geometry_->centre)));
}

void PagePreviewWidget::mousePressEvent(QMouseEvent* event) {
    if (!geometry_ || !showFrame_ || event->button() != Qt::LeftButton) return;
    drag_ = startPreviewDrag(*geometry_, layout(), event->position().toPoint());
}

void PagePreviewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!drag_) return updateCursor(point);
    dragPreview(*geometry_, *drag_, point, layout().ratio, page_, canvasSize_);
    update();
    emit dragged();
}

void PagePreviewWidget::mouseReleaseEvent(QMouseEvent*) { drag_.reset(); }

}  // namespace orbisca
