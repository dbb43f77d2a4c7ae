#include "core/tiled_export.h"

#include <cctype>
#include <utility>

#include "core/font_image.h"
#include "core/image.h"
#include "core/map_export.h"
#include "core/paths.h"

namespace qm {

namespace {

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The ids of one row of a tile, each with its comma: at most five of four
// bytes, copied whole.
using TileRowText = ShortText<kTileMaxSide * TmxIdText::kRoom>;

// Tiles of a size and the cells the map's size says: what MapLayer reads.
bool WellFormed(const TileMap& map) {
    return IsTileSide(map.tileWidth) && IsTileSide(map.tileHeight) && map.width >= 0 && map.height >= 0 &&
           map.cells.size() == static_cast<std::size_t>(map.width) * static_cast<std::size_t>(map.height);
}

// The map laid out in characters as a layer written a row of tiles at a time
// from each tile's rows of ids, without a grid of a million codes between.
TmxLayer MapLayer(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets) {
    const std::size_t tw = map.tileWidth, th = map.tileHeight;
    const std::vector<int> codes = TileCharCodes(map, sets);
    // [row of a tile][value of a map cell]
    std::vector<std::array<TileRowText, 256>> rows(th);
    std::array<std::size_t, 256> cellLength{};
    for (std::size_t r = 0; r < th; ++r) {
        for (std::size_t cell = 0; cell < 256; ++cell) {
            TileRowText& row = rows[r][cell];
            const int* code = codes.data() + (static_cast<std::size_t>(CellTile(static_cast<int>(cell))) * th + r) * tw;
            for (std::size_t c = 0; c < tw; ++c) row.Append(TmxIdOf(code[c]).View());
            cellLength[cell] += row.length;
        }
    }
    std::size_t length = static_cast<std::size_t>(map.height) * th;
    for (std::uint8_t cell : map.cells) length += cellLength[cell];
    const int width = map.width, height = map.height;
    const std::uint8_t* cells = map.cells.data();
    return {width * map.tileWidth, height * map.tileHeight, length, TileRowText::kRoom,
            [rows = std::move(rows), cells, width, height](char* to) {
                for (int y = 0; y < height; ++y) {
                    for (const auto& row : rows) {
                        const std::uint8_t* cell = cells + static_cast<std::size_t>(y) * width;
                        for (int x = 0; x < width; ++x) to = row[cell[x]].CopyTo(to);
                        *to++ = '\n';
                    }
                }
                return to;
            }};
}

template <typename Layer>
std::vector<OutputFile> TiledFiles(const Layer& layer, const FontSlot& font, const RegisterColors& colors,
                                   bool multicolor, const std::string& tmxPath, const std::string& layerName) {
    const std::string stem = TiledStem(tmxPath);
    Bytes picture = EncodePng(RenderFontImage(font, colors, multicolor, 1));
    if (picture.empty()) return {};
    const std::string name = font.fileName.empty() ? "font" : font.fileName;
    // Moved in one by one: a list in braces would copy a large map's text.
    std::vector<OutputFile> files;
    files.reserve(3);
    files.push_back({stem + ".png", std::move(picture)});
    files.push_back({stem + ".tsx", TextBytes(WriteTsx(name, FileNameOf(stem + ".png")))});
    files.push_back({tmxPath, WriteTmxBytes(layer, FileNameOf(stem + ".tsx"), layerName)});
    return files;
}

}  // namespace

CodeGrid MapGrid(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets) {
    return {map.width * map.tileWidth, map.height * map.tileHeight, MapCharCodes(map, WholeMap(map), sets)};
}

std::string TiledStem(const std::string& tmxPath) {
    std::string ext = tmxPath.size() >= 4 ? tmxPath.substr(tmxPath.size() - 4) : "";
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".tmx" ? tmxPath.substr(0, tmxPath.size() - 4) : tmxPath;
}

std::vector<OutputFile> TiledExportFiles(const CodeGrid& grid, const FontSlot& font, const RegisterColors& colors,
                                         bool multicolor, const std::string& tmxPath, const std::string& layerName) {
    return TiledFiles(grid, font, colors, multicolor, tmxPath, layerName);
}

std::vector<OutputFile> TiledMapExportFiles(const TileMap& map, const std::array<SetRecord, kSetCount + 1>& sets,
                                            const FontSlot& font, const RegisterColors& colors, bool multicolor,
                                            const std::string& tmxPath) {
    if (!WellFormed(map)) return {};
    return TiledFiles(MapLayer(map, sets), font, colors, multicolor, tmxPath, "Map");
}

}  // namespace qm
