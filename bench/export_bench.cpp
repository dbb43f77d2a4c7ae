// The picture of the font at the largest scale with its PNG encoding, and the
// source text of the font in each format.

#include <benchmark/benchmark.h>

#include "bench_state.h"
#include "files/export_image.h"
#include "files/export_lines.h"
#include "files/export_source.h"
#include "files/font_buffer.h"

namespace qm::bench {

namespace {

constexpr int kScaleX4 = 3;  // the scale list's fourth entry, "x4"
constexpr int kWidthX4 = 1024;
constexpr int kHeightX4 = 256;

void RenderX4(benchmark::State& state, void (*mode)(EditorState&)) {
    EditorState& s = Editor();
    mode(s);
    tk::Surface canvas(kWidthX4, kHeightX4);
    for (auto _ : state) {
        RenderFontImage(s, canvas, kScaleX4);
        benchmark::DoNotOptimize(canvas.Data());
    }
    UseHiRes(s);
}

void EncodePngX4(benchmark::State& state) {
    EditorState& s = Editor();
    tk::Surface canvas(kWidthX4, kHeightX4);
    RenderFontImage(s, canvas, kScaleX4);
    std::size_t size = 0;
    for (auto _ : state) size = tk::EncodePng(canvas).size();
    if (size == 0) state.SkipWithError("PNG encoding failed");
    state.counters["png_bytes"] = static_cast<double>(size);
}

// What "Save PNG" does before writing the file: the picture rendered, copied
// out of the canvas and encoded.
void PngExportX4(benchmark::State& state) {
    EditorState& s = Editor();
    tk::Surface canvas(kWidthX4, kHeightX4);
    for (auto _ : state) {
        RenderFontImage(s, canvas, kScaleX4);
        tk::Surface picture(kWidthX4, kHeightX4);
        picture.DrawImage(0, 0, canvas);
        benchmark::DoNotOptimize(tk::EncodePng(picture));
    }
}

// The dialog's preview: the font packed, the lines made and put into the
// text control.
void GenerateText(benchmark::State& state) {
    EditorState& s = Editor();
    const tk::ControlId preview = ExportPreview();
    const int format = static_cast<int>(state.range(0));
    for (auto _ : state) GenerateExportText(s, preview, format);
    if (tk::LineCount(preview) < kCharCount) state.SkipWithError("preview has too few lines");
    state.SetLabel(ExportFormatNames()[format]);
}

// The lines alone, without the text control.
void Lines(benchmark::State& state) {
    EditorState& s = Editor();
    PackFont(s, -1);
    const int format = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ExportLines(s.FontBuffer, format));
    state.SetLabel(ExportFormatNames()[format]);
}

}  // namespace

BENCHMARK_CAPTURE(RenderX4, HiRes, UseHiRes)->Name("RenderFontImageX4/HiRes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderX4, Multicolour, UseMaskLayer)
    ->Name("RenderFontImageX4/Multicolour")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EncodePngX4)->Name("EncodePngX4")->Unit(benchmark::kMillisecond);
BENCHMARK(PngExportX4)->Name("PngExportX4/RenderCopyEncode")->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateText)->Name("GenerateExportText")->DenseRange(0, kExportFormatCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(Lines)->Name("ExportLines")->DenseRange(0, kExportFormatCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
