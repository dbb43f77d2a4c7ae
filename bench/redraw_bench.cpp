// The full redraw of every surface, and the floor it is measured against.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_state.h"
#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "sets/set_views.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"

namespace qm::bench {

namespace {

// A redraw skips the views whose inputs did not change; these draw every
// view, as after a change that reaches them all, unless told that nothing
// changed.
enum class Views { Forgotten, Unchanged };

void Redraw(EditorState& s, Views views, void (*draw)(EditorState&)) {
    if (views == Views::Forgotten) s.drawn = {};
    draw(s);
}

void RedrawAllIn(benchmark::State& state, void (*mode)(EditorState&), Views views) {
    EditorState& s = Editor();
    mode(s);
    for (auto _ : state) Redraw(s, views, RedrawAll);
    UseHiRes(s);
}

// The redraw's parts one by one, to see where its time goes.
void DrawViewScreenOnly(EditorState& s) { DrawViewScreen(s, -1, -1); }

void RedrawPart(benchmark::State& state, void (*mode)(EditorState&), void (*draw)(EditorState&)) {
    EditorState& s = Editor();
    mode(s);
    for (auto _ : state) Redraw(s, Views::Forgotten, draw);
    UseHiRes(s);
}

// Surfaces of the sizes of those the full redraw draws, so the floor writes the
// same number of pixels, each surface with one fill.
void FloorFill(benchmark::State& state) {
    EditorState& s = Editor();
    std::vector<tk::Surface> surfaces;
    long long pixels = 0;
    for (tk::ControlId c : RedrawnCanvases(s)) {
        const tk::Surface& canvas = tk::CanvasSurface(c);
        surfaces.emplace_back(canvas.Width(), canvas.Height());
        pixels += static_cast<long long>(canvas.Width()) * canvas.Height();
    }
    std::uint32_t color = 0xFF000000u;
    for (auto _ : state) {
        for (tk::Surface& surface : surfaces) {
            std::uint32_t* data = surface.WritableData();
            std::fill(data, data + static_cast<std::size_t>(surface.Width()) * surface.Height(), color);
            benchmark::DoNotOptimize(data);
        }
        benchmark::ClobberMemory();
        color ^= 0x00123456u;
    }
    state.counters["surfaces"] = static_cast<double>(surfaces.size());
    state.counters["pixels"] = static_cast<double>(pixels);
}

}  // namespace

BENCHMARK(FloorFill)->Name("Floor/FillSamePixels")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RedrawAllIn, HiRes, UseHiRes, Views::Forgotten)->Name("RedrawAll/HiRes")->Unit(benchmark::kMicrosecond);
// Every pair blended twice over the layer below, with crosses: the most
// expensive drawing the editor does.
BENCHMARK_CAPTURE(RedrawAllIn, Mask, UseMaskLayer, Views::Forgotten)
    ->Name("RedrawAll/MulticolourMask")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RedrawAllIn, Unchanged, UseMaskLayer, Views::Unchanged)
    ->Name("RedrawAll/NothingChanged/MulticolourMask")
    ->Unit(benchmark::kMicrosecond);

#define QM_REDRAW_PART(draw)                                                                               \
    BENCHMARK_CAPTURE(RedrawPart, draw, UseHiRes, draw)->Name("RedrawPart/HiRes/" #draw)->Unit(benchmark::kMicrosecond); \
    BENCHMARK_CAPTURE(RedrawPart, draw, UseMaskLayer, draw)                                               \
        ->Name("RedrawPart/MulticolourMask/" #draw)                                                        \
        ->Unit(benchmark::kMicrosecond)

QM_REDRAW_PART(DrawFontSheet);
QM_REDRAW_PART(DrawSmallSetView);
QM_REDRAW_PART(DrawLargeSetView);
QM_REDRAW_PART(DrawCharEditor);
QM_REDRAW_PART(DrawCharPreview);
QM_REDRAW_PART(DrawViewScreenOnly);
QM_REDRAW_PART(DrawSetsViewer);

}  // namespace qm::bench
