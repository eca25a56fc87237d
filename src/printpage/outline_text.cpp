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

// The coverage the rasterizer gives a group of contours, as runs of pixels of one coverage from
// the top row down, in pixels from the group's first pixel.
struct CoverageRun {
    qint16 x, y, length;
    quint16 value;  // 1..255
};
struct Coverage {
    std::vector<CoverageRun> runs;
    int left = 0, right = 0;  // the columns the runs cover, [left, right)
};

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

// The coverage QPainter's antialiasing rasterizer gives a polygon outline, computed the way it
// computes it: each line walked through the cells (pixels) it crosses in 1/256 of a pixel,
// adding up in each cell the signed height it covers (cover) and twice the area on its left
// (area), then each row swept from the left, a pixel's coverage following from the cover of the
// cells before it and its own area under the fill rule. All in integers, so the coverage of the
// same points a whole number of pixels away is the same.
class CoverageRasterizer {
public:
    // `key`: fill rule, contour count, then for each contour its point count and points in 64ths
    // of a pixel, none negative.
    Coverage run(const CoverageKey& key) {
        long minX = LONG_MAX, minY = LONG_MAX, maxX = LONG_MIN, maxY = LONG_MIN;
        for (std::size_t i = 2; i < key.size();) {
            const int n = key[i++];
            for (int p = 0; p < n; ++p, i += 2) {
                minX = std::min<long>(minX, key[i]);
                maxX = std::max<long>(maxX, key[i]);
                minY = std::min<long>(minY, key[i + 1]);
                maxY = std::max<long>(maxY, key[i + 1]);
            }
        }
        Coverage coverage;
        if (minX > maxX) return coverage;
        minEx_ = minX >> 6;
        minEy_ = minY >> 6;
        maxEx_ = (maxX + 63) >> 6;
        maxEy_ = (maxY + 63) >> 6;
        countEx_ = maxEx_ - minEx_;
        countEy_ = maxEy_ - minEy_;
        // The rows keep their room from one outline to the next.
        if (rows_.size() < std::size_t(countEy_)) rows_.resize(std::size_t(countEy_));
        for (long y = 0; y < countEy_; ++y) rows_[std::size_t(y)].clear();
        area_ = 0;
        cover_ = 0;
        invalid_ = true;
        for (std::size_t i = 2; i < key.size();) {
            const int n = key[i++];
            const std::size_t first = i;
            moveTo(key[first], key[first + 1]);
            for (int p = 1; p < n; ++p)
                renderLine(long(key[first + 2 * std::size_t(p)]) * 4,
                           long(key[first + 2 * std::size_t(p) + 1]) * 4);
            renderLine(long(key[first]) * 4, long(key[first + 1]) * 4);  // closed
            i = first + 2 * std::size_t(n);
        }
        if (!invalid_) recordCell();
        sweep(key[0] == 0, coverage);
        return coverage;
    }

private:
    static constexpr long kOne = 256;  // a pixel in the rasterizer's units
    static long trunc(long v) { return v >> 8; }
    static long fract(long v) { return v & (kOne - 1); }
    // Quotient and a remainder that is never negative.
    static void divMod(long dividend, long divisor, long& quotient, long& remainder) {
        quotient = dividend / divisor;
        remainder = dividend % divisor;
        if (remainder < 0) {
            --quotient;
            remainder += divisor;
        }
    }

    // The first step of a line from fraction `f` of its cell along one axis, on which it moves by
    // `along`, while it moves by `across` on the other: the edge it leaves the cell by (first),
    // the direction (incr), `along` made positive, and the move across up to that edge (delta)
    // with the remainder of its division (mod).
    struct Step {
        long first, incr, along, delta, mod;
    };
    static Step firstStep(long f, long along, long across) {
        Step step{};
        long p;
        if (along > 0) {
            p = (kOne - f) * across;
            step.first = kOne;
            step.incr = 1;
            step.along = along;
        } else {
            p = f * across;
            step.first = 0;
            step.incr = -1;
            step.along = -along;
        }
        divMod(p, step.along, step.delta, step.mod);
        return step;
    }
    // The move across for the next whole cell along: `lift` and the remainders carried in `mod`.
    static long nextDelta(long lift, long rem, long divisor, long& mod) {
        long delta = lift;
        mod += rem;
        if (mod >= divisor) {
            mod -= divisor;
            ++delta;
        }
        return delta;
    }

    struct Cell {
        long x;
        int cover;
        long area;
    };

