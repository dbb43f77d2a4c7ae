// export-region: a rectangle of the view screen as character bitmaps, codes,
// or a map that keeps every cell's place.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "cli/source_output.h"
#include "core/font_format.h"
#include "core/region_map.h"
#include "core/view_format.h"

namespace qm::cli {

namespace {

void Run(const Options& options) {
    if (!options.Has("--region")) throw UsageError("no --region given");
    const std::string text = options.Value("--region");
    const Region region = ParseRegion(text, kViewColumns, kViewRows);
    if (!InsideScreen(region)) throw UsageError("--region " + text + " reaches past the 60 x 40 screen");
    const std::string as = options.Value("--as");
    if (as != "bin" && as != "char" && as != "map") throw UsageError("--as must be bin, char or map");
    if (as != "map" && (options.Has("--fill") || options.Has("--header"))) {
        throw UsageError("--fill and --header apply to --as map");
    }
    const int fill = options.Number("--fill", 0, 255, 0);
    const std::string& output = options.Output();

    const InputFile input = ReadInput(options.Input());
    CheckOutput(output, as == "bin" ? FileKind::Font : FileKind::Other, {{input.path, input.kind}});
    const int slot = SlotOption(input, options);
    ViewCells screen{};
    // A view file carries no font; its bitmaps come from the standard set, as
    // in a fresh editor.
    FontBytes font = DefaultFontData;
    if (input.kind == FileKind::Project) {
        const Document doc = ProjectDocument(input);
        screen = doc.ViewScreen;
        font = PackFont(doc.Slots[slot]);
    } else if (input.kind == FileKind::View) {
        screen = *DecodeViewFile(input.bytes);
    } else {
        throw InputError(input.path, std::string("a project or a view is needed here, this is a ") +
                                         KindName(input.kind) + " file");
    }

    Bytes bytes;
    if (as == "bin") bytes = ScreenRegionBitmaps(screen, region, font);
    else if (as == "char") bytes = ScreenRegionCodes(screen, region);
    else bytes = RegionMapBytes(screen, region, fill, options.Has("--header"));
    // A source line per row of the region, or per character's bitmap.
    const std::size_t perLine = as == "bin" ? 8 : static_cast<std::size_t>(region.width);
    WriteOutput(output, FormattedBytes(bytes, options, as == "map" ? "map" : "view", perLine));
}

}  // namespace

const Command& ExportRegionCommand() {
    static const Command command = {
        "export-region",
        "a rectangle of the view screen as bitmaps, codes or a map",
        "Usage: quillmere-cli export-region IN.proj|IN.ved --region X,Y,W,H --as bin|char|map\n"
        "                                   [--slot N] [--fill B] [--header] [--format F]\n"
        "                                   [--label NAME] [--align] -o OUT\n"
        "Writes the cells of the view screen from column X, row Y, W wide and H high (any\n"
        "part of the 60 x 40 screen), row by row, left to right:\n"
        "  bin   the 8 bitmap bytes of each non-empty cell's character, from slot N's font\n"
        "        (default 1; a .ved uses the standard character set); empty cells are skipped;\n"
        "        an inverse code (128 to 255) gives its character as the font holds it\n"
        "  char  the code of each non-empty cell, bit 7 included; empty cells are skipped\n"
        "  map   one byte for every cell, an empty one written as B (--fill, default 0);\n"
        "        --header puts the width and height first, one byte each\n"
        "bin and char are the bytes of the view editor's export window.\n\n"
        "The bytes are written as they are, or as source text with a line per row of the\n"
        "region (a character's 8 bytes for bin), labelled map (or view for bin and char):\n" +
            std::string(kByteFormatHelp),
        {{"--slot", "--region", "--as", "--fill", "--format", "--label"}, {"--header", "--align"}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
