// SPDX-License-Identifier: GPL-3.0-or-later
// The page canvas on screen, inside a scroll area: the canvas scaled to its displayed size
// (canvas size / view scale). Shrunk views are drawn from a pyramid of the canvas halved again
// and again (each pixel the mean of four), taken at the level just above the view's size, so a
// view of a large canvas neither misses thin lines nor costs a pass over the whole canvas. A view
// of moderate size keeps one cached picture per view scale, drawn row band by row band as the
// bands come into sight; a larger one paints the exposed rectangle alone each time.
//
// Dragging with the left button scrolls the page; the pointer's canvas pixel and the right
// button's pop-up menu go to the window as signals.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QScrollArea>
#include <QWidget>
#include <vector>

#include "printpage/print_page.h"

namespace orbisca {

class CanvasView : public QWidget {
    Q_OBJECT
public:
    // Views of at most this many pixels are painted from a cached picture.
    static constexpr qint64 kCachedViewPixels = qint64{4} * 1024 * 1024;

    CanvasView(const PrintPageState& page, QScrollArea& scroller, QWidget* parent = nullptr);

    // The canvas's pixels changed (and maybe its displayed size): everything is drawn afresh. A
    // canvas of another size is shown from its top left corner, not at the old scroll position.
    void canvasChanged();
    // Only the displayed size changed (zoom): the view takes it and paints afresh.
    void viewScaleChanged();

    // The canvas pixel under a point of the view (the view's pixel times the view scale).
    QPoint canvasPixelAt(QPoint viewPoint) const;
    bool paintsFromCache() const;

signals:
    void pointerMoved(QPoint canvasPixel);
    void menuRequested(QPoint globalPosition);
    // A button went down over the canvas pixel (before the drag or the menu it may start).
    void pressed(QPoint canvasPixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QSize displayedSize() const;
    // The pyramid level to draw from (0: the canvas itself) and the canvas pixels per pixel of it.
    const QImage& sourceLevel(double& pixelsPerLevelPixel);
    const QImage& canvasRowsIn32(int first, int last);
    void drawScaled(QPainter& painter, const QRect& target);
    const QImage& cachedView(const QRect& area);

    const PrintPageState& page_;
    QScrollArea& scroller_;
    std::vector<QImage> halvings_;  // the canvas halved once, twice ...; made as views need them
    // The canvas in the halvings' format, for views shrunk less than a halving: Qt's smooth
    // scaling reads it several times faster. Made row by row as views need the rows.
    QImage canvas32_;
    std::vector<bool> canvas32Rows_;
    QImage cache_;           // the canvas at the displayed size, drawn where it was shown
    QRegion cachedArea_;     // the part of cache_ drawn
    QSize shownCanvasSize_;  // the canvas size the view was last drawn for
    bool dragging_ = false;
    QPoint dragStart_;  // pointer position on the screen plus the scroll positions at the press
};

}  // namespace orbisca
