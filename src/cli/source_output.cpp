#include "cli/source_output.h"

#include "core/font_source.h"

namespace qm::cli {

const char* const kByteFormatHelp =
    "  --format F   raw (the bytes, the default), ca65 (a label with a colon and .byte\n"
    "               lines), c (a const unsigned char array) or asm (a label line and\n"
    "               .BYTE lines in decimal, CR LF)\n"
    "  --label NAME the label or array name (letters, digits, _)\n";

std::string LabelOption(const Options& options, const std::string& fallback) {
    if (!options.Has("--label")) return fallback;
    const std::string label = options.Value("--label");
    if (!IsSourceLabel(label)) {
        throw UsageError("--label must be a letter or _ followed by letters, digits or _ (at most 64), not '" + label +
                         "'");
    }
    return label;
}

Bytes FormattedBytes(const Bytes& bytes, const Options& options, const std::string& label, std::size_t perLine) {
    const std::string format = options.Value("--format", "raw");
    if (format == "raw") {
        if (options.Has("--label")) throw UsageError("the format raw has no label");
        return bytes;
    }
    const ByteSource form = format == "ca65" ? ByteSource::Ca65
                            : format == "c"  ? ByteSource::C
                            : format == "asm" ? ByteSource::Asm
                                              : throw UsageError("unknown format '" + format + "' (one of raw, ca65, c, asm)");
    return BytesAsSource(bytes, form, LabelOption(options, label), perLine);
}

}  // namespace qm::cli
