// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/canvas_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>
#include <thread>

namespace orbisca {
namespace {

// The largest canvas copied to RGB32 for the view (128 MB): beyond it the view shrinks the canvas.
constexpr qint64 kCanvas32Pixels = qint64(32) << 20;

// Rows [from, to) of the halving `out` of `source`: each pixel the mean of the 2 x 2 block it
// covers, an odd last row or column left out, a side of one pixel its own pair. `Step` is the
// source's bytes a pixel and R, G, B where its channels lie (RGB888 canvas, or an RGB32 halving,
// 0xffRRGGBB little-endian); fixed at compile time, the channel loop unrolls.
template <int Step, int R, int G, int B>
void halveRows(const QImage& source, QImage& out, int from, int to) {
    const int w = out.width();
    const int lastY = source.height() - 1;
    // The byte offset of the right pixel of a block: the next pixel, or the same one.
    const int right = source.width() > 1 ? Step : 0;
    for (int y = from; y < to; ++y) {
        const uchar* top = source.constScanLine(qMin(2 * y, lastY));
        const uchar* bottom = source.constScanLine(qMin(2 * y + 1, lastY));
        uchar* px = out.scanLine(y);
        for (int x = 0; x < w; ++x, top += 2 * Step, bottom += 2 * Step, px += 4) {
            px[2] = uchar((top[R] + top[right + R] + bottom[R] + bottom[right + R] + 2) >> 2);
            px[1] = uchar((top[G] + top[right + G] + bottom[G] + bottom[right + G] + 2) >> 2);
            px[0] = uchar((top[B] + top[right + B] + bottom[B] + bottom[right + B] + 2) >> 2);
            px[3] = 0xff;
        }
    }
}

// Below this many output pixels a second thread costs more than it saves.
constexpr qint64 kSplitHalvingPixels = qint64(1) << 19;

// Half the size (at least 1 x 1) of a canvas (RGB888) or a halving (RGB32, which a painter draws
// onto the screen without a conversion); large ones in two bands of rows, one on a second thread.
QImage halved(const QImage& source) {
    const int w = qMax(1, source.width() / 2), h = qMax(1, source.height() / 2);
    QImage out(w, h, QImage::Format_RGB32);
    const auto rows =
        source.format() == QImage::Format_RGB888 ? &halveRows<3, 0, 1, 2> : &halveRows<4, 2, 1, 0>;
    if (qint64(w) * h < kSplitHalvingPixels || std::thread::hardware_concurrency() < 2) {
        rows(source, out, 0, h);
        return out;
    }
    std::thread lower([&] { rows(source, out, h / 2, h); });
    rows(source, out, 0, h / 2);
    lower.join();
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
    canvas32_ = QImage();
    canvas32Rows_.clear();
    viewScaleChanged();
    if (page_.canvas.size() == shownCanvasSize_) return;
    shownCanvasSize_ = page_.canvas.size();
    scroller_.horizontalScrollBar()->setValue(0);
    scroller_.verticalScrollBar()->setValue(0);
}

void CanvasView::viewScaleChanged() {
    cache_ = QImage();
    cachedArea_ = QRegion();
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

// The canvas as RGB32 (the bytes QImage::convertToFormat gives), its rows first..last converted.
const QImage& CanvasView::canvasRowsIn32(int first, int last) {
    const QImage& canvas = page_.canvas;
    if (canvas32_.size() != canvas.size()) {
        canvas32_ = QImage(canvas.size(), QImage::Format_RGB32);
        canvas32Rows_.assign(std::size_t(canvas.height()), false);
        if (canvas32_.isNull()) return canvas;  // no memory for it: shrink from the canvas
    }
    first = qMax(first, 0);
    last = qMin(last, canvas.height() - 1);
    for (int y = first; y <= last; ++y) {
        if (canvas32Rows_[std::size_t(y)]) continue;
        const uchar* from = canvas.constScanLine(y);
        auto* to = reinterpret_cast<QRgb*>(canvas32_.scanLine(y));
        for (int x = 0; x < canvas.width(); ++x, from += 3) to[x] = qRgb(from[0], from[1], from[2]);
        canvas32Rows_[std::size_t(y)] = true;
    }
    return canvas32_;
}

// Paints the part `target` of the view from the pyramid level just above the view's size. The
// whole view is drawn, clipped to the part: a part's pixels are those of the view drawn at once,
// without seams where the filter would meet the edge of a part's source.
void CanvasView::drawScaled(QPainter& painter, const QRect& target) {
    double levelScale = 1.0;
    const QImage* level = &sourceLevel(levelScale);
    const double sx = double(page_.canvas.width()) / width() / levelScale;
    const double sy = double(page_.canvas.height()) / height() / levelScale;
    if (level == &page_.canvas && sx > 1.0 && level->format() == QImage::Format_RGB888 &&
        qint64(level->width()) * level->height() <= kCanvas32Pixels) {
        // The rows the smooth filter reads for the target's rows, with a row to spare each side.
        const int first = int(std::floor(target.top() * sy)) - 2;
        const int last = int(std::ceil((target.bottom() + 1) * sy)) + 2;
        level = &canvasRowsIn32(first, last);
    }
    // Shrinking from the level blends its pixels; enlarging keeps them sharp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sx > 1.0);
    painter.save();
    painter.setClipRect(target);
    painter.drawImage(QRectF(rect()), *level, QRectF(0, 0, width() * sx, height() * sy));
    painter.restore();
}

// The cached view, drawn in the rows `area` asks for where they have not been drawn yet: a zoom
// step or a new canvas costs the rows on screen, not the whole view. Whole rows, as the smooth
// filter steps along a row from where its drawing starts: rows drawn from their start are the
// rows of the view drawn at once.
const QImage& CanvasView::cachedView(const QRect& area) {
    if (cache_.size() != size()) {
        cache_ = QImage(size(), QImage::Format_RGB32);
        cachedArea_ = QRegion();
    }
    const QRegion missing =
        QRegion(QRect(0, area.top(), width(), area.height())).subtracted(cachedArea_);
    if (!missing.isEmpty()) {
        QPainter painter(&cache_);
        for (const QRect& part : missing) drawScaled(painter, part);
        cachedArea_ += missing;
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
        painter.drawImage(exposed.topLeft(), cachedView(exposed), exposed);
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
