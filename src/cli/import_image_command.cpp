// import-image: a picture cut into the characters of a font, with its map.

#include <cctype>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/file_io.h"
#include "core/font_format.h"
#include "core/picture_import.h"
#include "core/project_format.h"

namespace qm::cli {

namespace {

// The largest picture file read: a 32-bit bitmap of 60 x 40 cells at scale 4
// is under 10 MB; a PNG may be stored uncompressed.
constexpr std::size_t kPictureReadLimit = 64u << 20;

bool EndsWith(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i]) return false;
    }
    return true;
}

PictureImportOptions ImportOptions(const Options& options) {
    PictureImportOptions o;
    o.multicolour = options.Has("--multicolour") || options.Has("--multicolor");
    o.scale = options.Number("--scale", 1, kMaxImportScale, 1);
    o.firstChar = options.Number("--first", 0, kCharCount - 1, 0);
    o.keepDuplicates = options.Has("--keep-duplicates");
    o.reduce = options.Has("--reduce");
    const std::string colours = options.Value("--colours", options.Value("--colors", "registers"));
    if (colours == "picture") {
        o.colours = ImportColours::Picture;
    } else if (colours != "registers") {
        throw UsageError("--colours takes registers or picture, not " + colours);
    }
    return o;
}

void Run(const Options& options) {
    const PictureImportOptions o = ImportOptions(options);
    const std::string& output = options.Output();
    const bool project = EndsWith(output, ".proj");
    if (!project && !EndsWith(output, ".fnt") && output != "-") throw UsageError("the output must end in .proj or .fnt: " + output);
    if (options.Has("--into") && !project) throw UsageError("--into needs a .proj output");

    Document doc;
    ResetDocument(doc);
    if (options.Has("--into")) doc = ProjectDocument(ReadInput(options.Value("--into")));

    Bytes file;
    if (!ReadWholeFile(options.Input(), file, kPictureReadLimit)) throw InputError(options.Input(), "cannot be read");
    const PictureFile picture = ReadPictureFile(file, o.scale);
    if (!picture.error.empty()) throw InputError(options.Input(), picture.error);
    const PictureImportPlan plan = PlanPictureImport(picture.image, doc, o);
    const ImportOutcome outcome = ApplyPictureImport(doc, 1, plan, o);
    if (!outcome.changed) throw InputError(options.Input(), outcome.message);

    WriteOutput(output, project ? WriteProject(ProjectOf(doc)) : WriteFontBytes(PackFont(doc.Slots[1])));
    if (options.Has("--map")) {
        Bytes map;
        for (int index : plan.map) map.push_back(static_cast<unsigned char>(o.firstChar + index));
        WriteOutput(options.Value("--map"), map);
    }
    if (output != "-") WriteText("-", outcome.message + "\n");
}

}  // namespace

const Command& ImportImageCommand() {
    static const Command command = {
        "import-image",
        "a PNG or BMP picture cut into characters",
        "Usage: quillmere-cli import-image IN.png|IN.bmp [--multicolour] [--scale N] [--first C]\n"
        "         [--keep-duplicates] [--reduce] [--colours registers|picture] [--into IN.proj]\n"
        "         -o OUT.proj|OUT.fnt [--map OUT.map]\n"
        "Cuts the picture into 8 x 8 cells (times the scale, 1 to 4, default 1; at most 60 x 40\n"
        "cells) and puts each different cell as a character into the font from character C\n"
        "(default 0). The picture of a font as export-image writes it comes back as that font.\n\n"
        "  --multicolour      pixel pairs become BAK, PF0, PF1 or PF2; else pixels nearer LUM\n"
        "                     than BAK are set\n"
        "  --keep-duplicates  one character for every cell, alike or not\n"
        "  --reduce           when the characters do not fit before 127, merge the most\n"
        "                     alike until they do (else nothing is written)\n"
        "  --colours          compare with the registers as they are (default) or with the\n"
        "                     picture's most frequent colours, setting the registers to them\n"
        "  --into IN.proj     change slot 1 of this project (default: a new project)\n"
        "  -o OUT             a .fnt font, or a .proj project (slot 1 changed)\n"
        "  --map OUT.map      the character of each cell, one byte a cell, row by row\n",
        {{"--scale", "--first", "--colours", "--colors", "--into", "--map"},
         {"--multicolour", "--multicolor", "--keep-duplicates", "--reduce"}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
