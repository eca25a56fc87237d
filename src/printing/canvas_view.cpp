#include "printing/canvas_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace orbisca {

CanvasView::CanvasView(const PrintPageState& page, QScrollArea& scroller, QWidget* parent)
    : QWidget(parent), page_(page), scroller_(scroller) {
    setObjectName(QStringLiteral("canvasView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(displayedSize());
}

QSize CanvasView::displayedSize() const {
    const QSize shown = page_.displayedSize;
    if (shown.width() >= 1 && shown.height() >= 1) return shown;
    return page_.canvas.isNull() ? QSize(1, 1) : page_.canvas.size();
}

void CanvasView::canvasChanged() {
    cache_ = QPixmap();
    resize(displayedSize());
    update();
}

bool CanvasView::paintsFromCache() const {
    const QSize shown = displayedSize();
    return qint64(shown.width()) * shown.height() <= kCachedViewPixels;
}

QPoint CanvasView::canvasPixelAt(QPoint viewPoint) const {
    return QPoint(int(std::lround(viewPoint.x() * page_.viewScale)),
                  int(std::lround(viewPoint.y() * page_.viewScale)));
}

const QPixmap& CanvasView::cachedView() {
    if (cache_.isNull() || cache_.size() != size()) {
        const QImage& canvas = page_.canvas;
        cache_ = QPixmap::fromImage(
            canvas.size() == size()
                ? canvas
                : canvas.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return cache_;
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (page_.canvas.isNull()) {
        painter.fillRect(exposed, QColor(page_.background));
        return;
    }
    if (paintsFromCache()) {
        painter.drawPixmap(exposed.topLeft(), cachedView(), exposed);
        return;
    }
    // Too large to keep: the exposed part of the canvas, scaled as it is painted.
    const double sx = double(page_.canvas.width()) / width();
    const double sy = double(page_.canvas.height()) / height();
    painter.drawImage(
        QRectF(exposed), page_.canvas,
        QRectF(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx, exposed.height() * sy));
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    dragStart_ =
        event->globalPosition().toPoint() +
        QPoint(scroller_.horizontalScrollBar()->value(), scroller_.verticalScrollBar()->value());
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint to = dragStart_ - event->globalPosition().toPoint();
        scroller_.horizontalScrollBar()->setValue(to.x());
        scroller_.verticalScrollBar()->setValue(to.y());
    }
    if (pointerMoved) pointerMoved(canvasPixelAt(event->position().toPoint()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void CanvasView::contextMenuEvent(QContextMenuEvent* event) {
    if (menuRequested) menuRequested(event->globalPos());
}

}  // namespace orbisca
