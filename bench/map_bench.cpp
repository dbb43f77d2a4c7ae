// The map window on the largest map, 1024 x 1024 cells of 2 x 2 tiles: a
// stroke of placed tiles through the dispatcher (drawn into the surface, and
// shown through the widgets), opening the window, the step a placement makes
// in the history, and the export of the map as characters.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "app/main_loop.h"
#include "bench_state.h"
#include "core/map_export.h"
#include "core/project_format.h"
#include "maps/map_editor.h"

namespace qm::bench {

namespace {

constexpr int kStrokeEvents = 1000;
constexpr int kShownWidth = 640;
constexpr int kShownHeight = 440;

TileMap LargestMap() {
    TileMap map;
    ResizeMap(map, kMapMaxSide, kMapMaxSide);
    for (std::size_t i = 0; i < map.cells.size(); ++i) map.cells[i] = i % 5 ? static_cast<std::uint8_t>(i % 100) : kNoTile;
    return map;
}

// The shared editor with the largest map, the map window open at zoom 2x.
EditorState& EditorWithMap() {
    EditorState& s = Editor();
    if (s.doc.Map.width != kMapMaxSide) {
        s.doc.Map = LargestMap();
        s.history.Reset(s.doc);
    }
    if (!s.map.open) OpenMapEditor(s);
    s.map.zoom = 2;
    s.map.firstColumn = 300;
    s.map.firstRow = 400;
    DrawMapEditor(s);
    return s;
}

void Show(EditorState& s) {
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
}

tk::Event StrokeEvent(const EditorState& s, int i) {
    const double t = static_cast<double>(i) / (kStrokeEvents - 1);
    tk::Event e;
    e.kind = tk::EventKind::Control;
    e.window = s.mapUi.window;
    e.control = s.mapUi.canvas;
    e.mouseX = 5 + static_cast<int>(t * (kShownWidth - 10));
    e.mouseY = kShownHeight / 2 + static_cast<int>((kShownHeight / 2 - 20) * std::sin(4.0 * std::numbers::pi * t));
    e.buttons = tk::ButtonLeft;
    return e;
}

void MapStroke(benchmark::State& state, bool shown) {
    EditorState& s = EditorWithMap();
    const TileMap before = s.doc.Map;
    s.CurrentSet = 100;
    Show(s);
    for (auto _ : state) {
        for (int i = 0; i < kStrokeEvents; ++i) {
            if (shown) {
                tk::PostEvent(StrokeEvent(s, i));
                DispatchEvent(s, tk::WaitEvent());
                Show(s);
            } else {
                DispatchEvent(s, StrokeEvent(s, i));
            }
        }
        state.PauseTiming();
        tk::Event release = StrokeEvent(s, kStrokeEvents - 1);
        release.buttons = 0;
        DispatchEvent(s, release);
        s.doc.Map = before;
        s.history.Reset(s.doc);
        DrawMapEditor(s);
        Show(s);
        state.ResumeTiming();
    }
    state.counters["per_event"] =
        benchmark::Counter(kStrokeEvents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void OpenMapWindow(benchmark::State& state) {
    EditorState& s = EditorWithMap();
    for (auto _ : state) {
        tk::Event close;
        close.kind = tk::EventKind::CloseRequest;
        close.window = s.mapUi.window;
        DispatchEvent(s, close);
        OpenMapEditor(s);
        Show(s);
    }
}

// One tile placed and recorded: the time of the step and the bytes it keeps.
void PlaceTileStep(benchmark::State& state) {
    EditorState& s = EditorWithMap();
    int tile = 1;
    for (auto _ : state) {
        s.doc.Map.Place(512, 512, tile = tile % 100 + 1);
        s.history.Record(s.doc, "Place Tiles");
    }
    state.counters["bytes_per_step"] = static_cast<double>(s.history.MemoryUsed()) / static_cast<double>(s.history.UndoCount());
    s.history.Reset(s.doc);
}

// What export-map --as chars does between reading the file and writing the
// output: the project read, its map laid out in characters (4 MB).
void ExportMapChars(benchmark::State& state) {
    Document doc = Editor().doc;
    doc.Map = LargestMap();
    const Bytes file = WriteProject(ProjectOf(doc));
    std::size_t size = 0;
    for (auto _ : state) {
        Document read;
        ResetDocument(read);
        ApplyProject(read, *ReadProject(file));
        size = MapCharBytes(read.Map, WholeMap(read.Map), read.SetTable, 0).size();
    }
    state.counters["bytes"] = static_cast<double>(size);
}

}  // namespace

BENCHMARK_CAPTURE(MapStroke, Drawn, false)->Name("DrawnStroke1000/Map1024/Zoom2")->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MapStroke, Shown, true)->Name("ShownStroke1000/Map1024/Zoom2")->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMapWindow)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PlaceTileStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExportMapChars)->Unit(benchmark::kMillisecond);

}  // namespace qm::bench
