// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/outline_text.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <vector>

namespace orbisca {
namespace {

// Qt draws glyphs from its cache up to this pixel size (QT_MAX_CACHED_GLYPH_SIZE may change it).
int cachedGlyphLimit() {
    static const int limit = [] {
        const int fromEnvironment = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return fromEnvironment > 0 ? fromEnvironment : 64;
    }();
    return limit;
}

// One outline fill as QPainter asked for it.
struct OutlineFill {
    QPainterPath path;
    QTransform transform;
    QBrush brush;
    bool antialiased = false;
};

// A paint engine that keeps the paths QPainter fills and draws nothing. Text reaches it through
// QPaintEngine::drawTextItem, which fills the outlines of each run of glyphs as one path.
class OutlineEngine : public QPaintEngine {
public:
    OutlineEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPath(const QPainterPath& path) override {
        const QPainter* p = painter();
        const QTransform transform = p->combinedTransform();
        if (transform.type() > QTransform::TxTranslate) unexpected = true;
        fills.push_back({path, transform, p->brush(), p->testRenderHint(QPainter::Antialiasing)});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { unexpected = true; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { unexpected = true; }
    Type type() const override { return QPaintEngine::User; }

    std::vector<OutlineFill> fills;
    bool unexpected = false;  // something other than outlines was drawn
};

// A paint device with the canvas's measures, so that fonts resolve on it as on the canvas.
class OutlineDevice : public QPaintDevice {
public:
    explicit OutlineDevice(const QImage& like) : like_(like) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    OutlineEngine& engine() { return engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return like_.width();
            case PdmHeight:
                return like_.height();
            case PdmWidthMM:
                return like_.widthMM();
            case PdmHeightMM:
                return like_.heightMM();
            case PdmNumColors:
                return like_.colorCount();
            case PdmDepth:
                return like_.depth();
            case PdmDpiX:
                return like_.logicalDpiX();
            case PdmDpiY:
                return like_.logicalDpiY();
            case PdmPhysicalDpiX:
                return like_.physicalDpiX();
            case PdmPhysicalDpiY:
                return like_.physicalDpiY();
            case PdmDevicePixelRatio:
                return int(like_.devicePixelRatio());
            case PdmDevicePixelRatioScaled:
                return int(like_.devicePixelRatio() * QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    const QImage& like_;
    mutable OutlineEngine engine_;
};

// A coordinate of a glyph outline given relative to its text item, moved by the item's offset `by`
// as Qt computes it for an outline placed there: points on the outline are multiples of 1/128 to
// which the offset is added, control points a third of such a sum (taken back exactly from the
// rounded relative third), so the result is the same double, not merely a close one.
double placed(double relative, double by) {
    const double tripled = std::nearbyint(relative * 768.0) / 256.0;
    return (tripled + 3.0 * by) / 3.0;
}

// The contours of `path` placed at (dx, dy), in groups whose pixels lie in columns no other group
// touches.
std::vector<QPainterPath> pixelDisjointGroups(const QPainterPath& path, double dx, double dy) {
    struct Contour {
        int first, end;  // elements [first, end)
        double left, right;
    };
    std::vector<Contour> contours;
    std::vector<QPointF> points(std::size_t(path.elementCount()));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        points[std::size_t(i)] = QPointF(placed(e.x, dx), placed(e.y, dy));
        const double x = points[std::size_t(i)].x();
        if (e.isMoveTo() || contours.empty()) contours.push_back({i, i, x, x});
        Contour& c = contours.back();
        c.end = i + 1;
        c.left = std::min(c.left, x);
        c.right = std::max(c.right, x);
    }
    std::sort(contours.begin(), contours.end(),
              [](const Contour& a, const Contour& b) { return a.left < b.left; });
    // Two columns of room on either side: the rasterizer gives a pixel coverage from any edge
    // that enters it, and the control points bound each curve.
    const auto firstColumn = [](double x) { return std::floor(x) - 2; };
    const auto lastColumn = [](double x) { return std::ceil(x) + 2; };
    std::vector<QPainterPath> groups;
    double groupEnd = 0;
    for (const Contour& c : contours) {
        if (groups.empty() || firstColumn(c.left) > groupEnd) {
            groups.emplace_back();
            groups.back().setFillRule(path.fillRule());
            groupEnd = lastColumn(c.right);
        } else {
            groupEnd = std::max(groupEnd, lastColumn(c.right));
        }
        QPainterPath& group = groups.back();
        for (int i = c.first; i < c.end; ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            const QPointF& at = points[std::size_t(i)];
            if (e.isMoveTo()) {
                group.moveTo(at);
            } else if (e.isLineTo()) {
                group.lineTo(at);
            } else {
                group.cubicTo(at, points[std::size_t(i) + 1], points[std::size_t(i) + 2]);
                i += 2;
            }
        }
    }
    return groups;
}

// Runs `work` on a thread of the global pool and waits: Qt's raster engine then fills spans on
// that thread instead of handing every batch of them to the pool. When no pool thread is free,
// or the caller is one, the caller runs it.
void runOnPoolThread(const std::function<void()>& work) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->contains(QThread::currentThread())) {
        work();
        return;
    }
    std::exception_ptr failure;
    QSemaphore done;
    const bool started = pool->tryStart([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done.release();
    });
    if (!started) {
        work();
        return;
    }
    done.acquire();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace

bool drawnAsOutlines(const QFont& font) { return font.pixelSize() > cachedGlyphLimit(); }

void drawOutlineText(QImage& canvas, const QFont& font, QRgb colour, QPointF origin,
                     const QString& text) {
    const auto drawPlainly = [&] {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(QColor(colour));
        painter.drawText(origin, text);
    };
    // Outlines are placed as Qt places them when the text starts on a whole pixel, so that the
    // offsets of its items are exact.
    if (origin.x() != std::floor(origin.x()) || origin.y() != std::floor(origin.y())) {
        drawPlainly();
        return;
    }
    // The glyphs are shaped and their outlines loaded here, on the calling thread, as QPainter
    // would: the font engine keeps state between outline loads.
    OutlineDevice device(canvas);
    {
        QPainter recorder(&device);
        recorder.setFont(font);
        recorder.setPen(QColor(colour));
        recorder.setBrush(Qt::NoBrush);
        recorder.drawText(origin, text);
    }
    const OutlineEngine& recorded = device.engine();
    if (recorded.unexpected) {  // not outlines placed by a move alone: as QPainter draws it
        drawPlainly();
        return;
    }
    runOnPoolThread([&] {
        QPainter painter(&canvas);
        for (const OutlineFill& f : recorded.fills) {
            painter.setRenderHint(QPainter::Antialiasing, f.antialiased);
            for (const QPainterPath& group :
                 pixelDisjointGroups(f.path, f.transform.dx(), f.transform.dy()))
                painter.fillPath(group, f.brush);
        }
    });
}

}  // namespace orbisca
