// export-map, export-tiles and import-map: a project's map of tiles for a
// game, and a map made elsewhere into a project.

#include <utility>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "cli/source_output.h"
#include "core/file_io.h"
#include "core/map_export.h"
#include "core/project_format.h"
#include "core/tile_map_format.h"

namespace qm::cli {

namespace {

// The longest map file: a header and 1024 x 1024 cells; one byte more tells
// that a file is longer still.
constexpr std::size_t kMapFileLimit = 4 + std::size_t{kMapMaxSide} * kMapMaxSide + 1;

Document MapDocument(const InputFile& input) {
    const Document doc = ProjectDocument(input);
    if (!doc.Map.InUse()) throw InputError(input.path, "the project has no map");
    return doc;
}

void RunExportMap(const Options& options) {
    const std::string as = options.Value("--as");
    if (as != "tiles" && as != "chars") throw UsageError("--as must be tiles or chars");
    const int fill = options.Number("--fill", 0, 255, as == "tiles" ? kNoTile : 0);
    const std::string& output = options.Output();
    const Document doc = MapDocument(ReadInput(options.Input()));
    const TileMap& map = doc.Map;

    Region region = WholeMap(map);
    if (options.Has("--region")) {
        const std::string text = options.Value("--region");
        region = ParseRegion(text, kMapMaxSide, kMapMaxSide);
        if (!InsideMap(map, region)) {
            throw UsageError("--region " + text + " is not a rectangle of at least one cell on the " +
                             std::to_string(map.width) + " x " + std::to_string(map.height) + " map");
        }
    }
    MapExport out = ExportMap(map, doc.SetTable, as == "tiles" ? MapBytes::Tiles : MapBytes::Chars, region, fill,
                              options.Has("--header"));
    WriteOutput(output, FormattedBytes(std::move(out.bytes), options, "map", out.rowLength));
}

void RunExportTiles(const Options& options) {
    const int fill = options.Number("--fill", 0, 255, 0);
    const std::string& output = options.Output();
    const Document doc = MapDocument(ReadInput(options.Input()));
    const MapExport out = ExportMap(doc.Map, doc.SetTable, MapBytes::TileSet, WholeMap(doc.Map), fill, false);
    WriteOutput(output, FormattedBytes(out.bytes, options, "tiles", out.rowLength));
}

int TileSide(const std::string& text, std::size_t from, std::size_t to) {
    return ParseNumber(text.substr(from, to - from), 1, kTileMaxSide, "--tile");
}

void ParseTileSize(const std::string& text, MapFileLayout& layout) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) throw UsageError("--tile must be WxH, e.g. 2x2, not '" + text + "'");
    layout.tileWidth = TileSide(text, 0, x);
    layout.tileHeight = TileSide(text, x + 1, text.size());
}

void RunImportMap(const Options& options) {
    MapFileLayout layout;
    layout.header = options.Has("--header");
    if (!layout.header && !options.Has("--width")) throw UsageError("no --width given (or --header)");
    layout.width = options.Number("--width", 1, kMapMaxSide, 0);
    if (options.Has("--tile")) ParseTileSize(options.Value("--tile"), layout);
    const std::string& output = options.Output();
    const std::string& path = options.Input();

    Document doc;
    ResetDocument(doc);
    if (options.Has("--into")) doc = ProjectDocument(ReadInput(options.Value("--into")));
    Bytes file;
    if (!ReadWholeFile(path, file, kMapFileLimit)) throw InputError(path, "it cannot be read");
    if (file.size() >= kMapFileLimit) throw InputError(path, "it is longer than the largest map, 1024 x 1024 cells");
    std::string reason;
    std::optional<TileMap> map = ReadMapFile(file, layout, reason);
    if (!map) throw InputError(path, reason);
    doc.Map = std::move(*map);
    WriteOutput(output, WriteProject(ProjectOf(doc)));
}

}  // namespace

const Command& ExportMapCommand() {
    static const Command command = {
        "export-map",
        "the map of a project as tile numbers or as characters",
        std::string("Usage: quillmere-cli export-map IN.proj --as tiles|chars [--region X,Y,W,H] [--fill B]\n"
                    "                                [--header] [--format F] [--label NAME] -o OUT\n"
                    "Writes the map's cells from column X, row Y, W wide and H high (default the\n"
                    "whole map), row by row, left to right:\n"
                    "  tiles  one byte per map cell, the tile number - 1; an empty cell as B (--fill,\n"
                    "         default 255)\n"
                    "  chars  the map laid out in characters, each tile's cells from its set, so\n"
                    "         (W x tile width) x (H x tile height) bytes; an empty map cell or set\n"
                    "         cell as B (default 0)\n"
                    "  --header  first the width and height of what follows, two 16-bit\n"
                    "            little-endian words\n") +
            kByteFormatHelp + "               (default map)\n",
        {{"--as", "--region", "--fill", "--format", "--label"}, {"--header"}},
        RunExportMap,
    };
    return command;
}

const Command& ExportTilesCommand() {
    static const Command command = {
        "export-tiles",
        "the tile set of a project's map: each tile's character codes",
        std::string("Usage: quillmere-cli export-tiles IN.proj [--fill B] [--format F] [--label NAME] -o OUT\n"
                    "Writes for tile 1 to 100 its tile width x tile height character codes, row by\n"
                    "row: the top-left cells of sets 1 to 100. An empty set cell as B (--fill,\n"
                    "default 0), as export-map --as chars writes it.\n") +
            kByteFormatHelp + "               (default tiles)\n",
        {{"--fill", "--format", "--label"}, {}},
        RunExportTiles,
    };
    return command;
}

const Command& ImportMapCommand() {
    static const Command command = {
        "import-map",
        "a map made elsewhere into a project",
        "Usage: quillmere-cli import-map MAP.bin --width N [--tile WxH] [--header] [--into IN.proj]\n"
        "                                -o OUT.proj\n"
        "Reads a map of one byte per cell (the tile number - 1, 255 for an empty cell),\n"
        "N cells a row, 1 to 1024 rows, and writes it with tiles of W x H characters\n"
        "(1 to 5 each, default 2x2) into the project IN.proj, or into a new project.\n"
        "  --header  the file starts with its width and height, two 16-bit little-endian\n"
        "            words, as export-map --header writes them; --width may then be left out\n"
        "A file whose length is not whole rows, or holding a byte that is no tile, is\n"
        "refused with the reason.\n",
        {{"--width", "--tile", "--into"}, {"--header"}},
        RunImportMap,
    };
    return command;
}

}  // namespace qm::cli