    void recordCell() {
        if (!(area_ | cover_)) return;
        const long x = std::min(ex_, countEx_);
        std::vector<Cell>& row = rows_[std::size_t(ey_)];
        auto at = std::lower_bound(row.begin(), row.end(), x,
                                   [](const Cell& c, long v) { return c.x < v; });
        if (at == row.end() || at->x != x) at = row.insert(at, Cell{x, 0, 0});
        at->area += area_;
        at->cover += cover_;
    }

    void setCell(long ex, long ey) {
        ey -= minEy_;
        if (ex > maxEx_) ex = maxEx_;
        ex -= minEx_;
        if (ex < 0) ex = -1;
        if (ex != ex_ || ey != ey_) {
            if (!invalid_) recordCell();
            area_ = 0;
            cover_ = 0;
            ex_ = ex;
            ey_ = ey;
        }
        invalid_ = unsigned(ey) >= unsigned(countEy_) || ex >= countEx_;
    }

    void startCell(long ex, long ey) {
        if (ex > maxEx_) ex = maxEx_;
        if (ex < minEx_) ex = minEx_ - 1;
        area_ = 0;
        cover_ = 0;
        ex_ = ex - minEx_;
        ey_ = ey - minEy_;
        invalid_ = false;
        setCell(ex, ey);
    }

    void moveTo(long x, long y) {
        if (!invalid_) recordCell();
        x *= 4;  // from 64ths to 256ths of a pixel
        y *= 4;
        startCell(trunc(x), trunc(y));
        x_ = x;
        y_ = y;
    }

    void renderScanline(long ey, long x1, long y1, long x2, long y2) {
        long ex1 = trunc(x1);
        const long ex2 = trunc(x2);
        if (y1 == y2) {
            setCell(ex2, ey);
            return;
        }
        long fx1 = fract(x1);
        const long fx2 = fract(x2);
        if (ex1 != ex2) {
            const long dy = y2 - y1;
            Step step = firstStep(fx1, x2 - x1, dy);
            const long first = step.first, dx = step.along;
            long delta = step.delta;
            area_ += (fx1 + first) * delta;
            cover_ += int(delta);
            y1 += delta;
            ex1 += step.incr;
            setCell(ex1, ey);
            if (ex1 != ex2) {
                long lift, rem;
                divMod(kOne * dy, dx, lift, rem);
                do {
                    delta = nextDelta(lift, rem, dx, step.mod);
                    area_ += kOne * delta;
                    cover_ += int(delta);
                    y1 += delta;
                    ex1 += step.incr;
                    setCell(ex1, ey);
                } while (ex1 != ex2);
            }
            fx1 = kOne - first;
        }
        const long dy = y2 - y1;
        area_ += (fx1 + fx2) * dy;
        cover_ += int(dy);
    }

    void renderLine(long toX, long toY) {
        long ey1 = trunc(y_);
        const long ey2 = trunc(toY);
        if ((ey1 >= maxEy_ && ey2 >= maxEy_) || (ey1 < minEy_ && ey2 < minEy_)) {
            x_ = toX;
            y_ = toY;
            return;
        }
        const long fy1 = fract(y_), fy2 = fract(toY);
        if (ey1 == ey2) {
            renderScanline(ey1, x_, fy1, toX, fy2);
        } else if (toX == x_) {  // vertical: one cell a row
            const long ex = trunc(x_);
            const long twoFx = fract(x_) << 1;
            const long dy = toY - y_;
            const long first = dy > 0 ? kOne : 0;
            long delta = first - fy1;
            area_ += twoFx * delta;
            cover_ += int(delta);
            delta = first + first - kOne;
            const long area = twoFx * delta;
            const long maxEy1 = countEy_ + minEy_;
            if (dy < 0) {
                if (ey1 > maxEy1) {
                    ey1 = maxEy1 > ey2 ? maxEy1 : ey2;
                    setCell(ex, ey1);
                } else {
                    --ey1;
                    setCell(ex, ey1);
                }
                while (ey1 > ey2 && ey1 >= minEy_) {
                    area_ += area;
                    cover_ += int(delta);
                    --ey1;
                    setCell(ex, ey1);
                }
                if (ey1 != ey2) {
                    ey1 = ey2;
                    setCell(ex, ey1);
                }
            } else {
                if (ey1 < minEy_) {
                    ey1 = minEy_ < ey2 ? minEy_ : ey2;
                    setCell(ex, ey1);
                } else {
                    ++ey1;
                    setCell(ex, ey1);
                }
                while (ey1 < ey2 && ey1 < maxEy1) {
                    area_ += area;
                    cover_ += int(delta);
                    ++ey1;
                    setCell(ex, ey1);
                }
                if (ey1 != ey2) {
                    ey1 = ey2;
                    setCell(ex, ey1);
                }
            }
            delta = fy2 - kOne + first;
            area_ += twoFx * delta;
            cover_ += int(delta);
        } else {  // several rows
            const long dx = toX - x_;
            Step step = firstStep(fy1, toY - y_, dx);
            const long first = step.first, dy = step.along;
            long x = x_ + step.delta;
            renderScanline(ey1, x_, fy1, x, first);
            ey1 += step.incr;
            setCell(trunc(x), ey1);
            if (ey1 != ey2) {
                long lift, rem;
                divMod(kOne * dx, dy, lift, rem);
                do {
                    const long x2 = x + nextDelta(lift, rem, dy, step.mod);
                    renderScanline(ey1, x, kOne - first, x2, first);
                    x = x2;
                    ey1 += step.incr;
                    setCell(trunc(x), ey1);
                } while (ey1 != ey2);
            }
            renderScanline(ey1, x, kOne - first, toX, fy2);
        }
        x_ = toX;
        y_ = toY;
    }

