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
    const std::string stem = TiledStem(tmxPath);
    Bytes picture = EncodePng(RenderFontImage(font, colors, multicolor, 1));
    if (picture.empty()) return {};
    const std::string name = font.fileName.empty() ? "font" : font.fileName;
    // Moved in one by one: a list in braces would copy a large map's text.
    std::vector<OutputFile> files;
    files.reserve(3);
    files.push_back({stem + ".png", std::move(picture)});
    files.push_back({stem + ".tsx", TextBytes(WriteTsx(name, FileNameOf(stem + ".png")))});
    files.push_back({tmxPath, WriteTmxBytes(grid, FileNameOf(stem + ".tsx"), layerName)});
    return files;
}

}  // namespace qm
