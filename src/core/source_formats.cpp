#include "core/source_formats.h"

#include <algorithm>

#include "core/cross_source.h"
#include "core/export_lines.h"
#include "core/font_source.h"

namespace qm {

const std::vector<std::string>& SourceFormatNames() {
    static const std::vector<std::string> names = {"raw", "asm", "ca65", "c", "mads", "xasm", "fastbasic"};
    return names;
}

bool IsSourceFormat(const std::string& format) {
    const auto& names = SourceFormatNames();
    return std::find(names.begin(), names.end(), format) != names.end();
}

bool FormatHasLabel(const std::string& format) { return IsSourceFormat(format) && format != "raw"; }

std::string SourceExtension(const std::string& format) {
    if (format == "raw") return ".bin";
    if (format == "c") return ".c";
    if (format == "fastbasic") return ".bas";
    return ".asm";
}

std::optional<Bytes> SourceText(std::span<const std::uint8_t> bytes, const SourceChoice& c) {
    const std::size_t perLine = std::max<std::size_t>(c.perLine, 1);
    if (c.format == "raw") return Bytes(bytes.begin(), bytes.end());
    if (c.format == "asm") return AsmBytesText(bytes, c.label, perLine);
    if (c.format == "ca65") return Ca65BytesText(bytes, c.label, perLine);
    if (c.format == "c") return CBytesText(bytes, c.label, perLine);
    if (c.format == "mads") return MadsBytesText(bytes, c.label, perLine, c.align);
    if (c.format == "xasm") return XasmBytesText(bytes, c.label, perLine);
    if (c.format == "fastbasic") return FastBasicBytesText(bytes, c.label, perLine);
    return std::nullopt;
}

}  // namespace qm
