// Undo and redo of a step of each kind, with the redraw of every open window,
// and what the step bookkeeping adds to the events of a paint stroke.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/main_event_handler.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "bench_state.h"
#include "core/file_io.h"
#include "core/project_format.h"
#include "session/undo.h"

namespace qm::bench {

namespace {

constexpr int kStrokeEvents = 1000;

tk::Event Menu(tk::WindowId window, int item) {
    tk::Event e;
    e.kind = tk::EventKind::MenuItem;
    e.window = window;
    e.menuItem = item;
    return e;
}

tk::Event Mouse(const EditorState& s, tk::ControlId canvas, int x, int y, int buttons) {
    tk::Event e;
    e.kind = tk::EventKind::Control;
    e.window = tk::WindowOf(canvas);
    e.control = canvas;
    e.mouseX = x;
    e.mouseY = y;
    e.buttons = buttons;
    (void)s;
    return e;
}

int ViewMenuItem(const EditorState& s, const std::string& text) {
    for (const tk::MenuEntry& e : tk::MenuEntries(s.viewUi.window)) {
        if (e.text == text) return e.number;
    }
    return -1;
}

std::string ProjectFile(const EditorState& s) {
    const std::string path = (std::filesystem::temp_directory_path() / "quillmere_undo_bench.proj").string();
    Document other = s.doc;
    for (auto& p : other.Slots[3].pixels) p ^= 1;
    for (auto& row : other.ViewScreen) row.fill(5);
    SaveFileSafely(path, WriteProject(ProjectOf(other)));
    return path;
}

// One step of the kind, made as the user makes it.
void MakeStep(EditorState& s, int kind) {
    s.ClickGuard = 0;
    switch (kind) {
        case 0:  // a paint stroke of forty moves on the character editor
            for (int i = 0; i <= 40; ++i) DispatchEvent(s, Mouse(s, s.ui.charEditor, 10 + 5 * i, 10 + 3 * i, tk::ButtonLeft));
            DispatchEvent(s, Mouse(s, s.ui.charEditor, 210, 130, 0));
            break;
        case 1: DispatchEvent(s, Menu(s.ui.window, kMenuRotate)); break;
        case 2: DispatchEvent(s, Menu(s.ui.window, kMenuClearSetBits)); break;
        case 3: DispatchEvent(s, Menu(s.viewUi.window, ViewMenuItem(s, "Fill char"))); break;
        default:
            tk::QueueFileAnswer(ProjectFile(s));
            DispatchEvent(s, Menu(s.ui.window, kMenuOpenProject));
            break;
    }
}

void UndoRedo(benchmark::State& state, int kind) {
    EditorState& s = Editor();
    StartHistory(s);
    MakeStep(s, kind);
    if (!s.history.CanUndo()) state.SkipWithError("the step changed nothing");
    const tk::Event undo = Menu(s.ui.window, kMenuUndo);
    const tk::Event redo = Menu(s.viewUi.window, kMenuRedo);
    for (auto _ : state) {
        DispatchEvent(s, undo);
        DispatchEvent(s, redo);
    }
    state.counters["per_step"] =
        benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["step_bytes"] = static_cast<double>(s.history.MemoryUsed());
    DispatchEvent(s, undo);
    StartHistory(s);
}

// A stroke of 1000 events without the redraw, through the dispatcher (one
// step, recorded on release) less the same through the handler alone.
void StrokeEvents(benchmark::State& state, bool withSteps) {
    EditorState& s = Editor();
    StartHistory(s);
    const FullRedraw redraw = s.fullRedraw;
    s.fullRedraw = nullptr;
    const FontSlot unpainted = s.Slot();
    for (auto _ : state) {
        for (int i = 0; i < kStrokeEvents; ++i) {
            const tk::Event e = Mouse(s, s.ui.charEditor, 5 + (i * 7) % 235, 5 + (i * 13) % 235, i % 3 ? 1 : 2);
            if (withSteps) DispatchEvent(s, e);
            else MainEventHandler(s, e);
        }
        const tk::Event release = Mouse(s, s.ui.charEditor, 100, 100, 0);
        if (withSteps) DispatchEvent(s, release);
        else MainEventHandler(s, release);
        state.PauseTiming();
        s.Slot() = unpainted;
        StartHistory(s);
        state.ResumeTiming();
    }
    state.counters["per_event"] =
        benchmark::Counter(kStrokeEvents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    s.fullRedraw = redraw;
}

// The release of a stroke: the document compared with the history's copy and
// the step stored.
void RecordStroke(benchmark::State& state) {
    EditorState& s = Editor();
    StartHistory(s);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 40; ++i) s.Slot().Pixel(s.CurrentChar, i % 8, (i * 3) % 8) ^= 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.history.Record(s.doc, "Paint"));
    }
    StartHistory(s);
}

}  // namespace

BENCHMARK_CAPTURE(UndoRedo, Paint, 0)->Name("UndoRedo/Paint")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UndoRedo, Rotate, 1)->Name("UndoRedo/Rotate")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UndoRedo, ClearBits, 2)->Name("UndoRedo/ClearBits")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UndoRedo, FillView, 3)->Name("UndoRedo/FillView")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UndoRedo, OpenProject, 4)->Name("UndoRedo/OpenProject")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StrokeEvents, HandlerAlone, false)->Name("StrokeNoRedraw1000/HandlerAlone")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StrokeEvents, WithSteps, true)->Name("StrokeNoRedraw1000/WithSteps")->Unit(benchmark::kMicrosecond);
BENCHMARK(RecordStroke)->Name("StepCost/RecordStroke")->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
