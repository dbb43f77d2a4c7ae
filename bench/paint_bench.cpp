// A paint stroke on the large set view with "Draw on SET" on: mouse moves with
// the left button held, each painting a pixel and redrawing everything.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "app/main_event_handler.h"
#include "bench_state.h"

namespace qm::bench {

namespace {

constexpr int kStrokeEvents = 1000;
constexpr int kViewSide = 400;

// A wavy sweep from the left edge to the right one, crossing every row of
// cells, as a hand draws it.
tk::Event StrokeEvent(const EditorState& s, int i) {
    const double t = static_cast<double>(i) / (kStrokeEvents - 1);
    tk::Event e;
    e.kind = tk::EventKind::Control;
    e.window = s.ui.window;
    e.control = s.ui.largeSetView;
    e.subKind = tk::SubKind::Other;
    e.mouseX = 5 + static_cast<int>(t * (kViewSide - 10));
    e.mouseY = kViewSide / 2 + static_cast<int>(180.0 * std::sin(4.0 * std::numbers::pi * t));
    e.buttons = tk::ButtonLeft;
    return e;
}

int ChangedPixels(const FontSlot& before, const FontSlot& after) {
    int changed = 0;
    for (std::size_t i = 0; i < before.pixels.size(); ++i) changed += before.pixels[i] != after.pixels[i];
    return changed;
}

void PaintStroke(benchmark::State& state, void (*mode)(EditorState&)) {
    EditorState& s = Editor();
    mode(s);
    s.DrawOnSet = kOn;
    tk::SetChecked(s.ui.drawOnSetBox, true);
    s.ClickGuard = 0;
    std::vector<tk::Event> stroke;
    for (int i = 0; i < kStrokeEvents; ++i) stroke.push_back(StrokeEvent(s, i));
    // The stroke paints into the font; it is put back after every stroke.
    const FontSlot painted = s.Slot();
    const int currentChar = s.CurrentChar;
    int changed = 0;
    for (auto _ : state) {
        for (const tk::Event& e : stroke) benchmark::DoNotOptimize(MainEventHandler(s, e));
        // Every stroke paints on the same unpainted font, as the first one did.
        state.PauseTiming();
        changed = ChangedPixels(painted, s.Slot());
        s.Slot() = painted;
        s.CurrentChar = currentChar;
        state.ResumeTiming();
    }
    // Seconds per event, shown beside the time of the whole stroke.
    state.counters["per_event"] =
        benchmark::Counter(kStrokeEvents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    // Proof that the events painted: font pixels the stroke changed.
    state.counters["painted"] = changed;
    UseHiRes(s);
}

}  // namespace

BENCHMARK_CAPTURE(PaintStroke, HiRes, UseHiRes)->Name("PaintStroke1000/HiRes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PaintStroke, MulticolourMask, UseMaskLayer)
    ->Name("PaintStroke1000/MulticolourMask")
    ->Unit(benchmark::kMillisecond);

}  // namespace qm::bench
