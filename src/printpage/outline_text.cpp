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
#include <climits>
#include <cmath>
#include <cstring>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <unordered_map>
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

// A cubic curve as the outline mapper splits it.
struct Cubic {
    double x1, y1, x2, y2, x3, y3, x4, y4;
};

// Appends the points of `curve` cut into lines, as QPainter's outline mapper cuts it for the
// rasterizer: halved until flat within a quarter of a pixel, nine times at most. The arithmetic is
// the mapper's, step by step, so that the points are the same doubles.
void addFlattened(const Cubic& curve, std::vector<QPointF>& out) {
    Cubic stack[10];
    int levels[10];
    stack[0] = curve;
    levels[0] = 9;
    int top = 0;
    const auto mid = [](double a, double b) { return (a + b) * .5; };
    while (top >= 0) {
        Cubic* b = &stack[top];
        const double y4y1 = b->y4 - b->y1;
        const double x4x1 = b->x4 - b->x1;
        double l = std::abs(x4x1) + std::abs(y4y1);
        double d;
        if (l > 1.) {
            const double d2 = (x4x1) * (b->y1 - b->y2) - (y4y1) * (b->x1 - b->x2);
            const double d3 = (x4x1) * (b->y1 - b->y3) - (y4y1) * (b->x1 - b->x3);
            d = std::abs(d2) + std::abs(d3);
        } else {
            d = std::abs(b->x1 - b->x2) + std::abs(b->y1 - b->y2) + std::abs(b->x1 - b->x3) +
                std::abs(b->y1 - b->y3);
            l = 1.;
        }
        if (d < 0.25 * l || levels[top] == 0) {
            out.emplace_back(b->x4, b->y4);
            --top;
            continue;
        }
        const double x12 = mid(b->x1, b->x2), y12 = mid(b->y1, b->y2);
        const double x23 = mid(b->x2, b->x3), y23 = mid(b->y2, b->y3);
        const double x34 = mid(b->x3, b->x4), y34 = mid(b->y3, b->y4);
        const double x123 = mid(x12, x23), y123 = mid(y12, y23);
        const double x234 = mid(x23, x34), y234 = mid(y23, y34);
        const double xm = mid(x123, x234), ym = mid(y123, y234);
        const Cubic first{b->x1, b->y1, x12, y12, x123, y123, xm, ym};
        const Cubic second{xm, ym, x234, y234, x34, y34, b->x4, b->y4};
        b[1] = first;  // the first half is taken next
        b[0] = second;
        levels[top + 1] = --levels[top];
        ++top;
    }
}

// One contour as the rasterizer receives it: points in 64ths of a pixel, closed implicitly.
struct FixedContour {
    std::vector<int> xy;                           // x, y, x, y, ...
    int left = 0, top = 0, right = 0, bottom = 0;  // the bounds of the points
};

// The contours of `path`, placed at (dx, dy), in the 64ths of a pixel QPainter's outline mapper
// gives the rasterizer for a fill on a canvas of `bounds`; nothing when a curve ends outside the
// canvas (the mapper then draws some curves as lines) or a point lies outside it.
std::optional<std::vector<FixedContour>> fixedContours(const QPainterPath& path, double dx,
                                                       double dy, const QRect& bounds) {
    const QRectF clip(bounds);
    const auto at = [&](int i) {
        const QPainterPath::Element& e = path.elementAt(i);
        return QPointF(placed(e.x, dx), placed(e.y, dy));
    };
    std::vector<FixedContour> contours;
    std::vector<QPointF> points;
    const auto finish = [&]() -> bool {
        if (points.empty()) return true;
        if (points.back() != points.front()) points.push_back(points.front());
        FixedContour c;
        c.xy.reserve(points.size() * 2);
        for (const QPointF& p : points) {
            c.xy.push_back(qRound(p.x() * 64));
            c.xy.push_back(qRound(p.y() * 64));
        }
        c.left = c.right = c.xy[0];
        c.top = c.bottom = c.xy[1];
        for (std::size_t i = 0; i < c.xy.size(); i += 2) {
            c.left = std::min(c.left, c.xy[i]);
            c.right = std::max(c.right, c.xy[i]);
            c.top = std::min(c.top, c.xy[i + 1]);
            c.bottom = std::max(c.bottom, c.xy[i + 1]);
        }
        points.clear();
        // The rasterizer gives pixels from the cell of every point: all of them on the canvas.
        if (c.left < 0 || c.top < 0 || (c.right >> 6) >= bounds.width() ||
            (c.bottom >> 6) >= bounds.height())
            return false;
        if (c.xy.size() > 2) contours.push_back(std::move(c));  // a lone point draws nothing
        return true;
    };
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i == count - 1) continue;
            if (!finish()) return std::nullopt;
            points.push_back(at(i));
        } else if (e.isLineTo()) {
            points.push_back(at(i));
        } else {
            const QPointF c1 = at(i), c2 = at(i + 1), end = at(i + 2);
            i += 2;
            if (points.empty()) continue;
            if (!clip.contains(end)) return std::nullopt;
            const QPointF start = points.back();
            addFlattened({start.x(), start.y(), c1.x(), c1.y(), c2.x(), c2.y(), end.x(), end.y()},
                         points);
        }
    }
    if (!finish()) return std::nullopt;
    return contours;
}

