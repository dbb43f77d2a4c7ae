#include "core/map_export.h"

#include <algorithm>

namespace qm {

bool InsideMap(const TileMap& map, const Region& region) {
    return region.startX >= 0 && region.startY >= 0 && region.width >= 1 && region.height >= 1 &&
           region.width <= map.width - region.startX && region.height <= map.height - region.startY;
}

Region WholeMap(const TileMap& map) { return {0, 0, map.width, map.height}; }

Bytes MapTileBytes(const TileMap& map, const Region& region, int fill) {
    Bytes out;
    if (!InsideMap(map, region)) return out;
    out.reserve(static_cast<std::size_t>(region.width) * region.height);
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        const auto row = map.cells.begin() + static_cast<std::ptrdiff_t>(y) * map.width + region.startX;
        for (auto cell = row; cell != row + region.width; ++cell) {
            out.push_back(*cell < kTileCount ? *cell : static_cast<unsigned char>(fill));
        }
    }
    return out;
}

namespace {

// Each tile's character codes, tileWidth x tileHeight row by row, with fill
// for an empty set cell; element 0 is an empty map cell's.
std::vector<Bytes> TileRows(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, int fill) {
    std::vector<Bytes> tiles(kTileCount + 1, Bytes(static_cast<std::size_t>(map.tileWidth) * map.tileHeight,
                                                   static_cast<unsigned char>(fill)));
    for (int tile = 1; tile <= kTileCount; ++tile) {
        for (int r = 0; r < map.tileHeight; ++r) {
            for (int c = 0; c < map.tileWidth; ++c) {
                const int code = CellOrEmpty(sets[tile].cells[r * 5 + c]);
                if (code != kEmptyCell) tiles[tile][r * map.tileWidth + c] = static_cast<unsigned char>(code);
            }
        }
    }
    return tiles;
}

}  // namespace

Bytes MapCharBytes(const TileMap& map, const Region& region, const std::array<SetRecord, kSetCount + 1>& sets,
                   int fill) {
    Bytes out;
    if (!InsideMap(map, region)) return out;
    const std::vector<Bytes> tiles = TileRows(map, sets, fill);
    const std::size_t tw = map.tileWidth;
    out.resize(static_cast<std::size_t>(region.width) * tw * region.height * map.tileHeight);
    auto to = out.begin();
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        for (int r = 0; r < map.tileHeight; ++r) {
            for (int x = region.startX; x < region.startX + region.width; ++x) {
                const auto from = tiles[map.Tile(x, y)].begin() + static_cast<std::ptrdiff_t>(r * tw);
                to = std::copy(from, from + static_cast<std::ptrdiff_t>(tw), to);
            }
        }
    }
    return out;
}

Bytes TileSetBytes(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, int fill) {
    const std::vector<Bytes> tiles = TileRows(map, sets, fill);
    Bytes out;
    for (int tile = 1; tile <= kTileCount; ++tile) out.insert(out.end(), tiles[tile].begin(), tiles[tile].end());
    return out;
}

Bytes WithSizeHeader(int width, int height, const Bytes& bytes) {
    ByteWriter out;
    out.Reserve(4 + bytes.size());
    out.Byte(width);
    out.Byte(width >> 8);
    out.Byte(height);
    out.Byte(height >> 8);
    out.Write(bytes.data(), bytes.size());
    return out.Take();
}

MapExport ExportMap(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, MapBytes what,
                    const Region& region, int fill, bool header) {
    MapExport out;
    if (what == MapBytes::TileSet) {
        out.bytes = TileSetBytes(map, sets, fill);
        out.rowLength = static_cast<std::size_t>(map.tileWidth * map.tileHeight);
        return out;
    }
    int width = region.width, height = region.height;
    if (what == MapBytes::Chars) {
        out.bytes = MapCharBytes(map, region, sets, fill);
        width *= map.tileWidth;
        height *= map.tileHeight;
    } else {
        out.bytes = MapTileBytes(map, region, fill);
    }
    if (header) out.bytes = WithSizeHeader(width, height, out.bytes);
    out.rowLength = static_cast<std::size_t>(std::min(width, 32));
    return out;
}

int MapCharAt(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, int cx, int cy) {
    if (cx < 0 || cy < 0) return kEmptyCell;
    const int tile = map.Tile(cx / map.tileWidth, cy / map.tileHeight);
    if (tile == 0) return kEmptyCell;
    return CellOrEmpty(sets[tile].cells[(cy % map.tileHeight) * 5 + cx % map.tileWidth]);
}

}  // namespace qm
