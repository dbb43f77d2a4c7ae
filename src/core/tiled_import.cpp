#include "core/tiled_import.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace qm {

namespace {

std::string SizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

std::string TooLargeForMap(int width, int height, const std::string& of) {
    return "the map is " + SizeText(width, height) + " tiles" + of + "; a tile map is at most " +
           SizeText(kMapMaxSide, kMapMaxSide);
}

bool IsCharacterMap(const TmxReadResult& read) {
    const auto charSide = [](int side) { return side == 0 || side == kTmxCharSide; };
    return charSide(read.tileWidth) && charSide(read.tileHeight);
}

// The cells of one tile, each code + 1 (0 for an empty cell), as a key.
using TileKey = std::u16string;

void AppendCell(TileKey& key, int code) { key.push_back(static_cast<char16_t>(CellOrEmpty(code) + 1)); }

bool IsEmptyBlock(const TileKey& key) { return key.find_first_not_of(u'\0') == TileKey::npos; }

// Each tile's characters to its number, the lowest number where tiles show
// the same; tiles of empty cells are left out, since an empty map cell shows
// the same.
std::unordered_map<TileKey, int> TilesByCharacters(const std::array<SetRecord, kSetCount + 1>& sets, int tileWidth,
                                                   int tileHeight) {
    std::unordered_map<TileKey, int> tiles;
    TileKey key;
    for (int tile = 1; tile <= kTileCount; ++tile) {
        key.clear();
        for (int y = 0; y < tileHeight; ++y) {
            for (int x = 0; x < tileWidth; ++x) AppendCell(key, sets[tile].cells[y * kTileMaxSide + x]);
        }
        if (!IsEmptyBlock(key)) tiles.emplace(key, tile);
    }
    return tiles;
}

std::string PlaceCharacters(const CodeGrid& grid, const std::array<SetRecord, kSetCount + 1>& sets, TileMap& map) {
    const int tw = map.tileWidth, th = map.tileHeight;
    const std::string tileSize = " of " + SizeText(tw, th) + " characters";
    if (grid.width % tw != 0 || grid.height % th != 0) {
        return "the map is " + SizeText(grid.width, grid.height) + " characters, not whole tiles" + tileSize;
    }
    const int width = grid.width / tw, height = grid.height / th;
    if (!IsMapSide(width) || !IsMapSide(height)) return TooLargeForMap(width, height, tileSize);
    const std::unordered_map<TileKey, int> tiles = TilesByCharacters(sets, tw, th);
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * height, kNoTile);
    TileKey key;
    for (int my = 0; my < height; ++my) {
        for (int mx = 0; mx < width; ++mx) {
            key.clear();
            for (int y = my * th; y < (my + 1) * th; ++y) {
                const int* row = grid.cells.data() + static_cast<std::size_t>(y) * grid.width + mx * tw;
                for (int x = 0; x < tw; ++x) AppendCell(key, row[x]);
            }
            if (IsEmptyBlock(key)) continue;
            const auto found = tiles.find(key);
            if (found == tiles.end()) {
                return "the characters at column " + std::to_string(mx * tw) + ", row " + std::to_string(my * th) +
                       " are none of the tiles" + tileSize + " the sets hold";
            }
            cells[static_cast<std::size_t>(my) * width + mx] = static_cast<std::uint8_t>(found->second - 1);
        }
    }
    map.width = width;
    map.height = height;
    map.cells = std::move(cells);
    return "";
}

std::string PlaceTiles(const CodeGrid& grid, TileMap& map) {
    if (!IsMapSide(grid.width) || !IsMapSide(grid.height)) return TooLargeForMap(grid.width, grid.height, "");
    std::vector<std::uint8_t> cells(grid.cells.size(), kNoTile);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int id = grid.cells[i];
        if (id >= kTileCount) {
            return "the map uses tile id " + std::to_string(id + 1) + "; a tile map holds tiles 1 to " +
                   std::to_string(kTileCount);
        }
        if (id >= 0) cells[i] = static_cast<std::uint8_t>(id);
    }
    map.width = grid.width;
    map.height = grid.height;
    map.cells = std::move(cells);
    return "";
}

}  // namespace

std::string PlaceOnMap(const TmxReadResult& read, const std::array<SetRecord, kSetCount + 1>& sets, TileMap& map) {
    return IsCharacterMap(read) ? PlaceCharacters(read.grid, sets, map) : PlaceTiles(read.grid, map);
}

std::string ImportTiledMap(std::span<const std::uint8_t> file, TiledTarget target, Document& doc) {
    const TmxReadResult read = ReadTmx(file);
    if (!read.error.empty()) return read.error;
    if (target == TiledTarget::Screen) return PlaceOnScreen(read.grid, doc.ViewScreen);
    return PlaceOnMap(read, doc.SetTable, doc.Map);
}

}  // namespace qm
