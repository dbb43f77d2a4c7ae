// import-image: a picture cut into the characters of a font, with its map.

#include <array>
#include <cctype>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/file_io.h"
#include "core/font_format.h"
#include "core/image.h"
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
    if (options.Has("--colours") && options.Has("--colors")) throw UsageError("give --colours or --colors, not both");
    const std::string colours = options.Value("--colours", options.Value("--colors", "registers"));
    if (colours == "picture") {
        o.colours = ImportColours::Picture;
    } else if (colours != "registers") {
        throw UsageError("--colours takes registers or picture, not " + colours);
    }
    o.placeOnView = options.Has("--screen");
    o.placeInSets = options.Has("--sets");
    o.firstSet = options.Number("--sets", 1, kSetCount, 1);
    return o;
}

// Imports into slot as the editor does with that slot current: the picture is
// compared with the slot's own colours, and colours taken from the picture
// become the slot's. A project file's registers are those of slot 1, so they
// change only with it.
ImportOutcome ImportIntoSlot(Document& doc, int slot, const Image& picture, const PictureImportOptions& o,
                             PictureImportPlan& plan) {
    const RegisterColors registerRgb = doc.RegisterRgb;
    const std::array<int, 7> registerValue = doc.RegisterValue;
    doc.RegisterRgb = doc.Slots[slot].colors;
    MatchRegisterValues(doc);
    plan = PlanPictureImport(picture, doc, o);
    const ImportOutcome outcome = ApplyPictureImport(doc, slot, plan, o);
    if (slot != 1) {
        doc.RegisterRgb = registerRgb;
        doc.RegisterValue = registerValue;
    }
    return outcome;
}

// Cells that find no set after set 100 would be lost: the run is refused.
void CheckSetsFit(const std::string& picture, const PictureImportPlan& plan, const PictureImportOptions& o) {
    if (!o.placeInSets) return;
    const int needed = ((plan.columns + 4) / 5) * ((plan.rows + 4) / 5);
    if (o.firstSet + needed - 1 > kSetCount) {
        throw InputError(picture, "its cells need " + std::to_string(needed) + " sets from set " +
                                      std::to_string(o.firstSet) + ", and only " +
                                      std::to_string(kSetCount - o.firstSet + 1) + " follow; nothing was written");
    }
}

void Run(const Options& options) {
    const PictureImportOptions o = ImportOptions(options);
    const std::string& output = options.Output();
    const bool project = EndsWith(output, ".proj");
    if (!project && !EndsWith(output, ".fnt") && output != "-") throw UsageError("the output must end in .proj or .fnt: " + output);
    for (const char* option : {"--into", "--screen", "--sets"}) {
        if (options.Has(option) && !project) throw UsageError(std::string(option) + " needs a .proj output");
    }
    // A font file holds one font, so there is no other slot to choose.
    const int slot = options.Number("--slot", 1, kSlotCount, 1);
    if (slot != 1 && !project) throw UsageError("--slot " + std::to_string(slot) + " needs a .proj output");

    // Every target is checked before anything is read or written, so that a
    // run either writes all its outputs or none.
    std::vector<ReadFrom> inputs = {{options.Input(), FileKind::Picture}};
    if (options.Has("--into")) inputs.push_back({options.Value("--into"), FileKind::Project});
    CheckOutput(output, project ? FileKind::Project : FileKind::Font, inputs);
    if (options.Has("--map")) {
        const std::string map = options.Value("--map");
        if (map == "-" || SameFile(map, output)) throw UsageError("--map and -o must name different files");
        CheckOutput(map, FileKind::Other, inputs);
    }

    Document doc;
    ResetDocument(doc);
    if (options.Has("--into")) doc = ProjectDocument(ReadInput(options.Value("--into")));

    if (const long long size = FileSize(options.Input()); size > static_cast<long long>(kPictureReadLimit)) {
        throw InputError(options.Input(), "the picture file is " + std::to_string(size) + " bytes; pictures of up to " +
                                              std::to_string(kPictureReadLimit >> 20) + " MB are read");
    }
    const Bytes file = ReadInputBytes(options.Input(), kPictureReadLimit);
    const PictureFile picture = ReadPictureFile(file, o.scale);
    if (!picture.error.empty()) throw InputError(options.Input(), picture.error);
    PictureImportPlan plan;
    const ImportOutcome outcome = ImportIntoSlot(doc, slot, picture.image, o, plan);
    if (!outcome.changed) throw InputError(options.Input(), outcome.message);
    CheckSetsFit(options.Input(), plan, o);

    // The summary first and the project last: a summary that cannot be
    // written stops the run before any file is, and a failure after the map
    // leaves the project as it was, so a second run does not import twice.
    if (output != "-") WriteText("-", outcome.message + "\n");
    if (options.Has("--map")) {
        Bytes map;
        for (std::size_t cell = 0; cell < plan.map.size(); ++cell) {
            map.push_back(static_cast<unsigned char>(plan.CodeOf(cell, o.firstChar)));
        }
        WriteOutput(options.Value("--map"), map);
    }
    WriteOutput(output, project ? WriteProject(ProjectOf(doc)) : WriteFontBytes(PackFont(doc.Slots[slot])));
}

}  // namespace

