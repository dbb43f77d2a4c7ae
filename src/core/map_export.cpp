#include "core/map_export.h"

#include <algorithm>
#include <cstring>

namespace qm {

bool InsideMap(const TileMap& map, const Region& region) {
    return region.startX >= 0 && region.startY >= 0 && region.width >= 1 && region.height >= 1 &&
           region.width <= map.width - region.startX && region.height <= map.height - region.startY;
}

Region WholeMap(const TileMap& map) { return {0, 0, map.width, map.height}; }

Bytes MapTileBytes(const TileMap& map, const Region& region, int fill) {
    if (!InsideMap(map, region)) return {};
    const auto width = static_cast<std::size_t>(region.width);
    Bytes out(width * static_cast<std::size_t>(region.height));
    auto to = out.begin();
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        const auto row = map.cells.begin() + static_cast<std::ptrdiff_t>(y) * map.width + region.startX;
        // A select rather than a branch a cell, which the compiler does many at a time.
        to = std::transform(row, row + region.width, to, [fill = static_cast<unsigned char>(fill)](unsigned char cell) {
            return cell < kTileCount ? cell : fill;
        });
    }
    return out;
}

namespace {

// Every tile's character codes, tileWidth x tileHeight row by row, one tile
// after another from tile 0, an empty map cell's; empty stands for an empty
// set cell.
template <typename Code>
std::vector<Code> TileCodes(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, Code empty) {
    const std::size_t tw = map.tileWidth, th = map.tileHeight;
    std::vector<Code> codes((kTileCount + 1) * tw * th, empty);
    for (std::size_t tile = 1; tile <= kTileCount; ++tile) {
        for (std::size_t r = 0; r < th; ++r) {
            for (std::size_t c = 0; c < tw; ++c) {
                const int code = CellOrEmpty(sets[tile].cells[r * kTileMaxSide + c]);
                if (code != kEmptyCell) codes[(tile * th + r) * tw + c] = static_cast<Code>(code);
            }
        }
    }
    return codes;
}

// For each value a map cell can hold, where one row of its tile's codes starts.
template <typename Code>
using TileRowStarts = std::array<const Code*, 256>;

// One row of characters: a row of tiles, one row of each, copied a fixed
// width at a time so that copying a few codes is no call.
template <typename Code, std::size_t Width>
Code* CopyTileRow(const std::uint8_t* cells, int count, const TileRowStarts<Code>& rows, Code* to) {
    for (int x = 0; x < count; ++x, to += Width) std::memcpy(to, rows[cells[x]], Width * sizeof(Code));
    return to;
}

template <typename Code>
std::vector<Code> LayOutTiles(const TileMap& map, const Region& region, const std::vector<Code>& tiles) {
    if (!InsideMap(map, region) || !IsTileSide(map.tileWidth) || !IsTileSide(map.tileHeight)) return {};
    const std::size_t tw = map.tileWidth, th = map.tileHeight;
    std::vector<TileRowStarts<Code>> rowStarts(th);
    for (std::size_t r = 0; r < th; ++r) {
        for (std::size_t cell = 0; cell < 256; ++cell) {
            const auto tile = static_cast<std::size_t>(CellTile(static_cast<int>(cell)));
            rowStarts[r][cell] = tiles.data() + (tile * th + r) * tw;
        }
    }
    using Copy = Code* (*)(const std::uint8_t*, int, const TileRowStarts<Code>&, Code*);
    constexpr std::array<Copy, kTileMaxSide> kCopies = {CopyTileRow<Code, 1>, CopyTileRow<Code, 2>,
                                                        CopyTileRow<Code, 3>, CopyTileRow<Code, 4>,
                                                        CopyTileRow<Code, 5>};
    std::vector<Code> out(static_cast<std::size_t>(region.width) * tw * region.height * th);
    Code* to = out.data();
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        const std::uint8_t* cells = map.cells.data() + static_cast<std::size_t>(y) * map.width + region.startX;
        for (const auto& rows : rowStarts) to = kCopies[tw - 1](cells, region.width, rows, to);
    }
    return out;
}

}  // namespace

Bytes MapCharBytes(const TileMap& map, const Region& region, const std::array<SetRecord, kSetCount + 1>& sets,
                   int fill) {
    return LayOutTiles(map, region, TileCodes(map, sets, static_cast<unsigned char>(fill)));
}

std::vector<int> TileCharCodes(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets) {
    return TileCodes(map, sets, kEmptyCell);
}

std::vector<int> MapCharCodes(const TileMap& map, const Region& region,
                              const std::array<SetRecord, kSetCount + 1>& sets) {
    return LayOutTiles(map, region, TileCodes(map, sets, kEmptyCell));
}

Bytes TileSetBytes(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, int fill) {
    Bytes codes = TileCodes(map, sets, static_cast<unsigned char>(fill));
    codes.erase(codes.begin(), codes.begin() + map.tileWidth * map.tileHeight);
    return codes;
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
