#pragma once

// Maps for the Tiled map editor: the screen (or any grid of character codes)
// written as a TMX map with 8 x 8 tiles and a tile set of the font's 256
// characters, and the first tile layer of a TMX map read back as codes.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/short_text.h"

namespace qm {

// A grid of cells row by row: a character code 0 to 255, or -1 for empty.
struct CodeGrid {
    int width = 0;
    int height = 0;
    std::vector<int> cells;
};

// Tile id = code + 1 (the tile set's tile k is character k), 0 for an empty
// cell or anything that is no code. One layer, CSV, naming the tile set file.
std::string WriteTmx(const CodeGrid& grid, const std::string& tilesetFile, const std::string& layerName);
// The same as the bytes of a file.
Bytes WriteTmxBytes(const CodeGrid& grid, const std::string& tilesetFile, const std::string& layerName);

// The text of a code's tile id with its comma ("0," to "256,"), held in four
// bytes that can be copied whole.
using TmxIdText = ShortText<4>;
const TmxIdText& TmxIdOf(int code);

// A layer too large to be held as a grid first (a tile map laid out in
// characters): write lays out its CSV text (every id with its comma, a line
// end after each row) from the pointer it is given, with room for slack bytes
// more, and returns where the text ends; csvLength is that text's exact length.
struct TmxLayer {
    int width = 0;
    int height = 0;
    std::size_t csvLength = 0;
    std::size_t slack = 0;
    std::function<char*(char*)> write;
};
Bytes WriteTmxBytes(const TmxLayer& layer, const std::string& tilesetFile, const std::string& layerName);

// A tile set of 256 tiles of 8 x 8, 32 a row, in the picture file.
std::string WriteTsx(const std::string& name, const std::string& imageFile);

// The side of a tile that is one character, in pixels: the tiles maps are
// written with.
inline constexpr int kTmxCharSide = 8;

// The largest layer read: enough for any map a font's characters make, small
// enough that no file can make the reader take much memory.
inline constexpr long long kTmxMaxCells = 1 << 22;

struct TmxReadResult {
    CodeGrid grid;
    // The size of the map's tiles in pixels as the map gives it; 0 where it
    // gives none (or none that is a number).
    int tileWidth = 0;
    int tileHeight = 0;
    std::string error;  // why the map is refused; empty when read
};

// The first tile layer of the map (looking into groups too): CSV, base64,
// base64 with zlib, or tile elements. Each global id is taken as a local id of
// its tile set (gid - firstgid, the flip bits cleared); 0 is an empty cell.
// Refused with a reason: other orientations, infinite maps, gzip and zstd,
// ids beyond 255, and anything malformed.
TmxReadResult ReadTmx(std::span<const std::uint8_t> file);

// The grid at the top-left of the screen, every other cell empty; the screen
// is left as it was and the reason returned when the grid is larger than the
// screen or holds a code a screen cell cannot.
std::string PlaceOnScreen(const CodeGrid& grid, ViewCells& screen);
CodeGrid ScreenGrid(const ViewCells& screen);

}  // namespace qm
