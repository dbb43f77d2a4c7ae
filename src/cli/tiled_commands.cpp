// export-tmx and import-tmx: the view screen to and from the Tiled map editor.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/file_io.h"
#include "core/tiled_export.h"
#include "core/tiled_import.h"
#include "core/tmx_format.h"
#include "core/view_format.h"

namespace qm::cli {

namespace {

// Maps written by hand or by Tiled stay far below this; a larger file is not
// read at all.
constexpr std::size_t kTmxReadLimit = 64u << 20;

// Whether --source (or --to) names the tile map rather than the screen.
bool NamesMap(const Options& options, const char* option) {
    const std::string place = options.Value(option, "screen");
    if (place != "screen" && place != "map") throw UsageError(std::string(option) + " takes screen or map, not " + place);
    return place == "map";
}

void RunExport(const Options& options) {
    const bool fromMap = NamesMap(options, "--source");
    const std::string& output = options.Output();
    if (output == "-" || TiledStem(output) == output) throw UsageError("the output must be a file ending in .tmx");
    const InputFile input = ReadInput(options.Input());
    const int slot = SlotOption(input, options);
    FontSlot font;
    RegisterColors colors = kDefaultRegisterRgb;
    ViewCells screen{};
    const bool multicolour = options.Has("--multicolour") || options.Has("--multicolor");
    std::vector<OutputFile> files;
    if (input.kind == FileKind::Project) {
        const Document doc = ProjectDocument(input);
        font = doc.Slots[slot];
        colors = font.colors;
        screen = doc.ViewScreen;
        if (fromMap && !doc.Map.InUse()) throw InputError(input.path, "the project has no tile map");
        if (fromMap) files = TiledMapExportFiles(doc.Map, doc.SetTable, font, colors, multicolour, output);
    } else if (input.kind == FileKind::View && !fromMap) {
        // A view file carries no font: the standard set, as in a fresh editor.
        UnpackFont(DefaultFontData, font);
        screen = *DecodeViewFile(input.bytes);
    } else {
        throw InputError(input.path, std::string("a project or a view is needed here, this is a ") +
                                         KindName(input.kind) + " file");
    }
    if (!fromMap) files = TiledExportFiles(ScreenGrid(screen), font, colors, multicolour, output, "Screen");
    if (files.empty()) throw InputError(output, "the tile set's picture could not be encoded");
    WriteOutputs(files);
}

void RunImport(const Options& options) {
    const TiledTarget target = NamesMap(options, "--to") ? TiledTarget::Map : TiledTarget::Screen;
    const std::string& output = options.Output();
    if (output == "-") throw UsageError("the output must be a .proj file");
    Document doc;
    ResetDocument(doc);
    if (options.Has("--into")) doc = ProjectDocument(ReadInput(options.Value("--into")));

    Bytes file;
    if (!ReadWholeFile(options.Input(), file, kTmxReadLimit)) throw InputError(options.Input(), "cannot be read");
    const std::string refusal = ImportTiledMap(file, target, doc);
    if (!refusal.empty()) throw InputError(options.Input(), refusal);
    WriteOutput(output, WriteProject(ProjectOf(doc)));
}

}  // namespace

const Command& ExportTmxCommand() {
    static const Command command = {
        "export-tmx",
        "the view screen as a Tiled map, with its tile set and the font's picture",
        "Usage: quillmere-cli export-tmx IN.proj|IN.ved [--slot N] [--source screen|map]\n"
        "                                [--multicolour] -o OUT.tmx\n"
        "Writes the view screen as a map for the Tiled map editor: OUT.tmx (orthogonal,\n"
        "8 x 8 tiles, one layer in CSV, tile id = character code + 1, 0 for an empty cell),\n"
        "its tile set OUT.tsx and OUT.png, the 256 characters of slot N's font (default 1;\n"
        "a .ved uses the standard set) drawn as export-image draws them, normal above\n"
        "inverse, in the slot's colours. --source map writes a project's tile map instead,\n"
        "laid out in characters as export-map --as chars lays it out. When one of the\n"
        "three files cannot be written, none of them is changed.\n\n"
        "  --multicolour  draw the tile set in the multicolour view\n",
        {{"--slot", "--source"}, {"--multicolour", "--multicolor"}},
        RunExport,
    };
    return command;
}

const Command& ImportTmxCommand() {
    static const Command command = {
        "import-tmx",
        "the first tile layer of a Tiled map onto the view screen or the tile map",
        "Usage: quillmere-cli import-tmx IN.tmx [--into IN.proj] [--to screen|map]\n"
        "                                -o OUT.proj\n"
        "Puts the first tile layer of a Tiled map on the view screen (at most 60 x 40)\n"
        "from its top-left corner; the rest of the screen is emptied. Layers in CSV or\n"
        "base64, uncompressed or zlib, are read; gzip and zstd are refused. A tile id\n"
        "counts from its tile set's first id (the flip bits cleared) and is the cell's\n"
        "character; 0 is an empty cell.\n"
        "--to map makes the layer the project's tile map instead, keeping its tile size.\n"
        "A map of 8 x 8 tiles is a map of characters, as export-tmx writes it: each block\n"
        "of the tile size becomes the tile whose set cells show those characters (the\n"
        "lowest such tile), and blocks of empty cells empty map cells; the map's size is\n"
        "the layer's divided by the tile size. In a map of larger tiles each tile id is a\n"
        "tile, id k tile k + 1, and the map is the layer's size. At most 1024 x 1024\n"
        "tiles and tiles 1 to 100; everything else of the project stays as it was.\n\n"
        "  --into IN.proj  change this project (default: a new project)\n"
        "  --to map        onto the tile map rather than the view screen\n",
        {{"--into", "--to"}, {}},
        RunImport,
    };
    return command;
}

}  // namespace qm::cli
