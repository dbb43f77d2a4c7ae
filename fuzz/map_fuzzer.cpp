// A project's map block, or a map file made elsewhere with the layout the
// user gives on the command line, of any length and content. The first byte
// says which; for a map file the next three give the width, the header switch
// and the tile size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/map_export.h"
#include "core/tile_map_format.h"
#include "invariants.h"

namespace {

using qm::fuzz::Require;

void RequireMap(const qm::TileMap& map) {
    Require(qm::IsMapSide(map.width) && qm::IsMapSide(map.height), "a map is 1 to 1024 cells each way", map.width);
    Require(qm::IsTileSide(map.tileWidth) && qm::IsTileSide(map.tileHeight), "a tile is 1 to 5 characters",
            map.tileWidth);
    Require(map.cells.size() == static_cast<std::size_t>(map.width) * map.height, "a cell for every place",
            static_cast<long long>(map.cells.size()));
    for (std::uint8_t cell : map.cells) Require(cell < qm::kTileCount || cell == qm::kNoTile, "a cell is a tile", cell);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::span<const std::uint8_t> rest(data + 4, size - 4);
    std::optional<qm::TileMap> map;
    if (data[0] % 2 == 0) {
        map = qm::DecodeMapBlock(rest);
        if (!map) return 0;
        RequireMap(*map);
        Require(qm::DecodeMapBlock(qm::EncodeMapBlock(*map)) == map, "a map block reads back as it was written");
    } else {
        const qm::MapFileLayout layout{data[1] * 5, (data[2] & 1) != 0, data[3] % 7, data[3] / 7 % 7};
        std::string reason;
        map = qm::ReadMapFile(rest, layout, reason);
        Require(map.has_value() == reason.empty(), "a refused map file says why");
        if (!map) return 0;
        RequireMap(*map);
        const qm::Bytes tiles = qm::MapTileBytes(*map, qm::WholeMap(*map), qm::kNoTile);
        Require(layout.header || tiles == qm::Bytes(rest.begin(), rest.end()), "a map file is its tiles");
    }
    const qm::Region whole = qm::WholeMap(*map);
    std::array<qm::SetRecord, qm::kSetCount + 1> sets{};
    const std::size_t chars = qm::MapCharBytes(*map, whole, sets, 0).size();
    Require(chars == static_cast<std::size_t>(map->width * map->tileWidth) * map->height * map->tileHeight,
            "the characters of every cell", static_cast<long long>(chars));
    return 0;
}