    // A run of `count` pixels from cell column x in row y, of the coverage `area` gives.
    void addRun(long x, long y, long area, long count, bool oddEven, Coverage& coverage) {
        int value = int(area >> 9);  // 0..256
        if (value < 0) value = -value;
        if (oddEven) {
            value &= 511;
            if (value > 256)
                value = 512 - value;
            else if (value == 256)
                value = 255;
        } else if (value >= 256) {
            value = 255;
        }
        if (!value) return;
        x += minEx_;
        y += minEy_;
        std::vector<CoverageRun>& runs = coverage.runs;
        if (!runs.empty() && runs.back().y == y && runs.back().x + runs.back().length == x &&
            runs.back().value == value) {
            runs.back().length = qint16(runs.back().length + count);
            return;
        }
        runs.push_back({qint16(x), qint16(y), qint16(count), quint16(value)});
        coverage.left = std::min(coverage.left, int(x));
        coverage.right = std::max(coverage.right, int(x + count));
    }

    void sweep(bool oddEven, Coverage& coverage) {
        coverage.left = INT_MAX;
        coverage.right = INT_MIN;
        for (long y = 0; y < countEy_; ++y) {
            long cover = 0, x = 0;
            for (const Cell& cell : rows_[std::size_t(y)]) {
                if (cell.x > x && cover != 0)
                    addRun(x, y, cover * (kOne * 2), cell.x - x, oddEven, coverage);
                cover += cell.cover;
                const long area = cover * (kOne * 2) - cell.area;
                if (area != 0 && cell.x >= 0) addRun(cell.x, y, area, 1, oddEven, coverage);
                x = cell.x + 1;
            }
            if (countEx_ > x && cover != 0)
                addRun(x, y, cover * (kOne * 2), countEx_ - x, oddEven, coverage);
        }
        if (coverage.runs.empty()) coverage.left = coverage.right = 0;
    }

    long minEx_ = 0, maxEx_ = 0, minEy_ = 0, maxEy_ = 0, countEx_ = 0, countEy_ = 0;
    long ex_ = 0, ey_ = 0;  // the current cell, from (minEx_, minEy_)
    long area_ = 0;
    int cover_ = 0;
    bool invalid_ = true;
    long x_ = 0, y_ = 0;  // the pen, in 256ths of a pixel
    std::vector<std::vector<Cell>> rows_;
};

// One colour channel times an 8-bit alpha, rounded as the raster engine rounds it.
inline int timesAlpha(int channel, int alpha) {
    const int t = channel * alpha;
    return (t + (t >> 8) + 0x80) >> 8;
}

