// SPDX-License-Identifier: GPL-3.0-or-later
// Registering the glyph fonts at start (target: under 20 ms), alone and with a first letter drawn
// in each family, which is when the font files are actually read.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <optional>

#include "data/working_folder.h"
#include "gfx/glyph_fonts.h"

namespace {

using namespace orbisca;

const WorkingFolder& prepare() {
    static int argc = 1;
    static char name[] = "bench_glyph_fonts";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
    static const WorkingFolder folder(QStringLiteral(ORBISCA_HOME_DIR));
    return folder;
}

QStringList registerFonts(benchmark::State& state, gfx::GlyphFonts& fonts,
                          const WorkingFolder& folder) {
    return fonts.registerFolder(folder,
                                [&state](const QString& m) { state.SkipWithError(qPrintable(m)); });
}

void BM_GlyphFonts_Register(benchmark::State& state) {
    const WorkingFolder& folder = prepare();
    std::optional<gfx::GlyphFonts> fonts;
    for (auto _ : state) {
        state.PauseTiming();
        fonts.emplace();  // the fonts of the last round leave the font database first
        state.ResumeTiming();
        benchmark::DoNotOptimize(registerFonts(state, *fonts, folder));
    }
}
BENCHMARK(BM_GlyphFonts_Register)->Unit(benchmark::kMillisecond);

void BM_GlyphFonts_RegisterAndDrawEach(benchmark::State& state) {
    const WorkingFolder& folder = prepare();
    QImage page(200, 200, QImage::Format_RGB32);
    std::optional<gfx::GlyphFonts> fonts;
    for (auto _ : state) {
        state.PauseTiming();
        fonts.emplace();  // the fonts of the last round leave the font database first
        state.ResumeTiming();
        QPainter p(&page);
        for (const QString& family : registerFonts(state, *fonts, folder)) {
            QFont font(family);
            font.setPixelSize(96);
            p.setFont(font);
            p.drawText(QPointF(20, 120), QStringLiteral("A"));
        }
    }
}
BENCHMARK(BM_GlyphFonts_RegisterAndDrawEach)->Unit(benchmark::kMillisecond);

}  // namespace
