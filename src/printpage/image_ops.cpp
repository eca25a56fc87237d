// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/image_ops.h"

#include <climits>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "data/input_limits.h"
#include "gfx/parts.h"
#include "printpage/script_line.h"
#include "printpage/script_rescale.h"

namespace orbisca {
namespace {

constexpr int kMaxDisplayedSide = 65536;
constexpr int kBlurMinWidth = 901;
constexpr int kBlurMinHeight = 701;

int rounded(double v) { return clampToInt(roundHalfEven(v)); }

QSize displayedSizeAt(const PrintPageState& page, double scale) {
    return QSize(rounded(page.canvasWidth / scale), rounded(page.canvasHeight / scale));
}

void notify(PrintPageState& page, const QString& text) {
    if (page.services.notify) page.services.notify(text);
}

bool changeResolution(PrintPageState& page, qint64 width, qint64 height, double factor) {
    if (const std::optional<QString> problem = pictureSizeProblem(width, height)) {
        notify(page, QStringLiteral("The canvas cannot grow to %1.").arg(*problem));
        return false;
    }
    setCanvas(page, static_cast<int>(width), static_cast<int>(height), true);
    if (!rescaleScript(page, factor)) return false;
    return redrawPage(page);
}

// The view scale loop moves by rounded steps; a side of 1 no longer moves, so a step that
// changes neither side ends the loop.
bool step(qint64& w, qint64& h, double by) {
    const qint64 nw = roundHalfEven(static_cast<double>(w) * by);
    const qint64 nh = roundHalfEven(static_cast<double>(h) * by);
    if (nw == w && nh == h) return false;
    w = nw;
    h = nh;
    return true;
}

}  // namespace

void showAtViewScale(PrintPageState& page) {
    page.displayedSize = displayedSizeAt(page, page.viewScale);
}

namespace {

// Whether each row of a 24-bit canvas holds `colour` alone: every pixel equal to its right-hand
// neighbour, and the first one the colour. Only the ranges of `rows` are looked at when given;
// the others are known to.
std::vector<bool> rowsOfColour(const QImage& canvas, QRgb colour,
                               const std::vector<std::pair<int, int>>* rows) {
    std::vector<bool> plain(std::size_t(canvas.height()), rows != nullptr);
    const std::size_t rowBytes = std::size_t(canvas.width()) * 3;
    const uchar first[3] = {uchar(qRed(colour)), uchar(qGreen(colour)), uchar(qBlue(colour))};
    const std::vector<std::pair<int, int>> all{{0, canvas.height() - 1}};
    for (const auto& [top, bottom] : rows ? *rows : all) {
        for (int y = qMax(top, 0); y <= qMin(bottom, canvas.height() - 1); ++y) {
            const uchar* row = canvas.constScanLine(y);
            plain[std::size_t(y)] =
                std::memcmp(row, first, 3) == 0 && std::memcmp(row, row + 3, rowBytes - 3) == 0;
        }
    }
    return plain;
}

}  // namespace

constexpr qsizetype kParallelBlurBytes = qsizetype(4) << 20;

// The filter leaves a pixel whose 3 x 3 block is all background as it is, so rows whose own and
// neighbouring rows are all background are left out: the ranges of rows filtered are separated
// by at least one such row, which neither changes nor is read changed.
void blurCanvas(PrintPageState& page) {
    const int width = page.canvas.width();
    const int height = page.canvas.height();
    if (width < 2 || height < 2) return;  // only row 0 or column 0: nothing to filter
    if (!page.services.meanFilter) throw std::runtime_error("the mean filter is not available");
    std::vector<std::pair<int, int>> bands;
    std::vector<bool> plain;
    if (page.canvas.format() == QImage::Format_RGB888) {
        // Rows no drawing has touched since the clear hold the background: only the others are
        // looked at.
        const CanvasInk& drawn = page.drawn;
        const bool drawnKnown = drawn.canvasKey != 0 && drawn.canvasKey == page.canvas.cacheKey() &&
                                drawn.background == page.background;
        plain = rowsOfColour(page.canvas, page.background, drawnKnown ? &drawn.rows : nullptr);
    }
    const auto unchanged = [&plain, height](int y) {
        return !plain.empty() && plain[std::size_t(y - 1)] && plain[std::size_t(y)] &&
               plain[std::size_t(qMin(y + 1, height - 1))];
    };
    int rows = 0;
    for (int y = 1; y < height; ++y) {
        if (unchanged(y)) continue;
        if (bands.empty() || bands.back().second != y - 1)
            bands.emplace_back(y, y);
        else
            bands.back().second = y;
        ++rows;
    }
    const int base = page.gauge;
    const ProgressMode mode = page.interp.progressMode;
    const auto progress = [&page, base, mode, rows](int done) {
        return [&page, base, mode, done, rows](int inBand, int) {
            // A one-row range has no span: it is then done at once.
            const double part = rows > 1 ? static_cast<double>(done + inBand) / (rows - 1) : 1.0;
            if (mode == ProgressMode::WholeGauge)
                setGauge(page, rounded(part * 100));
            else if (mode == ProgressMode::ExportShare)
                setGauge(page, base + rounded(part * 60));
        };
    };
    std::vector<int> done;  // rows of the bands before each
    for (int sum = 0; const auto& [first, last] : bands) {
        done.push_back(sum);
        sum += last - first + 1;
    }
    const qsizetype stride = page.canvas.bytesPerLine();
    if (bands.size() < 2 || qsizetype(rows) * stride < kParallelBlurBytes ||
        page.canvas.format() != QImage::Format_RGB888) {
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const auto& [first, last] = bands[i];
            page.services.meanFilter(page.canvas, QRect(1, first, width - 1, last - first + 1),
                                     progress(done[i]));
        }
    } else {
        // No two bands share a row that changes or is read changed, so they are filtered on both
        // cores, each through an image of its own over the canvas's pixels; the calling thread
        // reports the progress of the bands it takes, and the end.
        uchar* const bits = page.canvas.bits();
        const std::thread::id caller = std::this_thread::get_id();
        gfx::runParts(int(bands.size()), [&](int part) {
            const auto& [first, last] = bands[std::size_t(part)];
            QImage pixels(bits, width, height, stride, QImage::Format_RGB888);
            const bool reports = std::this_thread::get_id() == caller;
            page.services.meanFilter(
                pixels, QRect(1, first, width - 1, last - first + 1),
                reports ? RowProgress(progress(done[std::size_t(part)])) : RowProgress());
        });
        progress(rows - 1)(0, 0);
    }
    // Row 0 is never filtered: it keeps whatever it holds.
    if (!plain.empty()) {
        if (!plain[0]) bands.insert(bands.begin(), {0, 0});
        page.ink = CanvasInk{page.canvas.cacheKey(), page.background, std::move(bands)};
    }
}

