// export-source: a font as source text, in the export dialog's formats or for
// ca65, C, or as its raw bytes.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "cli/source_output.h"
#include "core/export_lines.h"
#include "core/font_source.h"

namespace qm::cli {

namespace {

struct SourceFormat {
    const char* name;
    int dialogIndex;           // the export dialog's format, or -1
    const char* defaultLabel;  // empty: the format has no label
};

const SourceFormat kFormats[] = {
    {"asm", 0, "FONT"},      {"asm-hex", 1, "FONT"},      {"action", 2, "font"},
    {"action-hex", 3, "font"}, {"basic", 4, ""},          {"madpascal", 5, "qmr_font"},
    {"ca65", -1, "font"},    {"c", -1, "font"},           {"raw", -1, ""},
    {"mads", kMadsFormat, kCrossFormatLabel}, {"xasm", kXasmFormat, kCrossFormatLabel},
    {"fastbasic", kFastBasicFormat, kCrossFormatLabel},
};

// The formats of the platform's languages carry their label in the dialog's
// first line; the others take it as any bytes do.
bool LabelInHeader(const SourceFormat& format) { return format.dialogIndex >= 0 && format.dialogIndex < kMadsFormat; }

const SourceFormat& FindFormat(const std::string& name) {
    for (const SourceFormat& f : kFormats) {
        if (name == f.name) return f;
    }
    std::string known;
    for (const SourceFormat& f : kFormats) known += std::string(known.empty() ? "" : ", ") + f.name;
    throw UsageError("unknown format '" + name + "' (one of " + known + ")");
}

// The dialog's text with its label renamed; the default label gives the
// dialog's bytes exactly.
Bytes DialogText(const FontBytes& font, const SourceFormat& format, const std::string& label) {
    std::vector<std::string> lines = ExportLines(font, format.dialogIndex);
    std::string& header = lines.front();
    const std::size_t at = header.find(format.defaultLabel);
    if (*format.defaultLabel && at != std::string::npos) header.replace(at, std::string(format.defaultLabel).size(), label);
    return TextFileBytes(lines);
}

void Run(const Options& options) {
    if (!options.Has("--format")) throw UsageError("no --format given");
    const SourceFormat& format = FindFormat(options.Value("--format"));
    const bool dialogForm = LabelInHeader(format);
    if (dialogForm && options.Has("--align")) throw UsageError("--align applies to --format mads");
    if (dialogForm && options.Has("--label") && !*format.defaultLabel) {
        throw UsageError(std::string("the format ") + format.name + " has no label");
    }
    const std::string& output = options.Output();
    const InputFile input = ReadInput(options.Input());
    const std::string name = format.name;
    CheckOutput(output, name == "raw" ? FileKind::Font : FileKind::Other, {{input.path, input.kind}});
    const FontBytes font = InputFont(input, options);

    if (!dialogForm) {
        WriteOutput(output, FormattedBytes(Bytes(font.begin(), font.end()), options, format.defaultLabel, 8));
        return;
    }
    WriteOutput(output, DialogText(font, format, LabelOption(options, format.defaultLabel)));
}

}  // namespace

const Command& ExportSourceCommand() {
    static const Command command = {
        "export-source",
        "a font as source text (Atari languages, ca65, C, MADS, xasm, FastBasic) or raw bytes",
        "Usage: quillmere-cli export-source IN [--slot N] --format F [--label NAME] [--align]\n"
        "                                   -o OUT\n"
        "Writes the font of IN (a .fnt, or slot N of a .proj, default 1) as source text.\n\n"
        "Formats, the first six and the last three as the export dialog's Save writes them\n"
        "(CR LF lines):\n"
        "  asm          assembler, bytes in decimal\n"
        "  asm-hex      assembler, bytes in hexadecimal\n"
        "  action       Action!, bytes in decimal\n"
        "  action-hex   Action!, bytes in hexadecimal\n"
        "  basic        Atari Basic DATA lines (no label)\n"
        "  madpascal    MadPascal array in hexadecimal\n"
        "  ca65         a label with a colon and .byte lines for ca65 (LF lines)\n"
        "  c            const unsigned char NAME[1024] for gcc or cc65 (LF lines)\n"
        "  raw          the 1024 bytes of the font (no label)\n"
        "  mads         MADS: a label line, then dta $xx lines\n"
        "  xasm         xasm: the label in column 1, then dta $xx lines\n"
        "  fastbasic    FastBasic: DATA NAME() BYTE = $xx,... continued by DATA BYTE = lines\n\n"
        "  --label NAME names the label or array: a letter or _, then letters, digits or _,\n"
        "               at most 64 in all; the defaults are\n"
        "               FONT (asm), font (action, ca65, c, mads, xasm, fastbasic) and\n"
        "               qmr_font (madpascal)\n"
        "  --align      mads: .ALIGN $400 before the label, so the font starts on a 1 KB\n"
        "               boundary as the display needs\n"
        "  -o OUT       the output file, - for standard output\n",
        {{"--slot", "--format", "--label"}, {"--align"}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
