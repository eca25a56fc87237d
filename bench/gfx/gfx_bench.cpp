// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing layer's operations, each beside the straightforward way of doing the same, so that
// the ratio can be read off. Those that may use a second thread (and Qt's own, which QPainter
// may use) count the CPU time of the whole process.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <random>

#include "gfx/blur.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"
#include "gfx/region.h"

namespace {

using namespace orbisca::gfx;

// A window outline like the compact window's: a stepped pyramid on a disc, grey on black, with a
// ragged edge and two marker rectangles.
QImage outlineMask() {
    QImage mask(600, 450, QImage::Format_RGB888);
    mask.fill(Qt::black);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 80, 70));
        p.drawEllipse(QRect(60, 40, 480, 380));
        for (int step = 0; step < 8; ++step)
            p.drawRect(40 + step * 20, 300 - step * 30, 520 - step * 40, 30);
        p.drawPolygon(QPolygon({QPoint(300, 5), QPoint(420, 200), QPoint(180, 200)}));
    }
    std::mt19937 gen(1);
    std::uniform_int_distribution<int> jitter(0, 3);
    for (int y = 0; y < 450; ++y) {
        uchar* row = mask.scanLine(y);
        for (int x = 1; x < 600; ++x)
            if ((row[3 * x] == 0) != (row[3 * x - 3] == 0) && jitter(gen) == 0)
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = 40;
    }
    auto corner = [&](int x, int y) { std::memcpy(mask.scanLine(y) + 3 * x, "\xff\x00\x00", 3); };
    corner(250, 100), corner(350, 140), corner(100, 380), corner(500, 420);
    return mask;
}

void BM_Region_Runs(benchmark::State& state) {
    const QImage mask = outlineMask();
    for (auto _ : state)
        benchmark::DoNotOptimize(bitmapToRegion(mask, qRgb(0, 0, 0), RegionMode::KeepDiffering));
}
BENCHMARK(BM_Region_Runs)->Unit(benchmark::kMicrosecond);

// The straightforward way: one 1 x 1 region per pixel, united in scan order (markers left out).
void BM_Region_OneRegionPerPixel(benchmark::State& state) {
    const QImage mask = outlineMask();
    for (auto _ : state) {
        QRegion region;
        for (int y = 0; y < mask.height(); ++y) {
            const uchar* row = mask.constScanLine(y);
            for (int x = 0; x < mask.width(); ++x)
                if (row[3 * x] && row[3 * x + 1] && row[3 * x + 2]) region += QRegion(x, y, 1, 1);
        }
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(BM_Region_OneRegionPerPixel)->Unit(benchmark::kMillisecond);

QImage noise(int w, int h, unsigned seed) {
    QImage image(w, h, QImage::Format_RGB888);
    std::mt19937 gen(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) image.scanLine(y)[x] = uchar(gen());
    return image;
}

void BM_Blend_Constant(benchmark::State& state) {
    const QImage incoming = noise(670, 550, 1);
    QImage frame = noise(670, 550, 2);
    for (auto _ : state) {
        blendConstant(incoming, frame, 128);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blend_Constant)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_Blend_PixelCalls(benchmark::State& state) {
    const QImage incoming = noise(670, 550, 1);
    QImage frame = noise(670, 550, 2);
    const int a = 128;
    for (auto _ : state) {
        for (int y = 0; y < 550; ++y)
            for (int x = 0; x < 670; ++x) {
                const QRgb t = frame.pixel(x, y), p = incoming.pixel(x, y);
                auto mix = [&](int tc, int pc) { return (tc * (255 - a) + pc * a + 127) / 255; };
                frame.setPixel(x, y,
                               qRgb(mix(qRed(t), qRed(p)), mix(qGreen(t), qGreen(p)),
                                    mix(qBlue(t), qBlue(p))));
            }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blend_PixelCalls)->Unit(benchmark::kMicrosecond);

void BM_Blend_QPainterOpacity(benchmark::State& state) {
    const QImage incoming = noise(670, 550, 1);
    QImage frame = noise(670, 550, 2);
    for (auto _ : state) {
        QPainter p(&frame);
        p.setOpacity(128 / 255.0);
        p.drawImage(0, 0, incoming);
        p.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blend_QPainterOpacity)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// A canvas optimized for an A4 printer at 600 dpi.
void BM_Blurm_Canvas(benchmark::State& state) {
    const QImage canvas = noise(4020, 3300, 3);
    QImage image = canvas.copy();
    for (auto _ : state) {
        meanFilter(image, QRect(1, 1, image.width() - 1, image.height() - 1), [](int, int) {});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blurm_Canvas)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The straightforward filter: a whole copy of the canvas, nine reads per channel of every pixel.
void BM_Blurm_PlainLoop(benchmark::State& state) {
    const QImage canvas = noise(4020, 3300, 3);
    QImage image = canvas.copy();
    for (auto _ : state) {
        const QImage source = image.copy();
        const int w = source.width(), h = source.height();
        for (int y = 1; y < h; ++y) {
            uchar* out = image.scanLine(y);
            const uchar* rows[3] = {source.constScanLine(y - 1), source.constScanLine(y),
                                    source.constScanLine(y < h - 1 ? y + 1 : y)};
            for (int x = 1; x < w; ++x)
                for (int c = 0; c < 3; ++c) {
                    int sum = 0;
                    for (const uchar* r : rows)
                        sum +=
                            r[3 * (x - 1) + c] + r[3 * x + c] + r[3 * (x < w - 1 ? x + 1 : x) + c];
                    out[3 * x + c] = uchar(sum / 9);
                }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blurm_PlainLoop)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_Moon_100(benchmark::State& state) {
    int phase = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(drawMoon(phase, 100));
        phase = (phase + 7) % 101;
    }
}
BENCHMARK(BM_Moon_100)->Unit(benchmark::kMicrosecond);

// The moon of the compact window's face.
void BM_MaskedMoon(benchmark::State& state) {
    QImage picture(60, 60, QImage::Format_RGB888);
    picture.fill(QColor(200, 190, 150));
    QImage frame = noise(670, 550, 4);
    int phase = 0;
    for (auto _ : state) {
        drawMaskedMoon(frame, picture, phase, 60, 390, 216, false);
        phase = (phase + 7) % 101;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MaskedMoon)->Unit(benchmark::kMicrosecond);

}  // namespace