bool rescaleScript(PrintPageState& page, double factor) {
    ScriptState& st = page.interp;
    st.rescaleMode = true;
    st.rescaleFactor = factor;
    page.script.append(kAfterResizeHeader);
    const bool ran = runScriptLines(page, page.script);
    st.rescaleMode = false;
    return ran;
}

bool increaseResolution(PrintPageState& page) {
    return changeResolution(page, qint64(page.canvasWidth) * 2, qint64(page.canvasHeight) * 2, 2.0);
}

bool decreaseResolution(PrintPageState& page) {
    // Halving a side of 1 would give an empty canvas, which no later operation can grow again.
    if (page.canvasWidth < 2 || page.canvasHeight < 2) {
        notify(page, QStringLiteral("A canvas of %1 x %2 pixels cannot be made smaller.")
                         .arg(page.canvasWidth)
                         .arg(page.canvasHeight));
        return false;
    }
    return changeResolution(page, page.canvasWidth / 2, page.canvasHeight / 2, 0.5);
}

void fitView(PrintPageState& page) {
    const qint64 boxW = qMax(1, page.viewBox.width());
    const qint64 boxH = qMax(1, page.viewBox.height());
    qint64 w = page.canvasWidth, h = page.canvasHeight;
    double scale = 1.0;
    bool shrank = false;
    while ((w > boxW || h > boxH) && step(w, h, 1.0 / kZoomStep)) {
        scale *= kZoomStep;
        shrank = true;
    }
    if (!shrank) {
        while (w < boxW && h < boxH && step(w, h, kZoomStep)) scale /= kZoomStep;
        scale *= kZoomStep;  // one step back, so the page never exceeds the box
    }
    page.viewScale = scale;
}

