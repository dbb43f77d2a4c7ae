#include "core/tiled_import.h"

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

// The tiles that can show a block, found by the block's first character:
// each tile listed under its top-left cell, lowest number first, so the
// first whose cells all match is the lowest tile showing the block. Tiles of
// empty cells are left out, since an empty map cell shows the same.
class TileFinder {
public:
    TileFinder(const std::array<SetRecord, kSetCount + 1>& sets, int tileWidth, int tileHeight)
        : sets_(sets), tileWidth_(tileWidth), tileHeight_(tileHeight) {
        for (int tile = 1; tile <= kTileCount; ++tile) {
            if (!IsEmptyTile(tile)) byFirstCell_[Slot(sets[tile].cells[0])].push_back(tile);
        }
    }

    // The tile whose cells are the block at block[0] in rows of stride cells;
    // 0 when none is.
    int Find(const int* block, int stride) const {
        for (int tile : byFirstCell_[Slot(block[0])]) {
            if (Shows(tile, block, stride)) return tile;
        }
        return 0;
    }

private:
    static int Slot(int code) { return CellOrEmpty(code) + 1; }

    bool IsEmptyTile(int tile) const {
        for (int y = 0; y < tileHeight_; ++y) {
            for (int x = 0; x < tileWidth_; ++x) {
                if (CellOrEmpty(sets_[tile].cells[y * kTileMaxSide + x]) != kEmptyCell) return false;
            }
        }
        return true;
    }

    bool Shows(int tile, const int* block, int stride) const {
        for (int y = 0; y < tileHeight_; ++y) {
            for (int x = 0; x < tileWidth_; ++x) {
                if (CellOrEmpty(sets_[tile].cells[y * kTileMaxSide + x]) != CellOrEmpty(block[y * stride + x])) return false;
            }
        }
        return true;
    }

    const std::array<SetRecord, kSetCount + 1>& sets_;
    int tileWidth_, tileHeight_;
    std::array<std::vector<int>, kCodeCount + 1> byFirstCell_;
};

bool IsEmptyBlock(const int* block, int stride, int tileWidth, int tileHeight) {
    for (int y = 0; y < tileHeight; ++y) {
        for (int x = 0; x < tileWidth; ++x) {
            if (CellOrEmpty(block[y * stride + x]) != kEmptyCell) return false;
        }
    }
    return true;
}

std::string PlaceCharacters(const CodeGrid& grid, const std::array<SetRecord, kSetCount + 1>& sets, TileMap& map) {
    const int tw = map.tileWidth, th = map.tileHeight;
    const std::string tileSize = " of " + SizeText(tw, th) + " characters";
    if (grid.width % tw != 0 || grid.height % th != 0) {
        return "the map is " + SizeText(grid.width, grid.height) + " characters, not whole tiles" + tileSize;
    }
    const int width = grid.width / tw, height = grid.height / th;
    if (!IsMapSide(width) || !IsMapSide(height)) return TooLargeForMap(width, height, tileSize);
    const TileFinder tiles(sets, tw, th);
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * height, kNoTile);
    for (int my = 0; my < height; ++my) {
        for (int mx = 0; mx < width; ++mx) {
            const int* block = grid.cells.data() + static_cast<std::size_t>(my) * th * grid.width + mx * tw;
            const int tile = tiles.Find(block, grid.width);
            if (tile == 0 && IsEmptyBlock(block, grid.width, tw, th)) continue;
            if (tile == 0) {
                return "the characters at column " + std::to_string(mx * tw) + ", row " + std::to_string(my * th) +
                       " are none of the tiles" + tileSize + " the sets hold";
            }
            cells[static_cast<std::size_t>(my) * width + mx] = static_cast<std::uint8_t>(tile - 1);
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
