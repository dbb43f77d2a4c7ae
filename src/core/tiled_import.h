#pragma once

// A map from the Tiled map editor taken into the document: its first tile
// layer onto the view screen or onto the tile map. The editor and the tool
// both take maps this way.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/document.h"
#include "core/tmx_format.h"

namespace qm {

enum class TiledTarget { Screen, Map };

// Reads the map and puts its first tile layer where asked. When the map
// cannot be taken the document is left as it was and the reason returned;
// otherwise the result is empty and only the target has changed.
std::string ImportTiledMap(std::span<const std::uint8_t> file, TiledTarget target, Document& doc);

// The layer as the tile map, keeping the map's tile size; the map is left as
// it was and the reason returned when the layer cannot be taken.
// A map of 8 x 8 pixel tiles (or of no stated size) is a map of characters,
// as the screen and the map are written: each block of tileWidth x
// tileHeight characters becomes the tile whose top-left set cells show them
// (the lowest such tile), a block of empty cells an empty map cell. A map of
// larger tiles is a map of tiles: its tile id k is tile k + 1.
std::string PlaceOnMap(const TmxReadResult& read, const std::array<SetRecord, kSetCount + 1>& sets, TileMap& map);

}  // namespace qm
