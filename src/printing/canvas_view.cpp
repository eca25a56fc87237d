// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/canvas_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace orbisca {
namespace {

// Half the size (at least 1 x 1), each pixel the mean of the 2 x 2 block it covers; an odd last
// row or column is left out.
QImage halved(const QImage& source) {
    const int w = qMax(1, source.width() / 2), h = qMax(1, source.height() / 2);
    QImage out(w, h, QImage::Format_RGB888);
    const int lastX = source.width() - 1, lastY = source.height() - 1;
    for (int y = 0; y < h; ++y) {
        const uchar* top = source.constScanLine(qMin(2 * y, lastY));
        const uchar* bottom = source.constScanLine(qMin(2 * y + 1, lastY));
        uchar* to = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int left = 3 * qMin(2 * x, lastX), right = 3 * qMin(2 * x + 1, lastX);
            for (int c = 0; c < 3; ++c)
                to[3 * x + c] = uchar(
                    (top[left + c] + top[right + c] + bottom[left + c] + bottom[right + c] + 2) /
                    4);
        }
    }
    return out;
}

}  // namespace

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
    halvings_.clear();
    viewScaleChanged();
    if (page_.canvas.size() == shownCanvasSize_) return;
    shownCanvasSize_ = page_.canvas.size();
    scroller_.horizontalScrollBar()->setValue(0);
    scroller_.verticalScrollBar()->setValue(0);
}

void CanvasView::viewScaleChanged() {
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

const QImage& CanvasView::sourceLevel(double& pixelsPerLevelPixel) {
    const QImage* level = &page_.canvas;
    double levelScale = 1.0;  // canvas pixels per pixel of `level`
    const double viewScale = double(page_.canvas.width()) / width();
    for (std::size_t k = 0; levelScale * 2 <= viewScale && level->width() > 1; ++k) {
        if (halvings_.size() <= k) halvings_.push_back(halved(*level));
        level = &halvings_[k];
        levelScale = double(page_.canvas.width()) / level->width();
    }
    pixelsPerLevelPixel = levelScale;
    return *level;
}

// Paints the part `target` of the view from the pyramid level just above the view's size.
void CanvasView::drawScaled(QPainter& painter, const QRect& target) {
    double levelScale = 1.0;
    const QImage& level = sourceLevel(levelScale);
    const double sx = double(page_.canvas.width()) / width() / levelScale;
    const double sy = double(page_.canvas.height()) / height() / levelScale;
    // Shrinking from the level blends its pixels; enlarging keeps them sharp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sx > 1.0);
    painter.drawImage(
        QRectF(target), level,
        QRectF(target.x() * sx, target.y() * sy, target.width() * sx, target.height() * sy));
}

const QPixmap& CanvasView::cachedView() {
    if (cache_.isNull() || cache_.size() != size()) {
        QImage view(size(), QImage::Format_RGB32);
        QPainter painter(&view);
        drawScaled(painter, rect());
        painter.end();
        cache_ = QPixmap::fromImage(std::move(view));
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
    if (paintsFromCache())
        painter.drawPixmap(exposed.topLeft(), cachedView(), exposed);
    else
        drawScaled(painter, exposed);  // too large to keep: the exposed part alone
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    emit pressed(canvasPixelAt(event->position().toPoint()));
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
    emit pointerMoved(canvasPixelAt(event->position().toPoint()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void CanvasView::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos());
}

}  // namespace orbisca
