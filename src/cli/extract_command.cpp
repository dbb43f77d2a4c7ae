// extract: one slot of a project as a font file.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/font_format.h"

namespace qm::cli {

namespace {

void Run(const Options& options) {
    const std::string& output = options.Output();
    const InputFile input = ReadInput(options.Input());
    if (input.kind != FileKind::Project) {
        throw InputError(input.path, std::string("a project is needed here, this is a ") + KindName(input.kind) + " file");
    }
    CheckOutput(output, FileKind::Font, {{input.path, input.kind}});
    WriteOutput(output, WriteFontBytes(InputFont(input, options)));
}

}  // namespace

const Command& ExtractCommand() {
    static const Command command = {
        "extract",
        "one slot of a project as a .fnt",
        "Usage: quillmere-cli extract IN.proj --slot N -o OUT.fnt\n"
        "Writes the 1024 bytes of slot N's font (1 to 10, default 1) as a font file.\n",
        {{"--slot"}, {}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
