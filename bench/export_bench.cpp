// The picture of the font at the largest scale with its PNG encoding, the
// source text of the font in each format, and the program for the machine.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "bench_state.h"
#include "core/emulator_command.h"
#include "core/export_lines.h"
#include "core/font_image.h"
#include "files/atari_program.h"
#include "files/export_source.h"
#include "session/font_buffer.h"

namespace qm::bench {

namespace {

Image FontPictureX4(const EditorState& s) {
    return RenderFontImage(s.Slot(), s.doc.RegisterRgb, s.MulticolorMode == DisplayMode::Multicolor, 4);
}

void RenderX4(benchmark::State& state, void (*mode)(EditorState&)) {
    EditorState& s = Editor();
    mode(s);
    for (auto _ : state) benchmark::DoNotOptimize(FontPictureX4(s).pixels.data());
    UseHiRes(s);
}

void EncodePngX4(benchmark::State& state) {
    EditorState& s = Editor();
    const Image picture = FontPictureX4(s);
    std::size_t size = 0;
    for (auto _ : state) size = qm::EncodePng(picture).size();
    if (size == 0) state.SkipWithError("PNG encoding failed");
    state.counters["png_bytes"] = static_cast<double>(size);
}

// What "Save PNG" does before writing the file: the picture rendered and encoded.
void PngExportX4(benchmark::State& state) {
    EditorState& s = Editor();
    for (auto _ : state) benchmark::DoNotOptimize(qm::EncodePng(FontPictureX4(s)));
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

// The bytes of the program of the whole screen.
void BuildProgram(benchmark::State& state) {
    EditorState& s = Editor();
    for (auto _ : state) benchmark::DoNotOptimize(CurrentProgram(s).bytes.data());
}

// "Run in emulator" in the editor's time: the program built and written, and
// an emulator (here /bin/true) started without waiting for it. The command and
// the program's file live in a folder of the benchmark's own.
void RunInEmulatorItem(benchmark::State& state) {
    EditorState& s = Editor();
    std::string root = (std::filesystem::temp_directory_path() / "quillmere-bench-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) return state.SkipWithError("no temporary folder");
    const std::string runtime = root + "/run";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    WriteEmulatorCommand(EmulatorCommandFile(root + "/quillmere"), "true %f");
    for (auto _ : state) {
        if (RunInEmulator(s).empty()) return state.SkipWithError("the emulator did not start");
    }
    std::filesystem::remove_all(root);
}

}  // namespace

BENCHMARK(BuildProgram)->Name("AtariProgram/Build")->Unit(benchmark::kMicrosecond);
BENCHMARK(RunInEmulatorItem)->Name("AtariProgram/RunInEmulator")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderX4, HiRes, UseHiRes)->Name("RenderFontImageX4/HiRes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderX4, Multicolour, UseMaskLayer)
    ->Name("RenderFontImageX4/Multicolour")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EncodePngX4)->Name("EncodePngX4")->Unit(benchmark::kMillisecond);
BENCHMARK(PngExportX4)->Name("PngExportX4/RenderCopyEncode")->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateText)->Name("GenerateExportText")->DenseRange(0, kExportFormatCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(Lines)->Name("ExportLines")->DenseRange(0, kExportFormatCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
