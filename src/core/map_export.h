#pragma once

// The bytes a game takes from a map: its tiles, the map laid out in
// characters, and the tile set itself.

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

// A rectangle of map cells that lies wholly on the map.
bool InsideMap(const TileMap& map, const Region& region);
Region WholeMap(const TileMap& map);

// One byte per map cell of the region, row by row: the tile number - 1, or
// fill for an empty cell.
Bytes MapTileBytes(const TileMap& map, const Region& region, int fill);
// The region laid out in characters, (width * tileWidth) x (height *
// tileHeight) bytes row by row: each character cell's code, or fill where the
// map cell or the tile's set cell is empty.
Bytes MapCharBytes(const TileMap& map, const Region& region, const std::array<SetRecord, kSetCount + 1>& sets,
                   int fill);
// The same as character codes, kEmptyCell where empty.
std::vector<int> MapCharCodes(const TileMap& map, const Region& region,
                              const std::array<SetRecord, kSetCount + 1>& sets);
// The tile a map cell's value stands for: 1 to 100, or 0 for an empty cell
// (255) or a value no tile has.
inline int CellTile(int cell) { return cell >= 0 && cell < kTileCount ? cell + 1 : 0; }
// For tile 0 (an empty map cell) to 100, its tileWidth x tileHeight character
// codes row by row, kEmptyCell where empty.
std::vector<int> TileCharCodes(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets);
// For tile 1 to 100, its tileWidth x tileHeight character codes row by row;
// fill for an empty set cell.
Bytes TileSetBytes(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, int fill);
// The width and height of what follows as two 16-bit little-endian words.
Bytes WithSizeHeader(int width, int height, const Bytes& bytes);

// What an export of the map writes, the same from the tool and the window:
// the region's tiles or characters, or the tile set, with the header when
// asked (not for the tile set). rowLength: the bytes of one row of what was
// exported, for source text a row a line (at most 32).
enum class MapBytes { Tiles, Chars, TileSet };
struct MapExport {
    Bytes bytes;
    std::size_t rowLength = 1;
};
MapExport ExportMap(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, MapBytes what,
                    const Region& region, int fill, bool header);

// The character cell (cx, cy) of the map laid out in characters: a code, or
// -1 where the map cell or the set cell is empty.
int MapCharAt(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets, int cx, int cy);

}  // namespace qm