// Blends `colour` through `coverage` onto a 24-bit `canvas` with the group's first pixel at `at`,
// as the raster engine blends an opaque solid fill's spans.
void blendCoverage(QImage& canvas, const Coverage& coverage, QPoint at, QRgb colour) {
    const int channels[3] = {qRed(colour), qGreen(colour), qBlue(colour)};
    const int width = canvas.width(), height = canvas.height();
    uchar* const bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    // The rows below are fetched a few rows ahead: each row of a glyph starts a new stretch of the
    // canvas, which would otherwise be waited for.
    constexpr int kAhead = 4;
    const qsizetype aheadLeft = qsizetype(std::max(at.x() + coverage.left, 0)) * 3;
    const qsizetype aheadRight = qsizetype(std::min(at.x() + coverage.right, width)) * 3;
    int fetchedRow = INT_MIN;
    for (const CoverageRun& run : coverage.runs) {
        const int y = at.y() + run.y;
        if (y != fetchedRow) {
            fetchedRow = y;
            if (y + kAhead < height && y + kAhead >= 0)
                for (qsizetype b = aheadLeft; b < aheadRight; b += 64)
                    __builtin_prefetch(bits + (y + kAhead) * stride + b, 1);
        }
        const int left = std::max(at.x() + run.x, 0);
        const int right = std::min(at.x() + run.x + run.length, width);
        if (y < 0 || y >= height || left >= right) continue;
        uchar* pixel = bits + y * stride + qsizetype(left) * 3;
        uchar* const end = bits + y * stride + qsizetype(right) * 3;
        if (run.value == 255) {
            for (; pixel < end; pixel += 3) {
                pixel[0] = uchar(channels[0]);
                pixel[1] = uchar(channels[1]);
                pixel[2] = uchar(channels[2]);
            }
            continue;
        }
        const int inverse = 255 - run.value;
        const int lit[3] = {timesAlpha(channels[0], run.value), timesAlpha(channels[1], run.value),
                            timesAlpha(channels[2], run.value)};
        for (; pixel < end; pixel += 3) {
            pixel[0] = uchar(lit[0] + timesAlpha(pixel[0], inverse));
            pixel[1] = uchar(lit[1] + timesAlpha(pixel[1], inverse));
            pixel[2] = uchar(lit[2] + timesAlpha(pixel[2], inverse));
        }
    }
}

// Fills `path` placed at (dx, dy) on the canvas from coverages kept for its groups of contours
// that share no pixel column; false when some contour lies off the canvas, with nothing drawn.
bool fillFromCoverages(QImage& canvas, const QPainterPath& path, double dx, double dy,
                       QRgb colour) {
    // Coverage runs hold 16-bit coordinates.
    if (canvas.width() > 32000 || canvas.height() > 32000) return false;
    std::optional<std::vector<FixedContour>> contours = fixedContours(path, dx, dy, canvas.rect());
    if (!contours) return false;
    std::sort(contours->begin(), contours->end(),
              [](const FixedContour& a, const FixedContour& b) { return a.left < b.left; });
    CoverageCache& cache = coverageCache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    if (cache.bytes > kMaxCoverageBytes) {
        cache.entries.clear();
        cache.bytes = 0;
    }
    const bool winding = path.fillRule() == Qt::WindingFill;
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
            static CoverageRasterizer rasterizer;  // used under the cache's lock
            Coverage coverage = rasterizer.run(key);
            cache.bytes += coverage.runs.size() * sizeof(CoverageRun) + key.size() * sizeof(int);
            found = cache.entries.emplace(std::move(key), std::move(coverage)).first;
        }
        blendCoverage(canvas, found->second, origin, colour);
        first = end;
    }
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

std::optional<std::pair<int, int>> drawOutlineText(QImage& canvas, const QFont& font, QRgb colour,
                                                   QPointF origin, const QString& text) {
    const auto drawPlainly = [&] {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(QColor(colour));
        painter.drawText(origin, text);
        return std::nullopt;
    };
    // Outlines are placed as Qt places them when the text starts on a whole pixel, so that the
    // offsets of its items are exact.
    if (origin.x() != std::floor(origin.x()) || origin.y() != std::floor(origin.y()))
        return drawPlainly();
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
    // Not outlines placed by a move alone: as QPainter draws it.
    if (recorded.unexpected) return drawPlainly();
    std::pair<int, int> rows{INT_MAX, INT_MIN};
    for (const OutlineFill& f : recorded.fills) {
        // A fill touches no row beyond its control points, and the antialiasing a row more.
        const QRectF bounds = f.path.controlPointRect();
        rows.first = std::min(rows.first, int(std::floor(bounds.top() + f.transform.dy())) - 1);
        rows.second = std::max(rows.second, int(std::ceil(bounds.bottom() + f.transform.dy())) + 1);
        // An opaque antialiased fill on the canvas is drawn from coverages kept per glyph, the
        // others by QPainter on a pool thread.
        const QColor brush = f.brush.color();
        if (f.antialiased && f.brush.style() == Qt::SolidPattern && brush.alpha() == 255 &&
            fillFromCoverages(canvas, f.path, f.transform.dx(), f.transform.dy(), brush.rgb()))
            continue;
        runOnPoolThread([&] {
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::Antialiasing, f.antialiased);
            for (const QPainterPath& group :
                 pixelDisjointGroups(f.path, f.transform.dx(), f.transform.dy()))
                painter.fillPath(group, f.brush);
        });
    }
    return rows;
}

}  // namespace orbisca
