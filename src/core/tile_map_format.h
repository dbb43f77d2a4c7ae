#pragma once

// The map in files: the block a project keeps it in, and the plain map files
// of other tools, one byte per cell.

#include <optional>
#include <span>
#include <string>

#include "core/byte_stream.h"
#include "core/tile_map.h"

namespace qm {

// The tag of the project's block that holds the map.
inline constexpr char kMapBlockTag[] = "TMAP";

// Width and height as 16-bit little-endian words, the tile's width and height
// one byte each, then the cells row by row (the tile number - 1, 255 empty).
Bytes EncodeMapBlock(const TileMap& map);
// Whether the block is a whole map of a size the editor allows.
bool IsMapBlock(std::span<const unsigned char> block);
// Nothing when it is not. A cell that is no tile reads as empty.
std::optional<TileMap> DecodeMapBlock(std::span<const unsigned char> block);

// A map file made elsewhere: one byte per cell, the tile number - 1 or 255
// for empty, width cells a row; with header, the width and height come first
// as two 16-bit little-endian words and width is taken from there (a width
// given as well must agree). Nothing, with the reason, when the file does not
// fit or holds a byte that is no tile.
struct MapFileLayout {
    int width = 0;  // 0: from the header
    bool header = false;
    int tileWidth = kDefaultTileSide;
    int tileHeight = kDefaultTileSide;
};
std::optional<TileMap> ReadMapFile(std::span<const unsigned char> file, const MapFileLayout& layout,
                                   std::string& reason);

}  // namespace qm
