// SPDX-License-Identifier: GPL-3.0-or-later
// The page setup's preview: the page shrunk to a long side of 300 pixels, the canvas where it
// will be printed, and the picture's frame with its four corner grips, which move (the body) or
// resize (a corner) the print. The canvas is shrunk once per show; each redraw only stretches
// that small copy, so a field change or a drag step stays cheap whatever the canvas size.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "printpage/page_geometry.h"

namespace orbisca {

class PagePreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PagePreviewWidget(QWidget* parent = nullptr);

    // The geometry the drags change; it must outlive the widget.
    void setPageGeometry(PageGeometry* geometry) { geometry_ = geometry; }
    // A new canvas (at each show of the window): the shrunk copy is made here.
    void setCanvas(const QImage& canvas);
    // The page changed (orientation, paper): the preview takes its new size.
    void setPage(QSize page);
    void setShowFrame(bool show);
    QSize canvasSize() const { return canvasSize_; }
    PagePreview layout() const;

    // The preview as drawn, for tests and the benchmark.
    void render(QImage& target) const;

signals:
    // After each drag step, once the geometry has changed.
    void dragged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void draw(QPainter& painter) const;
    void updateCursor(QPoint point);

    PageGeometry* geometry_ = nullptr;
    QImage shrunk_;
    QSize canvasSize_{1, 1};
    QSize page_{1, 1};
    bool showFrame_ = true;
    std::optional<PreviewDrag> drag_;
};

}  // namespace orbisca
