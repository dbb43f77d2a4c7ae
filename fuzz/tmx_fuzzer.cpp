// A Tiled map of any content, as "Import from Tiled..." and import-tmx read
// it: it is read or refused with a reason, what is read is a grid of codes
// that goes onto the screen or the tile map or is refused, and that grid
// written out reads back as it was.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/tiled_import.h"
#include "core/tmx_format.h"
#include "invariants.h"

namespace {

using qm::fuzz::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::TmxReadResult read = qm::ReadTmx(std::span(data, size));
    if (!read.error.empty()) {
        Require(read.grid.cells.empty(), "a refused map gives no cells");
        return 0;
    }
    const qm::CodeGrid& grid = read.grid;
    Require(grid.width > 0 && grid.height > 0, "a map read has a size");
    Require(grid.cells.size() == static_cast<std::size_t>(grid.width) * grid.height, "one cell per tile",
            static_cast<long long>(grid.cells.size()));
    for (int cell : grid.cells) Require(cell == qm::kEmptyCell || (cell >= 0 && cell <= 255), "a cell is -1 or 0..255", cell);

    qm::ViewCells screen{};
    if (qm::PlaceOnScreen(grid, screen).empty()) {
        for (const auto& row : screen) {
            for (std::int32_t cell : row) qm::fuzz::RequireCell(cell);
        }
    }

    // Onto the tile map, with sets whose tiles are single characters 0 to 99.
    qm::Document doc;
    qm::ResetDocument(doc);
    doc.Map.tileWidth = doc.Map.tileHeight = 1;
    for (int set = 1; set <= qm::kSetCount; ++set) doc.SetTable[set].cells[0] = set - 1;
    if (qm::PlaceOnMap(read, doc.SetTable, doc.Map).empty()) {
        const qm::TileMap& map = doc.Map;
        Require(qm::IsMapSide(map.width) && qm::IsMapSide(map.height), "a map placed is 1 to 1024 a side");
        Require(map.cells.size() == static_cast<std::size_t>(map.width) * map.height, "one map cell per tile");
        for (std::uint8_t cell : map.cells) Require(cell < qm::kTileCount || cell == qm::kNoTile, "a tile or none", cell);
    }

    const std::string written = qm::WriteTmx(grid, "font.tsx", "Screen");
    const qm::TmxReadResult again = qm::ReadTmx(std::span(reinterpret_cast<const std::uint8_t*>(written.data()), written.size()));
    Require(again.error.empty() && again.grid.cells == grid.cells, "a map read writes out and reads back alike");
    return 0;
}
