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

// Qt draws glyphs from its cache below this pixel size (QT_MAX_CACHED_GLYPH_SIZE may change it).
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
        fills.push_back(
            {path, p->combinedTransform(), p->brush(), p->testRenderHint(QPainter::Antialiasing)});
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

// The contours of `path` in groups whose pixels, after `transform` (a translation), lie in
// columns no other group touches. Each group keeps its contours' elements as they were.
std::vector<QPainterPath> pixelDisjointGroups(const QPainterPath& path,
                                              const QTransform& transform) {
    struct Contour {
        int first, end;  // elements [first, end)
        double left, right;
    };
    std::vector<Contour> contours;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo() || contours.empty()) contours.push_back({i, i, e.x, e.x});
        Contour& c = contours.back();
        c.end = i + 1;
        c.left = std::min(c.left, e.x);
        c.right = std::max(c.right, e.x);
    }
    std::sort(contours.begin(), contours.end(),
              [](const Contour& a, const Contour& b) { return a.left < b.left; });
    // Two columns of room on either side: the rasterizer gives a pixel coverage from any edge
    // that enters it, and the control points bound each curve.
    const double dx = transform.dx();
    const auto firstColumn = [dx](double x) { return std::floor(x + dx) - 2; };
    const auto lastColumn = [dx](double x) { return std::ceil(x + dx) + 2; };
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
            if (e.isMoveTo()) {
                group.moveTo(e.x, e.y);
            } else if (e.isLineTo()) {
                group.lineTo(e.x, e.y);
            } else {
                const QPainterPath::Element& c2 = path.elementAt(i + 1);
                const QPainterPath::Element& to = path.elementAt(i + 2);
                group.cubicTo(e.x, e.y, c2.x, c2.y, to.x, to.y);
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

bool drawnAsOutlines(const QFont& font) { return font.pixelSize() >= cachedGlyphLimit(); }

void drawOutlineText(QImage& canvas, const QFont& font, QRgb colour, QPointF origin,
                     const QString& text) {
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
    const auto fill = [&] {
        QPainter painter(&canvas);
        if (recorded.unexpected) {  // not outlines alone: drawn as QPainter draws it
            painter.setFont(font);
            painter.setPen(QColor(colour));
            painter.drawText(origin, text);
            return;
        }
        for (const OutlineFill& f : recorded.fills) {
            painter.setRenderHint(QPainter::Antialiasing, f.antialiased);
            painter.setTransform(f.transform);
            if (f.transform.type() > QTransform::TxTranslate) {
                painter.fillPath(f.path, f.brush);
                continue;
            }
            for (const QPainterPath& group : pixelDisjointGroups(f.path, f.transform))
                painter.fillPath(group, f.brush);
        }
    };
    runOnPoolThread(fill);
}

}  // namespace orbisca
