// Reading a Tiled map of 1024 x 1024 tiles in CSV, as import-tmx reads it
// before placing it (budget: 100 ms), and writing the screen as a map.

#include <benchmark/benchmark.h>

#include <random>

#include "core/tmx_format.h"

namespace qm::bench {

namespace {

std::string LargeCsvMap() {
    std::mt19937 random(1024);
    CodeGrid grid{1024, 1024, {}};
    grid.cells.resize(1024u * 1024u);
    for (int& cell : grid.cells) cell = static_cast<int>(random() % 257) - 1;
    return WriteTmx(grid, "font.tsx", "Ground");
}

void ReadLargeMap(benchmark::State& state) {
    const std::string map = LargeCsvMap();
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(map.data()), map.size());
    for (auto _ : state) {
        const TmxReadResult read = ReadTmx(bytes);
        if (!read.error.empty()) state.SkipWithError(read.error.c_str());
        benchmark::DoNotOptimize(read.grid.cells.data());
    }
    state.counters["MB"] = static_cast<double>(map.size()) / 1e6;
}

void WriteScreenMap(benchmark::State& state) {
    ViewCells screen{};
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) screen[y][x] = (x + y) % 4 == 0 ? kEmptyCell : (x * y) % kCharCount;
    }
    for (auto _ : state) benchmark::DoNotOptimize(WriteTmx(ScreenGrid(screen), "font.tsx", "Screen"));
}

}  // namespace

BENCHMARK(ReadLargeMap)->Name("ReadTmx/1024x1024csv")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteScreenMap)->Name("WriteTmx/screen")->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