// The coverage the rasterizer gives a group of contours, as runs of pixels of one coverage, in
// pixels from the group's first pixel.
struct CoverageRun {
    int x, y, length;
    int value;  // 1..255
};
using Coverage = std::vector<CoverageRun>;

// A group of contours moved so that its first pixel is at the origin, with its fill rule: it
// decides the coverage alone.
using CoverageKey = std::vector<int>;

struct CoverageKeyHash {
    std::size_t operator()(const CoverageKey& key) const {
        std::size_t h = 1469598103934665603ULL;
        for (const int v : key) h = (h ^ std::size_t(unsigned(v))) * 1099511628211ULL;
        return h;
    }
};

// Coverages kept across texts: glyphs recur at the same fraction of a pixel.
struct CoverageCache {
    std::mutex mutex;
    std::unordered_map<CoverageKey, Coverage, CoverageKeyHash> entries;
    std::size_t bytes = 0;
};

CoverageCache& coverageCache() {
    static CoverageCache cache;
    return cache;
}

constexpr std::size_t kMaxCoverageBytes = 32u << 20;

// The coverage QPainter's rasterizer gives `key`'s contours: the same points a whole number of
// pixels away give the same coverage, so they are filled on a small mask of their own.
Coverage renderCoverage(const CoverageKey& key) {
    // key: fill rule, contour count, then for each contour its point count and points.
    const Qt::FillRule rule = key[0] ? Qt::WindingFill : Qt::OddEvenFill;
    int right = 0, bottom = 0;
    QPainterPath path;
    path.setFillRule(rule);
    std::size_t i = 2;
    for (int c = 0; c < key[1]; ++c) {
        const int n = key[i++];
        for (int p = 0; p < n; ++p, i += 2) {
            right = std::max(right, key[i]);
            bottom = std::max(bottom, key[i + 1]);
            // One pixel of room on each side; multiples of 1/64 are exact doubles.
            const QPointF point((key[i] + 64) / 64.0, (key[i + 1] + 64) / 64.0);
            if (p == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
    }
    const int width = (right >> 6) + 3, height = (bottom >> 6) + 3;
    QImage mask(width, height, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillPath(path, QColor(255, 255, 255));  // a white fill leaves the coverage
    }
    Coverage coverage;
    for (int y = 0; y < height; ++y) {
        const uchar* values = mask.constScanLine(y);
        for (int x = 0; x < width;) {
            const int value = values[x];
            int end = x + 1;
            while (end < width && values[end] == value) ++end;
            if (value) coverage.push_back({x - 1, y - 1, end - x, value});
            x = end;
        }
    }
    return coverage;
}

// One colour channel times an 8-bit alpha, rounded as the raster engine rounds it.
inline int timesAlpha(int channel, int alpha) {
    const int t = channel * alpha;
    return (t + (t >> 8) + 0x80) >> 8;
}

// A coverage placed with its group's first pixel at `at`.
struct PlacedCoverage {
    const Coverage* coverage;
    QPoint at;
};

// Blends `colour` through the coverages onto a 24-bit `canvas`, as the raster engine blends an
// opaque solid fill's spans. The groups share no pixel, so they are blended row by row across all
// of them: the canvas is then read along its rows rather than down each glyph.
void blendCoverages(QImage& canvas, const std::vector<PlacedCoverage>& placed, QRgb colour) {
    if (placed.empty()) return;
    const int channels[3] = {qRed(colour), qGreen(colour), qBlue(colour)};
    const int width = canvas.width(), height = canvas.height();
    uchar* bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    std::vector<std::size_t> next(placed.size(), 0);  // each coverage's first run not yet blended
    int top = INT_MAX, bottom = INT_MIN;
    for (const PlacedCoverage& p : placed) {
        if (p.coverage->empty()) continue;
        top = std::min(top, p.at.y() + p.coverage->front().y);
        bottom = std::max(bottom, p.at.y() + p.coverage->back().y);
    }
    for (int y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y) {
        uchar* const row = bits + y * stride;
        for (std::size_t g = 0; g < placed.size(); ++g) {
            const Coverage& runs = *placed[g].coverage;
            const QPoint at = placed[g].at;
            std::size_t& i = next[g];
            while (i < runs.size() && at.y() + runs[i].y < y) ++i;  // rows above the canvas
            for (; i < runs.size() && at.y() + runs[i].y == y; ++i) {
                const CoverageRun& run = runs[i];
                const int left = std::max(at.x() + run.x, 0);
                const int right = std::min(at.x() + run.x + run.length, width);
                uchar* pixel = row + qsizetype(left) * 3;
                uchar* const end = row + qsizetype(right) * 3;
                if (run.value == 255) {
                    for (; pixel < end; pixel += 3) {
                        pixel[0] = uchar(channels[0]);
                        pixel[1] = uchar(channels[1]);
                        pixel[2] = uchar(channels[2]);
                    }
                    continue;
                }
                const int inverse = 255 - run.value;
                const int lit[3] = {timesAlpha(channels[0], run.value),
                                    timesAlpha(channels[1], run.value),
                                    timesAlpha(channels[2], run.value)};
                for (; pixel < end; pixel += 3) {
                    pixel[0] = uchar(lit[0] + timesAlpha(pixel[0], inverse));
                    pixel[1] = uchar(lit[1] + timesAlpha(pixel[1], inverse));
                    pixel[2] = uchar(lit[2] + timesAlpha(pixel[2], inverse));
                }
            }
        }
    }
}

// Fills `path` placed at (dx, dy) on the canvas from coverages kept for its groups of contours
// that share no pixel column; false when some contour lies off the canvas, with nothing drawn.
bool fillFromCoverages(QImage& canvas, const QPainterPath& path, double dx, double dy,
                       QRgb colour) {
    std::optional<std::vector<FixedContour>> contours = fixedContours(path, dx, dy, canvas.rect());
    if (!contours) return false;
    std::sort(contours->begin(), contours->end(),
              [](const FixedContour& a, const FixedContour& b) { return a.left < b.left; });
    CoverageCache& cache = coverageCache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    // Emptied only here, so that the coverages of this fill stay while it is blended.
    if (cache.bytes > kMaxCoverageBytes) {
        cache.entries.clear();
        cache.bytes = 0;
    }
    const bool winding = path.fillRule() == Qt::WindingFill;
    std::vector<PlacedCoverage> placed;
    for (std::size_t first = 0; first < contours->size();) {
        // A group ends before a contour whose cells start a free column past all its cells.
        std::size_t end = first + 1;
        int lastColumn = (*contours)[first].right >> 6;
        int top = (*contours)[first].top;
        while (end < contours->size() && ((*contours)[end].left >> 6) <= lastColumn + 1) {
            lastColumn = std::max(lastColumn, (*contours)[end].right >> 6);
            top = std::min(top, (*contours)[end].top);
            ++end;
        }
        const QPoint origin((*contours)[first].left >> 6, top >> 6);
        CoverageKey key{winding ? 1 : 0, int(end - first)};
        for (std::size_t c = first; c < end; ++c) {
            const std::vector<int>& xy = (*contours)[c].xy;
            key.push_back(int(xy.size() / 2));
            for (std::size_t i = 0; i < xy.size(); i += 2) {
                key.push_back(xy[i] - origin.x() * 64);
                key.push_back(xy[i + 1] - origin.y() * 64);
            }
        }
        auto found = cache.entries.find(key);
        if (found == cache.entries.end()) {
            Coverage coverage = renderCoverage(key);
            cache.bytes += coverage.size() * sizeof(CoverageRun) + key.size() * sizeof(int);
            found = cache.entries.emplace(std::move(key), std::move(coverage)).first;
        }
        placed.push_back({&found->second, origin});
        first = end;
    }
    blendCoverages(canvas, placed, colour);
    return true;
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
        for (const OutlineFill& f : recorded.fills) {
            // An opaque antialiased fill on the canvas is drawn from coverages kept per glyph.
            const QColor brush = f.brush.color();
            if (f.antialiased && f.brush.style() == Qt::SolidPattern && brush.alpha() == 255 &&
                fillFromCoverages(canvas, f.path, f.transform.dx(), f.transform.dy(), brush.rgb()))
                continue;
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::Antialiasing, f.antialiased);
            for (const QPainterPath& group :
                 pixelDisjointGroups(f.path, f.transform.dx(), f.transform.dy()))
                painter.fillPath(group, f.brush);
        }
    });
}

}  // namespace orbisca
