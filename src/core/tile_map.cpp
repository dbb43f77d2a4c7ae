#include "core/tile_map.h"

#include <algorithm>

namespace qm {

int TileMap::Tile(int x, int y) const {
    if (!Contains(x, y)) return 0;
    const std::uint8_t cell = cells[static_cast<std::size_t>(y) * width + x];
    return cell < kTileCount ? cell + 1 : 0;
}

void TileMap::Place(int x, int y, int tile) {
    if (!Contains(x, y)) return;
    cells[static_cast<std::size_t>(y) * width + x] =
        tile >= 1 && tile <= kTileCount ? static_cast<std::uint8_t>(tile - 1) : kNoTile;
}

bool TileMap::InUse() const { return !(*this == TileMap{}); }

bool IsMapSide(int side) { return side >= 1 && side <= kMapMaxSide; }
bool IsTileSide(int side) { return side >= 1 && side <= kTileMaxSide; }

void ResizeMap(TileMap& map, int width, int height) {
    if (width == map.width && height == map.height) return;
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * height, kNoTile);
    const int keepWidth = std::min(width, map.width);
    for (int y = 0; y < std::min(height, map.height); ++y) {
        const auto from = map.cells.begin() + static_cast<std::ptrdiff_t>(y) * map.width;
        std::copy(from, from + keepWidth, cells.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    map.cells = std::move(cells);
    map.width = width;
    map.height = height;
}

bool ResizeLosesTiles(const TileMap& map, int width, int height) {
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            if ((x >= width || y >= height) && map.Tile(x, y) != 0) return true;
        }
    }
    return false;
}

}  // namespace qm
