// Paint strokes: mouse moves with the left button held, over the large set view
// with "Draw on SET" on (each move that changes a font pixel redraws
// everything) and over the view editor (each move puts the sheet character in
// a cell of the screen). Each stroke runs two ways: drawn, through the
// dispatcher into the surfaces alone; and shown, the whole path a mouse event
// takes in the running program: posted, taken by the main loop's wait,
// dispatched, and the widgets' paint events run (into Qt's backing store on
// the offscreen platform) before the next one. Qt converts large pictures on
// threads of its own, so the CPU time is that of the whole process.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "app/main_loop.h"
#include "bench_state.h"
#include "charedit/font_sheet.h"
#include "sets/view_editor.h"

namespace qm::bench {

namespace {

constexpr int kStrokeEvents = 1000;
constexpr int kLargeSetSide = 400;
// The part of the view editor's screen its window shows when it opens.
constexpr int kViewShownWidth = 480;
constexpr int kViewShownHeight = 352;

enum class View { LargeSet, ViewEditor };
enum class Path { Drawn, Shown };

// A wavy sweep from the left edge to the right one over a width x height
// area, crossing it top to bottom twice, as a hand draws it.
tk::Event StrokeEvent(tk::WindowId window, tk::ControlId canvas, int width, int height, int i) {
    const double t = static_cast<double>(i) / (kStrokeEvents - 1);
    tk::Event e;
    e.kind = tk::EventKind::Control;
    e.window = window;
    e.control = canvas;
    e.subKind = tk::SubKind::Other;
    e.mouseX = 5 + static_cast<int>(t * (width - 10));
    e.mouseY = height / 2 + static_cast<int>((height / 2 - 20) * std::sin(4.0 * std::numbers::pi * t));
    e.buttons = tk::ButtonLeft;
    return e;
}

std::vector<tk::Event> Stroke(const EditorState& s, View view) {
    std::vector<tk::Event> stroke;
    for (int i = 0; i < kStrokeEvents; ++i) {
        stroke.push_back(view == View::LargeSet
                             ? StrokeEvent(s.ui.window, s.ui.largeSetView, kLargeSetSide, kLargeSetSide, i)
                             : StrokeEvent(s.viewUi.window, s.viewUi.canvas, kViewShownWidth, kViewShownHeight, i));
    }
    return stroke;
}

// Lets the window system run what is pending, the widgets' paint events among
// it; whatever the program is sent meanwhile (a timer tick) is dispatched.
void Show(EditorState& s) {
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
}

int ChangedPixels(const FontSlot& before, const FontSlot& after) {
    int changed = 0;
    for (std::size_t i = 0; i < before.pixels.size(); ++i) changed += before.pixels[i] != after.pixels[i];
    return changed;
}

int ChangedCells(const EditorState& s, const decltype(Document::ViewScreen)& before) {
    int changed = 0;
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) changed += before[y][x] != s.doc.ViewScreen[y][x];
    }
    return changed;
}

void PaintStroke(benchmark::State& state, View view, Path path, void (*mode)(EditorState&)) {
    EditorState& s = Editor();
    mode(s);
    s.DrawOnSet = kOn;
    tk::SetChecked(s.ui.drawOnSetBox, true);
    s.ClickGuard = 0;
    const std::vector<tk::Event> stroke = Stroke(s, view);
    // The stroke paints into the font or the screen; both are put back after
    // every stroke, and shown again, so every stroke starts where the first did.
    const FontSlot font = s.Slot();
    const auto screen = s.doc.ViewScreen;
    const int currentChar = s.CurrentChar;
    RedrawAll(s);
    Show(s);
    int changed = 0;
    for (auto _ : state) {
        for (const tk::Event& e : stroke) {
            if (path == Path::Shown) {
                tk::PostEvent(e);
                DispatchEvent(s, tk::WaitEvent());
                Show(s);
            } else {
                benchmark::DoNotOptimize(DispatchEvent(s, e));
            }
        }
        state.PauseTiming();
        changed = view == View::LargeSet ? ChangedPixels(font, s.Slot()) : ChangedCells(s, screen);
        s.Slot() = font;
        s.doc.ViewScreen = screen;
        s.CurrentChar = currentChar;
        RedrawAll(s);
        Show(s);
        state.ResumeTiming();
    }
    // Seconds per event, shown beside the time of the whole stroke.
    state.counters["per_event"] =
        benchmark::Counter(kStrokeEvents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    // Proof that the events painted: font pixels or screen cells the stroke changed.
    state.counters["painted"] = changed;
    UseHiRes(s);
}

}  // namespace

#define QM_PAINT_STROKE(view, path, mode, use)                                                    \
    BENCHMARK_CAPTURE(PaintStroke, view##path##mode, View::view, Path::path, use)                 \
        ->Name(#path "Stroke1000/" #view "/" #mode)                                              \
        ->MeasureProcessCPUTime()                                                                 \
        ->Unit(benchmark::kMillisecond)

QM_PAINT_STROKE(LargeSet, Drawn, HiRes, UseHiRes);
QM_PAINT_STROKE(LargeSet, Drawn, MulticolourMask, UseMaskLayer);
QM_PAINT_STROKE(LargeSet, Shown, HiRes, UseHiRes);
QM_PAINT_STROKE(LargeSet, Shown, MulticolourMask, UseMaskLayer);
QM_PAINT_STROKE(ViewEditor, Drawn, HiRes, UseHiRes);
QM_PAINT_STROKE(ViewEditor, Drawn, MulticolourMask, UseMaskLayer);
QM_PAINT_STROKE(ViewEditor, Shown, HiRes, UseHiRes);
QM_PAINT_STROKE(ViewEditor, Shown, MulticolourMask, UseMaskLayer);

}  // namespace qm::bench