bool optimizeForPrinter(PrintPageState& page, QSize printerPage) {
    ScriptState& st = page.interp;
    // The doubling below never ends from a side of 0.
    if (page.canvasWidth < 1 || page.canvasHeight < 1) {
        notify(page, QStringLiteral("An empty canvas (%1 x %2 pixels) cannot be optimized.")
                         .arg(page.canvasWidth)
                         .arg(page.canvasHeight));
        return false;
    }
    if (page.autoOptimize) {
        int n = -1;
        qint64 w = page.canvasWidth, h = page.canvasHeight;
        while (w < printerPage.width() || h < printerPage.height()) {
            ++n;
            w *= 2;
            h *= 2;
        }
        setGauge(page, 11);
        // The page grows by 2n; when that would pass the largest canvas, by the largest even
        // factor that fits.
        while (n > 0 && pictureSizeProblem(qint64(page.canvasWidth) * 2 * n,
                                           qint64(page.canvasHeight) * 2 * n))
            --n;
        if (n > 0) {
            // The redraw below clears the canvas; only a rewrite that fails leaves it cleared here.
            setCanvas(page, page.canvasWidth * 2 * n, page.canvasHeight * 2 * n, true, false);
            const ProgressMode mode = st.progressMode;
            st.progressMode = ProgressMode::Silent;
            const bool ran = rescaleScript(page, 2.0 * n);
            st.progressMode = mode;
            if (!ran) {
                fillCanvas(page.canvas, page.background);
                return false;
            }
        }
    }
    setGauge(page, 13);
    fitView(page);
    setGauge(page, 15);
    showAtViewScale(page);
    if (page.autoBlur != page.autoOptimize) st.progressMode = ProgressMode::RedrawShare;
    bool ran = redrawPage(page);
    if (page.autoBlur) {
        st.progressMode = ProgressMode::ExportShare;
        if (page.canvasWidth >= kBlurMinWidth && page.canvasHeight >= kBlurMinHeight)
            blurCanvas(page);
    } else {
        st.progressMode = ProgressMode::WholeGauge;
    }
    setGauge(page, 0);
    return ran;
}

bool zoomIn(PrintPageState& page) {
    const QSize next = displayedSizeAt(page, page.viewScale / kZoomStep);
    if (next.width() > kMaxDisplayedSide || next.height() > kMaxDisplayedSide) return false;
    page.viewScale /= kZoomStep;
    showAtViewScale(page);
    return true;
}

bool zoomOut(PrintPageState& page) {
    const QSize next = displayedSizeAt(page, page.viewScale * kZoomStep);
    if (next.width() < 1 || next.height() < 1) return false;
    page.viewScale *= kZoomStep;
    showAtViewScale(page);
    return true;
}

void showAtScreenScale(PrintPageState& page) {
    page.viewScale = 1.0;
    showAtViewScale(page);
}

bool toggleBlackAndWhite(PrintPageState& page) {
    page.interp.blackAndWhite = !page.interp.blackAndWhite;
    return redrawPage(page);
}

}  // namespace orbisca
