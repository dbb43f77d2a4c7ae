#include "core/tile_map_format.h"

#include <algorithm>
#include <cstring>

namespace qm {

namespace {

constexpr std::size_t kBlockHead = 6;
constexpr std::size_t kFileHead = 4;

int Word(std::span<const unsigned char> bytes, std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); }

std::string Text(std::size_t n) { return std::to_string(n); }

}  // namespace

Bytes EncodeMapBlock(const TileMap& map) {
    ByteWriter out;
    out.Reserve(kBlockHead + map.cells.size());
    out.Byte(map.width);
    out.Byte(map.width >> 8);
    out.Byte(map.height);
    out.Byte(map.height >> 8);
    out.Byte(map.tileWidth);
    out.Byte(map.tileHeight);
    out.Write(map.cells.data(), map.cells.size());
    return out.Take();
}

namespace {

// Sixteen cells at a time, as one vector: a large map's cells are read on
// every export. A cell that holds no tile becomes kNoTile, all bits set.
void EmptyCellsOutOfRange(std::vector<std::uint8_t>& cells) {
    using Lanes = std::uint8_t __attribute__((vector_size(16)));
    static_assert(kNoTile == 0xFF);
    std::size_t at = 0;
    for (; at + sizeof(Lanes) <= cells.size(); at += sizeof(Lanes)) {
        Lanes lanes;
        std::memcpy(&lanes, cells.data() + at, sizeof lanes);
        lanes |= (Lanes)(lanes >= kTileCount);
        std::memcpy(cells.data() + at, &lanes, sizeof lanes);
    }
    for (; at < cells.size(); ++at) cells[at] = cells[at] < kTileCount ? cells[at] : kNoTile;
}

}  // namespace

bool IsMapBlock(std::span<const unsigned char> block) {
    if (block.size() < kBlockHead) return false;
    const int width = Word(block, 0), height = Word(block, 2);
    return IsMapSide(width) && IsMapSide(height) && IsTileSide(block[4]) && IsTileSide(block[5]) &&
           block.size() - kBlockHead == static_cast<std::size_t>(width) * height;
}

std::optional<TileMap> DecodeMapBlock(std::span<const unsigned char> block) {
    if (!IsMapBlock(block)) return std::nullopt;
    TileMap map;
    map.width = Word(block, 0);
    map.height = Word(block, 2);
    map.tileWidth = block[4];
    map.tileHeight = block[5];
    map.cells.assign(block.begin() + kBlockHead, block.end());
    EmptyCellsOutOfRange(map.cells);
    return map;
}

std::optional<TileMap> ReadMapFile(std::span<const unsigned char> file, const MapFileLayout& layout,
                                   std::string& reason) {
    if (!IsTileSide(layout.tileWidth) || !IsTileSide(layout.tileHeight)) {
        reason = "a tile is 1 to 5 characters wide and high";
        return std::nullopt;
    }
    int width = layout.width;
    std::size_t head = 0;
    int headerHeight = 0;
    if (layout.header) {
        if (file.size() < kFileHead) {
            reason = "it is too short to hold the width and height";
            return std::nullopt;
        }
        head = kFileHead;
        if (width != 0 && width != Word(file, 0)) {
            reason = "its header gives the width " + std::to_string(Word(file, 0)) + ", not " + std::to_string(width);
            return std::nullopt;
        }
        width = Word(file, 0);
        headerHeight = Word(file, 2);
    }
    if (!IsMapSide(width)) {
        reason = "a map is 1 to 1024 cells wide, not " + std::to_string(width);
        return std::nullopt;
    }
    const std::size_t cells = file.size() - head;
    if (cells == 0 || cells % static_cast<std::size_t>(width) != 0) {
        reason = Text(cells) + " cells do not make whole rows of " + std::to_string(width);
        return std::nullopt;
    }
    const std::size_t height = cells / static_cast<std::size_t>(width);
    if (layout.header && height != static_cast<std::size_t>(headerHeight)) {
        reason = "its header gives " + std::to_string(headerHeight) + " rows, the file holds " + Text(height);
        return std::nullopt;
    }
    if (height > static_cast<std::size_t>(kMapMaxSide)) {
        reason = "a map is at most 1024 rows high, this one " + Text(height);
        return std::nullopt;
    }
    const auto body = file.subspan(head);
    const auto bad = std::find_if(body.begin(), body.end(), [](unsigned char b) { return b >= kTileCount && b != kNoTile; });
    if (bad != body.end()) {
        reason = "byte " + Text(static_cast<std::size_t>(bad - body.begin()) + head) + " is " + std::to_string(*bad) +
                 ", which is no tile (0 to 99, or 255 for an empty cell)";
        return std::nullopt;
    }
    TileMap map;
    map.width = width;
    map.height = static_cast<int>(height);
    map.tileWidth = layout.tileWidth;
    map.tileHeight = layout.tileHeight;
    map.cells.assign(body.begin(), body.end());
    return map;
}

}  // namespace qm
