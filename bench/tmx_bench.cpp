// Reading a Tiled map of 1024 x 1024 tiles in CSV, as import-tmx reads it
// before placing it (budget: 100 ms), the whole import of such a map onto the
// tile map, and writing the screen as a map.

#include <benchmark/benchmark.h>

#include <random>

#include "core/tiled_export.h"
#include "core/tiled_import.h"
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

// The whole import onto the tile map: 1024 x 1024 tile ids of 16 x 16 pixel
// tiles; or 1024 x 1024 characters, a 512 x 512 map of 2 x 2 tiles as the
// export writes it, matched back to the tiles.
void ImportLargeMap(benchmark::State& state, bool ofCharacters) {
    std::mt19937 random(512);
    Document doc;
    ResetDocument(doc);
    for (int set = 1; set <= kSetCount; ++set) {
        for (int& cell : doc.SetTable[set].cells) cell = static_cast<int>(random() % 256);
    }
    std::string map;
    if (ofCharacters) {
        TileMap tiles;
        ResizeMap(tiles, 512, 512);
        for (std::uint8_t& cell : tiles.cells) cell = static_cast<std::uint8_t>(random() % (kTileCount + 1) == 0 ? kNoTile : random() % kTileCount);
        map = WriteTmx(MapGrid(tiles, doc.SetTable), "font.tsx", "Map");
    } else {
        CodeGrid grid{1024, 1024, std::vector<int>(1024u * 1024u)};
        for (int& cell : grid.cells) cell = static_cast<int>(random() % (kTileCount + 1)) - 1;
        map = WriteTmx(grid, "tiles.tsx", "Ground");
        const std::string chars = "tilewidth=\"8\" tileheight=\"8\"";
        map.replace(map.find(chars), chars.size(), "tilewidth=\"16\" tileheight=\"16\"");
    }
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(map.data()), map.size());
    for (auto _ : state) {
        const std::string refusal = ImportTiledMap(bytes, TiledTarget::Map, doc);
        if (!refusal.empty()) state.SkipWithError(refusal.c_str());
        benchmark::DoNotOptimize(doc.Map.cells.data());
    }
    state.counters["MB"] = static_cast<double>(map.size()) / 1e6;
}

void ImportLargeTileMap(benchmark::State& state) { ImportLargeMap(state, false); }
void ImportLargeCharacterMap(benchmark::State& state) { ImportLargeMap(state, true); }

void WriteScreenMap(benchmark::State& state) {
    ViewCells screen{};
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) screen[y][x] = (x + y) % 4 == 0 ? kEmptyCell : (x * y) % kCharCount;
    }
    for (auto _ : state) benchmark::DoNotOptimize(WriteTmx(ScreenGrid(screen), "font.tsx", "Screen"));
}

}  // namespace

BENCHMARK(ReadLargeMap)->Name("ReadTmx/1024x1024csv")->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargeTileMap)->Name("ImportTiledMap/1024x1024csv/tiles")->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargeCharacterMap)->Name("ImportTiledMap/1024x1024csv/characters")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteScreenMap)->Name("WriteTmx/screen")->Unit(benchmark::kMicrosecond);

}  // namespace qm::bench
