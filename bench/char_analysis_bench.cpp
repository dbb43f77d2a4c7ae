// The Tools menu's analysis and moves on a full project: every set and every
// screen cell used, ten real fonts.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/char_analysis.h"
#include "core/file_io.h"
#include "core/font_format.h"

namespace qm::bench {

namespace {

Document FullProject() {
    Document doc;
    ResetDocument(doc);
    std::vector<unsigned char> bytes;
    const auto fonts = std::filesystem::path(QUILLMERE_TESTDATA) / "fonts";
    ReadWholeFile((fonts / "broadway.fnt").string(), bytes);
    for (int slot = 1; slot <= kSlotCount; ++slot) UnpackFont(ReadFontBytes(bytes), doc.Slots[slot]);
    for (int set = 1; set <= kSetCount; ++set) {
        for (int cell = 0; cell < kSetCells; ++cell) doc.SetTable[set].cells[cell] = (set * 7 + cell * 3) % 100;
    }
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) doc.ViewScreen[y][x] = (x * 5 + y * 11) % 110;
    }
    return doc;
}

void Analyze(benchmark::State& state) {
    const Document doc = FullProject();
    for (auto _ : state) benchmark::DoNotOptimize(AnalyzeChars(doc, 1).firstCopy.data());
}

// One compact as the menu does it: analysis, the moves, every slot and cell
// moved; the document is put back outside the timing.
void Compact(benchmark::State& state) {
    const Document start = FullProject();
    Document doc = start;
    for (auto _ : state) {
        MoveChars(doc, CompactMoves(AnalyzeChars(doc, 1)));
        benchmark::DoNotOptimize(doc.Slots[1].pixels.data());
        state.PauseTiming();
        doc = start;
        state.ResumeTiming();
    }
}

void Merge(benchmark::State& state) {
    const Document start = FullProject();
    Document doc = start;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MergeDuplicates(doc, 1).merged.size());
        state.PauseTiming();
        doc = start;
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(Analyze)->Name("CharTools/Analyze")->Unit(benchmark::kMicrosecond);
BENCHMARK(Compact)->Name("CharTools/Compact")->Unit(benchmark::kMicrosecond);
BENCHMARK(Merge)->Name("CharTools/MergeDuplicates")->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