const Command& ImportImageCommand() {
    static const Command command = {
        "import-image",
        "a PNG or BMP picture cut into characters",
        "Usage: quillmere-cli import-image IN.png|IN.bmp [--multicolour] [--scale N] [--first C]\n"
        "         [--keep-duplicates] [--reduce] [--colours registers|picture] [--into IN.proj]\n"
        "         [--slot N] [--screen] [--sets FIRST] -o OUT.proj|OUT.fnt [--map OUT.map]\n"
        "Cuts the picture into 8 x 8 cells (times the scale, 1 to 4, default 1; at most 60 x 40\n"
        "cells) and puts each different cell as a character into the font from character C\n"
        "(default 0). The picture of a font as export-image writes it comes back as that font,\n"
        "in its order and with its duplicates.\n\n"
        "  --multicolour      pixel pairs become BAK, PF0, PF1, PF2 or PF3, a cell with PF3\n"
        "                     showing its character inverse (code + 128; a cell with PF2 and\n"
        "                     PF3 keeps the one more pairs use); else pixels nearer LUM than\n"
        "                     BAK are set, and a cell that is the exact inverse of a character\n"
        "                     taken before shows it inverse\n"
        "  --keep-duplicates  one character for every cell, alike or not\n"
        "  --reduce           when the characters do not fit before 127, merge the most\n"
        "                     alike until they do (else nothing is written), and tell how\n"
        "                     many of the picture's pixels changed\n"
        "  --colours          compare with the slot's colours as they are (default) or with\n"
        "                     the picture's most frequent colours, setting the slot's to them\n"
        "                     (five in multicolour, the two that share the fewest cells as\n"
        "                     PF2 and PF3)\n"
        "  --into IN.proj     change this project (default: a new project)\n"
        "  --slot N           the project's slot that takes the characters, 1 to 10 (default 1;\n"
        "                     a .fnt output takes slot 1 only)\n"
        "  --screen           place the picture's cells on the view screen from its top-left\n"
        "                     corner (.proj output)\n"
        "  --sets FIRST       place the picture's cells into sets of 5 x 5 cells from set FIRST\n"
        "                     on, 1 to 100, left to right, then down (.proj output); when they\n"
        "                     need sets past 100 nothing is written\n"
        "  -o OUT             a .fnt font, or a .proj project\n"
        "  --map OUT.map      the code of each cell (bit 7 for an inverse cell), one byte\n"
        "                     a cell, row by row (not the output or the project read)\n",
        {{"--scale", "--first", "--colours", "--colors", "--into", "--map", "--slot", "--sets"},
         {"--multicolour", "--multicolor", "--keep-duplicates", "--reduce", "--screen"}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
