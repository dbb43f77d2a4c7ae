#include "cli/source_output.h"

#include "core/font_source.h"
#include "core/source_formats.h"

namespace qm::cli {

const char* const kByteFormatHelp =
    "  --format F   raw (the bytes, the default), asm (a label line and .BYTE lines in\n"
    "               decimal, CR LF), ca65 (a label with a colon and .byte lines), c (a\n"
    "               const unsigned char array), mads or xasm (a label line and dta lines,\n"
    "               CR LF) or fastbasic (DATA NAME() BYTE = lines, CR LF)\n"
    "  --label NAME the label or array name (letters, digits, _)\n"
    "  --align      mads only: .ALIGN $400 before the label\n";

std::string LabelOption(const Options& options, const std::string& fallback) {
    if (!options.Has("--label")) return fallback;
    const std::string label = options.Value("--label");
    if (!IsSourceLabel(label)) {
        throw UsageError("--label must be a letter or _ followed by letters, digits or _ (at most 64), not '" + label +
                         "'");
    }
    return label;
}

Bytes FormattedBytes(Bytes bytes, const Options& options, const std::string& label, std::size_t perLine) {
    SourceChoice choice;
    choice.format = options.Value("--format", "raw");
    if (!IsSourceFormat(choice.format)) {
        std::string known;
        for (const std::string& name : SourceFormatNames()) known += (known.empty() ? "" : ", ") + name;
        throw UsageError("unknown format '" + choice.format + "' (one of " + known + ")");
    }
    if (options.Has("--label") && !FormatHasLabel(choice.format)) {
        throw UsageError("the format " + choice.format + " has no label");
    }
    if (options.Has("--align") && choice.format != "mads") throw UsageError("--align applies to --format mads");
    choice.label = LabelOption(options, label);
    choice.perLine = perLine;
    choice.align = options.Has("--align");
    // Raw bytes go out as they are: a large map's megabyte is not copied.
    if (choice.format == "raw") return bytes;
    return *SourceText(bytes, choice);
}

}  // namespace qm::cli
