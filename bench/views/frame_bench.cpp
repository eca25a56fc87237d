// SPDX-License-Identifier: GPL-3.0-or-later
// The full-mode frame on the assembled working folder, caches warm. Targets: one fade tick (two
// blends and the picture handed over) under 1 ms; any of modes 0 to 4 and a help page under 5 ms
// (keys repeat about 30 times a second); a small element under 20 us; the moon under 1 ms.
// Calendar views: the year with its grid cached under 3 ms and drawn afresh under 30 ms, its
// export under 50 ms in either form (any other export under 10 ms); month, 13 moons and the kin
// book under 5 ms; wavespell, Zolkin and wings under 3 ms; the pulsars (some 3,000 brush stamps)
// under 10 ms.
// The telectonon board: its first paint (the board picture, 49 captions and the markers) under
// 30 ms, a paint from the kept board under 3 ms, a hint change under 1 ms; a key's day step and
// repaint of any mode within one 16 ms frame.
#include <benchmark/benchmark.h>

#include "support/pack_home.h"

#include <QDir>
#include <QGuiApplication>

#include "data/day_step.h"
#include "data/help_rects.h"
#include "views/export_table.h"
#include "views/fade_engine.h"
#include "views/full_mode_frame.h"
#include "views/mode_table.h"
#include "views/telectonon_board.h"

