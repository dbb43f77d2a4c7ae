// export-image: the picture of a font as the image export dialog writes it.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/font_format.h"
#include "core/font_image.h"
#include "core/image.h"

namespace qm::cli {

namespace {

void Run(const Options& options) {
    const int scale = options.Number("--scale", 1, 4, 1);
    const std::string& output = options.Output();
    const std::string ext = LowerExtension(output);
    // Standard output gets PNG; a file names its format by its extension.
    const bool bmp = ext == ".bmp";
    if (output != "-" && !bmp && ext != ".png") throw UsageError("the output must end in .png or .bmp: " + output);

    const InputFile input = ReadInput(options.Input());
    CheckOutput(output, FileKind::Picture, {{input.path, input.kind}});
    const int slot = SlotOption(input, options);
    FontSlot font;
    RegisterColors colors = kDefaultRegisterRgb;
    if (input.kind == FileKind::Project) {
        const Document doc = ProjectDocument(input);
        font = doc.Slots[slot];
        colors = font.colors;
    } else {
        UnpackFont(InputFont(input, options), font);
    }
    const bool multicolour = options.switches.count("--multicolour") || options.switches.count("--multicolor");
    // A PNG file is drawn once at scale 1 and enlarged as it is written.
    const Image picture = RenderFontImage(font, colors, multicolour, bmp ? scale : 1);
    const Bytes bytes = bmp ? EncodeBmp(picture) : EncodeEnlargedPng(picture, scale);
    if (bytes.empty()) throw InputError(output, "the picture could not be encoded");
    WriteOutput(output, bytes);
}

}  // namespace

const Command& ExportImageCommand() {
    static const Command command = {
        "export-image",
        "the picture of a font as PNG or BMP",
        "Usage: quillmere-cli export-image IN [--slot N] [--scale 1..4] [--multicolour] -o OUT.png|OUT.bmp\n"
        "Writes the picture of the font of IN (a .fnt, or slot N of a .proj, default 1) as the\n"
        "image export dialog does: 32 characters a row, the inverse half below, 256 x 64\n"
        "pixels times the scale (default 1). The colours are the project slot's, or the\n"
        "default registers for a .fnt.\n\n"
        "  --multicolour  the multicolour view instead of hi-res\n"
        "  -o OUT         .png or .bmp; - writes PNG to standard output\n",
        {{"--slot", "--scale"}, {"--multicolour", "--multicolor"}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
