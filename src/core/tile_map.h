#pragma once

// A map of tiles: a level larger than the screen, laid out from the sets.
// Tile n is the top-left tileWidth x tileHeight cells of set n, so the map is
// a picture of (width * tileWidth) x (height * tileHeight) characters.

#include <cstdint>
#include <vector>

namespace qm {

constexpr int kTileMaxSide = 5;
constexpr int kMapMaxSide = 1024;
constexpr int kDefaultTileSide = 2;
constexpr int kDefaultMapWidth = 64;
constexpr int kDefaultMapHeight = 32;
// A map cell holds the tile number - 1 (0 to 99), or this for an empty cell:
// the form the map's files take too, so they are written as they stand.
constexpr std::uint8_t kNoTile = 255;
constexpr int kTileCount = 100;

struct TileMap {
    int tileWidth = kDefaultTileSide;
    int tileHeight = kDefaultTileSide;
    int width = kDefaultMapWidth;
    int height = kDefaultMapHeight;
    std::vector<std::uint8_t> cells = std::vector<std::uint8_t>(kDefaultMapWidth * kDefaultMapHeight, kNoTile);

    // The tile at (x, y), 1 to 100, or 0 for an empty cell or one off the map.
    int Tile(int x, int y) const;
    // Places tile 1 to 100 at (x, y); 0 empties the cell. Off the map: nothing.
    void Place(int x, int y, int tile);
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    // A map that differs from a new one; only such a map is kept in a project.
    bool InUse() const;
    bool operator==(const TileMap&) const = default;
};

bool IsMapSide(int side);
bool IsTileSide(int side);

// The map at a new size; the cells that stay on it keep their tiles, new
// cells are empty.
void ResizeMap(TileMap& map, int width, int height);
// Whether ResizeMap to this size would drop a placed tile.
bool ResizeLosesTiles(const TileMap& map, int width, int height);

}  // namespace qm
