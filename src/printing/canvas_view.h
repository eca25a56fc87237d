// The page canvas on screen, inside a scroll area: the canvas scaled to its displayed size
// (canvas size / view scale). A view of moderate size keeps one cached picture of the canvas at
// that size, made smoothly once per view scale and canvas change; a larger one paints the exposed
// rectangle straight from the canvas. Only the exposed rectangle is painted either way.
//
// Dragging with the left button scrolls the page; the pointer's canvas pixel and the right
// button's pop-up menu go to the window through two hooks.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QScrollArea>
#include <QWidget>
#include <functional>

#include "printpage/print_page.h"

namespace orbisca {

class CanvasView : public QWidget {
    Q_OBJECT
public:
    // Views of at most this many pixels are painted from a cached picture.
    static constexpr qint64 kCachedViewPixels = qint64{8} * 1024 * 1024;

    CanvasView(const PrintPageState& page, QScrollArea& scroller, QWidget* parent = nullptr);

    // The canvas's pixels or its displayed size changed: the view takes the displayed size and
    // paints afresh.
    void canvasChanged();

    // The canvas pixel under a point of the view (the view's pixel times the view scale).
    QPoint canvasPixelAt(QPoint viewPoint) const;
    bool paintsFromCache() const;

    std::function<void(QPoint canvasPixel)> pointerMoved;
    std::function<void(QPoint globalPosition)> menuRequested;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QSize displayedSize() const;
    const QPixmap& cachedView();

    const PrintPageState& page_;
    QScrollArea& scroller_;
    QPixmap cache_;  // the canvas at the displayed size; null until the next paint needs it
    bool dragging_ = false;
    QPoint dragStart_;  // pointer position on the screen plus the scroll positions at the press
};

}  // namespace orbisca
