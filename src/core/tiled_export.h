#pragma once

// The three files that carry the screen (or a map) to the Tiled map editor:
// the map, its tile set and the tile set's picture of the font, side by side.

#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/file_io.h"
#include "core/tmx_format.h"

namespace qm {

// For OUT.tmx: OUT.png (the font's 256 characters as the picture export draws
// them at scale 1, in the given colours), OUT.tsx and OUT.tmx, in this order,
// so that putting them in place in turn never leaves a map naming a missing
// file (SaveFilesSafely). The files name each other without folders. Empty
// when the picture cannot be encoded.
std::vector<OutputFile> TiledExportFiles(const CodeGrid& grid, const FontSlot& font, const RegisterColors& colors,
                                         bool multicolor, const std::string& tmxPath, const std::string& layerName);

// The same for the tile map laid out in characters, in a layer named "Map";
// empty too for a malformed map (tiles of no size, cells not its size).
std::vector<OutputFile> TiledMapExportFiles(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets,
                                            const FontSlot& font, const RegisterColors& colors, bool multicolor,
                                            const std::string& tmxPath);

// The tile map laid out in characters, as the map's export lays it out.
CodeGrid MapGrid(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets);

// The path without a final ".tmx" (any case), to which the other files'
// extensions are added.
std::string TiledStem(const std::string& tmxPath);

}  // namespace qm
