#pragma once

// Bytes a build takes in (a font, a map, a region of the screen) written in
// the form a tool reads: as they are, or as source text under a label. Every
// export that offers a choice of format takes it from here.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/byte_stream.h"

namespace qm {

struct SourceChoice {
    std::string format = "raw";
    std::string label;
    std::size_t perLine = 8;
    bool align = false;  // MADS only: start the data on a 1 KB boundary
};

// raw, asm, ca65, c, mads, xasm and fastbasic, in the order help texts list them.
const std::vector<std::string>& SourceFormatNames();
bool IsSourceFormat(const std::string& format);
// Whether the format writes a label (all but raw).
bool FormatHasLabel(const std::string& format);

// The extension a file of the format usually has: ".bin" for raw, ".c",
// ".bas" for FastBasic, ".asm" for the assemblers.
std::string SourceExtension(const std::string& format);

// The bytes in the chosen form; nothing for an unknown format. asm, mads,
// xasm and fastbasic end their lines in CR LF as the export dialog saves
// them, ca65 and c in LF.
std::optional<Bytes> SourceText(std::span<const std::uint8_t> bytes, const SourceChoice& choice);

}  // namespace qm
