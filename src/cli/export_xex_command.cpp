// export-xex: a program for the machine that shows a region of the view
// screen with a slot's font and the registers' colours.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/atari_program.h"
#include "core/font_format.h"

namespace qm::cli {

namespace {

// A font file has no screen: it is shown as the font sheet lays it out, 32
// characters a line, the 128 codes of the font above their 128 inverse forms.
Document FontDocument(const InputFile& input) {
    Document doc;
    ResetDocument(doc);
    UnpackFont(ReadFontBytes(input.bytes), doc.Slots[1]);
    for (int code = 0; code < 2 * kCharCount; ++code) doc.ViewScreen[code / 32][code % 32] = code;
    return doc;
}

Document InputDocument(const InputFile& input) {
    if (input.kind == FileKind::Project) return ProjectDocument(input);
    if (input.kind == FileKind::Font) return FontDocument(input);
    throw InputError(input.path, std::string("a project or a font is needed here, this is a ") + KindName(input.kind) + " file");
}

void Run(const Options& options) {
    ProgramLayout layout;
    if (options.Has("--region")) layout.region = ParseRegion(options.Value("--region"));
    const std::string mode = options.Value("--mode", "2");
    if (mode != "2" && mode != "4") throw UsageError("--mode must be 2 or 4");
    layout.mode = mode == "2" ? 2 : 4;
    layout.fill = options.Number("--fill", 0, 255, 0);
    if (const std::string error = ProgramLayoutError(layout); !error.empty()) throw UsageError(error);
    const std::string& output = options.Output();

    const InputFile input = ReadInput(options.Input());
    // The program must never take the place of the project or font it shows.
    CheckOutput(output, FileKind::Other, {{input.path, input.kind}});
    const int slot = SlotOption(input, options);
    const ProgramBuild program = BuildAtariProgram(InputDocument(input), slot, layout);
    if (!program.error.empty()) throw UsageError(program.error);
    WriteOutput(output, program.bytes);
}

}  // namespace

const Command& ExportXexCommand() {
    static const Command command = {
        "export-xex",
        "a program that shows the screen on the machine (.xex)",
        "Usage: quillmere-cli export-xex IN.proj|IN.fnt [--slot N] [--region X,Y,W,H]\n"
        "                                [--mode 2|4] [--fill B] -o OUT.xex\n"
        "Writes a binary load file that DOS or an emulator runs: it shows the view screen\n"
        "from column X, row Y, W wide and H high (default 0,0,40,24; at most 40 x 24) at the\n"
        "top left of a 40 x 24 text screen, in slot N's font (default 1) and the registers'\n"
        "colours, waits for a key, puts the display back and returns to DOS.\n"
        "  --mode 2   the high-resolution view: set pixels in LUM on BAK (default)\n"
        "  --mode 4   the multicolour view: pixel pairs in BAK, PF0, PF1, PF2 (PF3 for\n"
        "             codes 128 to 255)\n"
        "  --fill B   the code of empty cells and of the screen beyond the region (default 0)\n"
        "A font file is shown as the font sheet: 32 characters a line, codes 0 to 255.\n"
        "Codes 128 to 255 are shown inverse (mode 2) or with PF3 (mode 4) by the machine.\n",
        {{"--slot", "--region", "--mode", "--fill"}, {}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