namespace {

using namespace orbisca;

// The frame on the working folder, or nothing when the pictures are not built yet.
FullModeFrame* preparedFrame(benchmark::State& state) {
    ProgramState* program = bench::packProgram(state);
    if (!program) return nullptr;
    static FullModeFrame* frame = new FullModeFrame(program->data, program->fonts);
    return frame;
}

void BM_PaintMode(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    const FullModeView mode = viewOfModeNumber(int(state.range(0)));
    frame->paintMode(mode);  // warm the caches
    for (auto _ : state) {
        frame->paintMode(mode);
        benchmark::DoNotOptimize(frame->buffers().frame.constBits());
    }
}
BENCHMARK(BM_PaintMode)
    ->ArgName("mode")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Arg(19)
    ->Arg(5)
    ->Arg(6)
    ->Arg(7)
    ->Arg(8)
    ->Arg(9)
    ->Arg(11)
    ->Arg(12)
    ->Arg(14)
    ->Unit(benchmark::kMillisecond);

// The year view when its grid is not cached: every one of the 364 days drawn.
void BM_YearGridDrawn(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    Settings& settings = frame->data().settings;
    settings.yearShine = settings.yearLine = settings.yearDayIcon = true;
    for (auto _ : state) {
        frame->state().year.cachedYearSign = 0;
        frame->paintMode(FullModeView::Year);
        benchmark::DoNotOptimize(frame->buffers().frame.constBits());
    }
}
BENCHMARK(BM_YearGridDrawn)->Unit(benchmark::kMillisecond);

// Export of view number range(0) (1 day ... 9 kin book) as pictures (range(1) 0) or glyph text
// (1): the year under 50 ms, every other view under 10 ms.
void BM_ViewExport(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    const ExportView& view = exportViews().at(std::size_t(state.range(0) - 1));
    state.SetLabel(view.name.toStdString() + (state.range(1) ? " glyphs" : " pictures"));
    for (auto _ : state) {
        frame->state().exports.exportAsGlyphText = state.range(1) != 0;
        ScriptLines script, yearLines;
        exportView(*frame, view, script, yearLines);
        benchmark::DoNotOptimize(script.lines.size() + yearLines.lines.size());
    }
}
BENCHMARK(BM_ViewExport)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 9, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A blend tick as the window runs it: it keeps the picture it was handed until the next one.
void BM_FadeTick(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    frame->data().settings.useTransition = true;
    frame->data().settings.transitionSpeed = 99;
    FadeEngine fade(*frame);
    QImage shown;
    frame->state().fade.mode = FullModeView::Tone;
    fade.request(FullModeView::Day);
    shown = fade.tick().frame;  // the start: two paints, then the first blend
    for (auto _ : state) {
        if (frame->state().fade.fadeStepsLeft < 2) {
            state.PauseTiming();
            fade.request(frame->state().fade.mode == FullModeView::Day ? FullModeView::Tone
                                                                       : FullModeView::Day);
            shown = fade.tick().frame;
            state.ResumeTiming();
        }
        TickResult result = fade.tick();
        shown = result.frame;
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_FadeTick)->Unit(benchmark::kMicrosecond);

void BM_DrawSmallElement(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    int kind = 155;  // the 15-pixel signs
    for (auto _ : state) {
        frame->drawElement(300, 200, kind, false);
        kind = kind == 174 ? 155 : kind + 1;
    }
}
BENCHMARK(BM_DrawSmallElement)->Unit(benchmark::kMicrosecond);

// The moon of each phase in turn: the first round draws the masks, later rounds find them.
void BM_DayMoon(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    int phase = 0;
    for (auto _ : state) {
        frame->drawDayMoon(phase * 10'000'000, 390, 216);
        phase = (phase + 1) % 100;
    }
}
BENCHMARK(BM_DayMoon)->Unit(benchmark::kMicrosecond);

// The same moon without the masks kept between paints: the whole drawing every time.
void BM_DayMoonCold(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    for (auto _ : state) {
        frame->clearCaches();
        frame->drawDayMoon(670'000'000, 390, 216);
    }
}
BENCHMARK(BM_DayMoonCold)->Unit(benchmark::kMicrosecond);

// The board drawn afresh, as after a click on its button (pictures and fonts already decoded).
void BM_BoardFirstPaint(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    frame->paintMode(FullModeView::Board);
    for (auto _ : state) {
        frame->state().drawing.boardDrawn = false;
        frame->paintMode(FullModeView::Board);
        benchmark::DoNotOptimize(frame->buffers().frame.constBits());
    }
}
BENCHMARK(BM_BoardFirstPaint)->Unit(benchmark::kMillisecond);

// The very first paint of a run: a new frame reads the board picture, its fonts and its sprites.
void BM_BoardColdPaint(benchmark::State& state) {
    ProgramState* program = bench::packProgram(state);
    if (!program) return;
    for (auto _ : state) {
        FullModeFrame frame(program->data, program->fonts);
        frame.paintMode(FullModeView::Board);
        benchmark::DoNotOptimize(frame.buffers().frame.constBits());
    }
}
BENCHMARK(BM_BoardColdPaint)->Unit(benchmark::kMillisecond);

// Every later paint: the kept board copied, thirteen markers blended.
void BM_BoardCachedPaint(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    frame->paintMode(FullModeView::Board);
    for (auto _ : state) {
        frame->paintMode(FullModeView::Board);
        benchmark::DoNotOptimize(frame->buffers().frame.constBits());
    }
}
BENCHMARK(BM_BoardCachedPaint)->Unit(benchmark::kMillisecond);

// A key in the full-mode window: the day stepped forward and back in turn, the mode painted again.
void BM_KeyRepaint(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    FadeEngine fade(*frame);
    frame->state().fade.mode = viewOfModeNumber(int(state.range(0)));
    frame->state().fade.requestedMode = frame->state().fade.mode;
    fade.repaint();
    DayModel& day = frame->data().day;
    int step = 1;
    for (auto _ : state) {
        day.setDate(stepDate(day.date(), step));
        step = -step;
        benchmark::DoNotOptimize(fade.repaint().frame.constBits());
    }
    day.setDate({21, 8, 0, 2001});
}
BENCHMARK(BM_KeyRepaint)
    ->ArgName("mode")
    ->DenseRange(0, 9)
    ->DenseRange(11, 14)
    ->Arg(19)
    ->Unit(benchmark::kMillisecond);

// The pointer crossing from one field of the board to another: the field found, its hint written.
void BM_HintChange(benchmark::State& state) {
    FullModeFrame* frame = preparedFrame(state);
    if (!frame) return;
    DataState& data = frame->data();
    data.helpRects = loadHelpFields(data.folder);
    frame->paintMode(FullModeView::Board);
    const QPoint points[] = {{251, 351}, {284, 351}};  // days 4 and 5 of the path
    int i = 0;
    for (auto _ : state) {
        QString text;
        findHelpField(data.helpRects, points[i].x(), points[i].y(), text);
        drawBoardHint(frame->fontTable(), frame->buffers().frame, text);
        i ^= 1;
    }
}
BENCHMARK(BM_HintChange)->Unit(benchmark::kMicrosecond);

}  // namespace
